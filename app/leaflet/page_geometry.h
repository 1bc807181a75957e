// Vertical geometry of a leaflet page in layout units (two layout units make one logical unit
// of the device), shared by the pagination and the page composer.
#pragma once

#include "drugbase.h"
#include "leaflet/leaflet_header.h"
#include "leaflet/line_breaking.h"

namespace leaflet {

inline constexpr int kHeaderTop = 272;      // header bottom when the header block is empty
inline constexpr int kHeaderLineStep = 62;  // one prescriber / pharmacy / pharmacist line
inline constexpr int kRowGap = 8;           // from a rule to the next row's top
inline constexpr int kLineStep = 58;        // one line of row height
inline constexpr int kRowPadding = 16;
inline constexpr int kMinRowHeight = 492;
inline constexpr int kPageBottom = 3645;  // the lowest row bottom a page holds

// Horizontal extent of the rules and rows.
inline constexpr int kRowsLeft = 80;
inline constexpr int kRowsRight = 2780;

// The comment at the foot of the page: its first line's top, line step and left edge; a line is
// kCommentHeight high and every byte of it kCommentByteWidth wide (fixed-pitch mincho, a
// double-byte character twice as wide).
inline constexpr int kCommentTop = 3760;
inline constexpr int kCommentLineStep = kHeaderLineStep;
inline constexpr int kCommentLeft = 70;
inline constexpr int kCommentHeight = 52;
inline constexpr int kCommentByteWidth = 26;

// Lines of the header block: the prescriber line when there is a prescriber text and, for a
// dispensing pharmacy, the pharmacy name and pharmacist lines when those texts are not empty.
int headerLineCount(const LeafletHeader& header);

// H: the bottom of the header, where the first row's top rule lies.
int headerBottom(const LeafletHeader& header);

// The size rows are drawn in: the standard size, or large print about 1.4 times as large.
struct RowMetrics {
    int scale;  // percent of the standard text heights and offsets inside a row
    int lineStep;
    int rowPadding;
    int minRowHeight;
    TextWidths widths;
};

inline constexpr RowMetrics kNormalRows{100, kLineStep, kRowPadding, kMinRowHeight, kNormalWidths};
inline constexpr RowMetrics kLargeRows{140, 81, 22, 689, kLargeWidths};

// B of a row that starts at `top` and is `lines` lines high.
constexpr int rowBottom(int top, int lines, const RowMetrics& metrics = kNormalRows) {
    const int bottom = top + metrics.lineStep * lines + metrics.rowPadding;
    return bottom < top + metrics.minRowHeight ? top + metrics.minRowHeight : bottom;
}

// What a row holds beyond its standard texts, and its size.
struct RowStyle {
    bool pictograms = false;  // the entry's usage pictograms under its usage, amount and days
    bool largePrint = false;
    bool genericInfo = false;  // the generic-drug information under the entry's name

    const RowMetrics& metrics() const { return largePrint ? kLargeRows : kNormalRows; }
};

inline RowStyle rowStyle(const LeafletHeader& header) {
    return {header.pictograms, header.largePrint, header.genericInfo};
}

// Lines every row keeps for the generic-drug information while it is switched on: its note
// under the name moves the photograph down by up to this much.
inline constexpr int kGenericNoteLines = 3;

// The usage pictograms stand in strips of up to five, one timing cell wide each, a strip three
// lines high.
inline constexpr int kPictogramsPerStrip = 5;
inline constexpr int kPictogramStripLines = 3;

// Lines the strips of `count` pictograms take.
constexpr int pictogramLines(int count) {
    return (count + kPictogramsPerStrip - 1) / kPictogramsPerStrip * kPictogramStripLines;
}

// Row height in lines as the page composer draws it: the usage text at its drawn width plus
// six lines for the timing grid and the lines of its pictograms when the style shows them, or the
// efficacy or caution text when longer; a usage text of exactly three lines makes at least ten.
int drawnRowLines(const DrugRecord& entry, RowStyle style = {});

// Row height in lines for pagination: as drawnRowLines, but with the usage text measured at
// its narrower measuring width, which never gives fewer lines than drawn. Never below
// drawnRowLines, so a page never draws a row below kPageBottom.
int measuredRowLines(const DrugRecord& entry, RowStyle style = {});

}  // namespace leaflet
