// The text of a prescription code as it arrives (typed by a keyboard scanner, pasted, read from
// one or several symbols) turned into CP932 lines: the encoding is told from the bytes, end of
// file bytes are dropped, and CR LF, LF and a lone CR all end a line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace prescription {

struct TextLine {
    int number = 0;        // 1-based, in the joined text
    std::string text;      // CP932, without its line end
    bool ended = false;    // false only for a last line the text stops in
    int outsideCp932 = 0;  // characters CP932 cannot hold, shown as "■"
    int invalidBytes = 0;  // bytes that form no CP932 character, shown as "〓"
};

// The symbols' texts in sequence order as one text: each symbol's EOF byte (0x1A) is dropped,
// so a record split between two symbols joins up again.
std::string joinSymbols(const std::vector<std::string>& symbols);

// True when `bytes` hold UTF-8 text rather than CP932: wholly valid UTF-8 with at least one
// character beyond ASCII (CP932 kanji and half-width kana are not valid UTF-8 in practice).
bool looksLikeUtf8(std::string_view bytes);

// The lines of the text, converted to CP932 when it is UTF-8 (a UTF-8 byte order mark is
// dropped). Empty lines are kept so that line numbers match what the operator sees. A character
// CP932 cannot hold becomes "■" (as the code itself writes one outside JIS X 0208) and a byte
// that forms no CP932 character "〓", both counted on their line; a lead byte that ends a last,
// unended line is kept, since it tells that the text was cut there.
std::vector<TextLine> splitLines(std::string_view bytes);

}  // namespace prescription
