#include "leaflet/line_breaking.h"

#include <algorithm>

#include "leaflet/line_start_rule.h"
#include "sjis/sjis.h"

namespace leaflet {

namespace {

// Bytes of the longest prefix of at most `width` bytes that ends on a character boundary. A
// lone lead byte at the very end of a text still makes progress as its own line.
std::size_t widthCut(std::string_view text, std::size_t width) {
    const std::size_t n = sjis::cutLength(text, width);
    return n > 0 ? n : std::min(text.size(), width);
}

// The last character boundary before `end` at which a line may begin, or 0.
std::size_t lastLineStartBefore(std::string_view text, std::size_t end) {
    std::size_t found = 0;
    for (std::size_t at = characterLength(text); at < end; at += characterLength(text.substr(at)))
        if (!barredFromLineStart(text.substr(at))) found = at;
    return found;
}

// Bytes of the next line. A character that may not begin a line stays at the end of this one,
// one character past the width; when a second such character follows it, the character before
// them moves to the next line instead, so that line begins with it.
std::size_t nextLine(std::string_view text, std::size_t width) {
    const std::size_t cut = widthCut(text, width);
    if (cut >= text.size() || !barredFromLineStart(text.substr(cut))) return cut;
    const std::size_t hung = cut + characterLength(text.substr(cut));
    if (hung >= text.size() || !barredFromLineStart(text.substr(hung))) return hung;
    const std::size_t start = lastLineStartBefore(text, cut);
    return start > 0 ? start : hung;
}

}  // namespace

std::vector<std::string_view> cutLines(std::string_view text, std::size_t width, int maxLines) {
    std::vector<std::string_view> lines;
    while (!text.empty() && static_cast<int>(lines.size()) < maxLines) {
        const std::size_t n = nextLine(text, width);
        lines.push_back(text.substr(0, n));
        text.remove_prefix(n);
    }
    return lines;
}

int countLines(std::string_view text, std::size_t width, int maxLines) {
    int lines = 1;
    for (int cut = 0; cut < maxLines; ++cut) {
        text.remove_prefix(nextLine(text, width));
        if (text.empty()) return lines;
        ++lines;
    }
    return lines;
}

}  // namespace leaflet
