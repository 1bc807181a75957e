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

// The pictures placed left to right in one picture.
inline QImage sideBySide(const std::vector<QImage>& pictures) {
    int width = 0, height = 0;
    for (const QImage& p : pictures) {
        width += p.width();
        height = std::max(height, p.height());
    }
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    int x = 0;
    for (const QImage& p : pictures) {
        painter.drawImage(x, 0, p);
        x += p.width();
    }
    return image;
}

// The pictures placed in rows of `columns`, left to right and top to bottom.
inline QImage grid(const std::vector<QImage>& pictures, std::size_t columns) {
    std::vector<QImage> rows;
    for (std::size_t at = 0; at < pictures.size(); at += columns) {
        const auto end = pictures.begin() + std::min(pictures.size(), at + columns);
        rows.push_back(sideBySide({pictures.begin() + at, end}));
    }
    int width = 0, height = 0;
    for (const QImage& row : rows) {
        width = std::max(width, row.width());
        height += row.height();
    }
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    int y = 0;
    for (const QImage& row : rows) {
        painter.drawImage(0, y, row);
        y += row.height();
    }
    return image;
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
