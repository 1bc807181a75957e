#include "page/page_fonts.h"

#include <QStringList>

namespace leaflet {

void installFontSubstitutions() {
    const QStringList gothic{QStringLiteral("IPAGothic")};
    const QStringList mincho{QStringLiteral("IPAMincho")};
    QFont::insertSubstitutions(QString::fromUtf8(kGothicFace), gothic);
    QFont::insertSubstitutions(QStringLiteral("MS Gothic"), gothic);
    QFont::insertSubstitutions(QString::fromUtf8(kMinchoFace), mincho);
    QFont::insertSubstitutions(QStringLiteral("MS Mincho"), mincho);
}

QFont pageFont(Face face, int pixelHeight, int weight) {
    QFont font(QString::fromUtf8(face == Face::kGothic ? kGothicFace : kMinchoFace));
    font.setPixelSize(pixelHeight);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setFixedPitch(true);
    font.setStyleHint(QFont::TypeWriter, QFont::PreferQuality);
    return font;
}

}  // namespace leaflet
