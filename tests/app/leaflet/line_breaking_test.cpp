// The line rule shared by pagination and drawing, and the line counting of the layout.
#include "leaflet/line_breaking.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "entry_builder.h"

namespace {

using leaflet::countLines;
using leaflet::cutLines;

// The lines of `text` cut at `width`, as strings.
std::vector<std::string> cut(const std::string& text, std::size_t width) {
    const auto lines = cutLines(text, width);
    return {lines.begin(), lines.end()};
}

TEST(LineBreaking, DoubleByteCharactersAreNeverSplitAndOtherBytesAreOrdinary) {
    // "あ" would start at byte 20 of a 20-byte line, so it moves to the next line.
    EXPECT_EQ(cut(digits(19) + cp932("あい"), 20), (std::vector{digits(19), cp932("あい")}));
    // "●" (0x81 0x9C) has a trail byte in the lead-byte range; lines still hold whole ones.
    EXPECT_EQ(cut(repeated("●", 25), 20),
              (std::vector{repeated("●", 10), repeated("●", 10), repeated("●", 5)}));
    // Line feeds and spaces are ordinary bytes; ten lines at most.
    EXPECT_EQ(cut("ab cd\r\nefgh", 4), (std::vector<std::string>{"ab c", "d\r\ne", "fgh"}));
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

namespace {

// Fourteen full-width characters: one 28-byte line of a note.
std::string fullLine() {
    return repeated("あ", 14);
}

std::string joined(const std::vector<std::string_view>& lines) {
    std::string out;
    for (auto l : lines) out += l;
    return out;
}

}  // namespace

TEST(LineStartRule, ACharacterThatMayNotBeginALineHangsAtTheEndOfTheLineBefore) {
    for (const char* mark :
         {"。", "、", "」", "）", "』", "】", "，", "．", "・", "：", "？", "！", "ー",
          "々", "っ", "ャ", "ヶ", "｡",  "､",  "｣",  "ﾞ",  "ｯ",  ")",  ",",  ".",  "!"}) {
        SCOPED_TRACE(mark);
        const std::string text = fullLine() + cp932(mark) + cp932("いう");
        EXPECT_EQ(cut(text, 28), (std::vector{fullLine() + cp932(mark), cp932("いう")}));
        EXPECT_EQ(countLines(text, 28), 2) << "measured as drawn";
    }
    // Opening brackets and ordinary characters begin lines as before.
    for (const char* other : {"「", "（", "い", "ア", "1"}) {
        EXPECT_EQ(cut(fullLine() + cp932(other) + cp932("う"), 28),
                  (std::vector{fullLine(), cp932(other) + cp932("う")}))
            << other;
    }
}

TEST(LineStartRule, ARunOfSuchCharactersTakesTheCharacterBeforeItToTheNextLine) {
    // "…た。」" cut before "。": "た" moves down, so the next line is "た。」です".
    const std::string text = cp932("あいうえおかきくけこさしすた。」です");
    EXPECT_EQ(cut(text, 28),
              (std::vector{cp932("あいうえおかきくけこさしす"), cp932("た。」です")}));
    EXPECT_EQ(countLines(text, 28), 2);

    // A cut moved back by one byte, so as not to split "。", still hangs it.
    EXPECT_EQ(cut(digits(19) + cp932("。い"), 20),
              (std::vector{digits(19) + cp932("。"), cp932("い")}));
}

TEST(LineStartRule, NoLineOfAPunctuatedTextBeginsWithABarredCharacterAndNothingIsLost) {
    // Sentences of every length, so that cuts fall before each kind of mark.
    const std::vector<std::string> pieces = {cp932("血圧を下げる薬です。"),
                                             cp932("「食後」に、"),
                                             cp932("（１日２回）"),
                                             cp932("ちょっと"),
                                             cp932("ｶﾌﾟｾﾙ｡"),
                                             cp932("5mg)、")};
    const std::vector<std::string> barredStarts = {cp932("。"), cp932("、"), cp932("」"),
                                                   cp932("）"), cp932("っ"), cp932("ょ"),
                                                   cp932("ﾟ"),  cp932("｡"),  ")"};
    for (std::size_t seed = 0; seed < 200; ++seed) {
        std::string text;
        for (std::size_t k = 0; text.size() < 200; ++k) text += pieces[(seed * 7 + k * k) % 6];
        for (const std::size_t width : {20u, 24u, 26u, 28u}) {
            const auto lines = cutLines(text, width);
            const int count = static_cast<int>(lines.size());
            const bool rest = joined(lines).size() < text.size();
            EXPECT_TRUE(!rest || count == leaflet::kMaxTextLines) << "text lost";
            EXPECT_TRUE(text.starts_with(joined(lines)));
            for (std::size_t i = 1; i < lines.size(); ++i) {
                for (const std::string& mark : barredStarts)
                    EXPECT_FALSE(lines[i].starts_with(mark)) << seed << " " << width << " " << i;
                EXPECT_LE(lines[i - 1].size(), width + 2);
            }
            EXPECT_EQ(countLines(text, width), count + (rest ? 1 : 0)) << "measured as drawn";
        }
    }
}
