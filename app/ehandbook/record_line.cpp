#include "ehandbook/record_line.h"

#include "sjis/sjis.h"

namespace ehandbook {

namespace {

constexpr std::string_view kFullWidthComma = "\x81\x43";  // "，" in CP932

constexpr bool isTrailByte(unsigned char b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

}  // namespace

std::string fieldText(std::string_view cp932, std::size_t limit) {
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
    safe.resize(sjis::cutLength(safe, limit));
    return safe;
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
