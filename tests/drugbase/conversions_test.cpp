#include <cstring>
#include <string>

#include "drugbase.h"
#include "gtest/gtest.h"
#include "sjis/sjis.h"

TEST(Conversions, ResultsCountTheTerminatorAndRespectTheRoom) {
    const auto cp = [](const char* s) { return sjis::fromUtf8(s); };
    char out[64];
    EXPECT_EQ(HanToZen("12", out), 5);
    EXPECT_EQ(std::string(out), cp("１２"));
    EXPECT_EQ(HanToZen("123456789012", out), 25);  // 12 characters fill the 25 bytes
    std::memset(out, 'x', sizeof out);
    EXPECT_EQ(HanToZen("1234567890123", out), 0);
    EXPECT_EQ(out[0], '\0');
    EXPECT_EQ(out[25], 'x');  // nothing written past the room

    EXPECT_EQ(ZenToHan(cp("ＹＪ１２３４５６７８９０").c_str(), out), 13);
    EXPECT_STREQ(out, "YJ1234567890");
    std::memset(out, 'x', sizeof out);
    EXPECT_EQ(ZenToHan(cp("ＹＪ１２３４５６７８９０１").c_str(), out), 0);
    EXPECT_EQ(out[13], 'x');

    EXPECT_EQ(KataToHira(cp("アムロジピン").c_str(), out, 6), 7);  // only n bytes are read
    EXPECT_EQ(std::string(out), cp("あむろ"));
}
