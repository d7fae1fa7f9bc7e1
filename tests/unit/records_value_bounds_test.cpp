#include <gtest/gtest.h>

#include <limits>

#include "value_bounds.h"

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
}  // namespace

TEST(ValueBounds, TemperatureIsFiniteAboveZeroAndBelow100) {
  EXPECT_TRUE(IsStorableTemperature(36.45));
  EXPECT_TRUE(IsStorableTemperature(0.01));
  EXPECT_TRUE(IsStorableTemperature(99.99));
  EXPECT_FALSE(IsStorableTemperature(0.0));
  EXPECT_FALSE(IsStorableTemperature(-3.0));
  EXPECT_FALSE(IsStorableTemperature(100.0));
  EXPECT_FALSE(IsStorableTemperature(kInf));
  EXPECT_FALSE(IsStorableTemperature(-kInf));
  EXPECT_FALSE(IsStorableTemperature(kNan));
}

TEST(ValueBounds, WeightIsFiniteAboveZeroAndBelow1000) {
  EXPECT_TRUE(IsStorableWeight(52.3));
  EXPECT_TRUE(IsStorableWeight(999.9));
  EXPECT_FALSE(IsStorableWeight(0.0));
  EXPECT_FALSE(IsStorableWeight(1000.0));
  EXPECT_FALSE(IsStorableWeight(kInf));
  EXPECT_FALSE(IsStorableWeight(kNan));
}

TEST(ValueBounds, CycleIsOneTo365Days) {
  EXPECT_TRUE(IsStorableCycle(1));
  EXPECT_TRUE(IsStorableCycle(28));
  EXPECT_TRUE(IsStorableCycle(365));
  EXPECT_FALSE(IsStorableCycle(0));
  EXPECT_FALSE(IsStorableCycle(366));
  EXPECT_FALSE(IsStorableCycle(-28));
}

// The files hold two decimals of a temperature and one of a weight: a value that would be
// written as 0 or as the upper bound would be refused when read back, so it is refused now.
TEST(ValueBounds, ValuesAreJudgedAsTheFilesWriteThem) {
  const struct {
    double value;
    bool temperature;  // IsStorableTemperature
    bool weight;       // IsStorableWeight
  } cases[] = {
      {0.004, false, false},  {0.005, true, false},  // 0.005 is just above 0.005 in binary
      {0.04, true, false},    {0.05, true, true},    // 0.05 is just above 0.05: written 0.1
      {99.994, true, true},   {99.995, false, true},  // 99.995 is just above: written 100.00
      {999.94, false, true},  {999.95, false, false},  // 999.95 is just above: written 1000.0
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(IsStorableTemperature(c.value), c.temperature);
    EXPECT_EQ(IsStorableWeight(c.value), c.weight);
  }
}
