#include "sticker/sticker_painter.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include "page/page_fonts.h"
#include "preview/print_target.h"
#include "sjis/sjis.h"

namespace sticker {
namespace {

constexpr int kPdfResolution = 600;
constexpr int kRuleWidth = 3;

QPageLayout labelLayout(const Label& label, int width) {
    const QSizeF size(width, labelHeight(label) / 10.0);
    return QPageLayout(QPageSize(size, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                       QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter);
}

}  // namespace

void drawLabel(QPainter& painter, const Label& label, int width) {
    const QFont plain = leaflet::pageFont(leaflet::Face::kGothic, kTextHeight, 400);
    const QFont bold = leaflet::pageFont(leaflet::Face::kGothic, kTextHeight, 700);
    painter.save();
    painter.setPen(Qt::black);
    int top = kMargin;
    for (const Line& line : label.lines) {
        if (line.style == Style::kRule) {
            const int y = top + kLinePitch / 2;
            painter.fillRect(kMargin, y - kRuleWidth / 2, width * 10 - 2 * kMargin, kRuleWidth,
                             Qt::black);
        } else {
            painter.setFont(line.style == Style::kBold ? bold : plain);
            const QRect cell(kMargin + line.indent * kHalfWidthAdvance, top,
                             width * 10 - 2 * kMargin, kLinePitch);
            painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                             QString::fromStdString(sjis::toUtf8(line.text)));
        }
        top += kLinePitch;
    }
    painter.restore();
}

bool paintLabels(QPagedPaintDevice& device, const std::vector<Label>& labels, int width) {
    if (labels.empty()) return false;
    device.setPageLayout(labelLayout(labels.front(), width));
    QPainter painter;
    if (!painter.begin(&device)) return false;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        // The page size of the next page is set before it is begun. A printer driver that
        // refuses a size prints the label on the size it has, from the top-left corner.
        if (i > 0) {
            device.setPageLayout(labelLayout(labels[i], width));
            if (!device.newPage()) return false;
        }
        painter.resetTransform();
        // The roll's width across the page, the same scale down it.
        const int height = labelHeight(labels[i]);
        painter.setViewport(0, 0, device.width(), device.width() * height / (width * 10));
        painter.setWindow(0, 0, width * 10, height);
        drawLabel(painter, labels[i], width);
    }
    return painter.end();
}

bool writeStickerPdf(const QString& path, const std::vector<Label>& labels, int width) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    QPdfWriter writer(&file);
    writer.setResolution(kPdfResolution);
    writer.setTitle(QString::fromUtf8(kStickerJobName));
    // Unless committed, the temporary file is removed and `path` stays as it was.
    return paintLabels(writer, labels, width) && file.commit();
}

bool printSticker(leaflet::PrintTarget& target, const std::vector<Label>& labels, int width) {
    QPagedPaintDevice* device = target.beginJob(QString::fromUtf8(kStickerJobName));
    if (!device) return false;
    const bool painted = paintLabels(*device, labels, width);
    return target.endJob() && painted;
}

}  // namespace sticker
