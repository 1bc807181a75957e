#include "page/page_ink.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include "sjis/sjis.h"

namespace leaflet {

namespace {

int logical(int layout) {
    return layout / 2;
}

}  // namespace

PageInk::PageInk(QPainter& painter, bool colour) : painter_(painter), colour_(colour) {
    painter_.setBackgroundMode(Qt::TransparentMode);
}

const PageInk::CachedFont& PageInk::font(const TextStyle& style) {
    for (const CachedFont& cached : fonts_) {
        if (cached.face == style.face && cached.height == style.height &&
            cached.weight == style.weight) {
            return cached;
        }
    }
    QFont f = pageFont(style.face, style.height, style.weight);
    const int ascent = QFontMetrics(f).ascent();
    fonts_.push_back({style.face, style.height, style.weight, f, ascent});
    return fonts_.back();
}

void PageInk::text(int x, int y, const TextStyle& style, const QString& text) {
    if (text.isEmpty()) return;
    const CachedFont& f = font(style);
    const bool coloured = style.face == Face::kMincho || colour_;
    painter_.setFont(f.font);
    painter_.setPen(coloured ? style.colour : QColor(Qt::black));
    painter_.drawText(QPoint(logical(x), logical(y) + f.ascent), text);
}

void PageInk::text(int x, int y, const TextStyle& style, std::string_view cp932) {
    text(x, y, style, QString::fromStdString(sjis::toUtf8(cp932)));
}

void PageInk::line(int x1, int y1, int x2, int y2, int width) {
    QPen pen(Qt::black, width, Qt::SolidLine, Qt::FlatCap);
    if (width == 0) pen.setCosmetic(true);
    painter_.setPen(pen);
    painter_.drawLine(logical(x1), logical(y1), logical(x2), logical(y2));
}

void PageInk::image(const QRect& logicalRect, const QImage& image) {
    painter_.save();
    painter_.setRenderHint(QPainter::SmoothPixmapTransform);
    painter_.drawImage(logicalRect, image);
    painter_.restore();
}

void PageInk::fill(const QPainterPath& logicalPath) {
    painter_.fillPath(logicalPath, Qt::black);
}

}  // namespace leaflet
