// The EXIF orientation of a photograph, and turning a decoded picture upright by it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "picture.h"

namespace drugbase {

// The orientation tag (1-8) of an APP1 marker's data ("Exif\0\0" and a TIFF block); 1, the
// upright default, when the data holds no valid tag.
int exifOrientation(const std::uint8_t* data, std::size_t size);

// Whether an orientation swaps width and height (a photograph taken with the phone on its side).
constexpr bool swapsSides(int orientation) {
    return orientation >= 5 && orientation <= 8;
}

// The picture as it is meant to be seen, for a picture stored with `orientation`.
Picture upright(const Picture& stored, int orientation);

}  // namespace drugbase
