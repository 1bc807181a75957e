// The お薬手帳 sticker as lines on labels, without Qt: the date, the pharmacy with its telephone,
// the patient, per drug its name, amount per intake, usage and days, and the prescriber, cut
// into lines of the roll's width and spread over as many labels as they need. A label grows
// with its content up to kMaxLabelLines lines; the next label goes on with a 続き mark. Every
// text is shown whole: long texts wrap, and one longer than the line cutter's limit ends in a
// visible "…". Texts are CP932.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "drugbase.h"
#include "leaflet/leaflet_header.h"

namespace sticker {

// Roll widths in millimetres; 0 in the settings slot means the default.
inline constexpr int kDefaultWidth = 62;
inline constexpr int kWidths[] = {58, 62, 80};

// Geometry in tenths of a millimetre, the painter's logical unit.
inline constexpr int kMargin = 20;
inline constexpr int kTextHeight = 30;
inline constexpr int kLinePitch = 40;
inline constexpr int kHalfWidthAdvance = 15;  // a CP932 byte of the fixed-pitch face
inline constexpr int kMaxLabelLines = 24;     // about 10 cm of label

// The width a settings value stands for: 58 or 80 as stored, 62 for 0 or anything else.
int widthOf(int stored);
// What the settings slot keeps for a width: 0 for 62 mm, the default, so that a settings file
// written before the choice reads the same.
constexpr int storedWidth(int width) {
    return width == kDefaultWidth ? 0 : width;
}
// Bytes of text on one line of a roll `width` millimetres wide.
int lineBytes(int width);

enum class Style { kPlain, kBold, kMark, kRule };

struct Line {
    Style style = Style::kPlain;
    int indent = 0;    // in bytes
    std::string text;  // CP932
};

struct Label {
    std::vector<Line> lines;
};

struct Drug {
    std::string name;
    std::string amount;  // per intake, e.g. "１回１錠"
    std::string usage;
    std::string days;
};

struct Content {
    std::string date;
    std::string pharmacy;
    std::string telephone;
    std::string patient;
    std::string prescriber;
    std::vector<Drug> drugs;
};

// "2026年12月8日" in CP932.
std::string dateText(int year, int month, int day);

// The sticker of a leaflet: the header's patient, pharmacy name and prescriber, the entries'
// names and dosage texts.
Content contentOf(const leaflet::LeafletHeader& header, std::span<const DrugRecord> entries,
                  const std::string& telephone, const std::string& date);

// The labels of `content` on a roll `width` millimetres wide; never empty.
std::vector<Label> layoutLabels(const Content& content, int width);

// A label's height in tenths of a millimetre.
int labelHeight(const Label& label);

}  // namespace sticker
