// The efficacy and caution texts of a leaflet row ("notes") hold up to 499 bytes but are drawn
// in at most kMaxTextLines lines of kNoteLineBytes bytes (more, narrower lines in large print). A
// longer note is cut after its last line, which then ends in "…" so that the reader sees text is
// missing, and the preview names the drugs whose notes are cut so that their user texts can be
// shortened before printing.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "drugbase.h"
#include "leaflet/line_breaking.h"

namespace leaflet {

// The lines drawn for a note (CP932): those of cutLines, the last one ending in "…" when text
// is left after it, cut shorter at a character boundary so that it still fits its width.
std::vector<std::string> noteLines(std::string_view note, const TextWidths& widths = kNormalWidths);

// Whether text of the note is left after its last drawn line.
bool noteIsCut(std::string_view note, const TextWidths& widths = kNormalWidths);

// The product names (CP932) of the entries whose printed efficacy or caution text is cut, or
// whose usage, amount or days text was shortened into its field (it ends in "…"), in list
// order, each name once.
std::vector<std::string> drugsWithCutNotes(std::span<const DrugRecord> entries,
                                           const TextWidths& widths = kNormalWidths);

}  // namespace leaflet
