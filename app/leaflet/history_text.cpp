#include "leaflet/history_text.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace leaflet {

namespace {

// Zero bytes are stored as "$", which is also the byte of the value 36.
constexpr char kDollar = '$';

// The record's setting bytes: the five timing amounts up to the days list position.
constexpr std::size_t kSettingsAt = offsetof(HistoryRecord, timings);
constexpr std::size_t kSettingCount = offsetof(HistoryRecord, amountText) - kSettingsAt;
static_assert(kSettingCount == 9);

// The last byte of each text field: its terminator, zero in every record.
#define LAST_BYTE_OF(field) (offsetof(HistoryRecord, field) + sizeof(HistoryRecord::field) - 1)
constexpr std::size_t kYjCodeEnd = LAST_BYTE_OF(yjcode);
constexpr std::size_t kAmountEnd = LAST_BYTE_OF(amountText);
constexpr std::size_t kDaysEnd = LAST_BYTE_OF(daysText);
constexpr std::size_t kUsageEnd = LAST_BYTE_OF(usageText);
#undef LAST_BYTE_OF
static_assert(kUsageEnd == sizeof(HistoryRecord) - 1);

// A marked record: its usage text ends in the mark instead of "$" (a record written unmarked
// always ends in "$", the terminator of its usage text), and the other three text ends hold the
// flags of the setting bytes that are 36, as hexadecimal digits of four, four and one bit.
constexpr char kMark = '#';
constexpr std::array<std::size_t, 3> kFlagDigitsAt = {kYjCodeEnd, kAmountEnd, kDaysEnd};
constexpr unsigned kFlagDigitBits = 4;
constexpr char kHexDigits[] = "0123456789ABCDEF";

using RecordBytes = std::array<char, sizeof(HistoryRecord)>;

unsigned dollarFlags(const RecordBytes& bytes) {
    unsigned flags = 0;
    for (std::size_t k = 0; k < kSettingCount; ++k) {
        if (bytes[kSettingsAt + k] == kDollar) flags |= 1u << k;
    }
    return flags;
}

void writeRecord(const HistoryRecord& record, char* out) {
    RecordBytes bytes;
    std::memcpy(bytes.data(), &record, sizeof record);
    const unsigned flags = dollarFlags(bytes);
    std::replace(bytes.begin(), bytes.end(), '\0', kDollar);
    if (flags != 0) {
        for (std::size_t d = 0; d < kFlagDigitsAt.size(); ++d) {
            bytes[kFlagDigitsAt[d]] = kHexDigits[(flags >> (kFlagDigitBits * d)) & 0xF];
        }
        bytes[kUsageEnd] = kMark;
    }
    std::memcpy(out, bytes.data(), bytes.size());
}

int hexValue(char c) {
    const char* at = std::find(std::begin(kHexDigits), std::end(kHexDigits) - 1, c);
    return at == std::end(kHexDigits) - 1 ? -1 : static_cast<int>(at - kHexDigits);
}

// The flags of a marked record, or -1 when the record is not marked.
int markedFlags(const RecordBytes& stored) {
    if (stored[kUsageEnd] != kMark) return -1;
    int flags = 0;
    for (std::size_t d = 0; d < kFlagDigitsAt.size(); ++d) {
        const int digit = hexValue(stored[kFlagDigitsAt[d]]);
        if (digit < 0) return -1;
        flags |= digit << (kFlagDigitBits * d);
    }
    return flags;
}

void readRecord(std::string_view stored, HistoryRecord& record) {
    RecordBytes bytes{};
    std::copy(stored.begin(), stored.end(), bytes.begin());
    const int flags = stored.size() == bytes.size() ? markedFlags(bytes) : -1;
    std::replace(bytes.begin(), bytes.end(), kDollar, '\0');
    if (flags >= 0) {
        for (const std::size_t end : {kYjCodeEnd, kAmountEnd, kDaysEnd, kUsageEnd}) bytes[end] = 0;
        for (std::size_t k = 0; k < kSettingCount; ++k) {
            const bool dollar = (flags >> k) & 1;
            if (dollar && stored[kSettingsAt + k] == kDollar) bytes[kSettingsAt + k] = kDollar;
        }
    }
    std::memcpy(&record, bytes.data(), bytes.size());
}

}  // namespace

std::string historyText(const HistoryBlock& block) {
    std::string text(kStoredHistoryLength, kDollar);
    for (std::size_t r = 0; r < block.size(); ++r)
        writeRecord(block[r], &text[r * sizeof block[r]]);
    return text;
}

HistoryBlock historyBlockFromText(std::string_view stored) {
    HistoryBlock block{};
    stored = stored.substr(0, kStoredHistoryLength);
    for (std::size_t r = 0; r < block.size(); ++r) {
        const std::size_t at = r * sizeof(HistoryRecord);
        if (at >= stored.size()) break;
        readRecord(stored.substr(at, sizeof(HistoryRecord)), block[r]);
    }
    return block;
}

}  // namespace leaflet
