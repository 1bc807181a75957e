#include "picture.h"

#include <algorithm>
#include <cmath>

namespace drugbase {
namespace {

// The source pixels a target pixel covers along one axis, and how much of each it covers.
struct Span {
    int first = 0;
    std::vector<float> weights;
};

// For each of `target` pixels, the part of the `source` pixels it covers: target pixel t
// covers the source interval [t * source / target, (t + 1) * source / target).
std::vector<Span> coverage(int source, int target) {
    std::vector<Span> spans(target);
    const double scale = static_cast<double>(source) / target;
    for (int t = 0; t < target; ++t) {
        const double begin = t * scale, end = (t + 1) * scale;
        Span& span = spans[t];
        span.first = std::min(static_cast<int>(begin), source - 1);
        for (int s = span.first; s < source && s < end; ++s) {
            const double covered = std::min(end, s + 1.0) - std::max(begin, double(s));
            if (covered > 0) span.weights.push_back(static_cast<float>(covered / scale));
        }
        if (span.weights.empty()) span.weights.push_back(1.0f);
    }
    return spans;
}

std::uint8_t channel(float value) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

}  // namespace

std::vector<std::uint32_t> stretch(const Picture& picture, int width, int height) {
    const std::vector<Span> columns = coverage(picture.width, width);
    const std::vector<Span> rows = coverage(picture.height, height);

    // Horizontal pass: every source row narrowed to `width` pixels.
    std::vector<float> narrowed(static_cast<std::size_t>(picture.height) * width * 3);
    for (int sy = 0; sy < picture.height; ++sy) {
        const std::uint8_t* in = &picture.rgb[static_cast<std::size_t>(sy) * picture.width * 3];
        float* out = &narrowed[static_cast<std::size_t>(sy) * width * 3];
        for (int tx = 0; tx < width; ++tx) {
            const Span& span = columns[tx];
            float r = 0, g = 0, b = 0;
            for (std::size_t k = 0; k < span.weights.size(); ++k) {
                const std::uint8_t* p = in + (span.first + k) * 3;
                r += span.weights[k] * p[0];
                g += span.weights[k] * p[1];
                b += span.weights[k] * p[2];
            }
            out[tx * 3] = r;
            out[tx * 3 + 1] = g;
            out[tx * 3 + 2] = b;
        }
    }
    // Vertical pass.
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    for (int ty = 0; ty < height; ++ty) {
        const Span& span = rows[ty];
        for (int tx = 0; tx < width; ++tx) {
            float r = 0, g = 0, b = 0;
            for (std::size_t k = 0; k < span.weights.size(); ++k) {
                const float* p = &narrowed[((span.first + k) * width + tx) * 3];
                r += span.weights[k] * p[0];
                g += span.weights[k] * p[1];
                b += span.weights[k] * p[2];
            }
            pixels[static_cast<std::size_t>(ty) * width + tx] =
                0xFF000000u | channel(r) << 16 | channel(g) << 8 | channel(b);
        }
    }
    return pixels;
}

bool drawPhoto(const Picture& picture, DrugSurface& surface, int x, int y) {
    if (!surface.pixels || surface.width <= 0 || surface.height <= 0 ||
        surface.bytesPerLine < static_cast<long long>(surface.width) * 4 ||
        surface.bytesPerLine % 4 != 0 || picture.width <= 0 || picture.height <= 0)
        return false;
    const std::vector<std::uint32_t> photo = stretch(picture, kPhotoWidth, kPhotoHeight);
    auto* base = reinterpret_cast<unsigned char*>(surface.pixels);
    for (int py = 0; py < kPhotoHeight; ++py) {
        const long long ty = static_cast<long long>(y) + py;
        if (ty < 0 || ty >= surface.height) continue;
        auto* row = reinterpret_cast<std::uint32_t*>(base + ty * surface.bytesPerLine);
        for (int px = 0; px < kPhotoWidth; ++px) {
            const long long tx = static_cast<long long>(x) + px;
            if (tx >= 0 && tx < surface.width) row[tx] = photo[py * kPhotoWidth + px];
        }
    }
    return true;
}

}  // namespace drugbase
