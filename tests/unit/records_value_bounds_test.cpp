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
