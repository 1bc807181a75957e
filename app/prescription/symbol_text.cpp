#include "prescription/symbol_text.h"

#include <algorithm>

#include "sjis/sjis.h"

namespace prescription {

namespace {

constexpr char kEndOfFile = '\x1A';
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD, from sjis::toUtf8

bool isTrailByte(unsigned char b) {
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

std::size_t utf8CharLength(unsigned char lead) {
    return lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

// UTF-8 -> CP932 into `line`, each character CP932 cannot hold as "■". U+FFFD, which a text
// shown in the intake window holds for bytes that formed no CP932 character, becomes "〓".
void fromUtf8Marked(std::string_view utf8, TextLine& line) {
    if (sjis::fromUtf8(utf8, line.text)) return;
    static const std::string outside = sjis::fromUtf8("■");
    static const std::string invalid = sjis::fromUtf8("〓");
    line.text.clear();
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t length = sjis::validUtf8Length(utf8.substr(at, 4)) > 0
                                       ? utf8CharLength(static_cast<unsigned char>(utf8[at]))
                                       : 1;
        const std::string_view character = utf8.substr(at, length);
        std::string part;
        if (character == kReplacement) {
            line.text += invalid;
            ++line.invalidBytes;
        } else if (sjis::fromUtf8(character, part)) {
            line.text += part;
        } else {
            line.text += outside;
            ++line.outsideCp932;
        }
        at += length;
    }
}

// The CP932 text with each byte (or byte pair) that forms no character as "〓", counted in
// `marked`; a lead byte at the end of a cut text is kept as it is.
std::string cp932Marked(std::string_view cp932, bool cut, int& marked) {
    if (sjis::toUtf8(cp932).find(kReplacement) == std::string::npos) return std::string(cp932);
    static const std::string mark = sjis::fromUtf8("〓");
    std::string out;
    for (std::size_t at = 0; at < cp932.size();) {
        const auto byte = static_cast<unsigned char>(cp932[at]);
        const bool pair = sjis::isLeadByte(byte) && at + 1 < cp932.size() &&
                          isTrailByte(static_cast<unsigned char>(cp932[at + 1]));
        const std::string_view character = cp932.substr(at, pair ? 2 : 1);
        const bool lastLead = cut && !pair && sjis::isLeadByte(byte) && at + 1 == cp932.size();
        if (lastLead || sjis::toUtf8(character).find(kReplacement) == std::string::npos) {
            out += character;
        } else {
            out += mark;
            ++marked;
        }
        at += character.size();
    }
    return out;
}

}  // namespace

std::string joinSymbols(const std::vector<std::string>& symbols) {
    std::string text;
    for (const std::string& symbol : symbols) {
        std::copy_if(symbol.begin(), symbol.end(), std::back_inserter(text),
                     [](char c) { return c != kEndOfFile; });
    }
    return text;
}

bool looksLikeUtf8(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark)) return true;
    const bool beyondAscii = std::any_of(
        bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    return beyondAscii && sjis::validUtf8Length(bytes) == bytes.size();
}

std::vector<TextLine> splitLines(std::string_view bytes) {
    const bool utf8 = looksLikeUtf8(bytes);
    if (utf8 && bytes.starts_with(kUtf8Mark)) bytes.remove_prefix(kUtf8Mark.size());
    std::string text(bytes);
    std::erase(text, kEndOfFile);

    std::vector<TextLine> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        TextLine line{static_cast<int>(lines.size()) + 1, {}, end != std::string::npos};
        const std::string_view raw = std::string_view(text).substr(
            start, end == std::string::npos ? std::string::npos : end - start);
        if (utf8)
            fromUtf8Marked(raw, line);
        else
            line.text = cp932Marked(raw, !line.ended, line.invalidBytes);
        lines.push_back(std::move(line));
        if (end == std::string::npos) break;
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

}  // namespace prescription
