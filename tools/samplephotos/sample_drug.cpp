#include "sample_drug.h"

#include <QStringList>

namespace samplephotos {
namespace {

QColor colourNamed(const QString& text) {
    struct Named {
        const char* word;
        QColor colour;
    };
    // Longer words first, so "淡紅" wins over "紅" and "赤褐" over "赤".
    static const Named kColours[] = {
        {"暗赤褐", QColor(120, 50, 40)}, {"淡橙", QColor(250, 200, 150)},
        {"淡紅", QColor(245, 190, 195)}, {"淡赤", QColor(240, 160, 160)},
        {"淡青", QColor(180, 210, 240)}, {"淡黄", QColor(250, 235, 170)},
        {"淡緑", QColor(190, 230, 190)}, {"無色", QColor(225, 235, 245)},
        {"橙", QColor(245, 150, 60)},    {"灰", QColor(170, 170, 170)},
        {"白", QColor(248, 248, 244)},
    };
    for (const Named& n : kColours)
        if (text.contains(QString::fromUtf8(n.word))) return n.colour;
    return QColor(248, 248, 244);
}

}  // namespace

Shape shapeOf(const QString& form) {
    const auto is = [&](const char* f) { return form == QString::fromUtf8(f); };
    if (is("徐放錠")) return Shape::OvalTablet;
    if (is("トローチ")) return Shape::Lozenge;
    if (is("カプセル")) return Shape::Capsule;
    if (is("散") || is("細粒") || is("顆粒")) return Shape::Sachet;
    if (is("シロップ") || is("液") || is("含嗽剤")) return Shape::Bottle;
    if (is("軟膏・硬膏") || is("クリーム")) return Shape::Tube;
    if (is("貼付剤")) return Shape::Patch;
    if (is("坐剤")) return Shape::Suppository;
    if (is("吸入剤")) return Shape::Inhaler;
    return Shape::Tablet;
}

QColor firstColour(const QString& colourText) {
    return colourNamed(colourText.split(QString::fromUtf8("／")).front());
}

QColor secondColour(const QString& colourText) {
    const QStringList parts = colourText.split(QString::fromUtf8("／"));
    return colourNamed(parts.size() > 1 ? parts[1] : parts.front());
}

}  // namespace samplephotos
