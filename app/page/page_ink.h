// Text and rules on a leaflet page, placed in layout units (halved into logical units, rounding
// toward zero). Gothic texts take their colour only in colour mode, mincho texts always.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <string_view>
#include <vector>

#include "page/page_fonts.h"

class QPainter;
class QPainterPath;

namespace leaflet {

struct TextStyle {
    Face face;
    int height;  // logical units
    int weight;
    QColor colour = Qt::black;
};

class PageInk {
  public:
    PageInk(QPainter& painter, bool colour);

    // Draws a text with its top-left corner at (x, y), on a transparent background.
    void text(int x, int y, const TextStyle& style, const QString& text);
    void text(int x, int y, const TextStyle& style, std::string_view cp932);

    // A black line; `width` in logical units, 0 for the device's thinnest line.
    void line(int x1, int y1, int x2, int y2, int width);

    // Draws `image` stretched into a rectangle given in logical units.
    void image(const QRect& logical, const QImage& image);

    // Fills a path given in logical units in black.
    void fill(const QPainterPath& logical);

  private:
    struct CachedFont {
        Face face;
        int height;
        int weight;
        QFont font;
        int ascent;
    };
    const CachedFont& font(const TextStyle& style);

    QPainter& painter_;
    bool colour_;
    std::vector<CachedFont> fonts_;
};

}  // namespace leaflet
