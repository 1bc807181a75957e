// Looking at a rendered page image: dark pixels, rules and coloured ink.
#pragma once

#include <QImage>
#include <algorithm>

// Ink rather than paper or an antialiasing fringe: darker than mid grey.
inline bool isDark(const QImage& image, int x, int y) {
    const QColor c = image.pixelColor(x, y);
    return c.red() + c.green() + c.blue() < 3 * 128;
}

// Pixels in [x0, x1) x [y0, y1) that are dark, or with `coloured` clearly not grey.
inline int inkPixels(const QImage& image, int x0, int y0, int x1, int y1, bool coloured = false) {
    int n = 0;
    for (int y = y0; y < std::min(y1, image.height()); ++y) {
        for (int x = x0; x < x1; ++x) {
            const QColor c = image.pixelColor(x, y);
            const int spread =
                std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()});
            n += coloured ? spread > 40 : isDark(image, x, y);
        }
    }
    return n;
}

// Unbroken dark rules: row y from x0 to x1, column x from y0 to y1 (ends exclusive).
inline bool rowRule(const QImage& image, int y, int x0, int x1) {
    return inkPixels(image, x0, y, x1, y + 1) == x1 - x0;
}
inline bool columnRule(const QImage& image, int x, int y0, int y1) {
    return inkPixels(image, x, y0, x + 1, y1) == y1 - y0;
}
