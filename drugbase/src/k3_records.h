// The records of the supplied K3 text data files, taken apart by each file's own rules.
//
// A record is one line (its line break removed) of Shift-JIS text that begins with a double
// quote. Every rule works inside the line, so a malformed record never swallows the next one.
// A field that the end of the line cuts off before it is complete is absent (nullopt); so
// are the fields after it. Field texts are views into the line or, where quotes are dropped,
// copies of at most kFieldRoom bytes: more than any column keeps.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace drugbase::k3 {

inline constexpr std::size_t kFieldRoom = 512;

// YJHA0601.K3: "<YJ code, 12 bytes>","<SAYOA>","<SAYOB>","<SAYOC1>","<SAYOC2>","<CYUUI>".
// Each text runs up to its closing quote; the two bytes after it (comma, opening quote) are
// passed over unread.
struct GuidanceRecord {
    std::string_view yjcode;
    bool separatorOk = false;  // the code is followed by quote, comma, quote
    std::array<std::optional<std::string_view>, 5> texts;
};
GuidanceRecord parseGuidance(std::string_view line);

// YJSH0410.K3: "<key, 24 bytes>", then HONTAICODE, HOUSOUCODE and COLOR, each ended by a comma
// outside quotes or by the end of the line (a quote switches in and out of quotes and is
// dropped; a quoted comma is kept), then optionally "<WARISEN: two bytes>".
struct IdentificationRecord {
    std::string_view key;
    bool separatorOk = false;  // the key is followed by quote, comma
    std::array<std::optional<std::string>, 3> codes;
    std::optional<std::string_view> warisen;  // the fourth field, cut to one character
};
IdentificationRecord parseIdentification(std::string_view line);

// YJSU0601.K3: "<24 bytes, not used>", then seven fields, each ended by a comma or the end of
// the line, with every quote dropped: marker, not used, TOUYOKEIRO, SAIBUNRUI (a class code),
// ZAIKEI, YOUHOU, KUBUN. Whatever follows the seventh is not used.
struct ProcessingRecord {
    bool separatorOk = false;  // the 24 bytes are followed by quote, comma
    std::array<std::optional<std::string>, 7> fields;

    // A "＄" line: read, but it belongs to no drug.
    bool passedOver() const;
};
ProcessingRecord parseProcessing(std::string_view line);

// Saibun.K3: "<class code>","<class name>".
struct ClassNameRecord {
    std::optional<std::string_view> code;
    std::optional<std::string_view> name;
};
ClassNameRecord parseClassName(std::string_view line);

}  // namespace drugbase::k3
