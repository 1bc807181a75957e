#include "sample_pictures.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <random>

namespace samplephotos {
namespace {

constexpr int kCaptionTop = 250;

QFont gothic(int pixels, bool bold = false) {
    QFont f(QStringLiteral("IPAGothic"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

// The table the drug lies on, the sample mark and the caption with the product name.
void drawFrame(QPainter& p, const SampleDrug& drug) {
    QLinearGradient table(0, 0, 0, kCaptionTop);
    table.setColorAt(0, QColor(214, 222, 230));
    table.setColorAt(1, QColor(176, 188, 200));
    p.fillRect(0, 0, kPictureWidth, kCaptionTop, table);
    p.fillRect(0, kCaptionTop, kPictureWidth, kPictureHeight - kCaptionTop, QColor(40, 52, 70));
    p.setPen(Qt::white);
    // The largest size at which the whole name fits, eliding only what even 14 pixels cannot.
    int size = 22;
    while (size > 14 &&
           QFontMetrics(gothic(size)).horizontalAdvance(drug.name) > kPictureWidth - 20)
        --size;
    p.setFont(gothic(size));
    const QString name =
        QFontMetrics(p.font()).elidedText(drug.name, Qt::ElideRight, kPictureWidth - 20);
    p.drawText(QRect(10, kCaptionTop, kPictureWidth - 20, 50), Qt::AlignCenter, name);

    p.setFont(gothic(15, true));
    const QRect badge(8, 8, 118, 26);
    p.setPen(QPen(QColor(200, 30, 30), 2));
    p.setBrush(QColor(255, 255, 255, 210));
    p.drawRoundedRect(badge, 5, 5);
    p.setPen(QColor(200, 30, 30));
    p.drawText(badge, Qt::AlignCenter, QString::fromUtf8("見本 SAMPLE"));
}

void shadow(QPainter& p, const QRectF& under) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 45));
    p.drawEllipse(under.translated(6, 10));
}

QRadialGradient lit(const QPointF& centre, qreal radius, const QColor& colour) {
    QRadialGradient g(centre - QPointF(radius / 3, radius / 3), radius * 1.4);
    g.setColorAt(0, colour.lighter(112));
    g.setColorAt(1, colour.darker(118));
    return g;
}

void tablet(QPainter& p, const QRectF& r, const SampleDrug& drug, bool showImprint) {
    shadow(p, r);
    const QColor c = firstColour(drug.colour);
    p.setPen(QPen(c.darker(140), 2));
    p.setBrush(lit(r.center(), r.width() / 2, c));
    p.drawEllipse(r);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c.darker(115), 1.5));
    p.drawEllipse(r.adjusted(8, 8, -8, -8));
    p.setPen(QColor(90, 90, 100));
    if (showImprint && !drug.imprint.isEmpty()) {
        p.setFont(gothic(static_cast<int>(r.height() / 5), true));
        p.drawText(r, Qt::AlignCenter, drug.imprint);
    } else if (drug.scored) {
        p.setPen(QPen(c.darker(150), 3));
        p.drawLine(QPointF(r.left() + 10, r.center().y()), QPointF(r.right() - 10, r.center().y()));
    }
}

void capsule(QPainter& p, const QPointF& centre, qreal angle, qreal length, const SampleDrug& d) {
    p.save();
    p.translate(centre);
    p.rotate(angle);
    const qreal h = length * 0.36;
    shadow(p, QRectF(-length / 2, -h / 2, length, h));
    const QRectF body(-length / 2, -h / 2, length, h);
    QPainterPath whole;
    whole.addRoundedRect(body, h / 2, h / 2);
    p.setPen(QPen(QColor(80, 80, 80), 1.5));
    p.setClipPath(whole);
    p.fillRect(QRectF(body.left(), body.top(), length / 2, h),
               lit(QPointF(-length / 4, 0), h, firstColour(d.colour)));
    p.fillRect(QRectF(0, body.top(), length / 2, h),
               lit(QPointF(length / 4, 0), h, secondColour(d.colour)));
    p.setClipping(false);
    p.setBrush(Qt::NoBrush);
    p.drawPath(whole);
    p.drawLine(QPointF(0, body.top()), QPointF(0, body.bottom()));
    p.restore();
}

void sachet(QPainter& p, const QRectF& r, const SampleDrug& d) {
    shadow(p, r);
    QPainterPath paper;
    const int teeth = 18;
    paper.moveTo(r.topLeft());
    for (int i = 1; i <= teeth; ++i)
        paper.lineTo(r.left() + r.width() * i / teeth, r.top() + (i % 2 ? 6 : 0));
    paper.lineTo(r.bottomRight());
    for (int i = teeth - 1; i >= 0; --i)
        paper.lineTo(r.left() + r.width() * i / teeth, r.bottom() - (i % 2 ? 6 : 0));
    paper.closeSubpath();
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.setBrush(QColor(250, 250, 247));
    p.drawPath(paper);
    const QRectF window = r.adjusted(30, 40, -30, -20);
    p.setBrush(QColor(235, 240, 245));
    p.drawRoundedRect(window, 8, 8);
    // Granules settled in the lower part of the window.
    const QColor grain = firstColour(d.colour).darker(108);
    std::mt19937 rng(static_cast<unsigned>(qHash(d.name)));
    std::uniform_real_distribution<qreal> across(window.left() + 6, window.right() - 6);
    std::uniform_real_distribution<qreal> down(window.center().y(), window.bottom() - 5);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 420; ++i) {
        p.setBrush(i % 3 ? grain : grain.darker(125));
        p.drawEllipse(QPointF(across(rng), down(rng)), 2.2, 2.2);
    }
    p.setPen(QColor(60, 70, 90));
    p.setFont(gothic(14));
    p.drawText(r.adjusted(10, 12, -10, 0), Qt::AlignHCenter | Qt::AlignTop, d.form);
}

void bottle(QPainter& p, const QRectF& r, const SampleDrug& d) {
    shadow(p, QRectF(r.left(), r.bottom() - 30, r.width(), 40));
    QLinearGradient glass(r.topLeft(), r.topRight());
    glass.setColorAt(0, QColor(150, 85, 30));
    glass.setColorAt(0.35, QColor(200, 130, 60));
    glass.setColorAt(1, QColor(110, 60, 20));
    p.setPen(QPen(QColor(90, 50, 20), 1.5));
    p.setBrush(glass);
    const QRectF body = r.adjusted(0, 45, 0, 0);
    p.drawRoundedRect(body, 18, 18);
    p.drawRect(QRectF(r.center().x() - 22, r.top() + 25, 44, 26));
    p.setBrush(QColor(245, 245, 245));
    p.drawRoundedRect(QRectF(r.center().x() - 30, r.top(), 60, 30), 4, 4);
    const QRectF label = body.adjusted(12, 35, -12, -35);
    p.setBrush(QColor(252, 252, 248));
    p.drawRect(label);
    p.setBrush(firstColour(d.colour).darker(105));
    p.drawRect(QRectF(label.left(), label.top(), label.width(), 12));
    p.setPen(QColor(50, 50, 60));
    p.setFont(gothic(15, true));
    p.drawText(label.adjusted(4, 14, -4, 0), Qt::AlignCenter | Qt::TextWordWrap, d.form);
}

void tube(QPainter& p, const QRectF& r, const SampleDrug& d) {
    shadow(p, r);
    QPainterPath body;
    body.moveTo(r.left() + 40, r.top() + 8);
    body.lineTo(r.right() - 20, r.top());
    body.lineTo(r.right(), r.top());
    body.lineTo(r.right(), r.bottom());
    body.lineTo(r.right() - 20, r.bottom());
    body.lineTo(r.left() + 40, r.bottom() - 8);
    body.closeSubpath();
    QLinearGradient metal(r.topLeft(), r.bottomLeft());
    metal.setColorAt(0, QColor(250, 250, 250));
    metal.setColorAt(0.5, QColor(225, 228, 232));
    metal.setColorAt(1, QColor(185, 190, 198));
    p.setPen(QPen(QColor(120, 120, 130), 1.5));
    p.setBrush(metal);
    p.drawPath(body);
    for (int i = 0; i < 6; ++i)
        p.drawLine(QPointF(r.right() - 3 - i * 3, r.top() + 2),
                   QPointF(r.right() - 3 - i * 3, r.bottom() - 2));
    p.setBrush(firstColour(d.colour).darker(120));
    p.drawRect(QRectF(r.left() + 70, r.top() + 10, 110, r.height() - 20));
    p.setBrush(QColor(60, 110, 170));
    p.drawRoundedRect(QRectF(r.left(), r.center().y() - 18, 42, 36), 5, 5);
    p.setPen(QColor(40, 40, 50));
    p.setFont(gothic(16, true));
    p.drawText(QRectF(r.left() + 70, r.top(), 110, r.height()), Qt::AlignCenter, d.form);
}

void patch(QPainter& p, const QRectF& r, const SampleDrug& d) {
    shadow(p, r);
    p.setPen(QPen(QColor(170, 160, 140), 1.5));
    p.setBrush(QColor(238, 226, 205));
    p.drawRoundedRect(r, 14, 14);
    p.setPen(QPen(QColor(200, 190, 170), 1, Qt::DashLine));
    p.drawRoundedRect(r.adjusted(10, 10, -10, -10), 8, 8);
    QPainterPath corner;  // the liner, peeled back at one corner
    corner.moveTo(r.right() - 45, r.bottom());
    corner.lineTo(r.right(), r.bottom() - 45);
    corner.lineTo(r.right() - 10, r.bottom() - 10);
    corner.closeSubpath();
    p.setPen(QPen(QColor(150, 150, 160), 1));
    p.setBrush(QColor(250, 250, 255));
    p.drawPath(corner);
    p.setPen(QColor(120, 100, 80));
    p.setFont(gothic(16, true));
    p.drawText(r, Qt::AlignCenter, d.form);
}

void suppository(QPainter& p, const QPointF& base, const SampleDrug& d) {
    QPainterPath bullet;
    bullet.moveTo(base.x() - 22, base.y());
    bullet.lineTo(base.x() - 22, base.y() - 90);
    bullet.cubicTo(base.x() - 22, base.y() - 140, base.x() + 22, base.y() - 140, base.x() + 22,
                   base.y() - 90);
    bullet.lineTo(base.x() + 22, base.y());
    bullet.closeSubpath();
    shadow(p, QRectF(base.x() - 26, base.y() - 12, 52, 20));
    p.setPen(QPen(firstColour(d.colour).darker(140), 1.5));
    p.setBrush(lit(QPointF(base.x(), base.y() - 70), 60, firstColour(d.colour)));
    p.drawPath(bullet);
}

void inhaler(QPainter& p, const QPointF& centre, const SampleDrug& d) {
    const QRectF disc(centre.x() - 85, centre.y() - 85, 170, 170);
    shadow(p, disc);
    p.setPen(QPen(QColor(90, 90, 110), 2));
    p.setBrush(lit(centre, 85, QColor(120, 150, 200)));
    p.drawRoundedRect(QRectF(centre.x() - 30, centre.y() + 60, 60, 40), 8, 8);
    p.drawEllipse(disc);
    p.setBrush(lit(centre, 45, firstColour(d.colour)));
    p.drawEllipse(centre, 45, 45);
}

}  // namespace

QImage drugPicture(const SampleDrug& drug) {
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawFrame(p, drug);
    switch (shapeOf(drug.form)) {
        case Shape::Tablet:
            tablet(p, QRectF(60, 70, 120, 120), drug, true);
            tablet(p, QRectF(220, 70, 120, 120), drug, false);
            break;
        case Shape::OvalTablet:
            tablet(p, QRectF(40, 85, 150, 90), drug, true);
            tablet(p, QRectF(210, 85, 150, 90), drug, false);
            break;
        case Shape::Lozenge:
            tablet(p, QRectF(120, 45, 160, 160), drug, true);
            break;
        case Shape::Capsule:
            capsule(p, QPointF(140, 110), -20, 170, drug);
            capsule(p, QPointF(270, 160), 15, 170, drug);
            break;
        case Shape::Sachet:
            sachet(p, QRectF(90, 45, 220, 180), drug);
            break;
        case Shape::Bottle:
            bottle(p, QRectF(140, 20, 120, 215), drug);
            break;
        case Shape::Tube:
            tube(p, QRectF(60, 100, 290, 70), drug);
            break;
        case Shape::Patch:
            patch(p, QRectF(110, 45, 180, 180), drug);
            break;
        case Shape::Suppository:
            suppository(p, QPointF(160, 215), drug);
            suppository(p, QPointF(240, 215), drug);
            break;
        case Shape::Inhaler:
            inhaler(p, QPointF(200, 120), drug);
            break;
    }
    return image;
}

QImage packagePicture(const SampleDrug& drug) {
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawFrame(p, drug);
    const Shape shape = shapeOf(drug.form);
    const bool blister = shape == Shape::Tablet || shape == Shape::OvalTablet ||
                         shape == Shape::Lozenge || shape == Shape::Capsule;
    if (blister) {
        // A press-through sheet of 2 x 5 pockets.
        const QRectF sheet(40, 50, 320, 180);
        shadow(p, sheet);
        QLinearGradient foil(sheet.topLeft(), sheet.bottomRight());
        foil.setColorAt(0, QColor(235, 238, 242));
        foil.setColorAt(1, QColor(185, 190, 198));
        p.setPen(QPen(QColor(140, 145, 150), 1.5));
        p.setBrush(foil);
        p.drawRoundedRect(sheet, 10, 10);
        p.setPen(QColor(60, 80, 120));
        p.setFont(gothic(13));
        p.drawText(sheet.adjusted(10, 4, -10, 0), Qt::AlignHCenter | Qt::AlignTop,
                   QFontMetrics(p.font()).elidedText(drug.name, Qt::ElideRight, 300));
        for (int row = 0; row < 2; ++row)
            for (int col = 0; col < 5; ++col) {
                const QPointF c(80 + col * 60, 110 + row * 75);
                if (shape == Shape::Capsule) {
                    capsule(p, c, 90, 58, drug);
                } else {
                    tablet(p, QRectF(c.x() - 23, c.y() - 23, 46, 46), drug, false);
                }
            }
    } else {
        // A carton.
        const QRectF front(95, 60, 210, 160);
        shadow(p, front);
        p.setPen(QPen(QColor(120, 120, 130), 1.5));
        QPolygonF top({front.topLeft(), front.topLeft() + QPointF(30, -25),
                       front.topRight() + QPointF(30, -25), front.topRight()});
        QPolygonF side({front.topRight(), front.topRight() + QPointF(30, -25),
                        front.bottomRight() + QPointF(30, -25), front.bottomRight()});
        p.setBrush(QColor(235, 235, 238));
        p.drawPolygon(top);
        p.setBrush(QColor(205, 207, 212));
        p.drawPolygon(side);
        p.setBrush(QColor(250, 250, 250));
        p.drawRect(front);
        p.setBrush(firstColour(drug.colour).darker(125));
        p.drawRect(QRectF(front.left(), front.top() + 20, front.width(), 26));
        p.setPen(QColor(40, 40, 60));
        p.setFont(gothic(15, true));
        p.drawText(front.adjusted(10, 55, -10, -10), Qt::AlignCenter | Qt::TextWordWrap, drug.name);
    }
    return image;
}

}  // namespace samplephotos
