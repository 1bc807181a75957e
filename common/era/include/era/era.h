// The Japanese eras from 明治 to 令和 and the Gregorian calendar they are counted in.
//
// An era's code is the one the patient register (NENGO) and the prescription code (the G of
// GYYMMDD) use: 1 明治, 2 大正, 3 昭和, 4 平成, 5 令和. Names are UTF-8. Year 1 of an era runs
// from its first day to the end of that Gregorian year.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace era {

struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
    auto operator<=>(const Date&) const = default;
};

struct Era {
    int code;
    const char* name;
    Date first;  // the era's first day
};

// Oldest first; kEras[code - 1] is the era of `code`.
inline constexpr std::array<Era, 5> kEras{{
    {1, "明治", {1868, 1, 25}},
    {2, "大正", {1912, 7, 30}},
    {3, "昭和", {1926, 12, 25}},
    {4, "平成", {1989, 1, 8}},
    {5, "令和", {2019, 5, 1}},
}};

// The era's name; nullptr for a code outside 1-5.
const char* name(int code);

// The code of the era `text` starts with; 0 when it starts with none.
int codeAtStart(std::string_view text);

bool isLeapYear(int year);

// 28-31; 0 for a month outside 1-12.
int daysInMonth(int year, int month);

// True when the day exists in that month and year.
bool isDate(const Date& date);

struct EraYear {
    int code = 0;  // 0 for a day before 明治's first day
    int year = 0;
};

// The era of a Gregorian day and the year within it.
EraYear eraOf(const Date& date);

// The Gregorian year of year `eraYear` of the era `code`; 0 for an unknown era or a year below 1.
int gregorianYear(int code, int eraYear);

// The Gregorian day of an era date; nullopt when the day does not exist in its month or falls
// outside the era (before its first day or on or after the next era's).
std::optional<Date> toGregorian(int code, int eraYear, int month, int day);

// "令和2年5月5日", the era's first year written 元 ("令和元年5月1日"); empty before 明治.
std::string dateText(const Date& date);

}  // namespace era
