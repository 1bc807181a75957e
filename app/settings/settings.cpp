#include "settings/settings.h"

#include "layout/file_modes.h"

#include <array>
#include <cstddef>
#include <fstream>
#include <span>

#include "atomic_file/atomic_file.h"
#include "settings/settings_codec.h"

namespace settings {
namespace {

constexpr const char* kLoadCreateFailed = "ユーザーファイル作成に失敗しました。01";
constexpr const char* kSaveCreateFailed = "ユーザーファイル作成に失敗しました。02";
constexpr const char* kReservedReadFailed = "ユーザーファイル読み込みに失敗しました。01";
constexpr const char* kReadFailed = "ユーザーファイル読み込みに失敗しました。02";
constexpr const char* kTextWriteFailed = "ユーザーファイル書き込みに失敗しました。01";
constexpr const char* kWriteFailed = "ユーザーファイル書き込みに失敗しました。02";

constexpr std::size_t kReservedEnd = offsetof(SettingsBlock, comment);
constexpr std::size_t kPharmacyStart = offsetof(SettingsBlock, pharmacyName);
constexpr std::size_t kPharmacyEnd = offsetof(SettingsBlock, patientOrder);

// The file is written in these parts so that a failure names the part it hit: the reserved
// text and the pharmacy name have a message of their own.
struct WritePart {
    std::size_t begin, end;
    const char* failure;
};
constexpr WritePart kWriteParts[] = {
    {0, kReservedEnd, kTextWriteFailed},
    {kReservedEnd, kPharmacyStart, kWriteFailed},
    {kPharmacyStart, kPharmacyEnd, kTextWriteFailed},
    {kPharmacyEnd, kSettingsFileSize, kWriteFailed},
};

// Reads up to `bytes.size()` bytes; reaching the end of the file early is no failure.
bool readUpTo(std::istream& in, std::span<unsigned char> bytes, std::size_t& total) {
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    total += static_cast<std::size_t>(in.gcount());
    return !in.bad();
}

}  // namespace

std::filesystem::path settingsFilePath(const std::filesystem::path& startFolder) {
    return startFolder / "コンフィグ" / "Userfile.e";
}

SettingsResult loadSettings(const std::filesystem::path& file, SettingsBlock& block) {
    block = SettingsBlock{};
    std::error_code ec;
    auto type = std::filesystem::status(file, ec).type();
    if (type == std::filesystem::file_type::not_found) {
        std::ofstream(file, std::ios::binary | std::ios::app);
        layout::restrict(file);  // the owner's alone, as every file the program makes
        type = std::filesystem::status(file, ec).type();
    }
    // Only a regular file is opened: a folder would read as empty, a fifo would block.
    std::ifstream in;
    if (type == std::filesystem::file_type::regular) in.open(file, std::ios::binary);
    if (!in.is_open()) return {kLoadCreateFailed};

    std::array<unsigned char, kSettingsReadSize> bytes{};
    std::size_t total = 0;
    if (!readUpTo(in, std::span(bytes).first(kReservedEnd), total)) return {kReservedReadFailed};
    if (total == kReservedEnd && !readUpTo(in, std::span(bytes).subspan(kReservedEnd), total))
        return {kReadFailed};
    block = decodeSettings(std::span(bytes).first(total));
    return {};
}

SettingsResult saveSettings(const std::filesystem::path& file, const SettingsBlock& block) {
    const SettingsImage image = encodeSettings(block);
    atomic_file::Replacement replacement(file);
    if (!replacement.begin()) return {kSaveCreateFailed};
    for (const WritePart& part : kWriteParts) {
        const std::string_view bytes(reinterpret_cast<const char*>(image.data()) + part.begin,
                                     part.end - part.begin);
        if (!replacement.write(bytes)) return {part.failure};
    }
    if (!replacement.commit()) return {kWriteFailed};
    return {};
}

}  // namespace settings
