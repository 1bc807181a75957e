#include "leaflet/era_date.h"

namespace leaflet {

std::string eraDateText(int year, int month, int day) {
    const bool reiwa = year > 2019 || (year == 2019 && month >= 5);
    const int eraYear = reiwa ? year - 2018 : year - 1988;
    std::string text = reiwa ? "令和" : "平成";
    text += eraYear == 1 ? std::string("元") : std::to_string(eraYear);
    text += "年" + std::to_string(month) + "月" + std::to_string(day) + "日";
    return text;
}

}  // namespace leaflet
