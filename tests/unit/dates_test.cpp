#include <gtest/gtest.h>

#include "dates.h"

using quillet::MakeDate;

TEST(Dates, NextDayCrossesTheYear) {
  std::tm next = quillet::GetNextDay(MakeDate(2007, 12, 31));
  EXPECT_EQ(next.tm_year, 108);
  EXPECT_EQ(next.tm_mon, 0);
  EXPECT_EQ(next.tm_mday, 1);
}
