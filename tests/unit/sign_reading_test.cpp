// Reading the signs with the curve: the mucus peak of a cycle's observations, the double check
// with the temperature, the first positive test and each closed cycle's findings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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
      {"the third after it back at its level", Daily({3, 2, 1, 3, 2, 1, 0}), noShift, 3, 6},
  };
  for (const auto& c : cases) {
    const MucusPeak p = FindMucusPeak(c.observations, c.confirmed);
    EXPECT_EQ(p.peak, c.peak) << c.name;
    EXPECT_EQ(p.thirdLower, c.thirdLower) << c.name;
  }
}

// Three cycles of 28 days from 1 January 2026, each with a shift confirmed on its day 9 (9
// January, 6 February, 6 March), today 20 March. The mucus peak's third lower day falls after
// the confirmation in the first cycle, before it in the second and on it in the third, whose
// peak is its first observation.
class SignCycles : public ::testing::Test {
 protected:
  SignCycles() {
    AddThreeCycles(temperatures);
    ReadDataBytes(
        "2025/12/30,4,1,\r\n"  // before the first period start: not read
        "2026/1/8,2,,\r\n2026/1/9,3,0,\r\n2026/1/10,4,2,\r\n2026/1/11,3,,\r\n"
        "2026/1/12,2,1,\r\n2026/1/13,1,,\r\n"
        "2026/1/30,3,,\r\n2026/1/31,4,,\r\n2026/2/1,,1,\r\n2026/2/2,2,,\r\n"
        "2026/2/3,1,,\r\n2026/2/4,1,,\r\n"
        "2026/3/3,4,,\r\n2026/3/4,3,,\r\n2026/3/5,2,,\r\n2026/3/6,1,,\r\n"
        "2026/3/25,,1,\r\n",  // after today: not read
        signs);
  }

  static void AddThreeCycles(TemperatureStore& store) {
    for (const DateYmd start : {Ymd(2026, 1, 1), Ymd(2026, 1, 29), Ymd(2026, 2, 26)}) {
      const char* values[] = {"36.30", "36.35", "36.20", "36.40", "36.30",
                              "36.25", "36.50", "36.55", "36.60"};
      for (int i = 0; i < 9; ++i) {
        const DateYmd d = FromTm(quillet::AddYmd(ToTm(start), 0, 0, i));
        AddTemperatures(store, std::to_string(d.year) + "/" + std::to_string(d.month) + "/" +
                                   std::to_string(d.day) + "," + values[i] + (i == 0 ? ",1" : ""));
      }
    }
  }

  static constexpr DateYmd kToday{2026, 3, 20};
  TemperatureStore temperatures;
  SignStore signs;
};

TEST_F(SignCycles, DoubleCheckInEachOrderAndTheFirstPositiveTest) {
  const std::vector<SignCycleReading>& r = ReadSignCycles(signs, temperatures, kToday);
  ASSERT_EQ(r.size(), 3u);
  // Temperature first (9 January), mucus third lower day 13 January.
  EXPECT_EQ(r[0].mucusPeak, Ymd(2026, 1, 10));
  EXPECT_EQ(r[0].doubleCheck, Ymd(2026, 1, 13));
  // Mucus first: the third lower day is 4 February (1 February has a test only).
  EXPECT_EQ(r[1].mucusPeak, Ymd(2026, 1, 31));
  EXPECT_EQ(r[1].doubleCheck, Ymd(2026, 2, 6));
  // The same day.
  EXPECT_EQ(r[2].doubleCheck, Ymd(2026, 3, 6));
  // Positive or strongly positive, not negative; none before the start or after today.
  EXPECT_EQ(r[0].firstPositiveTest, Ymd(2026, 1, 10));
  EXPECT_EQ(r[1].firstPositiveTest, Ymd(2026, 2, 1));
  EXPECT_TRUE(r[2].firstPositiveTest.IsZero());
}

TEST_F(SignCycles, ReadAgainAfterAChangeOfEitherStoreOrToday) {
  const auto third = [&](const DateYmd& today) {
    return ReadSignCycles(signs, temperatures, today)[2];
  };
  EXPECT_EQ(third(Ymd(2026, 3, 6)).doubleCheck, Ymd(2026, 3, 6));  // today is the third lower day
  EXPECT_EQ(third(kToday).doubleCheck, Ymd(2026, 3, 6));
  ASSERT_TRUE(DeleteTemperature(temperatures, 2026, 3, 6));  // no shift: no double check
  EXPECT_TRUE(third(kToday).doubleCheck.IsZero());
  EXPECT_EQ(third(kToday).mucusPeak, Ymd(2026, 3, 3));
  ASSERT_TRUE(UpdateSigns(SignRecord{2026, 3, 5, 4}, signs));  // a later 4 without three lower
  EXPECT_TRUE(third(kToday).mucusPeak.IsZero());
  EXPECT_EQ(third(Ymd(2026, 3, 25)).firstPositiveTest, Ymd(2026, 3, 25));
}

TEST_F(SignCycles, ReadAgainstAnotherTemperatureStoreOfTheSameVersion) {
  TemperatureStore other;  // the same changes, then no shift in the third cycle
  AddThreeCycles(other);
  ASSERT_TRUE(DeleteTemperature(other, 2026, 3, 6));
  AddTemperatures(temperatures, "2026/3/25,36.70");  // after today: read by neither
  ASSERT_EQ(other.records.version, temperatures.records.version);
  EXPECT_EQ(ReadSignCycles(signs, temperatures, kToday)[2].doubleCheck, Ymd(2026, 3, 6));
  EXPECT_TRUE(ReadSignCycles(signs, other, kToday)[2].doubleCheck.IsZero());
}

TEST(SignReading, DaysOfTheCyclesThatReachIntoTheColumns) {
  // A day on the first cycle's last day, one on the second's first day, none in the third.
  const auto cycle = [](const DateYmd& start, const DateYmd& end) {
    CycleReading c;
    c.start = start;
    c.end = end;
    return c;
  };
  const std::vector<CycleReading> cycles{cycle(Ymd(2026, 3, 1), Ymd(2026, 3, 28)),
                                         cycle(Ymd(2026, 3, 29), Ymd(2026, 4, 25)),
                                         cycle(Ymd(2026, 4, 26), Ymd(2026, 5, 10))};
  std::vector<SignCycleReading> readings(3);
  readings[0].doubleCheck = Ymd(2026, 3, 28);
  readings[1].doubleCheck = Ymd(2026, 3, 29);
  const struct {
    DateYmd first, last;
    std::vector<DateYmd> days;
  } cases[] = {
      {Ymd(2026, 3, 28), Ymd(2026, 3, 28), {Ymd(2026, 3, 28)}},
      {Ymd(2026, 3, 1), Ymd(2026, 3, 29), {Ymd(2026, 3, 28), Ymd(2026, 3, 29)}},
      {Ymd(2026, 3, 29), Ymd(2026, 5, 10), {Ymd(2026, 3, 29)}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SignDaysBetween(cycles, readings, &SignCycleReading::doubleCheck, c.first, c.last),
              c.days)
        << c.first.month << "/" << c.first.day << "-" << c.last.month << "/" << c.last.day;
}

TEST(SignReading, FindingsOfAClosedCycleAtTheirLimits) {
  const struct {
    int length, values;
    bool shift;
    int highDays, rise;  // the high phase's days and its average over the low one's
    bool closed;
    const char16_t* findings;
  } cases[] = {
      {28, 28, true, 14, 40, true, u""},
      {28, 19, false, 0, 0, true, u""},
      {28, 20, false, 0, 0, true, u"高温期なし"},
      {28, 28, true, 9, 40, true, u"高温期が短め"},
      {28, 28, true, 10, 40, true, u""},
      {28, 28, true, 14, 29, true, u"高低差が小さめ"},
      {28, 28, true, 14, 30, true, u""},
      {24, 24, true, 14, 40, true, u"周期が短め"},
      {25, 25, true, 14, 40, true, u""},
      {38, 38, true, 14, 40, true, u""},
      {39, 39, false, 0, 0, true, u"高温期なし、周期が長め"},
      {20, 20, true, 5, 10, true, u"高温期が短め、高低差が小さめ、周期が短め"},
      {0, 40, false, 0, 0, false, u""},  // the current cycle has none
  };
  for (const auto& c : cases) {
    CycleReading r;
    r.closed = c.closed;
    r.lengthDays = c.length;
    r.recordedDays = c.values;
    r.hasShift = c.shift;
    r.highPhaseDays = c.highDays;
    r.lowAverage = c.shift ? 3630 : -1;
    r.highAverage = c.shift ? 3630 + c.rise : -1;
    EXPECT_EQ(CycleFindings(r), c.findings) << c.length << " days, " << c.values << " values";
  }
}
