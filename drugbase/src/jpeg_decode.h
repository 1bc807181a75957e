// Decoding a JPEG held in memory into an upright picture, with libjpeg-turbo.
#pragma once

#include <cstddef>
#include <cstdint>

#include "picture.h"

namespace drugbase {

// Pictures larger than this many pixels are refused rather than decoded.
inline constexpr long long kMaxJpegPixels = 1LL << 27;

enum class DecodeStatus {
    Decoded,
    NotJpeg,    // the data does not begin with a readable JPEG header
    NoPicture,  // the header was read, but no whole picture came out of the data
};

struct DecodeResult {
    DecodeStatus status = DecodeStatus::NotJpeg;
    Picture picture;  // upright, when decoded
};

// Decodes baseline, progressive, greyscale, RGB and CMYK/YCCK JPEG data and turns the picture
// upright by its EXIF orientation. The decoder's own scaling (1/8 to 8/8) reduces the picture
// as far as it stays at least minWidth x minHeight once upright, so a large photograph costs
// little to decode. Data cut short or corrupt (whatever follows it, an end marker included), a
// progressive file lacking some of its scans, a picture with more than kMaxJpegPixels pixels,
// or one of a colour space without an RGB form gives NoPicture. A whole picture whose end
// marker alone is missing is decoded.
DecodeResult decodeJpeg(const std::uint8_t* data, std::size_t size, int minWidth, int minHeight);

}  // namespace drugbase
