#include "leaflet/line_start_rule.h"

#include <algorithm>
#include <vector>

#include "sjis/sjis.h"

namespace leaflet {

namespace {

// The characters, in UTF-8; each is converted to its CP932 code once.
constexpr std::string_view kBarred[] = {
    // closing brackets and quotation marks
    "）", "］", "｝", "」", "』", "】", "〉", "》", "〕", "’", "”",
    // commas, full stops, the middle dot, colons, question and exclamation marks
    "、", "。", "，", "．", "・", "：", "；", "？", "！",
    // voiced-sound, iteration and prolonged-sound marks
    "゛", "゜", "ヽ", "ヾ", "ゝ", "ゞ", "々", "ー",
    // small kana
    "ぁ", "ぃ", "ぅ", "ぇ", "ぉ", "っ", "ゃ", "ゅ", "ょ", "ゎ", "ァ", "ィ", "ゥ", "ェ", "ォ", "ッ",
    "ャ", "ュ", "ョ", "ヮ", "ヵ", "ヶ",
    // half-width forms
    "｡", "｣", "､", "･", "ｰ", "ﾞ", "ﾟ", "ｧ", "ｨ", "ｩ", "ｪ", "ｫ", "ｬ", "ｭ", "ｮ", "ｯ",
    // ASCII
    ")", "]", "}", ",", ".", ":", ";", "?", "!"};

// A character as one number: the byte, or lead byte * 256 + trail byte.
unsigned code(std::string_view character) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(character[i]); };
    return character.size() == 2 ? byte(0) << 8 | byte(1) : byte(0);
}

const std::vector<unsigned>& barredCodes() {
    static const std::vector<unsigned> codes = [] {
        std::vector<unsigned> out;
        for (const std::string_view c : kBarred) out.push_back(code(sjis::fromUtf8(c)));
        std::sort(out.begin(), out.end());
        return out;
    }();
    return codes;
}

}  // namespace

std::size_t characterLength(std::string_view text) {
    if (text.empty()) return 0;
    return sjis::isLeadByte(static_cast<unsigned char>(text[0])) && text.size() > 1 ? 2 : 1;
}

bool barredFromLineStart(std::string_view text) {
    if (text.empty()) return false;
    const auto& codes = barredCodes();
    return std::binary_search(codes.begin(), codes.end(),
                              code(text.substr(0, characterLength(text))));
}

}  // namespace leaflet
