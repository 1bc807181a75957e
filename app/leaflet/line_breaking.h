// The line rule of the leaflet: a text is cut into lines of at most w bytes without splitting a
// double-byte CP932 character, and no line begins with a character the line-start rule bars
// (line_start_rule.h): such a character hangs at the end of the line before, one character past
// the width, or, when two of them follow each other, the character before them moves down with
// them. Spaces, line feeds and carriage returns are ordinary bytes. Drawing and pagination cut
// with the same functions, so a page holds exactly the lines it was measured with.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace leaflet {

// At most this many lines of a text are drawn or counted on a page of the standard size.
inline constexpr int kMaxTextLines = 10;

// Byte widths of the leaflet's columns.
inline constexpr std::size_t kNameLineBytes = 26;
inline constexpr std::size_t kUsageLineBytes = 24;         // as drawn
inline constexpr std::size_t kUsageMeasureLineBytes = 20;  // as measured by pagination
inline constexpr std::size_t kNoteLineBytes = 28;          // efficacy and caution texts

// The line widths of one size of the page and the most lines a text takes there.
struct TextWidths {
    std::size_t name;
    std::size_t usage;         // as drawn
    std::size_t usageMeasure;  // as measured by pagination
    std::size_t note;          // efficacy and caution texts
    int maxLines;
};

inline constexpr TextWidths kNormalWidths{kNameLineBytes, kUsageLineBytes, kUsageMeasureLineBytes,
                                          kNoteLineBytes, kMaxTextLines};
// Large print: narrower lines of larger characters, and as many more lines as keep a note's
// 280 bytes on the page.
inline constexpr TextWidths kLargeWidths{16, 22, 18, 18, 16};

// The first `maxLines` lines of `text` at `width` bytes each (a hanging character makes a line
// longer); empty for an empty text.
std::vector<std::string_view> cutLines(std::string_view text, std::size_t width,
                                       int maxLines = kMaxTextLines);

// Line count for layout: 1 for an empty text, the number of lines when the text fits in
// `maxLines` lines, and maxLines + 1 when a remainder is left after the last.
int countLines(std::string_view text, std::size_t width, int maxLines = kMaxTextLines);

}  // namespace leaflet
