// The user settings file on disk: its byte layout, short and long files, failed saves.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "atomic_file/atomic_file.h"
#include "file_mode.h"
#include "settings/settings.h"
#include "sjis/sjis.h"
#include "temp_dir.h"

using settings::SettingsBlock;
using Bytes = std::vector<unsigned char>;

namespace {

std::int32_t intAt(const Bytes& bytes, std::size_t offset) {
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits |= std::uint32_t(bytes[offset + i]) << (8 * i);
    return static_cast<std::int32_t>(bits);
}

SettingsBlock filled(char fill) {
    SettingsBlock block;
    std::memset(&block, fill, sizeof block);
    std::fill(std::begin(block.options) + SettingsBlock::kStoredOptionCount,
              std::end(block.options), 0);
    return block;
}

// Caps the size of files this process writes, so a write past it fails as on a full disk (for
// root too); the signal that comes with it is ignored meanwhile.
class FileSizeCap {
  public:
    explicit FileSizeCap(rlim_t bytes) : oldHandler_(signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit cap = saved_;
        cap.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &cap);
    }
    ~FileSizeCap() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        signal(SIGXFSZ, oldHandler_);
    }

  private:
    sighandler_t oldHandler_;
    rlimit saved_{};
};

class SettingsFile : public ::testing::Test {
  protected:
    void SetUp() override { std::filesystem::create_directory(file.parent_path()); }
    Bytes bytes() const {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    void write(const Bytes& content) const {
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(content.data()), std::ssize(content));
    }
    SettingsBlock load() const {
        SettingsBlock block;
        EXPECT_EQ(settings::loadSettings(file, block).message, "");
        return block;
    }
    std::set<std::string> names() const {
        std::set<std::string> out;
        for (const auto& e : std::filesystem::directory_iterator(file.parent_path()))
            out.insert(e.path().filename().string());
        return out;
    }

    TempDir dir;
    const std::filesystem::path file = settings::settingsFilePath(dir.path());
};

}  // namespace

TEST_F(SettingsFile, MissingFileIsCreatedEmptyAndFirstSaveFillsIt) {
    SettingsBlock block = filled('Z');
    ASSERT_TRUE(settings::loadSettings(file, block).ok());
    EXPECT_EQ(block, SettingsBlock{});
    EXPECT_EQ(bytes(), Bytes{});
    ASSERT_TRUE(settings::saveSettings(file, block).ok());
    EXPECT_EQ(bytes(), Bytes(2976, 0));
    EXPECT_EQ(modeOf(file), 0600u);
}

TEST_F(SettingsFile, FieldsSitAtTheirOffsetsLittleEndian) {
    SettingsBlock block{};
    const std::string comment = sjis::fromUtf8("一行目\r\n二行目\r\n三行目");
    sjis::copyField(block.comment, sizeof block.comment, comment);
    const std::string pharmacy = sjis::fromUtf8("みどり薬局");
    sjis::copyField(block.pharmacyName, sizeof block.pharmacyName, pharmacy);
    // Each integer field a value of its own, negative so that the sign is stored too.
    const std::pair<std::int32_t SettingsBlock::*, int> ints[] = {
        {&SettingsBlock::businessType, 2000},    {&SettingsBlock::prescriberIndex, 2004},
        {&SettingsBlock::pharmacistIndex, 2008}, {&SettingsBlock::saveHistory, 2012},
        {&SettingsBlock::reservedFlag, 2016},    {&SettingsBlock::patientOrder, 2120},
        {&SettingsBlock::autoDosage, 2124}};
    for (const auto& [field, offset] : ints) block.*field = -offset;
    block.reservedTriples[3][2] = 111;
    // The options this program reads, each a value of its own too.
    const std::pair<int, std::size_t> options[] = {
        {settings::kOptionPrintColour, 2180}, {settings::kOptionDrugListOrder, 2192},
        {settings::kOptionPictograms, 2260},  {settings::kOptionGenericInfo, 2264},
        {settings::kOptionLargePrint, 2268},  {settings::kOptionStickerWidth, 2272}};
    for (const auto& [option, offset] : options) block.options[option] = int(offset);
    settings::setHandbookCodes(block, true);
    ASSERT_TRUE(settings::saveSettings(file, block).ok());

    const Bytes raw = bytes();
    ASSERT_EQ(raw.size(), 2976u);
    EXPECT_EQ(std::string(raw.begin() + 1000, raw.begin() + 1000 + comment.size()), comment);
    EXPECT_EQ(std::string(raw.begin() + 2020, raw.begin() + 2020 + pharmacy.size()), pharmacy);
    for (const auto& [field, offset] : ints) EXPECT_EQ(intAt(raw, offset), -offset);
    EXPECT_EQ(intAt(raw, 2172), 111);
    for (const auto& [option, offset] : options) EXPECT_EQ(intAt(raw, offset), int(offset));
    EXPECT_EQ(intAt(raw, 2176 + 80), 1) << "the e-medication-handbook switch in option 20";
    EXPECT_EQ(load(), block);  // the comment's CR LF line breaks included
    EXPECT_TRUE(settings::handbookCodesOn(load()));
}

TEST_F(SettingsFile, AShortFileFillsOnlyWhatItHoldsAndALongOneNoMoreThanItsFields) {
    Bytes content(1000, 0);
    content.resize(1500, 'C');  // the comment receives the 500 bytes after the reserved text
    write(content);
    SettingsBlock expected{};
    std::memset(expected.comment, 'C', 500);
    EXPECT_EQ(load(), expected);

    content.resize(2000, 'C');
    content.insert(content.end(), {0x34, 0x12});  // ends inside the business type
    write(content);
    std::memset(expected.comment, 'C', 1000);
    expected.businessType = 0x1234;
    EXPECT_EQ(load(), expected);

    // Options from twenty-five on (after the sticker width) are neither read nor written.
    Bytes full(4000);  // longer than a settings file: the save replaces it whole
    for (std::size_t i = 0; i < full.size(); ++i) full[i] = static_cast<unsigned char>(i % 251 + 1);
    write({full.begin(), full.begin() + 2276});
    const SettingsBlock fromShort = load();
    write(full);
    SettingsBlock block = load();
    EXPECT_EQ(block, fromShort);
    EXPECT_EQ(block.options[20], intAt(full, 2256));
    EXPECT_EQ(block.options[24], intAt(full, 2272));
    EXPECT_EQ(block.options[25], 0);

    block.options[199] = -1;
    ASSERT_TRUE(settings::saveSettings(file, block).ok());
    Bytes written(full.begin(), full.begin() + 2976);
    std::fill(written.begin() + 2276, written.end(), 0);
    EXPECT_EQ(bytes(), written);

    // A file written before the switch existed has zero there: the codes are off.
    write({full.begin(), full.begin() + 2256});
    EXPECT_FALSE(settings::handbookCodesOn(load()));
}

TEST_F(SettingsFile, FailedSaveKeepsThePreviousFileAndNamesThePart) {
    ASSERT_TRUE(settings::saveSettings(file, filled('A')).ok());
    const Bytes previous = bytes();
    const std::pair<rlim_t, const char*> cases[] = {
        {500, "ユーザーファイル書き込みに失敗しました。01"},   // in the reserved text
        {1500, "ユーザーファイル書き込みに失敗しました。02"},  // in the comment
        {2050, "ユーザーファイル書き込みに失敗しました。01"},  // in the pharmacy name
        {2500, "ユーザーファイル書き込みに失敗しました。02"},  // in the option table
    };
    for (const auto& [limit, message] : cases) {
        settings::SettingsResult result;
        {
            FileSizeCap cap(limit);
            result = settings::saveSettings(file, filled('B'));
        }
        EXPECT_EQ(result.message, message) << limit;
        EXPECT_EQ(bytes(), previous) << limit;
        EXPECT_EQ(names().size(), 1u) << "temporary file left after " << limit;
    }
    ASSERT_TRUE(settings::saveSettings(file, filled('B')).ok());
    EXPECT_EQ(load(), filled('B'));
}

TEST_F(SettingsFile, ASaveRemovesTheTemporaryFilesOfKilledSavesOnly) {
    ASSERT_TRUE(settings::saveSettings(file, filled('A')).ok());
    // A save killed half-way, as by kill -9, leaves its temporary file behind.
    const pid_t killed = fork();
    if (killed == 0) {
        atomic_file::Replacement replacement(file);
        if (replacement.begin()) replacement.write("half a file");
        kill(getpid(), SIGKILL);
    }
    ASSERT_GT(killed, 0);
    waitpid(killed, nullptr, 0);
    ASSERT_EQ(names().size(), 2u);
    // One of a running process that has not been touched for a long time is stale as well.
    const std::string live = std::to_string(getppid());
    const auto folder = file.parent_path();
    const auto old = folder / (".Userfile.e.tmp-" + live + "-0");
    std::ofstream(old) << "old";
    std::filesystem::last_write_time(
        old, std::filesystem::file_time_type::clock::now() - std::chrono::minutes(5));
    // What stays: a running process's file being written, another file's leftovers, and names
    // that only look like ours.
    const std::string dead = std::to_string(killed);
    std::set<std::string> kept = {"Userfile.e", ".Userfile.e.tmp-" + live + "-1",
                                  ".other.tmp-" + dead + "-0", ".Userfile.e.tmp-" + dead,
                                  "Userfile.e.tmp-" + dead + "-0"};
    for (const std::string& name : kept)
        if (name != "Userfile.e") std::ofstream(folder / name) << "x";
    atomic_file::Replacement ours(file);  // this process's own save, under way
    ASSERT_TRUE(ours.begin());

    ASSERT_TRUE(settings::saveSettings(file, filled('B')).ok());
    EXPECT_EQ(names().size(), kept.size() + 1);
    for (const std::string& name : kept) EXPECT_EQ(names().count(name), 1u) << name;
    EXPECT_EQ(load(), filled('B'));
    EXPECT_TRUE(ours.write(std::string(settings::kSettingsFileSize, 0)) && ours.commit());
}

TEST_F(SettingsFile, FileThatCannotBeThereFailsWithItsMessage) {
    std::filesystem::create_directories(file / "keep");  // a folder in the file's place
    SettingsBlock block = filled('Z');
    EXPECT_EQ(settings::loadSettings(file, block).message,
              "ユーザーファイル作成に失敗しました。01");
    EXPECT_EQ(block, SettingsBlock{});
    EXPECT_EQ(settings::saveSettings(file, block).message,
              "ユーザーファイル書き込みに失敗しました。02");
    EXPECT_TRUE(std::filesystem::exists(file / "keep"));
    EXPECT_EQ(names().size(), 1u);

    const auto noFolder = dir.path() / "ない" / "Userfile.e";
    EXPECT_EQ(settings::loadSettings(noFolder, block).message,
              "ユーザーファイル作成に失敗しました。01");
    EXPECT_EQ(settings::saveSettings(noFolder, block).message,
              "ユーザーファイル作成に失敗しました。02");
}
