#include "orientation.h"

#include <cstring>

namespace drugbase {
namespace {

constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kShortType = 3;

// Reads TIFF numbers in the byte order the block declares, never past its end.
class TiffBlock {
  public:
    TiffBlock(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool readOrder() {
        if (size_ < 8) return false;
        if (data_[0] == 'I' && data_[1] == 'I')
            bigEndian_ = false;
        else if (data_[0] == 'M' && data_[1] == 'M')
            bigEndian_ = true;
        else
            return false;
        std::uint16_t magic;
        return u16(2, magic) && magic == 42;
    }
    bool u16(std::size_t at, std::uint16_t& value) const {
        if (at > size_ || size_ - at < 2) return false;
        const std::uint8_t* p = data_ + at;
        value = bigEndian_ ? (p[0] << 8 | p[1]) : (p[1] << 8 | p[0]);
        return true;
    }
    bool u32(std::size_t at, std::uint32_t& value) const {
        if (at > size_ || size_ - at < 4) return false;
        const std::uint8_t* p = data_ + at;
        value = bigEndian_ ? (std::uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3])
                           : (std::uint32_t(p[3]) << 24 | p[2] << 16 | p[1] << 8 | p[0]);
        return true;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    bool bigEndian_ = false;
};

}  // namespace

int exifOrientation(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kHeader = 6;  // "Exif\0\0"
    if (!data || size < kHeader || std::memcmp(data, "Exif\0\0", kHeader) != 0) return 1;
    TiffBlock tiff(data + kHeader, size - kHeader);
    std::uint32_t ifd;
    std::uint16_t entries;
    if (!tiff.readOrder() || !tiff.u32(4, ifd) || !tiff.u16(ifd, entries)) return 1;
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::size_t entry = std::size_t(ifd) + 2 + 12 * std::size_t(i);
        std::uint16_t tag, type, value;
        std::uint32_t count;
        if (!tiff.u16(entry, tag) || !tiff.u16(entry + 2, type) || !tiff.u32(entry + 4, count) ||
            !tiff.u16(entry + 8, value))
            return 1;
        if (tag == kOrientationTag)
            return type == kShortType && count == 1 && value >= 1 && value <= 8 ? value : 1;
    }
    return 1;
}

Picture upright(const Picture& stored, int orientation) {
    if (orientation < 2 || orientation > 8) return stored;
    const int w = stored.width, h = stored.height;
    Picture out;
    out.width = swapsSides(orientation) ? h : w;
    out.height = swapsSides(orientation) ? w : h;
    out.rgb.resize(stored.rgb.size());
    for (int v = 0; v < out.height; ++v) {
        for (int u = 0; u < out.width; ++u) {
            // The stored pixel that shows at (u, v) once the picture is turned upright.
            int x = u, y = v;
            switch (orientation) {
                case 2:
                    x = w - 1 - u;
                    break;
                case 3:
                    x = w - 1 - u;
                    y = h - 1 - v;
                    break;
                case 4:
                    y = h - 1 - v;
                    break;
                case 5:
                    x = v;
                    y = u;
                    break;
                case 6:
                    x = v;
                    y = h - 1 - u;
                    break;
                case 7:
                    x = w - 1 - v;
                    y = h - 1 - u;
                    break;
                case 8:
                    x = w - 1 - v;
                    y = u;
                    break;
            }
            std::memcpy(&out.rgb[(std::size_t(v) * out.width + u) * 3],
                        &stored.rgb[(std::size_t(y) * w + x) * 3], 3);
        }
    }
    return out;
}

}  // namespace drugbase
