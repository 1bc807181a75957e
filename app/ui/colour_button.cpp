#include "ui/colour_button.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <initializer_list>
#include <utility>

namespace ui {
namespace {

struct ColourGroup {
    QColor fill;
    std::initializer_list<int> ids;
};

const ColourGroup kGroups[] = {
    {QColor(230, 230, 180), {1, 101, 1005, 1011, 1109, 1207, 40020}},
    {QColor(190, 220, 190),
     {2, 105, 1010, 1012, 1052, 1128, 1133, 1137, 1189, 40017, 40018, 40019}},
    {QColor(224, 210, 193), {900, 1014, 1016}},
    {QColor(190, 190, 220), {902, 1199, 1200}},
    {QColor(180, 220, 210),
     {1006, 1008, 1009, 1013, 1088, 1106, 1107, 1108, 1134, 1184, 1185, 1186, 1187, 1188, 1197,
      40023, 40024, 40025, 40026}},
    {QColor(220, 180, 200), {1091}},
};

// Lines along the edges of `r`: `topLeft` on top and left, `bottomRight` on bottom and right,
// and `inner` one pixel inside the bottom and right (or top and left when pressed).
void drawEdge(QPainter& p, const QRect& r, bool pressed) {
    const QColor light = Qt::white, dark = Qt::black, grey(128, 128, 128);
    p.setPen(pressed ? dark : light);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(pressed ? light : dark);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(grey);
    if (pressed) {
        p.drawLine(r.left() + 1, r.top() + 1, r.right() - 1, r.top() + 1);
        p.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 1);
    } else {
        p.drawLine(r.left() + 1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
        p.drawLine(r.right() - 1, r.top() + 1, r.right() - 1, r.bottom() - 1);
    }
}

}  // namespace

std::optional<QColor> buttonFill(int controlId) {
    for (const ColourGroup& g : kGroups)
        for (int id : g.ids)
            if (id == controlId) return g.fill;
    return std::nullopt;
}

ColourButton::ColourButton(int controlId, const QString& text, QWidget* parent)
    : QPushButton(text, parent), controlId_(controlId) {}

void ColourButton::paintEvent(QPaintEvent* event) {
    const auto fill = buttonFill(controlId_);
    if (!fill) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter p(this);
    QRect r = rect().adjusted(0, 0, -1, -1);
    p.fillRect(rect(), *fill);
    drawEdge(p, r, false);
    const QRect focusRect = rect().adjusted(4, 4, -4, -4);
    if (hasFocus()) {
        p.setPen(Qt::black);
        p.drawRect(r);
        r.adjust(1, 1, -1, -1);
    }
    QRect textRect = rect();
    if (isDown()) {
        drawEdge(p, r, true);
        textRect.translate(1, 1);
    } else {
        drawEdge(p, r, false);
    }
    if (hasFocus()) {
        QPen dotted(Qt::black);
        dotted.setStyle(Qt::DotLine);
        p.setPen(dotted);
        p.drawRect(focusRect.adjusted(0, 0, -1, -1));
    }
    p.setPen(isEnabled() ? palette().color(QPalette::ButtonText)
                         : palette().color(QPalette::Disabled, QPalette::ButtonText));
    p.drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine, text());
}

}  // namespace ui
