// A decoded photograph and drawing it, stretched to the photo size, into a caller's surface.
#pragma once

#include <cstdint>
#include <vector>

#include "drugbase.h"

namespace drugbase {

// Every photograph is drawn at exactly this size.
inline constexpr int kPhotoWidth = 140;
inline constexpr int kPhotoHeight = 105;

// An upright RGB picture, three bytes per pixel, rows top to bottom without padding.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

// `picture` stretched whole to width x height by area averaging (each target pixel is the
// mean of the source area it covers), as 0xFFRRGGBB pixels row by row.
std::vector<std::uint32_t> stretch(const Picture& picture, int width, int height);

// Draws `picture` stretched to the photo size with its top-left corner at (x, y), clipping
// what falls outside the surface. False, drawing nothing, when the surface is not usable.
bool drawPhoto(const Picture& picture, DrugSurface& surface, int x, int y);

}  // namespace drugbase
