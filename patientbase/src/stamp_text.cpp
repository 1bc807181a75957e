#include "stamp_text.h"

#include <charconv>
#include <chrono>
#include <ctime>

#include "sjis/sjis.h"

namespace patientbase {
namespace {

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// Reads exactly `digits` decimal digits at `at`.
bool readNumber(std::string_view text, std::size_t at, std::size_t digits, int& value) {
    const char* begin = text.data() + at;
    const auto [end, ec] = std::from_chars(begin, begin + digits, value);
    return ec == std::errc() && end == begin + digits && value >= 0;
}

// `value` in decimal with at least `digits` digits.
std::string padded(int value, std::size_t digits) {
    std::string text = std::to_string(value);
    if (value >= 0 && text.size() < digits) text.insert(0, digits - text.size(), '0');
    return text;
}

// The date's parts each followed by its mark, then the time as H:MM:SS (hour padded to two
// digits when `padHour`).
std::string format(const Stamp& s, const char* afterYear, const char* afterMonth,
                   const char* afterDay, bool padHour = true) {
    return padded(s.year, 4) + afterYear + padded(s.month, 2) + afterMonth + padded(s.day, 2) +
           afterDay + padded(s.hour, padHour ? 2 : 1) + ":" + padded(s.minute, 2) + ":" +
           padded(s.second, 2);
}

}  // namespace

long long Stamp::order() const {
    return ((((year * 100LL + month) * 100 + day) * 100 + hour) * 100 + minute) * 100 + second;
}

Stamp now() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

Stamp nextSecond(const Stamp& s) {
    using namespace std::chrono;
    const sys_seconds next = sys_days{year{s.year} / s.month / s.day} + hours{s.hour} +
                             minutes{s.minute} + seconds{s.second + 1};
    const sys_days day = floor<days>(next);
    const year_month_day date{day};
    const hh_mm_ss time{next - day};
    return {static_cast<int>(date.year()),
            static_cast<int>(unsigned{date.month()}),
            static_cast<int>(unsigned{date.day()}),
            static_cast<int>(time.hours().count()),
            static_cast<int>(time.minutes().count()),
            static_cast<int>(time.seconds().count())};
}

std::string storedForm(const Stamp& stamp) {
    return format(stamp, "-", "-", " ");
}

std::optional<Stamp> parseStored(std::string_view text) {
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' ||
        text[13] != ':' || text[16] != ':')
        return std::nullopt;
    Stamp s;
    if (!readNumber(text, 0, 4, s.year) || !readNumber(text, 5, 2, s.month) ||
        !readNumber(text, 8, 2, s.day) || !readNumber(text, 11, 2, s.hour) ||
        !readNumber(text, 14, 2, s.minute) || !readNumber(text, 17, 2, s.second))
        return std::nullopt;
    if (s.year < 1 || s.month < 1 || s.month > 12 || s.day < 1 ||
        s.day > daysInMonth(s.year, s.month) || s.hour > 23 || s.minute > 59 || s.second > 59)
        return std::nullopt;
    return s;
}

std::string listForm(const Stamp& stamp) {
    return sjis::fromUtf8(format(stamp, "年", "月", "日 "));
}

std::string slotTimeText(const Stamp& stamp) {
    return format(stamp, "/", "/", " ");
}

std::string slotKeyText(const Stamp& stamp) {
    return format(stamp, "/", "/", " ", false);
}

}  // namespace patientbase
