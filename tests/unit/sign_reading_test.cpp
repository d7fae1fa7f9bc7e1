// Reading the signs with the curve: the mucus peak of a cycle's observations, the double check
// with the temperature, the first positive test, each closed cycle's findings and the list of
// cycles that shows them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cycle_list_rules.h"
#include "data_files.h"
#include "sign_reading.h"
#include "support/store_builder.h"

using namespace test_support;

namespace {

// One observation a day from 1 March 2026 (day 0), or on the given days.
std::vector<MucusObservation> Daily(const std::vector<int>& levels, std::vector<int> days = {}) {
  std::vector<MucusObservation> out;
  for (std::size_t i = 0; i < levels.size(); ++i) {
    const int day = days.empty() ? static_cast<int>(i) : days[i];
    out.push_back({Ymd(2026, 3, 1 + day), levels[i]});
  }
  return out;
}

}  // namespace

TEST(SignReading, MucusPeak) {
  const DateYmd noShift{};
  const struct {
    const char* name;
    std::vector<MucusObservation> observations;
    DateYmd confirmed;
    int peak, thirdLower;
  } cases[] = {
      {"the last 3 before three lower ones",
       Daily({0, 0, 0, 1, 1, 2, 2, 2, 3, 3, 3, 2, 2, 0, 1, 1, 1, 1, 0}), noShift, 10, 13},
      {"the early 2 dropped by later ones, the last 3 with two lower only",
       Daily({0, 1, 1, 2, 0, 0, 1, 2, 3, 2, 3, 3, 3, 2, 2}), noShift, -1, -1},
      {"never lower", Daily({2, 2, 2, 2, 2, 2, 2, 2}), noShift, -1, -1},
      {"without a shift the first 4 is dropped by the second", Daily({4, 2, 3, 3, 4, 3, 2, 2}),
       noShift, 4, 7},
      {"days without an observation are skipped", Daily({1, 3, 2, 1, 1}, {0, 1, 5, 9, 10}),
       noShift, 1, 4},
      {"with a shift, dropped by a higher level up to the temperature confirmation",
       Daily({2, 1, 1, 1, 3, 2, 1, 0}), Ymd(2026, 3, 7), 4, 7},
      {"an equal level on the double-check day drops it", Daily({3, 2, 1, 0, 1, 3, 0, 0}),
       Ymd(2026, 3, 6), -1, -1},
      {"a higher level after the double-check day changes nothing", Daily({3, 2, 1, 0, 1, 4}),
       Ymd(2026, 3, 5), 0, 3},
      {"a peak on the cycle's last observations", Daily({0, 1, 2, 1, 0, 0}), noShift, 2, 5},
  };
  for (const auto& c : cases) {
    const MucusPeak p = FindMucusPeak(c.observations, c.confirmed);
    EXPECT_EQ(p.peak, c.peak) << c.name;
    EXPECT_EQ(p.thirdLower, c.thirdLower) << c.name;
  }
}

// Three cycles of 28 days from 1 January 2026, each with a shift confirmed on its day 9 (9
// January, 6 February, 6 March), today 20 March. The mucus peak's third lower day falls after
// the confirmation in the first cycle, before it in the second and on it in the third.
class SignCycles : public ::testing::Test {
 protected:
  SignCycles() {
    for (const DateYmd start : {Ymd(2026, 1, 1), Ymd(2026, 1, 29), Ymd(2026, 2, 26)}) {
      const char* values[] = {"36.30", "36.35", "36.20", "36.40", "36.30",
                              "36.25", "36.50", "36.55", "36.60"};
      for (int i = 0; i < 9; ++i) {
        const DateYmd d = FromTm(quillet::AddYmd(ToTm(start), 0, 0, i));
        AddTemperatures(temperatures, std::to_string(d.year) + "/" + std::to_string(d.month) +
                                          "/" + std::to_string(d.day) + "," + values[i] +
                                          (i == 0 ? ",1" : ""));
      }
    }
    ReadDataBytes(
        "2025/12/30,4,1,\r\n"  // before the first period start: not read
        "2026/1/8,2,,\r\n2026/1/9,3,0,\r\n2026/1/10,4,2,\r\n2026/1/11,3,,\r\n"
        "2026/1/12,2,1,\r\n2026/1/13,1,,\r\n"
        "2026/1/30,3,,\r\n2026/1/31,4,,\r\n2026/2/1,,1,\r\n2026/2/2,2,,\r\n"
        "2026/2/3,1,,\r\n2026/2/4,1,,\r\n"
        "2026/3/2,2,,\r\n2026/3/3,4,,\r\n2026/3/4,3,,\r\n2026/3/5,2,,\r\n2026/3/6,1,,\r\n"
        "2026/3/25,,1,\r\n",  // after today: not read
        signs);
  }

  static constexpr DateYmd kToday{2026, 3, 20};
  TemperatureStore temperatures;
  SignStore signs;
};

TEST_F(SignCycles, DoubleCheckInEachOrderAndTheListShowsIt) {
  const std::vector<SignCycleReading>& r = ReadSignCycles(signs, temperatures, kToday);
  ASSERT_EQ(r.size(), 3u);
  // Temperature first (9 January), mucus third lower day 13 January.
  EXPECT_EQ(r[0].mucusPeak, Ymd(2026, 1, 10));
  EXPECT_EQ(r[0].doubleCheck, Ymd(2026, 1, 13));
  // Mucus first: the third lower day is 4 February (1 February has no mucus).
  EXPECT_EQ(r[1].mucusPeak, Ymd(2026, 1, 31));
  EXPECT_EQ(r[1].doubleCheck, Ymd(2026, 2, 6));
  // The same day.
  EXPECT_EQ(r[2].doubleCheck, Ymd(2026, 3, 6));

  const std::vector<CycleListRow> rows = CycleListRows(ReadCycles(temperatures, kToday), r);
  ASSERT_EQ(rows.size(), 3u);
  const auto signColumns = [](const CycleListRow& row) {
    return std::vector<std::u16string>(row.begin() + 7, row.end());
  };
  // Newest first. The closed cycles rise by 0.25 (36.30 to 36.55).
  EXPECT_EQ(signColumns(rows[0]), (std::vector<std::u16string>{u"3/3", u"", u"3/6", u""}));
  EXPECT_EQ(signColumns(rows[1]),
            (std::vector<std::u16string>{u"1/31", u"2/1", u"2/6", u"高低差が小さめ"}));
  EXPECT_EQ(signColumns(rows[2]),
            (std::vector<std::u16string>{u"1/10", u"1/10", u"1/13", u"高低差が小さめ"}));
  EXPECT_EQ(CycleListClipboardText({rows[0]}),
            u"開始日\t周期\t高温期の開始\t推定排卵日\t高温期\t低温期の平均\t高温期の平均\t"
            u"粘液の頂点\t検査薬陽性\t排卵の確認\t所見\r\n"
            u"2026/02/26\t\t3/4\t3/3\t\t36.30\t36.55\t3/3\t\t3/6\t\r\n");
}

TEST_F(SignCycles, ReadAgainAfterAChangeOfEitherStore) {
  EXPECT_EQ(ReadSignCycles(signs, temperatures, kToday)[2].mucusPeak, Ymd(2026, 3, 3));
  // A 4 on 5 March, before the confirmation: the peak moves to it, its double check to 8 March.
  ASSERT_TRUE(UpdateSigns(SignRecord{2026, 3, 5, 4}, signs));
  ASSERT_TRUE(InsertSigns(SignRecord{2026, 3, 7, 1}, signs));
  ASSERT_TRUE(InsertSigns(SignRecord{2026, 3, 8, 0}, signs));
  EXPECT_EQ(ReadSignCycles(signs, temperatures, kToday)[2].mucusPeak, Ymd(2026, 3, 5));
  EXPECT_EQ(ReadSignCycles(signs, temperatures, kToday)[2].doubleCheck, Ymd(2026, 3, 8));
  // Without the shift the peak stands, with no double check.
  ASSERT_TRUE(DeleteTemperature(temperatures, 2026, 3, 6));
  EXPECT_TRUE(ReadSignCycles(signs, temperatures, kToday)[2].doubleCheck.IsZero());
  // Another today: the positive test of 25 March is read.
  EXPECT_EQ(ReadSignCycles(signs, temperatures, Ymd(2026, 3, 25))[2].firstPositiveTest,
            Ymd(2026, 3, 25));
}

TEST(SignReading, FindingsOfAClosedCycleAtTheirLimits) {
  CycleReading base;  // 28 days, 28 values, a high phase of 14 days 0.40 above the low one
  base.closed = true;
  base.lengthDays = 28;
  base.recordedDays = 28;
  base.hasShift = true;
  base.highPhaseDays = 14;
  base.lowAverage = 3630;
  base.highAverage = 3670;
  const auto with = [&](auto change) {
    CycleReading c = base;
    change(c);
    return CycleFindings(c);
  };
  const auto noShift = [](int values) {
    return [values](CycleReading& c) {
      c.hasShift = false;
      c.highPhaseDays = 0;
      c.lowAverage = c.highAverage = -1;
      c.recordedDays = values;
    };
  };
  EXPECT_EQ(CycleFindings(base), u"");
  EXPECT_EQ(with(noShift(19)), u"");
  EXPECT_EQ(with(noShift(20)), u"高温期なし");
  EXPECT_EQ(with([](CycleReading& c) { c.highPhaseDays = 9; }), u"高温期が短め");
  EXPECT_EQ(with([](CycleReading& c) { c.highPhaseDays = 10; }), u"");
  EXPECT_EQ(with([](CycleReading& c) { c.highAverage = 3659; }), u"高低差が小さめ");
  EXPECT_EQ(with([](CycleReading& c) { c.highAverage = 3660; }), u"");
  EXPECT_EQ(with([](CycleReading& c) { c.lengthDays = 24; }), u"周期が短め");
  EXPECT_EQ(with([](CycleReading& c) { c.lengthDays = 25; }), u"");
  EXPECT_EQ(with([](CycleReading& c) { c.lengthDays = 38; }), u"");
  EXPECT_EQ(with([](CycleReading& c) { c.lengthDays = 39; }), u"周期が長め");
  EXPECT_EQ(with([](CycleReading& c) {
              c.highPhaseDays = 5;
              c.highAverage = 3640;
              c.lengthDays = 20;
            }),
            u"高温期が短め、高低差が小さめ、周期が短め");
  // The current cycle has none.
  EXPECT_EQ(with([](CycleReading& c) {
              c.closed = false;
              c.lengthDays = 0;
              c.highPhaseDays = 0;
            }),
            u"");
}
