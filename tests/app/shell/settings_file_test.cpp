// Loading and saving the settings file: the byte layout, short and long files, the option table.
#include <cstring>

#include "settings_fixture.h"
#include "sjis/sjis.h"

using shell::SettingsBlock;

namespace {

std::int32_t intAt(const std::vector<unsigned char>& bytes, std::size_t offset) {
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits |= std::uint32_t(bytes[offset + i]) << (8 * i);
    return static_cast<std::int32_t>(bits);
}

}  // namespace

TEST_F(SettingsFile, MissingFileIsCreatedEmptyAndFirstSaveFillsIt) {
    EXPECT_EQ(file, dir.path() / "コンフィグ" / "Userfile.e");
    SettingsBlock block;
    std::memset(&block, 0x5A, sizeof block);
    ASSERT_TRUE(shell::loadSettings(file, block).ok());
    EXPECT_EQ(block, SettingsBlock{});
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_TRUE(bytes().empty());

    ASSERT_TRUE(shell::saveSettings(file, block).ok());
    EXPECT_EQ(bytes(), std::vector<unsigned char>(2976, 0));
}

TEST_F(SettingsFile, EveryFieldIsStoredAtItsOffsetLittleEndian) {
    SettingsBlock block{};
    sjis::copyField(block.comment, sizeof block.comment, sjis::fromUtf8("お大事に"));
    block.businessType = 1;
    block.prescriberIndex = 0x01020304;
    block.pharmacistIndex = -2;
    block.saveHistory = 1;
    block.reservedFlag = 7;
    sjis::copyField(block.pharmacyName, sizeof block.pharmacyName, sjis::fromUtf8("みどり薬局"));
    block.patientOrder = 1;
    block.autoDosage = 1;
    for (int t = 0; t < 4; ++t)
        for (int i = 0; i < 3; ++i) block.reservedTriples[t][i] = 100 + t * 3 + i;
    block.options[shell::kOptionPrintColour] = 1;
    block.options[shell::kOptionDrugListOrder] = 1;
    block.options[19] = 19;
    ASSERT_TRUE(shell::saveSettings(file, block).ok());

    const auto raw = bytes();
    ASSERT_EQ(raw.size(), 2976u);
    EXPECT_EQ(sjis::toUtf8(sjis::fieldText(reinterpret_cast<const char*>(&raw[1000]), 1000)),
              "お大事に");
    EXPECT_EQ(std::vector<unsigned char>(raw.begin() + 2004, raw.begin() + 2008),
              (std::vector<unsigned char>{4, 3, 2, 1}));
    EXPECT_EQ(intAt(raw, 2000), 1);
    EXPECT_EQ(intAt(raw, 2008), -2);
    EXPECT_EQ(intAt(raw, 2016), 7);
    EXPECT_EQ(sjis::toUtf8(sjis::fieldText(reinterpret_cast<const char*>(&raw[2020]), 100)),
              "みどり薬局");
    EXPECT_EQ(intAt(raw, 2124), 1);
    EXPECT_EQ(intAt(raw, 2128), 100);
    EXPECT_EQ(intAt(raw, 2172), 111);
    EXPECT_EQ(intAt(raw, 2176 + 4 * 4), 1);
    EXPECT_EQ(intAt(raw, 2176 + 19 * 4), 19);

    EXPECT_EQ(load(), block);
}

TEST_F(SettingsFile, ShortFileFillsOnlyWhatItHolds) {
    // 1500 bytes: the comment receives the 500 bytes after the reserved text.
    std::vector<unsigned char> content(1000, 0);
    content.resize(1500, 'C');
    writeBytes(content);
    SettingsBlock expected{};
    std::memset(expected.comment, 'C', 500);
    EXPECT_EQ(load(), expected);

    // A file that ends inside an integer fills its low bytes only.
    content.resize(2000, 'C');
    content.push_back(0x34);
    content.push_back(0x12);
    writeBytes(content);
    std::memset(expected.comment, 'C', 1000);
    expected.businessType = 0x1234;
    EXPECT_EQ(load(), expected);
}

TEST_F(SettingsFile, OnlyTheFirstTwentyOptionsAreReadAndWritten) {
    std::vector<unsigned char> full(2976);
    for (std::size_t i = 0; i < full.size(); ++i) full[i] = static_cast<unsigned char>(i % 251 + 1);
    writeBytes(full);
    const SettingsBlock fromFull = load();
    writeBytes({full.begin(), full.begin() + 2256});
    EXPECT_EQ(load(), fromFull);
    for (int i = 20; i < SettingsBlock::kOptionCount; ++i) EXPECT_EQ(fromFull.options[i], 0) << i;

    // Saved back: the first 2256 bytes as read, options 20-199 as zero even when set in memory.
    SettingsBlock block = fromFull;
    block.options[25] = 7;
    block.options[199] = -1;
    ASSERT_TRUE(shell::saveSettings(file, block).ok());
    auto expected = full;
    std::fill(expected.begin() + 2256, expected.end(), 0);
    EXPECT_EQ(bytes(), expected);
}

TEST_F(SettingsFile, SaveReplacesALongerFileWhole) {
    writeBytes(std::vector<unsigned char>(4000, 0xEE));
    SettingsBlock block{};
    const std::string comment = sjis::fromUtf8("一行目\r\n二行目\r\n三行目");
    sjis::copyField(block.comment, sizeof block.comment, comment);
    ASSERT_TRUE(shell::saveSettings(file, block).ok());
    EXPECT_EQ(bytes().size(), 2976u);
    const SettingsBlock back = load();
    EXPECT_EQ(sjis::fieldText(back.comment, sizeof back.comment), comment);
    EXPECT_EQ(back, block);
}

TEST_F(SettingsFile, UnusableFileFailsToLoadWithItsMessage) {
    SettingsBlock block;
    std::filesystem::create_directory(file);
    EXPECT_EQ(shell::loadSettings(file, block).message, "ユーザーファイル作成に失敗しました。01");
    EXPECT_EQ(block, SettingsBlock{});

    const auto elsewhere = dir.path() / "ない" / "Userfile.e";
    EXPECT_EQ(shell::loadSettings(elsewhere, block).message,
              "ユーザーファイル作成に失敗しました。01");
    EXPECT_EQ(shell::kSettingsMessageTitle, "エラー");
}
