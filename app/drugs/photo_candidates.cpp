#include "drugs/photo_candidates.h"

namespace drugs {

PhotoCandidates::PhotoCandidates() {
    for (QImage& image : images) image = QImage(140, 105, QImage::Format_RGB32);
    clear();
}

void PhotoCandidates::clear() {
    for (QImage& image : images) image.fill(Qt::white);
    drawn.fill(false);
}

}  // namespace drugs
