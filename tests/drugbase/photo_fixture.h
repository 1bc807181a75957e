// Photographs for the drawing tests: caller surfaces, photo files in a program folder, and
// colour checks that allow for JPEG's small colour errors.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <vector>

#include "catalogue_fixture.h"
#include "jpeg_writer.h"
#include "layout/data_folder.h"

inline constexpr std::uint32_t kRed = 0xE02020, kGreen = 0x20C040, kBlue = 0x2040E0,
                               kYellow = 0xF0E020;
// What a surface holds before a call, so that untouched pixels show.
inline constexpr std::uint32_t kUntouched = 0xFF123456;

// A caller-owned surface as the program passes it.
struct Surface {
    std::vector<std::uint32_t> pixels;
    DrugSurface surface;

    Surface(int width, int height)
        : pixels(static_cast<std::size_t>(width) * height, kUntouched),
          surface{width, height, width * 4, pixels.data()} {}
    Surface(const Surface&) = delete;  // the surface points into its own pixels
    Surface& operator=(const Surface&) = delete;
    std::uint32_t at(int x, int y) const { return pixels[y * surface.width + x]; }
    bool untouched() const {
        return std::all_of(pixels.begin(), pixels.end(), [](auto p) { return p == kUntouched; });
    }
};

// Whether a surface pixel shows `rgb` (opaque, each channel within `tolerance`).
inline bool shows(std::uint32_t pixel, std::uint32_t rgb, int tolerance = 40) {
    if (pixel >> 24 != 0xFF) return false;
    for (int shift : {16, 8, 0}) {
        const int a = pixel >> shift & 0xFF, b = rgb >> shift & 0xFF;
        if (std::abs(a - b) > tolerance) return false;
    }
    return true;
}

// The four-colour picture every photo test draws: red, green / blue, yellow.
inline testjpeg::Rgb fourColours(int width = 320, int height = 240) {
    return testjpeg::quadrants(width, height, kRed, kGreen, kBlue, kYellow);
}

// Whether the 140 x 105 photograph at (x, y) of the surface shows the four colours upright.
inline ::testing::AssertionResult showsFourColours(const Surface& s, int x = 0, int y = 0) {
    const std::uint32_t want[] = {kRed, kGreen, kBlue, kYellow};
    const int at[][2] = {{35, 26}, {105, 26}, {35, 78}, {105, 78}};
    for (int q = 0; q < 4; ++q) {
        const std::uint32_t p = s.at(x + at[q][0], y + at[q][1]);
        if (!shows(p, want[q]))
            return ::testing::AssertionFailure()
                   << "quadrant " << q << " shows " << std::hex << p << " instead of " << want[q];
    }
    return ::testing::AssertionSuccess();
}

class PhotoTest : public CatalogueTest {
  protected:
    // The program folder the photo calls are given.
    std::filesystem::path base() const { return data.path() / "プログラム"; }
    std::string baseArg() const { return base().string(); }
    std::filesystem::path supplied(int n, const std::string& name) const {
        return layout::photoFolder(base(), n) / (name + ".jpg");
    }
    // A drug with these photograph columns (UTF-8 values).
    void drugWithPhotos(const std::string& yjcode, const std::string& flags, int shown,
                        const std::string& userPath = "") {
        auto d = drug(yjcode, "写真テスト" + yjcode, {{"PHOTO_HYOUJI", std::to_string(shown)}});
        for (int n = 1; n <= 6; ++n)
            if (flags.find('0' + n) != std::string::npos) d["PHOTO" + std::to_string(n)] = "1";
        if (!userPath.empty()) d["PHOTO_TOROKU"] = userPath;
        supply({d});
    }
    // Draws the photograph the drug's PHOTO_HYOUJI chooses into `s`; gives the drawn flag.
    int picture(const std::string& yjcode, Surface& s, int x = 0, int y = 0) {
        int drawn = 0;
        EXPECT_EQ(
            PictureImage(&s.surface, &drawn, &window, yjcode.c_str(), baseArg().c_str(), x, y), 0);
        return drawn;
    }
    // Draws the JPEG file into `s`; gives the drawn flag.
    int drawFile(const std::filesystem::path& file, Surface& s, int x = 0, int y = 0) {
        int drawn = 0;
        EXPECT_EQ(OridginalImage(&s.surface, &drawn, file.c_str(), &window, x, y), 0);
        return drawn;
    }
    // Writes a file in the data folder and gives its path.
    std::filesystem::path photo(const std::string& name, const std::string& bytes) const {
        const auto file = data.path() / name;
        testjpeg::writeFile(file, bytes);
        return file;
    }
    int window = 1;  // stands for the caller's window handle
};
