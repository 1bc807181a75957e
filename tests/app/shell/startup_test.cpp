#include <QComboBox>
#include <cstring>

#include "drugbase.h"
#include "program_fixture.h"
#include "sjis/sjis.h"

TEST_F(ProgramTest, AnUnreadableSettingsFileEndsTheStart) {
    std::filesystem::create_directories(dir.path() / "コンフィグ" / "Userfile.e");
    shell::AppState s(prompts);
    EXPECT_FALSE(shell::startUp(s, dir.path()));
    ASSERT_FALSE(prompts.shown.empty());
    EXPECT_EQ(prompts.shown.back().title, "エラー");
    EXPECT_EQ(prompts.shown.back().text, "ユーザーファイル作成に失敗しました。01");
}

TEST_F(ProgramTest, PhraseListsFeedThePrescriberList) {
    shell::AppState s(prompts);
    ASSERT_TRUE(shell::startUp(s, dir.path()));
    dosage::PhraseTable table{};
    std::memcpy(table.data(), "\r\n", 2);
    std::strcpy(table.data() + 2 * DOSAGEBASE_SLOT_SIZE, "Dr. A");
    ASSERT_EQ(DRecordDocument(table.data(), dosage::kPrescribers), 0);
    window.reset();
    ASSERT_TRUE(start());
    auto* prescribers = find<QComboBox>("prescriberList");
    ASSERT_EQ(prescribers->count(), 2);
    EXPECT_EQ(prescribers->itemText(1), "Dr. A");
}

TEST_F(ProgramTest, WithoutTheDrugFileTheWindowOpensEmptyAndSaysSo) {
    std::vector<std::string> libraryMessages;
    RecordSetMessageHandler(
        [](void* c, const char* text) {
            static_cast<std::vector<std::string>*>(c)->push_back(sjis::toUtf8(text));
        },
        &libraryMessages);
    std::filesystem::remove(dir.path() / "データベース" / "薬剤ファイル.mdb");
    EXPECT_FALSE(start()) << "the drug list cannot be filled";
    RecordSetMessageHandler(nullptr, nullptr);
    ASSERT_FALSE(libraryMessages.empty());
    EXPECT_EQ(libraryMessages.front(), "薬剤ファイルがありません。");
    EXPECT_EQ(prompts.shown.back().text, "データベースに異常があります。");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->drugList().count(), 0);
}
