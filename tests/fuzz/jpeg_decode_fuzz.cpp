// Fuzz target: any bytes as a photograph file, decoded and drawn into a small surface, and as
// the EXIF block of one.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "jpeg_decode.h"
#include "orientation.h"
#include "picture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace drugbase;
    const int orientation = exifOrientation(data, size);
    if (orientation < 1 || orientation > 8) std::abort();

    const DecodeResult decoded = decodeJpeg(data, size, kPhotoWidth, kPhotoHeight);
    if (decoded.status != DecodeStatus::Decoded) return 0;
    const Picture& p = decoded.picture;
    if (p.width <= 0 || p.height <= 0 ||
        p.rgb.size() != static_cast<std::size_t>(p.width) * p.height * 3)
        std::abort();
    // Drawn partly off a surface smaller than the photograph.
    std::vector<std::uint32_t> pixels(100 * 80, 0);
    DrugSurface surface{100, 80, 100 * 4, pixels.data()};
    const int x = size > 0 ? data[size - 1] % 160 - 80 : 0;
    if (!drawPhoto(p, surface, x, -30)) std::abort();
    return 0;
}
