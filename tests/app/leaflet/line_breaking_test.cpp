// The line rule shared by pagination and drawing, and the line counting of the layout.
#include "leaflet/line_breaking.h"

#include <gtest/gtest.h>

#include "entry_builder.h"

namespace {

using leaflet::countLines;
using leaflet::cutLines;

TEST(LineBreaking, DoubleByteCharacterAtTheLastByteMovesToTheNextLine) {
    // 19 ASCII bytes, then "あ" whose lead byte would be byte 20 of a 20-byte line.
    const std::string text = digits(19) + cp932("あい");
    const auto lines = cutLines(text, 20);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], digits(19));
    EXPECT_EQ(lines[1], cp932("あい"));
}

TEST(LineBreaking, TrailBytesThatLookLikeLeadBytesAreNotMistakenForThem) {
    // "●" is 0x81 0x9C: its trail byte is in the lead-byte range. Every line of 20 bytes must
    // hold ten whole characters.
    std::string text;
    for (int i = 0; i < 25; ++i) text += cp932("●");
    const auto lines = cutLines(text, 20);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].size(), 20u);
    EXPECT_EQ(lines[1].size(), 20u);
    EXPECT_EQ(lines[2].size(), 10u);
    for (const auto line : lines)
        EXPECT_EQ(sjis::toUtf8(line).find("\xEF\xBF\xBD"), std::string::npos);
}

TEST(LineBreaking, LineFeedsAndSpacesAreOrdinaryBytes) {
    const std::string text = "ab cd\r\nefgh";
    const auto lines = cutLines(text, 4);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "ab c");
    EXPECT_EQ(lines[1], "d\r\ne");
    EXPECT_EQ(lines[2], "fgh");
}

TEST(LineBreaking, AtMostTenLinesAreCut) {
    EXPECT_EQ(cutLines(digits(300), 28).size(), 10u);
    EXPECT_TRUE(cutLines("", 28).empty());
}

TEST(LineCounting, EmptyTextCountsOneAndOverflowCountsEleven) {
    EXPECT_EQ(countLines("", 20), 1);
    EXPECT_EQ(countLines(digits(20), 20), 1);
    EXPECT_EQ(countLines(digits(21), 20), 2);
    EXPECT_EQ(countLines(digits(280), 28), 10);
    EXPECT_EQ(countLines(digits(281), 28), 11);
    EXPECT_EQ(countLines(digits(900), 28), 11);
}

TEST(LineCounting, LoneLeadByteAtTheEndStillEnds) {
    const std::string text = digits(20) + "\x81";
    EXPECT_EQ(countLines(text, 20), 2);
    EXPECT_EQ(cutLines(text, 20).size(), 2u);
}

}  // namespace
