#include "prescription/jahis_date.h"

#include "era/era.h"
#include "prescription/record_fields.h"

namespace prescription {

namespace {

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
        date.year = era::gregorianYear(text[0] - '0', number(text.substr(1, 2)));
        rest = text.substr(3);
    }
    if (date.year < era::kEras.front().first.year) return std::nullopt;
    if (rest.size() >= 2) {
        date.month = number(rest.substr(0, 2));
        if (date.month < 1 || date.month > 12) return std::nullopt;
    }
    if (rest.size() == 4) {
        date.day = number(rest.substr(2, 2));
        if (!era::isDate({date.year, date.month, date.day})) return std::nullopt;
    }
    return date;
}

}  // namespace prescription
