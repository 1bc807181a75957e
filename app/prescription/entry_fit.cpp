#include "prescription/entry_fit.h"

#include <algorithm>
#include <cstring>

#include "leaflet/print_entry.h"
#include "sjis/sjis.h"

namespace prescription {

namespace {

// The text as the entry field stores it ("$" made full-width), before any cut: written into
// room of twice its size, which every replacement fits.
std::string storedForm(std::string_view text) {
    std::string stored(text.size() * 2 + 1, '\0');
    leaflet::setEntryText(stored.data(), stored.size(), text);
    stored.resize(std::strlen(stored.c_str()));
    return stored;
}

// A digit, half- or full-width (CP932 0x824F-0x8258).
bool isDigit(std::string_view c) {
    if (c.size() == 1) return c[0] >= '0' && c[0] <= '9';
    return static_cast<unsigned char>(c[0]) == 0x82 && static_cast<unsigned char>(c[1]) >= 0x4F &&
           static_cast<unsigned char>(c[1]) <= 0x58;
}

// A digit or a mark inside a number ("1.5", "1/3"), half- or full-width.
bool isNumberPart(std::string_view c) {
    static const std::string marks[] = {".", "/", sjis::fromUtf8("．"), sjis::fromUtf8("／")};
    return isDigit(c) || std::find(std::begin(marks), std::end(marks), c) != std::end(marks);
}

// The character of `text` that starts at `at` (one or two bytes).
std::string_view characterAt(std::string_view text, std::size_t at) {
    const bool wide =
        sjis::isLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size();
    return text.substr(at, wide ? 2 : 1);
}

// The length of the part of `text` kept in `room` bytes, moved back to the start of a number
// that the cut would split.
std::size_t keptLength(std::string_view text, std::size_t room) {
    std::size_t kept = sjis::cutLength(text, room);
    if (kept >= text.size() || !isNumberPart(characterAt(text, kept))) return kept;
    std::size_t start = 0;  // start of the number run the cut falls in
    for (std::size_t at = 0; at < kept;) {
        const std::string_view c = characterAt(text, at);
        if (!isNumberPart(c)) start = at + c.size();
        at += c.size();
    }
    return start;
}

bool holdsDigit(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::string_view c = characterAt(text, at);
        if (isDigit(c)) return true;
        at += c.size();
    }
    return false;
}

const char* labelOf(EntryText kind) {
    switch (kind) {
        case EntryText::kUsage:
            return "用法";
        case EntryText::kAmount:
            return "用量";
        case EntryText::kDays:
            return "日数";
    }
    return "";
}

}  // namespace

std::optional<std::string> fitEntryText(char* field, std::size_t width, EntryText kind,
                                        std::string_view text) {
    const std::string stored = storedForm(text);
    if (width == 0 || stored.size() < width) {
        leaflet::setEntryText(field, width, stored);
        return std::nullopt;
    }
    const std::string label = labelOf(kind);
    const std::string whole = "「" + sjis::toUtf8(stored) + "」";
    static const std::string ellipsis = sjis::fromUtf8("…");
    const std::size_t room = width - 1 > ellipsis.size() ? width - 1 - ellipsis.size() : 0;
    const std::size_t kept = keptLength(stored, room);
    if (kind != EntryText::kUsage && holdsDigit(std::string_view(stored).substr(kept))) {
        leaflet::setEntryText(field, width, "");
        return label + whole + "の数値が印刷欄に収まらないため、" + label +
               "欄を空けました。確かめて入力してください。";
    }
    leaflet::setEntryText(field, width, stored.substr(0, kept) + ellipsis);
    return label + whole + "は印刷欄に収まらないため、末尾を「…」で省略して印刷します。";
}

}  // namespace prescription
