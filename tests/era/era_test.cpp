// The era table at its boundaries: each era's first day and the day before, leap days, days past
// the end of a month.
#include "era/era.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

struct Case {
    const char* name;
    era::Date date;
    int code;  // the era of the day; 0 before 明治 or when the day does not exist
    int year;
    const char* text;
};

constexpr Case kCases[] = {
    {"before 明治", {1868, 1, 24}, 0, 0, ""},
    {"明治 first day", {1868, 1, 25}, 1, 1, "明治元年1月25日"},
    {"明治 last day", {1912, 7, 29}, 1, 45, "明治45年7月29日"},
    {"大正 first day", {1912, 7, 30}, 2, 1, "大正元年7月30日"},
    {"大正 last day", {1926, 12, 24}, 2, 15, "大正15年12月24日"},
    {"昭和 first day", {1926, 12, 25}, 3, 1, "昭和元年12月25日"},
    {"昭和 last day", {1989, 1, 7}, 3, 64, "昭和64年1月7日"},
    {"平成 first day", {1989, 1, 8}, 4, 1, "平成元年1月8日"},
    {"平成 last day", {2019, 4, 30}, 4, 31, "平成31年4月30日"},
    {"令和 first day", {2019, 5, 1}, 5, 1, "令和元年5月1日"},
    {"令和 second year", {2020, 1, 1}, 5, 2, "令和2年1月1日"},
    {"29 Feb 1900, not a leap year", {1900, 2, 29}, 0, 0, nullptr},
    {"29 Feb 2000, a leap year", {2000, 2, 29}, 4, 12, "平成12年2月29日"},
    {"29 Feb 2020, a leap year", {2020, 2, 29}, 5, 2, "令和2年2月29日"},
    {"29 Feb 2100, not a leap year", {2100, 2, 29}, 0, 0, nullptr},
    {"31 April", {2021, 4, 31}, 0, 0, nullptr},
    {"month 13", {2021, 13, 1}, 0, 0, nullptr},
};

TEST(Era, DaysConvertBothWaysAtTheBoundaries) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const bool exists = c.text != nullptr;
        EXPECT_EQ(era::isDate(c.date), exists);
        if (!exists) {
            // A day that does not exist has no era date either, in whichever era it is asked.
            for (int code = 1; code <= 5; ++code) {
                const int eraYear = c.date.year - era::kEras[code - 1].first.year + 1;
                EXPECT_FALSE(era::toGregorian(code, eraYear, c.date.month, c.date.day));
            }
            continue;
        }
        const era::EraYear e = era::eraOf(c.date);
        EXPECT_EQ(e.code, c.code);
        EXPECT_EQ(e.year, c.year);
        EXPECT_EQ(era::dateText(c.date), c.text);
        if (c.code == 0) continue;
        EXPECT_EQ(era::toGregorian(c.code, c.year, c.date.month, c.date.day), c.date);
        // The same day is no day of the era before or after it.
        for (const int other : {c.code - 1, c.code + 1}) {
            const int eraYear = c.date.year - era::gregorianYear(other, 1) + 1;
            EXPECT_FALSE(era::toGregorian(other, eraYear, c.date.month, c.date.day)) << other;
        }
    }
}

TEST(Era, NamesAndCodes) {
    EXPECT_STREQ(era::name(1), "明治");
    EXPECT_STREQ(era::name(5), "令和");
    EXPECT_EQ(era::name(0), nullptr);
    EXPECT_EQ(era::name(6), nullptr);
    EXPECT_EQ(era::codeAtStart("令和2.3.20"), 5);
    EXPECT_EQ(era::codeAtStart("大正"), 2);
    EXPECT_EQ(era::codeAtStart("西暦2020"), 0);
    EXPECT_EQ(era::gregorianYear(5, 2), 2020);
    EXPECT_EQ(era::gregorianYear(5, 0), 0);
    EXPECT_EQ(era::gregorianYear(6, 1), 0);
    for (const auto& [code, year, month, day] :
         {std::tuple{0, 33, 3, 3}, {6, 1, 1, 1}, {3, 0, 3, 3}, {3, 33, 0, 3}, {3, 33, 3, 0}})
        EXPECT_FALSE(era::toGregorian(code, year, month, day))
            << code << "/" << year << "/" << month << "/" << day;
}

}  // namespace
