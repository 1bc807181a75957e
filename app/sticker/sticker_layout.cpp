#include "sticker/sticker_layout.h"

#include <algorithm>

#include "leaflet/line_breaking.h"
#include "leaflet/print_entry.h"
#include "sjis/sjis.h"

namespace sticker {
namespace {

using Block = std::vector<Line>;

constexpr int kDrugIndent = 2;

std::string cp932(const char* utf8) {
    return sjis::fromUtf8(utf8);
}

// `text` cut into lines of `width` bytes; a text the cutter could not hold whole ends in "…".
void addWrapped(Block& block, Style style, int indent, const std::string& text, int width) {
    const std::size_t room = static_cast<std::size_t>(width - indent);
    const std::vector<std::string_view> lines = leaflet::cutLines(text, room);
    for (const std::string_view line : lines) block.push_back({style, indent, std::string(line)});
    if (leaflet::countLines(text, room) > leaflet::kMaxTextLines) {
        std::string& last = block.back().text;
        const std::string ellipsis = cp932("…");
        last.resize(sjis::cutLength(last, room - ellipsis.size()));
        last += ellipsis;
    }
}

std::string joined(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return a + b;
    return a + cp932("　") + b;
}

Block headerBlock(const Content& content, int width) {
    Block block;
    addWrapped(block, Style::kPlain, 0, content.date, width);
    if (!content.pharmacy.empty()) addWrapped(block, Style::kBold, 0, content.pharmacy, width);
    if (!content.telephone.empty())
        addWrapped(block, Style::kPlain, 0, "TEL " + content.telephone, width);
    addWrapped(block, Style::kBold, 0, content.patient + cp932("　様"), width);
    block.push_back({Style::kRule, 0, {}});
    return block;
}

Block drugBlock(const Drug& drug, int width) {
    Block block;
    addWrapped(block, Style::kBold, 0, drug.name, width);
    if (const std::string dose = joined(drug.amount, drug.days); !dose.empty())
        addWrapped(block, Style::kPlain, kDrugIndent, dose, width);
    if (!drug.usage.empty()) addWrapped(block, Style::kPlain, kDrugIndent, drug.usage, width);
    return block;
}

Block prescriberBlock(const Content& content, int width) {
    Block block;
    if (content.prescriber.empty()) return block;
    block.push_back({Style::kRule, 0, {}});
    addWrapped(block, Style::kPlain, 0, cp932("処方医：") + content.prescriber, width);
    return block;
}

}  // namespace

int widthOf(int stored) {
    return std::ranges::find(kWidths, stored) != std::end(kWidths) ? stored : kDefaultWidth;
}

int lineBytes(int width) {
    return (width * 10 - 2 * kMargin) / kHalfWidthAdvance;
}

std::string dateText(int year, int month, int day) {
    return cp932(
        (std::to_string(year) + "年" + std::to_string(month) + "月" + std::to_string(day) + "日")
            .c_str());
}

Content contentOf(const leaflet::LeafletHeader& header, std::span<const DrugRecord> entries,
                  const std::string& telephone, const std::string& date) {
    Content content{date,
                    header.pharmacy.name.empty() ? header.pharmacyName : header.pharmacy.name,
                    telephone,
                    header.patientName,
                    header.prescriber,
                    {}};
    for (const DrugRecord& entry : entries)
        content.drugs.push_back({std::string(leaflet::field(entry.PRODUCTNAME)),
                                 std::string(leaflet::amountText(entry)),
                                 std::string(leaflet::usageText(entry)),
                                 std::string(leaflet::daysText(entry))});
    return content;
}

std::vector<Label> layoutLabels(const Content& content, int width) {
    const int bytes = lineBytes(width);
    std::vector<Block> blocks{headerBlock(content, bytes)};
    for (const Drug& drug : content.drugs) blocks.push_back(drugBlock(drug, bytes));
    blocks.push_back(prescriberBlock(content, bytes));

    // A continued label opens with the mark and the patient, so it is known on its own.
    Block opening{{Style::kMark, 0, cp932("（続き）")}};
    addWrapped(opening, Style::kBold, 0, content.patient + cp932("　様"), bytes);
    // One line of every label is kept for the mark that says another label follows.
    const std::size_t room = kMaxLabelLines - 1;

    std::vector<Label> labels(1);
    std::size_t openingSize = 0;
    const auto nextLabel = [&] {
        labels.back().lines.push_back({Style::kMark, 0, cp932("（次のシールに続く）")});
        labels.push_back({opening});
        openingSize = opening.size();
    };
    for (const Block& block : blocks) {
        std::vector<Line>& lines = labels.back().lines;
        // A drug moves whole to the next label when it fits there but not here.
        if (lines.size() > openingSize && lines.size() + block.size() > room &&
            opening.size() + block.size() <= room)
            nextLabel();
        for (const Line& line : block) {
            if (labels.back().lines.size() >= room) nextLabel();
            labels.back().lines.push_back(line);
        }
    }
    return labels;
}

int labelHeight(const Label& label) {
    return 2 * kMargin + static_cast<int>(label.lines.size()) * kLinePitch;
}

}  // namespace sticker
