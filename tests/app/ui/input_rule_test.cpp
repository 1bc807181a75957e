// The rule of a multi-line box of a fixed CP932 field, on plain texts.
#include <gtest/gtest.h>

#include "ui/input_rule.h"

namespace {

TEST(InputRule, KeepsWhatFitsStopsTypingAndRefusesPastesAndForeignCharacters) {
    const QString full = QString(4, QChar(u'あ')) + "ab";  // 10 bytes
    struct Case {
        const char* name;
        QString before, after;
        ui::FieldLimit limit;
        bool kept;
        QString message;
    } cases[] = {
        {"fits", "ab", "abc", {10}, true, ""},
        {"exactly fits", QString(4, QChar(u'あ')) + "a", full, {10}, true, ""},
        {"a typed wide character one byte over", "123456789", "123456789あ", {10}, false, ""},
        {"line ends stored as CR LF", "12345678", "12345678\n", {10, true}, true, ""},
        {"a CR LF line end one byte over", "123456789", "123456789\n", {10, true}, false, ""},
        {"a paste over",
         "ab",
         "aあいうえおb",
         {10},
         false,
         "備考は全角5文字（半角10文字）まで入力できます。"},
        {"unconvertible",
         "ab",
         "a𠮷b",
         {10},
         false,
         "「𠮷」は入力できない文字です。別の文字に置き換えて下さい。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ui::InputVerdict verdict = ui::judgeChange(c.before, c.after, c.limit, "備考");
        EXPECT_EQ(verdict.kept, c.kept);
        EXPECT_EQ(verdict.message, c.message);
    }
}

}  // namespace
