// The header date across the change of era.
#include "leaflet/era_date.h"

#include <gtest/gtest.h>

namespace {

TEST(EraDate, ReiwaFromTheFirstOfMay2019) {
    EXPECT_EQ(leaflet::eraDateText(2019, 4, 30), "平成31年4月30日");
    EXPECT_EQ(leaflet::eraDateText(2019, 5, 1), "令和元年5月1日");
    EXPECT_EQ(leaflet::eraDateText(2019, 12, 31), "令和元年12月31日");
    EXPECT_EQ(leaflet::eraDateText(2020, 5, 5), "令和2年5月5日");
    EXPECT_EQ(leaflet::eraDateText(2009, 3, 7), "平成21年3月7日");
}

}  // namespace
