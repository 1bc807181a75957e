#include "page/page_pictograms.h"

#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>

// The resources of a static library are registered by hand; Q_INIT_RESOURCE works only outside
// a namespace.
static void registerPictogramResources() {
    Q_INIT_RESOURCE(pictograms);
}

namespace leaflet {

namespace {

QImage drawPicture(Pictogram pictogram, bool colour) {
    QFile file(
        QStringLiteral(":/pictograms/%1.svg")
            .arg(QLatin1StringView(pictogramName(pictogram).data(),
                                   static_cast<qsizetype>(pictogramName(pictogram).size()))));
    QByteArray svg = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (!colour) {
        // Colours other than white become black; white keeps the details inside filled shapes.
        QString text = QString::fromUtf8(svg);
        text.replace(QRegularExpression(QStringLiteral("#(?!ffffff)[0-9a-f]{6}")),
                     QStringLiteral("#000000"));
        svg = text.toUtf8();
    }
    QImage image(kPictogramPixels, kPictogramPixels, QImage::Format_RGB32);
    image.fill(Qt::white);
    QSvgRenderer renderer(svg);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    return image;
}

}  // namespace

PictogramPictures::PictogramPictures(bool colour) {
    registerPictogramResources();
    for (int p = 0; p < static_cast<int>(Pictogram::kCount); ++p)
        pictures_[p] = drawPicture(static_cast<Pictogram>(p), colour);
}

const QImage& PictogramPictures::picture(Pictogram pictogram) const {
    return pictures_[static_cast<int>(pictogram)];
}

}  // namespace leaflet
