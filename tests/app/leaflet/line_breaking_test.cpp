// The line rule shared by pagination and drawing, and the line counting of the layout.
#include "leaflet/line_breaking.h"

#include <gtest/gtest.h>

#include "entry_builder.h"

namespace {

using leaflet::countLines;
using leaflet::cutLines;

TEST(LineBreaking, DoubleByteCharactersAreNeverSplit) {
    // "あ" would start at byte 20 of a 20-byte line, so it moves to the next line.
    const std::string text = digits(19) + cp932("あい");
    const auto lines = cutLines(text, 20);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], cp932("あい"));

    // "●" (0x81 0x9C) has a trail byte in the lead-byte range; lines still hold whole ones.
    std::string marks;
    for (int i = 0; i < 25; ++i) marks += cp932("●");
    const auto markLines = cutLines(marks, 20);
    ASSERT_EQ(markLines.size(), 3u);
    EXPECT_EQ(markLines[0].size() + markLines[1].size(), 40u);
}

TEST(LineBreaking, LineFeedsAndSpacesAreOrdinaryBytesAndTenLinesAtMost) {
    const auto lines = cutLines("ab cd\r\nefgh", 4);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "d\r\ne");
    EXPECT_EQ(cutLines(digits(300), 28).size(), 10u);
}

TEST(LineCounting, EmptyTextCountsOneAndOverflowCountsEleven) {
    EXPECT_EQ(countLines("", 20), 1);
    EXPECT_EQ(countLines(digits(20), 20), 1);
    EXPECT_EQ(countLines(digits(21), 20), 2);
    EXPECT_EQ(countLines(digits(280), 28), 10);
    EXPECT_EQ(countLines(digits(281), 28), 11);
    EXPECT_EQ(countLines(digits(20) + "\x81", 20), 2) << "a lone lead byte still ends";
}

}  // namespace
