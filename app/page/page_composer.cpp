#include "page/page_composer.h"

#include <QPainter>
#include <string>

#include "era/era.h"
#include "leaflet/comment_lines.h"
#include "leaflet/line_breaking.h"
#include "leaflet/note_lines.h"
#include "leaflet/page_geometry.h"
#include "leaflet/pictogram_rules.h"
#include "leaflet/print_entry.h"
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

// Columns (layout units).
constexpr int kLeft = kRowsLeft;
constexpr int kRight = kRowsRight;
constexpr int kTimingGridLeft = 752;
constexpr int kTimingCellWidth = 124;
constexpr int kTimingGridRight = 1372;
constexpr int kCautionLeft = 2075;
constexpr int kTextLineStep = 56;
constexpr int kLabelRowHeight = 72;    // timing labels from P to P + 72
constexpr int kAmountRowBottom = 216;  // amounts from P + 72 to P + 216
constexpr int kHeaderRuleWidth = 4;
constexpr int kRowRuleWidth = 1;
// A pictogram: its picture's side, centred in a timing cell, and its caption below it.
constexpr int kPictogramSide = 88;
constexpr int kCaptionTop = 94;
constexpr int kPictogramStripStep = kPictogramStripLines * kLineStep;

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

// Draws `lines` one below the other from (x, y).
template <class Line>
void drawLines(PageInk& ink, int x, int y, const TextStyle& style, const std::vector<Line>& lines) {
    for (std::size_t k = 0; k < lines.size(); ++k) {
        ink.text(x, y + kTextLineStep * static_cast<int>(k), style, std::string_view(lines[k]));
    }
}

void drawTimingAmount(PageInk& ink, int column, int y, int amount) {
    if (amount >= kHalfBase) {
        ink.text(column + 11, y, kHalfAmount, QString::number(amount - kHalfBase) + ".5");
    } else if (amount >= 10) {
        ink.text(column + 20, y, kTwoDigitAmount, QString::number(amount));
    } else {
        ink.text(column + 40, y, kWholeAmount, QString::number(amount));
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
    ink.text(318, headY, kColumnHead, utf8("薬の名前"));
    ink.text(1010, headY, kColumnHead, utf8("用法"));
    ink.text(1618, headY, kColumnHead, utf8("薬の効能"));
    ink.text(2326, headY, kColumnHead, utf8("注意事項"));
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

    const std::string_view name = field(entry.PRODUCTNAME);
    drawLines(ink, 105, top + 11, kProductName, cutLines(name, kNameLineBytes));
    const int nameLines = countLines(name, kNameLineBytes);

    if (entry.photoFlag == 1 && index < static_cast<int>(photos_.size())) {
        ink.image(QRect(130, (top + 128 + 30 * (nameLines - 1)) / 2, 168, 126), photos_[index]);
    }

    for (int c = 0; c < kTimingCount; ++c) {
        if (dosage.timings[c] != 0) {
            drawTimingAmount(ink, kTimingGridLeft + kTimingCellWidth * c, top + 90,
                             dosage.timings[c]);
        }
    }
    ink.text(770, top + 6, kTimingLabel, utf8("起床"));
    ink.text(914, top + 6, kTimingLabel, utf8("朝"));
    ink.text(1038, top + 6, kTimingLabel, utf8("昼"));
    ink.text(1162, top + 6, kTimingLabel, utf8("夕"));
    ink.text(1264, top + 6, kTimingLabel, utf8("寝前"));

    const auto usage = cutLines(usageText(entry), kUsageLineBytes);
    const int usageLines = static_cast<int>(usage.size());
    drawLines(ink, 772, top + 233, kDosageText, usage);
    ink.text(772, top + 242 + kTextLineStep * usageLines, kDosageText, amountText(entry));
    ink.text(772, top + 306 + kTextLineStep * usageLines, kDosageText, daysText(entry));
    if (header_.pictograms) drawPictograms(ink, entry, top + 368 + kTextLineStep * usageLines);
    drawLines(ink, 1400, top + 14, kEfficacy, noteLines(efficacyText(entry)));
    drawLines(ink, 2099, top + 14, kCaution, noteLines(cautionText(entry)));

    const int bottom = rowBottom(top, drawnRowLines(entry, rowStyle(header_)));
    const int ruleTop = top - kRowGap;
    for (const int x : {kTimingGridLeft, kCautionLeft, kTimingGridRight}) {
        ink.line(x, ruleTop, x, bottom, kRowRuleWidth);
    }
    for (int c = 1; c < kTimingCount; ++c) {
        const int x = kTimingGridLeft + kTimingCellWidth * c;
        ink.line(x, ruleTop, x, ruleTop + kAmountRowBottom, kRowRuleWidth);
    }
    ink.line(kTimingGridLeft, ruleTop + kLabelRowHeight, kTimingGridRight,
             ruleTop + kLabelRowHeight, kRowRuleWidth);
    ink.line(kTimingGridLeft, ruleTop + kAmountRowBottom, kTimingGridRight,
             ruleTop + kAmountRowBottom, kRowRuleWidth);
    ink.line(kLeft, bottom, kRight, bottom, kRowRuleWidth);
    return bottom;
}

void PageComposer::drawPictograms(PageInk& ink, const DrugRecord& entry, int top) const {
    const std::vector<Pictogram> chosen = pictogramsOf(entry);
    for (std::size_t k = 0; k < chosen.size(); ++k) {
        const int cell = static_cast<int>(k) % kPictogramsPerStrip;
        const int y = top + kPictogramStripStep * (static_cast<int>(k) / kPictogramsPerStrip);
        const int centre = kTimingGridLeft + kTimingCellWidth * cell + kTimingCellWidth / 2;
        ink.image(
            QRect((centre - kPictogramSide / 2) / 2, y / 2, kPictogramSide / 2, kPictogramSide / 2),
            pictograms_.picture(chosen[k]));
        // Full-width captions: each character as wide as the caption is high.
        const QString caption = QString::fromUtf8(pictogramCaption(chosen[k]).data(),
                                                  pictogramCaption(chosen[k]).size());
        ink.text(centre - kPictogramCaption.height * static_cast<int>(caption.size()),
                 y + kCaptionTop, kPictogramCaption, caption);
    }
}

}  // namespace leaflet
