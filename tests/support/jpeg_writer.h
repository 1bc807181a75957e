// Writes JPEG files for tests and benchmarks: pictures drawn in code, encoded with libjpeg in
// the variants the photograph loader must read.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testjpeg {

// An RGB picture, three bytes per pixel, rows top to bottom.
struct Rgb {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    Rgb(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h * 3) {}
    void set(int x, int y, std::uint32_t rgb) {
        std::uint8_t* p = &pixels[(static_cast<std::size_t>(y) * width + x) * 3];
        p[0] = rgb >> 16 & 0xFF;
        p[1] = rgb >> 8 & 0xFF;
        p[2] = rgb & 0xFF;
    }
};

// A picture of four coloured quadrants: top-left, top-right, bottom-left, bottom-right.
Rgb quadrants(int width, int height, std::uint32_t tl, std::uint32_t tr, std::uint32_t bl,
              std::uint32_t br);

enum class Colour {
    YCbCr,      // the usual colour JPEG
    Grey,       // one component
    AdobeCmyk,  // four components stored inverted, with an Adobe marker (as Photoshop writes)
    PlainCmyk,  // four components, not inverted, no Adobe marker
};

struct Options {
    Colour colour = Colour::YCbCr;
    bool progressive = false;
    int quality = 92;
    int exifOrientation = 0;  // 0: no EXIF block; 1-8: an orientation tag
    bool bigEndianExif = false;
};

// The JPEG file's bytes.
std::string encode(const Rgb& picture, const Options& options = {});

// Writes `bytes` to `file`, creating its folder.
void writeFile(const std::filesystem::path& file, const std::string& bytes);

}  // namespace testjpeg
