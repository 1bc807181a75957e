// How the preview's scroll bar moves the page: a scroll position from 0 to 100 and the view
// offset, the first row of the preview image shown at the top of the window; and how high the
// preview window is on a given screen.
#pragma once

namespace leaflet {

enum class ScrollStep { kLineUp, kLineDown, kPageUp, kPageDown, kThumb };

struct PreviewScroll {
    int position = 0;
    int offset = 0;
};

inline constexpr int kScrollMaximum = 100;

// The rows the view moves at position 100: by line and page steps, by the thumb, and back by a
// page up from there.
struct ScrollScale {
    int lineRows;
    int thumbRows;
    int pageUpRows;
};

// The short window of screens narrower than 1,280 pixels: line and page steps move 2.75 rows
// per position unit, the thumb 3.03, so a thumb at the end shows the bottom of the page a
// little higher than line steps do. A page up from the end keeps the difference of the offsets
// (31 after line steps) while the thumb is back at the top.
inline constexpr ScrollScale kShortWindowScale{275, 303, 244};

// A view `viewRows` high on the 980-row preview image: every step reaches the last row at
// position 100, and a page up from there goes back to the top.
ScrollScale scaleForView(int viewRows);

// The position and offset after `step`; `thumb` is the thumb's position for kThumb.
PreviewScroll scrolled(PreviewScroll from, ScrollStep step, int thumb = 0,
                       ScrollScale scale = kShortWindowScale);

// The preview window's client height on a screen and whether it scrolls.
struct PreviewFit {
    int height;
    bool scrolls;
    ScrollScale scale;
};

// The client area is 705 rows high, scrolling, on screens narrower than 1,280 pixels, and 971
// rows high, without scrolling, on wider ones when `availableHeight` (the screen's height
// without task bars) holds it with its title bar. A wide screen too low for that (1366 x 768)
// gets a window as high as there is room for, scrolling so that the whole page can be seen.
PreviewFit fitPreview(int screenWidth, int availableHeight);

}  // namespace leaflet
