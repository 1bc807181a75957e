// The phrase list editors: the table as text and back, refusals, and the store behind them.
#include "dosagewindow/phrase_editor.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <filesystem>

#include "dosage_fixture.h"
#include "dosagewindow/phrase_combo.h"
#include "dosagewindow/phrase_text.h"
#include "phrases/phrase_merge.h"
#include "sjis/sjis.h"
#include "ui/text_convert.h"

namespace {

using dosage::PhraseTable;

std::string slot(const PhraseTable& t, int i) {
    return sjis::toUtf8(sjis::fieldText(t.data() + i * DOSAGEBASE_SLOT_SIZE, DOSAGEBASE_SLOT_SIZE));
}

QString lines(int count, const QString& line) {
    QStringList all;
    for (int i = 0; i < count; ++i) all << line;
    return all.join('\n');
}

class PhraseEditorTest : public PhraseStoreTest {
  protected:
    // Opens the editor of `list`, puts `text` into it and presses OK; true when it closed.
    bool edit(int list, const QString& text) {
        dosage::PhraseEditorDialog editor(tables, list, prompts, nullptr);
        editor.show();
        editor.textBox()->setPlainText(text);
        editor.findChild<QPushButton*>("okButton")->click();
        return !editor.isVisible() && editor.result() == QDialog::Accepted;
    }
};

TEST(PhraseText, AnEmptyLineIsASeparatorThenAnEmptySlotAndTheTextRoundTrips) {
    PhraseTable table{};
    table.fill('x');
    ASSERT_FALSE(dosage::rebuildTable("A\r\n\r\nB", table));
    EXPECT_EQ(slot(table, 0) + "|" + slot(table, 1) + "|" + slot(table, 2) + "|" + slot(table, 3),
              "A|\r\n||B");
    EXPECT_EQ(slot(table, 4), "") << "the rest of the table is cleared";
    const std::string text = dosage::phraseText(table);
    EXPECT_EQ(text, "A\r\n\r\nB\r\n");
    PhraseTable again{};
    ASSERT_FALSE(dosage::rebuildTable(text, again));
    EXPECT_EQ(again, table);
}

TEST_F(PhraseEditorTest, OkStoresTheWholeTextAndTheComboListsIt) {
    ASSERT_TRUE(edit(dosage::kUsagePhrases, "A\n\nB"));
    EXPECT_EQ(tables[dosage::kUsagePhrases], stored(dosage::kUsagePhrases));
    QComboBox combo;
    dosage::fillPhraseCombo(&combo, tables[dosage::kUsagePhrases], true);
    ASSERT_EQ(combo.count(), 4);
    EXPECT_EQ(combo.itemText(1) + combo.itemText(2) + combo.itemText(3), "AB");
    dosage::PhraseEditorDialog reopened(tables, dosage::kUsagePhrases, prompts, nullptr);
    EXPECT_EQ(reopened.textBox()->toPlainText(), "A\n\nB\n");

    // Far more than 2,600 bytes, all of it kept.
    const QString phrase(40, QChar(u'薬'));
    ASSERT_TRUE(edit(dosage::kPrescribers, lines(250, phrase)));
    EXPECT_EQ(slot(stored(dosage::kPrescribers), 249), phrase.toStdString());
    ASSERT_TRUE(edit(dosage::kPrescribers, ""));
    dosage::fillPhraseCombo(&combo, tables[dosage::kPrescribers], false);
    EXPECT_EQ(combo.count(), 0);
}

TEST(PhraseMerge, OneSidesEditIsAppliedAgainToTheListTheOtherSideStored) {
    struct Case {
        const char* name;
        const char *read, *mine, *theirs, *merged;
    };
    const Case cases[] = {
        {"both add", "A\r\nB\r\n", "A\r\nB\r\nC\r\n", "A\r\nB\r\nD\r\n", "A\r\nB\r\nD\r\nC\r\n"},
        {"mine removes", "A\r\nB\r\n", "B\r\n", "A\r\nB\r\nD\r\n", "B\r\nD\r\n"},
        {"a move is no change", "A\r\nB\r\n", "B\r\nA\r\n", "A\r\nB\r\nD\r\n", "A\r\nB\r\nD\r\n"},
        {"added on both sides once", "A\r\n", "A\r\nC\r\n", "A\r\nC\r\n", "A\r\nC\r\n"},
        {"a repeated line counts twice", "A\r\n", "A\r\nA\r\n", "B\r\n", "B\r\nA\r\n"},
        {"separators are no entries", "A\r\n", "A\r\n\r\n", "\r\nB\r\n", "\r\nB\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(dosage::applyChange(c.theirs, dosage::changeBetween(c.read, c.mine)), c.merged);
    }
}

TEST_F(PhraseEditorTest, AListChangedElsewhereIsReadOnOpenAndASaveOverItIsRefused) {
    // Another terminal's save, made through the store directly.
    const auto storeElsewhere = [](const QString& text) {
        PhraseTable table{};
        ASSERT_FALSE(dosage::rebuildTable(ui::toCp932(text), table));
        ASSERT_EQ(DRecordDocument(table.data(), dosage::kPrescribers), 0);
    };
    storeElsewhere("山田\n佐藤\n");
    const auto prescribers = dosage::kPrescribers;
    for (const bool reapply : {true, false}) {
        SCOPED_TRACE(reapply);
        prompts.shown.clear();
        dosage::PhraseEditorDialog editor(tables, prescribers, prompts, nullptr);
        EXPECT_EQ(editor.textBox()->toPlainText(), "山田\n佐藤\n") << "read on opening";
        editor.show();
        storeElsewhere("山田\n鈴木\n");
        const PhraseTable theirs = stored(prescribers);
        editor.textBox()->setPlainText("山田\n佐藤\n田中");
        prompts.yesNo = {reapply};
        editor.findChild<QPushButton*>("okButton")->click();
        ASSERT_TRUE(editor.isVisible());
        EXPECT_EQ(stored(prescribers), theirs) << "nothing stored over it";
        EXPECT_EQ(tables[prescribers], theirs) << "read again";
        ASSERT_EQ(prompts.shown.size(), 1u);
        EXPECT_EQ(prompts.shown[0].text,
                  "この一覧は、編集中に他の端末で変更されていたため、保存されませんでした。\n"
                  "他の端末で保存された一覧を表示します。\n\n"
                  "他の端末で追加された行：\n　鈴木\n他の端末で削除された行：\n　佐藤\n\n"
                  "この一覧に、あなたの編集（追加1行、削除0行）をもう一度適用しますか？\n"
                  "適用した一覧を確かめてから、もう一度OKを押してください。");
        EXPECT_EQ(editor.textBox()->toPlainText(), reapply ? "山田\n鈴木\n田中\n" : "山田\n鈴木\n");
        // Saved again, now over the list that was read again.
        editor.findChild<QPushButton*>("okButton")->click();
        EXPECT_EQ(editor.result(), QDialog::Accepted);
        EXPECT_EQ(stored(prescribers), tables[prescribers]);
        EXPECT_EQ(
            dosage::phraseText(stored(prescribers)),
            reapply ? ui::toCp932("山田\r\n鈴木\r\n田中\r\n") : ui::toCp932("山田\r\n鈴木\r\n"));
        storeElsewhere("山田\n佐藤\n");
    }
    // Only the list edited was written.
    for (const char* other : {"用法.txt", "用量.txt", "日数.txt", "薬剤師名.txt"})
        EXPECT_FALSE(std::filesystem::exists(dir.path() / other)) << other;
}

TEST_F(PhraseEditorTest, TextsThatDoNotFitAreRefusedNamingTheLine) {
    ASSERT_TRUE(edit(dosage::kAmountPhrases, "１錠"));
    const PhraseTable before = tables[dosage::kAmountPhrases];
    const std::pair<QString, std::string> refused[] = {
        {"ok\n" + QString(100, QChar(u'錠')) + "x",
         "2行目が長すぎます。１行は全角100文字（200バイト）迄です。"},
        {lines(251, "x"), "行数が多すぎます。250行迄です。"},
        // An empty line takes two slots: 230 lines, 29 of them empty, need 258.
        {lines(200, "x") + QString(30, QChar('\n')) + "x", "行数が多すぎます。250行迄です。"},
        {"a\nb\n한국", "3行目に保存できない文字があります。"},
    };
    for (const auto& [text, message] : refused) {
        prompts.shown.clear();
        EXPECT_FALSE(edit(dosage::kAmountPhrases, text));
        ASSERT_EQ(prompts.shown.size(), 1u);
        EXPECT_EQ(prompts.shown[0].text + prompts.shown[0].title, message + "編集");
        EXPECT_EQ(tables[dosage::kAmountPhrases], before);
        EXPECT_EQ(stored(dosage::kAmountPhrases), before);
    }
    EXPECT_TRUE(edit(dosage::kAmountPhrases, QString(100, QChar(u'錠'))));
    EXPECT_TRUE(edit(dosage::kAmountPhrases, lines(250, "x") + "\n"));

    // The store can neither read the list again nor keep it (a folder stands in place of its
    // file): the table in memory stays as it was.
    const PhraseTable kept = tables[dosage::kAmountPhrases];
    std::filesystem::remove(dir.path() / "用量.txt");
    std::filesystem::create_directory(dir.path() / "用量.txt");
    EXPECT_FALSE(edit(dosage::kAmountPhrases, "１包"));
    EXPECT_EQ(storeMessages, 2);
    EXPECT_EQ(tables[dosage::kAmountPhrases], kept);
}

}  // namespace
