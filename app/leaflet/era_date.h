// The date as the leaflet prints it, in the Japanese era: 令和 from 1 May 2019 (its first year
// written 元), 平成 before. Numbers in ASCII digits without leading zeros.
#pragma once

#include <string>

namespace leaflet {

// UTF-8, e.g. "令和2年5月5日", "令和元年5月1日", "平成31年4月30日".
std::string eraDateText(int year, int month, int day);

}  // namespace leaflet
