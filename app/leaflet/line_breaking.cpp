#include "leaflet/line_breaking.h"

#include <algorithm>

#include "sjis/sjis.h"

namespace leaflet {

namespace {

// Bytes of the next line: the longest prefix of at most `width` bytes that ends on a character
// boundary. A lone lead byte at the very end of a text still makes progress as its own line.
std::size_t nextLine(std::string_view text, std::size_t width) {
    const std::size_t n = sjis::cutLength(text, width);
    return n > 0 ? n : std::min(text.size(), width);
}

}  // namespace

std::vector<std::string_view> cutLines(std::string_view text, std::size_t width) {
    std::vector<std::string_view> lines;
    while (!text.empty() && static_cast<int>(lines.size()) < kMaxTextLines) {
        const std::size_t n = nextLine(text, width);
        lines.push_back(text.substr(0, n));
        text.remove_prefix(n);
    }
    return lines;
}

int countLines(std::string_view text, std::size_t width) {
    int lines = 1;
    for (int cut = 0; cut < kMaxTextLines; ++cut) {
        text.remove_prefix(nextLine(text, width));
        if (text.empty()) return lines;
        ++lines;
    }
    return lines;
}

}  // namespace leaflet
