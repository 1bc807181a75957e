// The pictures of the usage pictograms, drawn from the SVG files of the program's resources into
// page-sized images once per leaflet: in their colours, or for a monochrome leaflet with every
// colour but white made black.
#pragma once

#include <QImage>
#include <array>

#include "leaflet/pictogram_rules.h"

namespace leaflet {

// Sides of a pictogram's image in pixels: 75 pixels make one on a 300 dpi page, so this holds
// detail to spare.
inline constexpr int kPictogramPixels = 160;

class PictogramPictures {
  public:
    // No pictures: for a leaflet without pictograms.
    PictogramPictures() = default;
    explicit PictogramPictures(bool colour);

    // The picture of `pictogram`; a null image when none were drawn.
    const QImage& picture(Pictogram pictogram) const;

  private:
    std::array<QImage, static_cast<int>(Pictogram::kCount)> pictures_;
};

}  // namespace leaflet
