#include "preview/preview_scroll.h"

#include <algorithm>

namespace leaflet {

namespace {

constexpr int kLineStep = 25;
constexpr int kPageStep = 100;

constexpr int kImageRows = 980;
constexpr int kWideScreen = 1280;
constexpr int kTallWindow = 971;
constexpr int kShortWindow = 705;
// What a window manager adds above and below the client area: title bar and borders.
constexpr int kFrameAllowance = 40;
// The control column beside the page needs this much.
constexpr int kLowestWindow = 420;

// Rows at `position` for `rowsAtEnd` rows at the end, truncated as the position scales them.
int rowsAt(int position, int rowsAtEnd) {
    return position * rowsAtEnd / kScrollMaximum;
}

}  // namespace

ScrollScale scaleForView(int viewRows) {
    const int travel = std::max(0, kImageRows - viewRows);
    return {travel, travel, travel};
}

PreviewScroll scrolled(PreviewScroll from, ScrollStep step, int thumb, ScrollScale scale) {
    int position = from.position;
    switch (step) {
        case ScrollStep::kLineUp:
            position = std::max(0, position - kLineStep);
            return {position, rowsAt(position, scale.lineRows)};
        case ScrollStep::kLineDown:
            position = std::min(kScrollMaximum, position + kLineStep);
            return {position, rowsAt(position, scale.lineRows)};
        case ScrollStep::kPageUp:
            if (position - kPageStep < 0) return {0, 0};
            return {position - kPageStep, std::max(0, from.offset - scale.pageUpRows)};
        case ScrollStep::kPageDown:
            position = std::min(kScrollMaximum, position + kPageStep);
            return {position, rowsAt(position, scale.lineRows)};
        case ScrollStep::kThumb:
            position = std::clamp(thumb, 0, kScrollMaximum);
            return {position, rowsAt(position, scale.thumbRows)};
    }
    return from;
}

PreviewFit fitPreview(int screenWidth, int availableHeight) {
    if (screenWidth < kWideScreen) return {kShortWindow, true, kShortWindowScale};
    const int room = availableHeight - kFrameAllowance;
    if (room >= kTallWindow) return {kTallWindow, false, kShortWindowScale};
    const int height = std::max(kLowestWindow, room);
    return {height, true, scaleForView(height)};
}

}  // namespace leaflet
