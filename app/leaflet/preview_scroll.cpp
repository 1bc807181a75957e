#include "leaflet/preview_scroll.h"

#include <algorithm>

namespace leaflet {

namespace {

constexpr int kLineStep = 25;
constexpr int kPageStep = 100;
constexpr int kPageUpRows = 244;

// Rows per position unit, in hundredths so that the truncation is exact.
int lineOffset(int position) {
    return position * 275 / 100;
}
int thumbOffset(int position) {
    return position * 303 / 100;
}

}  // namespace

PreviewScroll scrolled(PreviewScroll from, ScrollStep step, int thumb) {
    int position = from.position;
    switch (step) {
        case ScrollStep::kLineUp:
            position = std::max(0, position - kLineStep);
            return {position, lineOffset(position)};
        case ScrollStep::kLineDown:
            position = std::min(kScrollMaximum, position + kLineStep);
            return {position, lineOffset(position)};
        case ScrollStep::kPageUp:
            if (position - kPageStep < 0) return {0, 0};
            return {position - kPageStep, std::max(0, from.offset - kPageUpRows)};
        case ScrollStep::kPageDown:
            position = std::min(kScrollMaximum, position + kPageStep);
            return {position, lineOffset(position)};
        case ScrollStep::kThumb:
            position = std::clamp(thumb, 0, kScrollMaximum);
            return {position, thumbOffset(position)};
    }
    return from;
}

}  // namespace leaflet
