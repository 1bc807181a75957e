// Pictures of QR symbols made with libqrencode, for the tests of the readers: the bytes in
// 8-bit mode, in one symbol or split into Structured Append symbols, drawn side by side.
#pragma once

#include <qrencode.h>

#include <QImage>
#include <QPainter>
#include <string>
#include <vector>

namespace qrtest {

// One symbol's modules drawn `scale` pixels each with a four-module quiet zone.
inline QImage symbolImage(const QRcode& code, int scale = 4) {
    const int side = (code.width + 8) * scale;
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (int y = 0; y < code.width; ++y)
        for (int x = 0; x < code.width; ++x)
            if (code.data[y * code.width + x] & 1)
                painter.fillRect((x + 4) * scale, (y + 4) * scale, scale, scale, Qt::black);
    return image;
}

// The pictures placed one after another in one picture, left to right or top to bottom.
inline QImage joined(const std::vector<QImage>& pictures, bool downwards) {
    int width = 0, height = 0;
    for (const QImage& p : pictures) {
        width = downwards ? std::max(width, p.width()) : width + p.width();
        height = downwards ? height + p.height() : std::max(height, p.height());
    }
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QPoint at;
    for (const QImage& p : pictures) {
        painter.drawImage(at, p);
        at += downwards ? QPoint(0, p.height()) : QPoint(p.width(), 0);
    }
    return image;
}

inline QImage sideBySide(const std::vector<QImage>& pictures) {
    return joined(pictures, false);
}

// The pictures placed in rows of `columns`, left to right and top to bottom.
inline QImage grid(const std::vector<QImage>& pictures, std::size_t columns) {
    std::vector<QImage> rows;
    for (std::size_t at = 0; at < pictures.size(); at += columns) {
        const auto end = pictures.begin() + std::min(pictures.size(), at + columns);
        rows.push_back(sideBySide({pictures.begin() + at, end}));
    }
    return joined(rows, true);
}

inline QImage oneSymbol(const std::string& bytes, int scale = 4) {
    QRcode* code =
        QRcode_encodeData(static_cast<int>(bytes.size()),
                          reinterpret_cast<const unsigned char*>(bytes.data()), 0, QR_ECLEVEL_M);
    QImage image = symbolImage(*code, scale);
    QRcode_free(code);
    return image;
}

// The symbols of a Structured Append sequence of `version`, in sequence order.
inline std::vector<QImage> sequence(const std::string& bytes, int version) {
    std::vector<QImage> images;
    QRcode_List* list = QRcode_encodeDataStructured(
        static_cast<int>(bytes.size()), reinterpret_cast<const unsigned char*>(bytes.data()),
        version, QR_ECLEVEL_M);
    for (QRcode_List* entry = list; entry; entry = entry->next)
        images.push_back(symbolImage(*entry->code));
    QRcode_List_free(list);
    return images;
}

}  // namespace qrtest
