// Looking at a rendered page image: dark pixels, rules and coloured ink.
#pragma once

#include <QImage>

// Darker than mid grey in every channel sum: ink, not paper or antialiasing fringe.
inline bool isDark(const QImage& image, int x, int y) {
    const QColor c = image.pixelColor(x, y);
    return c.red() + c.green() + c.blue() < 3 * 128;
}

// Dark pixels in the rectangle [x0, x1) x [y0, y1).
inline int darkPixels(const QImage& image, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) n += isDark(image, x, y);
    return n;
}

// True when row y is dark from x0 to x1 (exclusive) without a break.
inline bool rowRule(const QImage& image, int y, int x0, int x1) {
    return darkPixels(image, x0, y, x1, y + 1) == x1 - x0;
}

// True when column x is dark from y0 to y1 (exclusive) without a break.
inline bool columnRule(const QImage& image, int x, int y0, int y1) {
    return darkPixels(image, x, y0, x + 1, y1) == y1 - y0;
}

// Pixels whose channels differ clearly: coloured ink rather than black or grey.
inline int colouredPixels(const QImage& image, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const QColor c = image.pixelColor(x, y);
            const int spread =
                std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()});
            n += spread > 40;
        }
    }
    return n;
}
