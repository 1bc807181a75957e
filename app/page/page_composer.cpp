#include "page/page_composer.h"

#include <QPainter>
#include <array>
#include <string>

#include "era/era.h"
#include "leaflet/comment_lines.h"
#include "leaflet/line_breaking.h"
#include "leaflet/note_lines.h"
#include "leaflet/page_geometry.h"
#include "leaflet/pictogram_rules.h"
#include "leaflet/print_entry.h"
#include "page/generic_note.h"
#include "page/page_codes.h"
#include "page/page_ink.h"
#include "sjis/sjis.h"

namespace leaflet {

namespace {

// Styles of the page's texts.
const TextStyle kTitle{Face::kGothic, 34, 400};
const TextStyle kPatientId{Face::kMincho, 26, 400};
const TextStyle kHeaderLabel{Face::kMincho, 25, 700};
const TextStyle kHeaderValue{Face::kMincho, 25, 400};
const TextStyle kComment{Face::kMincho, 26, 400};
const TextStyle kDate{Face::kGothic, 27, 1};
const TextStyle kPageNumber{Face::kGothic, 24, 1};
const TextStyle kColumnHead{Face::kGothic, 25, 400};
const TextStyle kProductName{Face::kGothic, 24, 400, QColor(64, 97, 164)};
const TextStyle kWholeAmount{Face::kGothic, 46, 700};
const TextStyle kTwoDigitAmount{Face::kGothic, 42, 700};
const TextStyle kHalfAmount{Face::kGothic, 35, 400};
const TextStyle kTimingLabel{Face::kGothic, 23, 400};
const TextStyle kDosageText{Face::kGothic, 23, 400, QColor(168, 60, 80)};
const TextStyle kEfficacy{Face::kGothic, 23, 400, QColor(0, 94, 0)};
const TextStyle kCaution{Face::kGothic, 23, 400, QColor(167, 54, 74)};
const TextStyle kPictogramCaption{Face::kGothic, 18, 400};
const TextStyle kGenericNote{Face::kGothic, 20, 400};

constexpr int kLeft = kRowsLeft;
constexpr int kRight = kRowsRight;
constexpr int kTextLineStep = 56;
constexpr int kLabelRowHeight = 72;    // timing labels from P to P + 72
constexpr int kAmountRowBottom = 216;  // amounts from P + 72 to P + 216
constexpr int kHeaderRuleWidth = 4;
constexpr int kRowRuleWidth = 1;
// A pictogram: its picture's side, centred in a timing cell, and its caption below it.
constexpr int kPictogramSide = 88;
constexpr int kCaptionTop = 94;
constexpr int kGenericNoteStep = 44;

// The columns of the rows (layout units) and where the texts sit in them, for each size of
// the page. Large print widens the timing grid for its larger amounts and labels; the other
// columns share the rest.
struct Columns {
    int timingGridLeft;
    int timingCellWidth;
    int efficacyLeft;  // the timing grid's right
    int cautionLeft;
    int photoLeft;                         // logical units
    std::array<int, 4> heads;              // the column heads' x
    std::array<int, kTimingCount> labels;  // the timing labels' x in their cells
    std::array<int, 3> amounts;            // a whole, two-digit, half amount's x in its cell
};

constexpr Columns kNormalColumns{
    752, 124, 1372, 2075, 130, {318, 1010, 1618, 2326}, {18, 38, 38, 38, 16}, {40, 20, 11}};
constexpr Columns kLargeColumns{
    700, 150, 1450, 2115, 78, {290, 1025, 1682, 2347}, {11, 43, 43, 43, 11}, {44, 17, 3}};

const Columns& columnsOf(const LeafletHeader& header) {
    return header.largePrint ? kLargeColumns : kNormalColumns;
}

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

// A row's length or text style at the size of the page.
struct Scale {
    int percent;

    int operator()(int length) const { return length * percent / 100; }
    TextStyle operator()(TextStyle style) const {
        style.height = style.height * percent / 100;
        return style;
    }
};

// Draws `lines` one below the other from (x, y), `step` apart.
template <class Line>
void drawLines(PageInk& ink, int x, int y, int step, const TextStyle& style,
               const std::vector<Line>& lines) {
    for (std::size_t k = 0; k < lines.size(); ++k) {
        ink.text(x, y + step * static_cast<int>(k), style, std::string_view(lines[k]));
    }
}

void drawTimingAmount(PageInk& ink, const Columns& columns, Scale s, int column, int y,
                      int amount) {
    if (amount >= kHalfBase) {
        ink.text(column + columns.amounts[2], y, s(kHalfAmount),
                 QString::number(amount - kHalfBase) + ".5");
    } else if (amount >= 10) {
        ink.text(column + columns.amounts[1], y, s(kTwoDigitAmount), QString::number(amount));
    } else {
        ink.text(column + columns.amounts[0], y, s(kWholeAmount), QString::number(amount));
    }
}

}  // namespace

QImage newPageImage() {
    QImage image(kPageImageWidth, kPageImageHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

PageComposer::PageComposer(const LeafletHeader& header, std::span<const DrugRecord> entries,
                           std::span<const QImage> photos, const PageTable& table, QDate date,
                           std::span<const ehandbook::QrSymbol> codes)
    : header_(header),
      entries_(entries),
      photos_(photos),
      table_(table),
      date_(date),
      codes_(codes),
      pictograms_(header.pictograms ? PictogramPictures(header.colour) : PictogramPictures()) {}

void PageComposer::renderPage(QImage& image, int page) const {
    QPainter painter(&image);
    drawPage(painter, page);
}

void PageComposer::drawPage(QPainter& painter, int page) const {
    painter.fillRect(QRect(0, 0, 1454, 2090), Qt::white);
    PageInk ink(painter, header_.colour);
    const int headerBottom = leaflet::headerBottom(header_);
    drawHeader(ink, page, headerBottom);
    if (page < 0 || page >= kMaxPages) return;
    const Page& layout = table_.pages[page];
    int top = headerBottom + kRowGap;
    for (int i = 0; i < layout.entryCount; ++i) {
        const int entry = layout.firstEntry + i;
        if (entry < 0 || entry >= static_cast<int>(entries_.size())) break;
        top = drawRow(ink, entry, top) + kRowGap;
    }
    for (const CodeBlock& block : table_.codeBlocks)
        if (block.page == page) drawCodeBlock(ink, block, codes_);
}

void PageComposer::drawHeader(PageInk& ink, int page, int headerBottom) const {
    int titleBytes = 0;
    if (!header_.patientName.empty()) {
        const std::string title = header_.patientName + sjis::fromUtf8("　様のお薬の説明書です");
        titleBytes = static_cast<int>(title.size());
        ink.text(105, 50, kTitle, title);
        ink.line(kLeft, 126, 124 + 34 * titleBytes, 126, 0);
        ink.line(kLeft, 127, 124 + 34 * titleBytes, 127, 0);
    }
    if (!header_.patientId.empty()) {
        ink.text(
            179 + 34 * titleBytes, 60, kPatientId,
            utf8("（ID- ") + QString::fromStdString(sjis::toUtf8(header_.patientId)) + utf8("）"));
    }

    int y = header_.dispensingPharmacy ? 156 : 164;
    const auto headerLine = [&](const char* label, const std::string& value) {
        if (value.empty()) return;
        ink.text(kLeft, y, kHeaderLabel, utf8(label));
        ink.text(326, y, kHeaderValue, value);
        y += kHeaderLineStep;
    };
    headerLine("処方医", header_.prescriber);
    if (header_.dispensingPharmacy) {
        headerLine("薬局名", header_.pharmacyName);
        headerLine("薬剤師名", header_.pharmacist);
    }

    drawComment(ink);

    const QDate date = date_.isValid() ? date_ : QDate::currentDate();
    ink.text(2000, 57, kDate,
             QString::fromStdString(era::dateText({date.year(), date.month(), date.day()})));
    ink.text(2470, 60, kPageNumber,
             QString::number(page + 1) + " / " + QString::number(pageTotal()) + utf8(" ページ"));

    const int headY = headerBottom - 66;
    const std::array<int, 4>& heads = columnsOf(header_).heads;
    ink.text(heads[0], headY, kColumnHead, utf8("薬の名前"));
    ink.text(heads[1], headY, kColumnHead, utf8("用法"));
    ink.text(heads[2], headY, kColumnHead, utf8("薬の効能"));
    ink.text(heads[3], headY, kColumnHead, utf8("注意事項"));
    ink.line(kLeft, headerBottom - 79, kRight, headerBottom - 79, kHeaderRuleWidth);
    ink.line(kLeft, headerBottom, kRight, headerBottom, kHeaderRuleWidth);
}

void PageComposer::drawComment(PageInk& ink) const {
    int y = kCommentTop;
    for (const std::string_view line : commentLines(header_.comment)) {
        ink.text(kCommentLeft, y, kComment, line);
        y += kCommentLineStep;
    }
}

int PageComposer::drawRow(PageInk& ink, int index, int top) const {
    const DrugRecord& entry = entries_[index];
    const DosageSettings dosage = dosageOf(entry);
    const RowStyle style = rowStyle(header_);
    const RowMetrics& metrics = style.metrics();
    const TextWidths& widths = metrics.widths;
    const Columns& columns = columnsOf(header_);
    const Scale s{metrics.scale};
    const int step = s(kTextLineStep);

    const std::string_view name = field(entry.PRODUCTNAME);
    drawLines(ink, kLeft + s(25), top + s(11), step, s(kProductName),
              cutLines(name, widths.name, widths.maxLines));
    const int nameLines = countLines(name, widths.name, widths.maxLines);
    const int noteHeight =
        header_.genericInfo ? drawGenericNote(ink, index, top + s(11) + step * nameLines) : 0;

    if (entry.photoFlag == 1 && index < static_cast<int>(photos_.size())) {
        const int photoTop = top + s(128) + s(30) * (nameLines - 1) + noteHeight;
        ink.image(QRect(columns.photoLeft, photoTop / 2, s(168), s(126)), photos_[index]);
    }

    const int gridLeft = columns.timingGridLeft;
    static const std::array<QString, kTimingCount> labels{utf8("起床"), utf8("朝"), utf8("昼"),
                                                          utf8("夕"), utf8("寝前")};
    for (int c = 0; c < kTimingCount; ++c) {
        const int cell = gridLeft + columns.timingCellWidth * c;
        if (dosage.timings[c] != 0)
            drawTimingAmount(ink, columns, s, cell, top + s(90), dosage.timings[c]);
        ink.text(cell + columns.labels[c], top + s(6), s(kTimingLabel), labels[c]);
    }

    const auto usage = cutLines(usageText(entry), widths.usage, widths.maxLines);
    const int usageLines = static_cast<int>(usage.size());
    const int dosageLeft = gridLeft + s(20);
    drawLines(ink, dosageLeft, top + s(233), step, s(kDosageText), usage);
    ink.text(dosageLeft, top + s(242) + step * usageLines, s(kDosageText), amountText(entry));
    ink.text(dosageLeft, top + s(306) + step * usageLines, s(kDosageText), daysText(entry));
    if (header_.pictograms) drawPictograms(ink, entry, top + s(368) + step * usageLines);
    drawLines(ink, columns.efficacyLeft + s(28), top + s(14), step, s(kEfficacy),
              noteLines(efficacyText(entry), widths));
    drawLines(ink, columns.cautionLeft + s(24), top + s(14), step, s(kCaution),
              noteLines(cautionText(entry), widths));

    const int bottom = rowBottom(top, drawnRowLines(entry, style), metrics);
    const int ruleTop = top - kRowGap;
    for (const int x : {gridLeft, columns.cautionLeft, columns.efficacyLeft}) {
        ink.line(x, ruleTop, x, bottom, kRowRuleWidth);
    }
    for (int c = 1; c < kTimingCount; ++c) {
        const int x = gridLeft + columns.timingCellWidth * c;
        ink.line(x, ruleTop, x, ruleTop + s(kAmountRowBottom), kRowRuleWidth);
    }
    for (const int y : {ruleTop + s(kLabelRowHeight), ruleTop + s(kAmountRowBottom)})
        ink.line(gridLeft, y, columns.efficacyLeft, y, kRowRuleWidth);
    ink.line(kLeft, bottom, kRight, bottom, kRowRuleWidth);
    return bottom;
}

int PageComposer::drawGenericNote(PageInk& ink, int index, int top) const {
    if (index >= static_cast<int>(header_.genericFacts.size())) return 0;
    const Scale s{rowStyle(header_).metrics().scale};
    const std::vector<std::string> lines =
        genericNoteLines(header_.genericFacts[index], entries_[index]);
    drawLines(ink, kLeft + s(25), top, s(kGenericNoteStep), s(kGenericNote), lines);
    return s(kGenericNoteStep) * static_cast<int>(lines.size());
}

void PageComposer::drawPictograms(PageInk& ink, const DrugRecord& entry, int top) const {
    const Columns& columns = columnsOf(header_);
    const RowMetrics& metrics = rowStyle(header_).metrics();
    const Scale s{metrics.scale};
    const TextStyle captionStyle = s(kPictogramCaption);
    const int side = s(kPictogramSide);
    const std::vector<Pictogram> chosen = pictogramsOf(entry);
    for (std::size_t k = 0; k < chosen.size(); ++k) {
        const int cell = static_cast<int>(k) % kPictogramsPerStrip;
        const int y = top + kPictogramStripLines * metrics.lineStep *
                                (static_cast<int>(k) / kPictogramsPerStrip);
        const int centre =
            columns.timingGridLeft + columns.timingCellWidth * cell + columns.timingCellWidth / 2;
        ink.image(QRect((centre - side / 2) / 2, y / 2, side / 2, side / 2),
                  pictograms_.picture(chosen[k]));
        // Full-width captions: each character as wide as the caption is high.
        const QString caption = QString::fromUtf8(pictogramCaption(chosen[k]).data(),
                                                  pictogramCaption(chosen[k]).size());
        ink.text(centre - captionStyle.height * static_cast<int>(caption.size()),
                 y + s(kCaptionTop), captionStyle, caption);
    }
}

}  // namespace leaflet
