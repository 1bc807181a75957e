#include "prescription/jahis_date.h"

#include "prescription/record_fields.h"

namespace prescription {

namespace {

// The Western year before the first year of each era, by era digit 1-5.
constexpr int kEraBase[] = {0, 1867, 1911, 1925, 1988, 2018};

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

int number(std::string_view digits) {
    return *toNumber(digits);
}

}  // namespace

std::optional<PartialDate> readDate(std::string_view text) {
    if (!isDigits(text) || text.size() < 3 || text.size() > 8) return std::nullopt;
    PartialDate date;
    std::string_view rest;
    if (text.size() % 2 == 0) {
        date.year = number(text.substr(0, 4));
        rest = text.substr(4);
    } else {
        const int era = text[0] - '0';
        const int eraYear = number(text.substr(1, 2));
        if (era < 1 || era > 5 || eraYear < 1) return std::nullopt;
        date.year = kEraBase[era] + eraYear;
        rest = text.substr(3);
    }
    if (date.year < 1868) return std::nullopt;
    if (rest.size() >= 2) {
        date.month = number(rest.substr(0, 2));
        if (date.month < 1 || date.month > 12) return std::nullopt;
    }
    if (rest.size() == 4) {
        date.day = number(rest.substr(2, 2));
        if (date.day < 1 || date.day > daysInMonth(date.year, date.month)) return std::nullopt;
    }
    return date;
}

}  // namespace prescription
