#include "ehandbook/record_line.h"

#include "sjis/sjis.h"

namespace ehandbook {

namespace {

constexpr std::string_view kFullWidthComma = "\x81\x43";  // "，" in CP932
// "、", "，", "・" and the full-width space: a list of names may be cut after them.
constexpr std::string_view kBreakAfter[] = {"\x81\x41", kFullWidthComma, "\x81\x45", "\x81\x40"};

constexpr bool isTrailByte(unsigned char b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// The escaped text, not yet cut.
std::string safeText(std::string_view cp932) {
    std::string safe;
    safe.reserve(cp932.size());
    for (std::size_t i = 0; i < cp932.size() && cp932[i] != '\0'; ++i) {
        const auto byte = static_cast<unsigned char>(cp932[i]);
        if (sjis::isLeadByte(byte)) {
            // A lead byte without its second byte is dropped; the byte after it (perhaps a
            // comma) is then taken on its own.
            if (i + 1 < cp932.size() && isTrailByte(static_cast<unsigned char>(cp932[i + 1])))
                safe += cp932.substr(i++, 2);
        } else if (byte == ',') {
            safe += kFullWidthComma;
        } else if (byte < 0x20 || byte == 0x7F) {
            safe += ' ';
        } else {
            safe += cp932[i];
        }
    }
    return safe;
}

// Bytes of the first piece of `text`: all of it when it fits, else a cut at a character
// boundary, moved back to just after the last break character in the piece's last quarter.
std::size_t pieceLength(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) return text.size();
    const std::size_t cut = sjis::cutLength(text, limit);
    std::size_t best = 0;
    for (std::size_t i = 0; i < cut;
         i += sjis::isLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1) {
        const std::string_view rest = text.substr(i, cut - i);
        if (rest.starts_with(' ')) best = i + 1;
        for (const std::string_view mark : kBreakAfter)
            if (rest.starts_with(mark)) best = i + mark.size();
    }
    return best >= cut - cut / 4 && best > 0 ? best : cut;
}

}  // namespace

std::string fieldText(std::string_view cp932, std::size_t limit) {
    std::string safe = safeText(cp932);
    safe.resize(sjis::cutLength(safe, limit));
    return safe;
}

std::vector<std::string> fieldPieces(std::string_view cp932, std::size_t limit) {
    const std::string safe = safeText(cp932);
    std::vector<std::string> pieces;
    for (std::string_view rest = safe; !rest.empty() && limit > 1;) {
        const std::size_t length = pieceLength(rest, limit);
        pieces.emplace_back(rest.substr(0, length));
        rest.remove_prefix(length);
    }
    return pieces;
}

RecordLine& RecordLine::text(std::string_view cp932, std::size_t limit) {
    line_ += ',';
    line_ += fieldText(cp932, limit);
    return *this;
}

RecordLine& RecordLine::number(int value) {
    line_ += ',';
    line_ += std::to_string(value);
    return *this;
}

RecordLine& RecordLine::blank() {
    line_ += ',';
    return *this;
}

RecordLine& RecordLine::blanks(int count) {
    line_.append(static_cast<std::size_t>(count), ',');
    return *this;
}

}  // namespace ehandbook
