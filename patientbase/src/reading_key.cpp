#include "reading_key.h"

#include "sjis/sjis.h"

namespace patientbase {
namespace {

constexpr unsigned char kFullSpace[] = {0x81, 0x40};

}  // namespace

std::string readingKey(std::string_view reading) {
    const std::string hiragana = sjis::kataToHira(sjis::toFullWidth(reading));
    std::string key;
    for (std::size_t i = 0; i < hiragana.size();) {
        const auto lead = static_cast<unsigned char>(hiragana[i]);
        const std::size_t width = sjis::isLeadByte(lead) && i + 1 < hiragana.size() ? 2 : 1;
        const bool blank = width == 2 && lead == kFullSpace[0] &&
                           static_cast<unsigned char>(hiragana[i + 1]) == kFullSpace[1];
        if (!blank) key.append(hiragana, i, width);
        i += width;
    }
    return key;
}

bool isKanaOnly(std::string_view key) {
    if (key.empty()) return false;
    for (std::size_t i = 0; i < key.size(); i += 2) {
        if (i + 1 >= key.size()) return false;
        const unsigned lead = static_cast<unsigned char>(key[i]);
        const unsigned trail = static_cast<unsigned char>(key[i + 1]);
        const bool hiragana = lead == 0x82 && trail >= 0x9F && trail <= 0xF1;
        // ヴ, ヵ and ヶ have no hiragana in CP932 and stay katakana.
        const bool kataOnly = lead == 0x83 && trail >= 0x94 && trail <= 0x96;
        const bool mark = lead == 0x81 && (trail == 0x5B || trail == 0x4A || trail == 0x4B);
        if (!hiragana && !kataOnly && !mark) return false;
    }
    return true;
}

}  // namespace patientbase
