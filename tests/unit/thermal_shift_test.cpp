// Reading the curve: the "3 over 6" rule on one cycle's values, the cycles of a store, and the
// side panel's state text at the edges of the cycles.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cycle_list_rules.h"
#include "support/store_builder.h"
#include "thermal_shift.h"

using namespace test_support;

namespace {

// Six low values whose highest rounds to 36.40 (36.42 rounds down), then what each case adds.
std::vector<int> LowThen(std::vector<int> after) {
  std::vector<int> values{3630, 3635, 3620, 3642, 3630, 3625};
  values.insert(values.end(), after.begin(), after.end());
  return values;
}

struct RuleCase {
  const char* name;
  std::vector<int> values;
  bool found;
  int firstHigh, confirmed, coverLine;
  ShiftRule rule;
};

constexpr ShiftRule kNone = ShiftRule::None, kRule0 = ShiftRule::SecondDayClear,
                    kRule1 = ShiftRule::ThreeDaysHigh, kRule2 = ShiftRule::ThirdDayClearAfterOneDip;

}  // namespace

TEST(ThermalShift, RoundsToTheNearestHalfTenthHalvesUp) {
  for (auto [in, out] : std::vector<std::pair<int, int>>{
           {3657, 3655}, {3658, 3660}, {3662, 3660}, {3663, 3665}, {3660, 3660}, {3655, 3655},
           {-2, 0}, {-3, -5}, {-6, -5}, {-7, -5}, {-8, -10}})
    EXPECT_EQ(RoundToHalfTenth(in), out) << in;
  EXPECT_EQ(TemperatureHundredths(36.57), 3657);
  EXPECT_EQ(TemperatureHundredths(36.29), 3629);
}

TEST(ThermalShift, ThreeOverSixRules) {
  const RuleCase cases[] = {
      {"rule 0 (36.58 rounds to 36.60)", LowThen({3650, 3655, 3658}), true, 6, 8, 3640, kRule0},
      {"rule 0 fails by 0.01, nothing after", LowThen({3650, 3655, 3657}), false, -1, -1, 0, kNone},
      {"rule 1 when rule 0 fails", LowThen({3650, 3655, 3655, 3643}), true, 6, 9, 3640, kRule1},
      {"rule 1 fails by 0.01", LowThen({3650, 3655, 3655, 3642}), false, -1, -1, 0, kNone},
      {"rule 2 with t1 low", LowThen({3650, 3640, 3655, 3658}), true, 6, 9, 3640, kRule2},
      {"rule 2 with t2 low", LowThen({3650, 3655, 3640, 3660}), true, 6, 9, 3640, kRule2},
      {"rule 2 fails by 0.01", LowThen({3650, 3640, 3655, 3657}), false, -1, -1, 0, kNone},
      {"rule 0 needs t1 above L", LowThen({3650, 3640, 3660, 3660}), true, 6, 9, 3640, kRule2},
      {"rule 2 needs exactly one low", LowThen({3650, 3640, 3640, 3670}), false, -1, -1, 0, kNone},
      {"an invalid candidate, then a valid one",
       LowThen({3650, 3630, 3630, 3630, 3660, 3665, 3680}), true, 10, 12, 3650, kRule0},
      {"six values", LowThen({}), false, -1, -1, 0, kNone},
      {"a candidate without followers", LowThen({3690}), false, -1, -1, 0, kNone},
      {"the value must be above L", LowThen({3640, 3640, 3660, 3670}), false, -1, -1, 0, kNone},
      {"L is the highest of six values, the sixth before included",
       {3645, 3630, 3635, 3620, 3630, 3625, 3650, 3655, 3665}, true, 6, 8, 3645, kRule0},
  };
  for (const RuleCase& c : cases) {
    const ThermalShift s = FindThermalShift(c.values);
    EXPECT_EQ(s.found, c.found) << c.name;
    EXPECT_EQ(s.firstHigh, c.firstHigh) << c.name;
    EXPECT_EQ(s.confirmed, c.confirmed) << c.name;
    EXPECT_EQ(s.rule, c.rule) << c.name << " " << static_cast<int>(s.rule);
    if (c.found) {
      EXPECT_EQ(s.coverLine, c.coverLine) << c.name;
    }
  }
}

// Cycle 1 from 1 October (a day without a record, 4 October), shift on its seventh value
// (8 October), closed by the start of 29 October; cycle 2 from 29 October has too few values.
// Today is 5 November.
class CycleReadings : public ::testing::Test {
 protected:
  CycleReadings() {
    AddTemperatures(store,
                    "2026/9/28,36.90; 2026/10/1,36.30,1; 2026/10/2,36.35; 2026/10/3,36.20;"
                    "2026/10/5,36.40; 2026/10/6,36.30; 2026/10/7,36.25; 2026/10/8,36.50;"
                    "2026/10/9,36.55; 2026/10/10,36.60; 2026/10/20,36.70;"
                    "2026/10/29,36.20,1; 2026/10/30,36.25; 2026/11/6,36.90,1");
  }
  std::u16string Text(int m, int d) { return ShiftStateText(store, Ymd(2026, m, d), kToday); }

  static constexpr DateYmd kToday{2026, 11, 5};
  TemperatureStore store;
};

TEST_F(CycleReadings, CyclesRunFromStartToStartAndTheLastToToday) {
  const std::vector<CycleReading>& cycles = ReadCycles(store, kToday);
  ASSERT_EQ(cycles.size(), 2u);  // the start of 6 November lies after today
  const CycleReading& first = cycles[0];
  EXPECT_EQ(first.start, Ymd(2026, 10, 1));
  EXPECT_EQ(first.end, Ymd(2026, 10, 28));
  EXPECT_TRUE(first.closed);
  EXPECT_EQ(first.lengthDays, 28);
  ASSERT_TRUE(first.hasShift);
  EXPECT_EQ(first.firstHigh, Ymd(2026, 10, 8));
  EXPECT_EQ(first.confirmed, Ymd(2026, 10, 10));
  EXPECT_EQ(first.ovulation, Ymd(2026, 10, 7));
  EXPECT_EQ(first.coverLine, 3640);
  EXPECT_EQ(first.highPhaseDays, 21);
  EXPECT_EQ(first.lowAverage, 3630);   // 217.80 / 6
  EXPECT_EQ(first.highAverage, 3659);  // 146.35 / 4 = 36.5875
  const CycleReading& current = cycles[1];
  EXPECT_EQ(current.end, kToday);
  EXPECT_FALSE(current.closed);
  EXPECT_FALSE(current.hasShift);
  EXPECT_EQ(current.lowAverage, -1);
  // Read for an earlier today: the value of 10 October confirms the shift on that day itself.
  EXPECT_FALSE(ReadCycles(store, Ymd(2026, 10, 9))[0].hasShift);
  EXPECT_TRUE(ReadCycles(store, Ymd(2026, 10, 10))[0].hasShift);
}

// The means of the raw values round halves up, so a sum one hundredth off shows: six low values
// and four high ones from 1 October, the first a period start.
TEST(CycleMeans, RoundHalvesUpOnTheExactSums) {
  const struct {
    const char* values;
    int low, high;
  } cases[] = {
      {"36.30 36.30 36.30 36.30 36.30 36.33 36.60 36.60 36.60 36.61", 3631, 3660},  // .5, .25
      {"36.30 36.30 36.30 36.30 36.30 36.32 36.60 36.60 36.60 36.62", 3630, 3661},  // .33, .5
  };
  for (const auto& c : cases) {
    TemperatureStore store;
    std::istringstream values(c.values);
    std::string value, records;
    for (int day = 1; values >> value; ++day)
      records += "2026/10/" + std::to_string(day) + "," + value + (day == 1 ? ",1;" : ";");
    AddTemperatures(store, records);
    const CycleReading& cycle = ReadCycles(store, Ymd(2026, 10, 31)).at(0);
    EXPECT_EQ(cycle.lowAverage, c.low) << c.values;
    EXPECT_EQ(cycle.highAverage, c.high) << c.values;
  }
}

TEST_F(CycleReadings, PanelTextsAtTheEdgesOfTheCycles) {
  EXPECT_EQ(Text(9, 30), u"");              // before the first period start
  EXPECT_EQ(Text(10, 1), u"低温期");
  EXPECT_EQ(Text(10, 7), u"低温期");        // the estimated ovulation day
  EXPECT_EQ(Text(10, 8), u"高温期 1日目");
  EXPECT_EQ(Text(10, 11), u"高温期 4日目");  // no record that day: counted all the same
  EXPECT_EQ(Text(10, 28), u"高温期 21日目");
  EXPECT_EQ(Text(10, 29), u"未判定");
  EXPECT_EQ(Text(11, 5), u"未判定");        // today
  EXPECT_EQ(Text(11, 6), u"");              // after today
}

TEST_F(CycleReadings, AStartWithinTheFollowingValuesEndsTheCycleAndAChangeIsReadAgain) {
  ASSERT_TRUE(ReadCycles(store, kToday)[0].hasShift);
  // 36.55 on 10 October fails rule 0 by 0.05; rule 1 would need the next value, which is the
  // start of a new cycle.
  ASSERT_TRUE(UpdateTemperature(MakeTemperature(2026, 10, 10, 36.55), store));
  ASSERT_TRUE(UpdateTemperature(MakeTemperature(2026, 10, 20, 36.70, 1), store));
  const std::vector<CycleReading>& cycles = ReadCycles(store, kToday);
  ASSERT_EQ(cycles.size(), 3u);
  EXPECT_FALSE(cycles[0].hasShift);
  EXPECT_EQ(cycles[0].end, Ymd(2026, 10, 19));
  EXPECT_EQ(Text(10, 8), u"未判定");
}

TEST_F(CycleReadings, ListShowsNewestFirstAndCopiesAsTabSeparatedLines) {
  // Without the sign readings their four columns stay empty.
  const std::vector<CycleListRow> rows = CycleListRows(ReadCycles(store, kToday), {});
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], (CycleListRow{u"2026/10/29", u"", u"未判定", u"", u"", u"", u"", u"", u"",
                                   u"", u""}));
  EXPECT_EQ(rows[1], (CycleListRow{u"2026/10/01", u"28", u"10/8", u"10/7", u"21", u"36.30",
                                   u"36.59", u"", u"", u"", u""}));
  const std::u16string header =
      u"開始日\t周期\t高温期の開始\t推定排卵日\t高温期\t低温期の平均\t高温期の平均\t"
      u"粘液の頂点\t検査薬陽性\t排卵の確認\t所見\r\n";
  EXPECT_EQ(CycleListClipboardText(rows), header +
                                              u"2026/10/29\t\t未判定\t\t\t\t\t\t\t\t\r\n"
                                              u"2026/10/01\t28\t10/8\t10/7\t21\t36.30\t36.59\t\t\t\t\r\n");
  EXPECT_EQ(CycleListClipboardText({}), header);
}
