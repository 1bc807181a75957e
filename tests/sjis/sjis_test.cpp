#include <gtest/gtest.h>

#include <cstring>

#include "sjis/sjis.h"

using sjis::fromUtf8;
using sjis::toUtf8;

namespace {

std::string cp(const char* utf8) {
    return fromUtf8(utf8);
}

std::string toUtf8Char(char32_t u) {
    char out[4] = {char(0xE0 | u >> 12), char(0x80 | (u >> 6 & 0x3F)), char(0x80 | (u & 0x3F))};
    return out;
}

}  // namespace

TEST(SjisCodec, KnownCodesConvertBothWaysAndUnmappableInputBecomesQuestionMarks) {
    EXPECT_EQ(cp("ア") + cp("あ") + cp("薬") + cp("ｱ"), "\x83\x41\x82\xA0\x96\xF2\xB1");
    EXPECT_EQ(cp("～"), "\x81\x60");  // CP932's wave dash is U+FF5E
    EXPECT_EQ(toUtf8("\x96\xF2\x8D\xDC"), "薬剤");
    EXPECT_EQ(toUtf8("abc\\~"), "abc\\~");
    std::string out;
    EXPECT_FALSE(fromUtf8("a😀b", out));
    EXPECT_EQ(out, "a?b");
    EXPECT_FALSE(fromUtf8("x\xE3\x81", out));  // truncated sequence
    EXPECT_EQ(out, "x??");
    EXPECT_EQ(toUtf8("\x83"), "\xEF\xBF\xBD");  // lone lead byte at the end
}

TEST(SjisCodec, MalformedUtf8IsRefusedWholeNeverReadAsAnotherCharacter) {
    const char* refused[] = {
        "\xC0\xAF",          // "/" spelt in two bytes
        "\xE0\x80\xAF",      // ... in three
        "\xF0\x80\x80\xAF",  // ... in four
        "\xC1\xBF",          // U+007F in two bytes
        "\xE0\x9F\xBF",      // U+07FF in three
        "\xF0\x8F\xBF\xBF",  // U+FFFF in four
        "\xED\xA0\x80",      // the first surrogate
        "\xED\xBF\xBF",      // the last surrogate
        "\xF4\x90\x80\x80",  // U+110000, one past the last code point
        "\xF5\x80\x80\x80",  // a lead byte no code point uses
        "\xBF",              // a continuation byte on its own
        "\xE8\x96",          // a character cut off by the end of the text
    };
    for (const char* bad : refused) {
        const std::string text = std::string("a") + bad;
        EXPECT_EQ(sjis::validUtf8Length(text + "b"), 1u) << bad;
        // Each byte of the bad sequence becomes one "?": nothing of it turns into a character.
        std::string out;
        EXPECT_FALSE(fromUtf8(text + "b", out)) << bad;
        EXPECT_EQ(out, "a" + std::string(std::strlen(bad), '?') + "b");
    }
    // The shortest forms at each length and the edges of the surrogate gap stay valid.
    const char* accepted[] = {"\xC2\x80",         "\xDF\xBF",        "\xE0\xA0\x80",
                              "\xED\x9F\xBF",     "\xEE\x80\x80",    "\xEF\xBF\xBF",
                              "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF"};
    for (const char* good : accepted) {
        const std::string text = std::string("a") + good + "b";
        EXPECT_EQ(sjis::validUtf8Length(text), text.size()) << good;
    }
}

TEST(SjisCodec, EveryDoubleByteCharacterRoundTrips) {
    int checked = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!sjis::isLeadByte(static_cast<unsigned char>(lead))) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F) continue;
            const std::string utf8 = toUtf8(std::string{char(lead), char(trail)});
            if (utf8 == "\xEF\xBF\xBD") continue;  // unassigned code
            std::string back;
            ASSERT_TRUE(fromUtf8(utf8, back)) << std::hex << lead << trail;
            // Duplicated characters (NEC/IBM extensions) come back in one canonical form,
            // which must itself decode to the same character.
            EXPECT_EQ(toUtf8(back), utf8);
            ++checked;
        }
    }
    EXPECT_GT(checked, 7000);
}

TEST(SjisField, CutAndCopyNeverSplitACharacterAndStayInTheirRoom) {
    const std::string s = cp("aアイ");  // 1 + 2 + 2 bytes
    // The last: a lone lead byte is dropped.
    EXPECT_EQ((std::vector{sjis::cutLength(s, 5), sjis::cutLength(s, 4), sjis::cutLength(s, 2),
                           sjis::cutLength(s, 0), sjis::cutLength("a\x83", 10)}),
              (std::vector<std::size_t>{5, 3, 1, 0, 1}));

    char field[6];
    std::memset(field, 'X', sizeof field);
    EXPECT_EQ(sjis::copyField(field, sizeof field, cp("アイウ")), 4u);
    EXPECT_EQ(std::string(field, 6), cp("アイ") + std::string(2, '\0'));  // terminated, padded
    char guard[8] = "1234567";
    EXPECT_EQ(sjis::copyField(guard, 3, "abcdef"), 2u);
    EXPECT_EQ(std::string(guard, 8), std::string("ab\0004567\0", 8));
    char full[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(sjis::fieldText(full, 4), "abcd");  // an unterminated field stops at its width

    char out[5] = "zzzz";
    EXPECT_EQ(sjis::writeConverted("abcd", out, 5), 5);
    EXPECT_STREQ(out, "abcd");
    EXPECT_EQ(sjis::writeConverted("abcde", out, 5), 0);
    EXPECT_STREQ(out, "");
}

TEST(SjisWidth, HalfAndFullWidthConvertBothWays) {
    EXPECT_EQ(sjis::toFullWidth("Ab z!12"), cp("Ａｂ　ｚ！１２"));
    EXPECT_EQ(sjis::toFullWidth(cp("ｶﾞｷﾞﾊﾟﾋﾟｳﾞｱｯﾟﾞ")), cp("ガギパピヴアッ゜゛"));
    EXPECT_EQ(sjis::toFullWidth(cp("ｰ｡｢｣､･ｦ")), cp("ー。「」、・ヲ"));
    EXPECT_EQ(sjis::toFullWidth(cp("漢字とかな")), cp("漢字とかな"));
    EXPECT_EQ(sjis::toHalfWidth(cp("ＹＪ１２３　ａ")), "YJ123 a");
    EXPECT_EQ(sjis::toHalfWidth(cp("ガパヴアッー")), cp("ｶﾞﾊﾟｳﾞｱｯｰ"));
    EXPECT_EQ(sjis::toHalfWidth(cp("ひらがな漢字")), cp("ひらがな漢字"));
    for (const char* s : {"ABCxyz019 !#$%&()*+,-./:;<=>?@[]^_`{|}~", "ｱｲｳｴｵｶﾞﾊﾟｰ"})
        EXPECT_EQ(sjis::toHalfWidth(sjis::toFullWidth(cp(s))), cp(s)) << s;
}

TEST(SjisWidth, EveryKanaAndMarkConvertsToTheOtherWidthAndBack) {
    // Half-width kana alone and with either mark after it, then every CP932 character of the
    // full-width kana block: each that has a half-width form comes back from it unchanged.
    const std::string marks[] = {"", cp("ﾞ"), cp("ﾟ")};
    for (char32_t h = 0xFF61; h <= 0xFF9F; ++h) {
        for (const std::string& mark : marks) {
            const std::string half = cp(toUtf8Char(h).c_str()) + mark;
            EXPECT_EQ(sjis::toHalfWidth(sjis::toFullWidth(half)), half) << toUtf8(half);
        }
    }
    int withHalfForm = 0;
    for (char32_t f = 0x3000; f <= 0x30FF; ++f) {
        const std::string full = cp(toUtf8Char(f).c_str());
        if (full == "?" || sjis::toHalfWidth(full) == full) continue;
        ++withHalfForm;
        EXPECT_EQ(sjis::toFullWidth(sjis::toHalfWidth(full)), full) << toUtf8(full);
    }
    EXPECT_EQ(withHalfForm, 90);  // 63 kana and signs, 26 voiced ones, the full-width space
}

TEST(SjisWidth, KatakanaAndHiraganaConvertBothWays) {
    EXPECT_EQ(sjis::kataToHira(cp("アムロジピン錠5mg")), cp("あむろじぴん錠5mg"));
    EXPECT_EQ(sjis::kataToHira(cp("ヽヾァ")), cp("ゝゞぁ"));
    // Katakana whose hiragana CP932 lacks, and half-width kana, stay as they are.
    EXPECT_EQ(sjis::kataToHira(cp("ヴヵヶｱ")), cp("ヴヵヶｱ"));
    EXPECT_EQ(sjis::hiraToKata(cp("あむろじぴんＡ錠ゝゞ")), cp("アムロジピンＡ錠ヽヾ"));
    EXPECT_EQ(sjis::hiraToKata(sjis::kataToHira(cp("ロキソニン"))), cp("ロキソニン"));
}
