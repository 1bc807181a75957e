#include "prescription/symbol_text.h"

#include <algorithm>

#include "sjis/sjis.h"

namespace prescription {

namespace {

constexpr char kEndOfFile = '\x1A';
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

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
    std::string text;
    if (looksLikeUtf8(bytes)) {
        if (bytes.starts_with(kUtf8Mark)) bytes.remove_prefix(kUtf8Mark.size());
        text = sjis::fromUtf8(bytes);
    } else {
        text = bytes;
    }
    std::erase(text, kEndOfFile);

    std::vector<TextLine> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        TextLine line{static_cast<int>(lines.size()) + 1, {}, end != std::string::npos};
        line.text = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        lines.push_back(std::move(line));
        if (end == std::string::npos) break;
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

}  // namespace prescription
