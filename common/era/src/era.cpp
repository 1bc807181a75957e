#include "era/era.h"

namespace era {

const char* name(int code) {
    return code >= 1 && code <= static_cast<int>(kEras.size()) ? kEras[code - 1].name : nullptr;
}

int codeAtStart(std::string_view text) {
    for (const Era& e : kEras)
        if (text.starts_with(e.name)) return e.code;
    return 0;
}

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

bool isDate(const Date& date) {
    return date.day >= 1 && date.day <= daysInMonth(date.year, date.month);
}

EraYear eraOf(const Date& date) {
    for (auto e = kEras.rbegin(); e != kEras.rend(); ++e)
        if (date >= e->first) return {e->code, date.year - e->first.year + 1};
    return {};
}

int gregorianYear(int code, int eraYear) {
    if (!name(code) || eraYear < 1) return 0;
    return kEras[code - 1].first.year + eraYear - 1;
}

std::optional<Date> toGregorian(int code, int eraYear, int month, int day) {
    const Date date{gregorianYear(code, eraYear), month, day};
    if (date.year == 0 || !isDate(date) || eraOf(date).code != code) return std::nullopt;
    return date;
}

std::string dateText(const Date& date) {
    const EraYear e = eraOf(date);
    if (e.code == 0) return {};
    std::string text = name(e.code);
    text += e.year == 1 ? std::string("元") : std::to_string(e.year);
    return text + "年" + std::to_string(date.month) + "月" + std::to_string(date.day) + "日";
}

}  // namespace era
