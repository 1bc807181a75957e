#include <gtest/gtest.h>

#include <cstring>

#include "cp932_texts.h"
#include "drugs/detail_texts.h"

TEST(DetailTexts, MarksAreRemovedWholeCharactersOnly) {
    char field[40];
    sjis::copyField(field, sizeof field, cp932("●めまい★に注意●"));
    drugs::removeMarks(field, sizeof field);
    EXPECT_EQ(std::string(field), cp932("めまいに注意"));
    // "芝" is 0x8E 0x81 and "\x9C" begins the next character: these bytes are no mark.
    const std::string tricky = std::string("\x8E\x81\x9C\x40");
    sjis::copyField(field, sizeof field, tricky);
    drugs::removeMarks(field, sizeof field);
    EXPECT_EQ(std::string(field), tricky);
}

TEST(DetailTexts, TheDisplayFlagsChooseTheText) {
    DrugRecord r{};
    sjis::copyField(r.SAYOA, sizeof r.SAYOA, cp932("供給の効能"));
    sjis::copyField(r.SAYO_TOROKU, sizeof r.SAYO_TOROKU, cp932("登録の効能"));
    sjis::copyField(r.CYUUI, sizeof r.CYUUI, cp932("★供給の注意"));
    sjis::copyField(r.CYUUI_TOROKU, sizeof r.CYUUI_TOROKU, cp932("●登録の注意"));
    EXPECT_EQ(drugs::efficacyText(r), cp932("供給の効能"));
    EXPECT_EQ(drugs::cautionText(r), cp932("供給の注意"));
    EXPECT_EQ(std::string(r.CYUUI), cp932("★供給の注意"));  // the record keeps its text
    r.SAYO_HYOUJI = 1;
    r.CYUUI_HYOUJI = 1;
    EXPECT_EQ(drugs::efficacyText(r), cp932("登録の効能"));
    EXPECT_EQ(drugs::cautionText(r), cp932("●登録の注意"));  // a user's text keeps its marks
    r.SAYO_HYOUJI = 2;
    EXPECT_EQ(drugs::efficacyText(r), cp932("供給の効能"));
}
