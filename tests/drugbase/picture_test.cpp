// Stretching decoded pictures to the photo size.
#include <gtest/gtest.h>

#include "picture.h"

namespace {

drugbase::Picture checkerboard(int width, int height) {
    drugbase::Picture p{width, height, std::vector<std::uint8_t>(width * height * 3)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c) p.rgb[(y * width + x) * 3 + c] = (x + y) % 2 ? 255 : 0;
    return p;
}

TEST(Stretch, AreaAveragingTurnsFineDetailIntoItsMeanAtAnyRatio) {
    // Nearest-pixel sampling would give black and white pixels; the mean of each covered area
    // is mid grey, also where a target pixel covers fractions of source pixels.
    for (const auto& [w, h] : {std::pair{280, 210}, std::pair{301, 233}, std::pair{1600, 1200}}) {
        const auto pixels = drugbase::stretch(checkerboard(w, h), 140, 105);
        ASSERT_EQ(pixels.size(), 140u * 105u);
        for (std::uint32_t p : pixels) {
            ASSERT_EQ(p >> 24, 0xFFu);
            for (int shift : {16, 8, 0}) ASSERT_NEAR(int(p >> shift & 0xFF), 128, 12) << w;
        }
    }
}

TEST(Stretch, ASmallPictureIsEnlargedWhole) {
    // 2 x 2 pixels: each becomes one quarter of the photograph.
    drugbase::Picture p{2, 2, {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255}};
    const auto pixels = drugbase::stretch(p, 140, 105);
    EXPECT_EQ(pixels[0], 0xFFFF0000u);
    EXPECT_EQ(pixels[139], 0xFF00FF00u);
    EXPECT_EQ(pixels[104 * 140], 0xFF0000FFu);
    EXPECT_EQ(pixels[104 * 140 + 139], 0xFFFFFFFFu);
}

}  // namespace
