// How the preview's scroll bar moves the page: a scroll position from 0 to 100 and the view
// offset, the first row of the preview image shown at the top of the window.
#pragma once

namespace leaflet {

enum class ScrollStep { kLineUp, kLineDown, kPageUp, kPageDown, kThumb };

struct PreviewScroll {
    int position = 0;
    int offset = 0;
};

inline constexpr int kScrollMaximum = 100;

// The position and offset after `step`; `thumb` is the thumb's position for kThumb. Line and
// page steps move 2.75 rows per position unit, the thumb 3.03, so a thumb at the end shows the
// bottom of the page a little higher than line steps do. A page up from the end keeps the
// difference of the offsets (31 after line steps) while the thumb is back at the top.
PreviewScroll scrolled(PreviewScroll from, ScrollStep step, int thumb = 0);

}  // namespace leaflet
