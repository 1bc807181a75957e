// The phrase list editors: the table as text and back, refusals, and the store behind them.
#include "dosagewindow/phrase_editor.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <filesystem>

#include "dosage_fixture.h"
#include "dosagewindow/phrase_combo.h"
#include "dosagewindow/phrase_text.h"
#include "sjis/sjis.h"

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

    // The store cannot keep the list: the table in memory stays as it was.
    const PhraseTable kept = tables[dosage::kAmountPhrases];
    ASSERT_EQ(DRecordOpen((dir.path() / "gone").string().c_str(), nullptr), 0);
    EXPECT_FALSE(edit(dosage::kAmountPhrases, "１包"));
    EXPECT_EQ(storeMessages, 1);
    EXPECT_EQ(tables[dosage::kAmountPhrases], kept);
}

}  // namespace
