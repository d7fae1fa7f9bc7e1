#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "data_files.h"
#include "records_oracle.h"
#include "statistics.h"
#include "support/store_builder.h"
#include "support/temp_folder.h"

using test_support::AddTemperatures;
using test_support::AddWeights;
using test_support::MakeTemperature;
using test_support::Tm;
using test_support::Ymd;

TEST(Statistics, EmptyTemperatureStoreFallsBack) {
  TemperatureStore store;
  store.periodCycle = 31;
  EXPECT_DOUBLE_EQ(AverageTemperature(store), 36.5);
  EXPECT_DOUBLE_EQ(ChartFloorTemperature(store), 35.5);
  EXPECT_EQ(AverageCycleDays(store), 31);
  EXPECT_TRUE(NextPeriodDate(store, Tm(2007, 6, 1)).IsZero());
  EXPECT_TRUE(NextOvulationDate(store, Tm(2007, 6, 1)).IsZero());
  EXPECT_FALSE(IsPregnancyLikely(store, Ymd(2007, 6, 1), Tm(2007, 6, 1)));
}

TEST(Statistics, AverageTemperatureIsTheMeanOfAllRecords) {
  TemperatureStore store;
  AddTemperatures(store, "2007/5/1,36.20; 2007/5/2,36.40; 2007/5/3,36.90");
  EXPECT_NEAR(AverageTemperature(store), 36.5, 1e-12);
}

TEST(Statistics, TemperatureFloorTruncatesToATenth) {
  TemperatureStore store;
  AddTemperatures(store, "2007/5/1,36.57");
  EXPECT_DOUBLE_EQ(ChartFloorTemperature(store), 35.5);
  ASSERT_TRUE(UpdateTemperature(MakeTemperature(2007, 5, 1, 36.47), store));
  EXPECT_DOUBLE_EQ(ChartFloorTemperature(store), 35.4);
  store.temperatureCalcType = 1;
  store.minTemperature = 34.8;
  EXPECT_DOUBLE_EQ(ChartFloorTemperature(store), 34.8);
  store.temperatureCalcType = 2;  // anything but 1 is automatic
  EXPECT_DOUBLE_EQ(ChartFloorTemperature(store), 35.4);
}

// Every two-decimal mean from 30.00 to 41.99 that is not a whole tenth: the floor is the mean
// less one degree with the hundredths cut off; binary rounding never costs a tenth.
TEST(Statistics, TemperatureFloorOfEveryTwoDecimalMean) {
  for (int hundredths = 3000; hundredths < 4200; ++hundredths) {
    if (hundredths % 10 == 0) continue;
    TemperatureStore store;
    ASSERT_TRUE(InsertTemperature(MakeTemperature(2007, 5, 1, hundredths / 100.0), store));
    EXPECT_DOUBLE_EQ(ChartFloorTemperature(store), ((hundredths - 100) / 10) / 10.0) << hundredths;
  }
}

// A mean on a whole tenth is cut from its exact binary value, as the 80-bit arithmetic always
// did: 36.3 is held as 36.2999..., so its floor is 35.2; 36.2 is held as 36.2000...01 and 36.5
// exactly, so theirs are 35.2 and 35.5.
TEST(Statistics, TemperatureFloorOfAWholeTenthFollowsItsBinaryValue) {
  const struct { double mean; double floor; } cases[] = {
      {36.3, 35.2}, {36.4, 35.3}, {36.2, 35.2}, {36.5, 35.5}, {37.0, 36.0}, {36.6, 35.6}};
  for (const auto& c : cases) {
    TemperatureStore store;
    ASSERT_TRUE(InsertTemperature(MakeTemperature(2007, 5, 1, c.mean), store));
    EXPECT_DOUBLE_EQ(ChartFloorTemperature(store), c.floor) << c.mean;
  }
}

TEST(Statistics, WeightFloorIsTheMeanLessFiveCutToWholeKilograms) {
  WeightStore store;
  store.minWeight = 41.0;
  EXPECT_DOUBLE_EQ(ChartFloorWeight(store), 41.0);  // empty: the manual value
  AddWeights(store, "2007/5/1,52.34");
  EXPECT_DOUBLE_EQ(ChartFloorWeight(store), 47.0);
  ASSERT_TRUE(UpdateWeight(test_support::MakeWeight(2007, 5, 1, 44.9), store));
  EXPECT_DOUBLE_EQ(ChartFloorWeight(store), 39.0);
  AddWeights(store, "2007/5/2,45.1");  // mean 45.0 exactly
  EXPECT_DOUBLE_EQ(ChartFloorWeight(store), 40.0);
  store.weightCalcType = 1;
  EXPECT_DOUBLE_EQ(ChartFloorWeight(store), 41.0);
}

TEST(Statistics, WeightFloorOfEveryOneDecimalMean) {
  for (int tenths = 300; tenths < 1500; ++tenths) {
    WeightStore store;
    ASSERT_TRUE(InsertWeight(test_support::MakeWeight(2007, 5, 1, tenths / 10.0), store));
    EXPECT_DOUBLE_EQ(ChartFloorWeight(store), (tenths - 50) / 10) << tenths;
  }
}

TEST(Statistics, CycleIgnoresGapsOutside20To40ButMovesOn) {
  TemperatureStore store;
  store.periodCycle = 33;
  AddTemperatures(store,
                  "2007/1/1,36.3,1; 2007/1/15,36.5; 2007/1/29,36.3,1; 2007/3/20,36.3,1");
  EXPECT_EQ(AverageCycleDays(store), 28);  // the 50-day gap is left out
  AddTemperatures(store, "2007/4/17,36.3,1");
  EXPECT_EQ(AverageCycleDays(store), 28);  // 28 from 20 March counts again
  AddTemperatures(store, "2007/5/21,36.3,1");
  EXPECT_EQ(AverageCycleDays(store), 30);  // (28 + 28 + 34) / 3
  store.periodCalcType = 2;  // anything but 1 is automatic
  EXPECT_EQ(AverageCycleDays(store), 30);
  EXPECT_EQ(recompute::AverageCycleDays(store), 30);
}

TEST(Statistics, CycleFallsBackToTheManualValue) {
  TemperatureStore store;
  store.periodCycle = 33;
  AddTemperatures(store, "2007/1/1,36.3,1; 2007/1/5,36.5");
  EXPECT_EQ(AverageCycleDays(store), 33);  // one start only
  AddTemperatures(store, "2007/1/20,36.3,1");
  EXPECT_EQ(AverageCycleDays(store), 33);  // 19 days: not a cycle
  store.periodCalcType = 1;
  EXPECT_EQ(AverageCycleDays(store), 33);
}

TEST(Statistics, CycleCountsGapsOf20And40AndDividesAsIntegers) {
  TemperatureStore twenty;
  AddTemperatures(twenty, "2007/1/1,36.3,1; 2007/1/21,36.3,1");
  EXPECT_EQ(AverageCycleDays(twenty), 20);
  TemperatureStore forty;
  AddTemperatures(forty, "2007/1/1,36.3,1; 2007/2/10,36.3,1");
  EXPECT_EQ(AverageCycleDays(forty), 40);
  TemperatureStore fortyOne;
  fortyOne.periodCycle = 33;
  AddTemperatures(fortyOne, "2007/1/1,36.3,1; 2007/2/11,36.3,1");
  EXPECT_EQ(AverageCycleDays(fortyOne), 33);  // 41 days: not a cycle
  TemperatureStore mixed;
  AddTemperatures(mixed, "2007/1/1,36.3,1; 2007/1/30,36.3,1; 2007/3/1,36.3,1");
  EXPECT_EQ(AverageCycleDays(mixed), 29);  // (29 + 30) / 2
  // Only a flag of exactly 1 is a start for the cycle.
  TemperatureStore flagTwo;
  flagTwo.periodCycle = 33;
  AddTemperatures(flagTwo, "2007/1/1,36.3,1; 2007/1/29,36.3,2; 2007/2/26,36.3,1");
  EXPECT_EQ(AverageCycleDays(flagTwo), 33);  // one gap of 56 days
}

TEST(Statistics, PredictionsFromTheLatestStartBeforeToday) {
  TemperatureStore store;
  store.periodCalcType = 1;
  store.periodCycle = 28;
  AddTemperatures(store, "2007/4/12,36.3,1; 2007/5/10,36.2,1; 2007/5/20,36.6");
  EXPECT_EQ(NextPeriodDate(store, Tm(2007, 5, 20)), Ymd(2007, 6, 7));
  EXPECT_EQ(NextOvulationDate(store, Tm(2007, 5, 20)), Ymd(2007, 5, 24));
  // Before 10 May the start of 12 April is the latest one.
  EXPECT_EQ(NextPeriodDate(store, Tm(2007, 5, 9)), Ymd(2007, 5, 10));
  EXPECT_EQ(NextOvulationDate(store, Tm(2007, 5, 9)), Ymd(2007, 4, 26));
  store.periodCycle = 30;  // a new cycle length moves the predictions at once
  EXPECT_EQ(NextPeriodDate(store, Tm(2007, 5, 9)), Ymd(2007, 5, 12));
  store.periodCycle = 28;
  // Before any start there is nothing to predict.
  EXPECT_TRUE(NextPeriodDate(store, Tm(2007, 4, 11)).IsZero());
  EXPECT_TRUE(NextOvulationDate(store, Tm(2007, 4, 11)).IsZero());
}

TEST(Statistics, PredictionsCrossMonthAndYearEnds) {
  TemperatureStore store;
  store.periodCalcType = 1;
  store.periodCycle = 30;
  AddTemperatures(store, "2007/12/10,36.3,1");
  EXPECT_EQ(NextPeriodDate(store, Tm(2007, 12, 31)), Ymd(2008, 1, 9));
  EXPECT_EQ(NextOvulationDate(store, Tm(2007, 12, 31)), Ymd(2007, 12, 26));
  TemperatureStore leap;
  leap.periodCalcType = 1;
  leap.periodCycle = 28;
  AddTemperatures(leap, "2008/2/5,36.3,1");
  EXPECT_EQ(NextPeriodDate(leap, Tm(2008, 2, 10)), Ymd(2008, 3, 4));
  EXPECT_EQ(NextOvulationDate(leap, Tm(2008, 2, 10)), Ymd(2008, 2, 19));
}

namespace {

// A period start with a manual 28-day cycle, so the predicted ovulation is 14 days later, and
// ten days at `base` after it; then `recorded` of the `days` days from the ovulation day, the
// first `low` of them low (35.9) and the rest at `high`; and the day `days` after the ovulation
// day itself recorded at `high`.
struct HighPhase {
  int recorded = 20, low = 0, days = 20;
  DateYmd start{2007, 5, 10};
  double base = 36.0, high = 36.8;
};

DateYmd DaysAfter(const DateYmd& d, int days) { return FromTm(quillet::AddYmd(ToTm(d), 0, 0, days)); }

void BuildHighPhase(TemperatureStore& store, const HighPhase& p) {
  store.periodCalcType = 1;
  store.periodCycle = 28;
  const auto add = [&](int day, double t, int flag) {
    const DateYmd d = DaysAfter(p.start, day);
    ASSERT_TRUE(InsertTemperature(MakeTemperature(d.year, d.month, d.day, t, flag), store));
  };
  for (int i = 0; i <= 10; ++i) add(i, p.base, i == 0 ? 1 : 0);
  for (int i = 0; i < p.recorded; ++i) add(14 + i, i < p.low ? 35.9 : p.high, 0);
  add(14 + p.days, p.high, 0);
}

}  // namespace

// Each case with the values kept in the store and computed afresh (the benchmarks' reference).
TEST(Statistics, PregnancyNeeds18Of20DaysRecordedAnd90PercentHigh) {
  const struct {
    const char* what;
    HighPhase phase;
    int day;  // the day asked about, counted from the ovulation day
    bool likely;
  } cases[] = {
      {"18/20 recorded, 17/18 high", {18, 1}, 20, true},
      {"no record that day", {18, 1}, 21, false},
      {"16/18 high: 89 per cent", {18, 2}, 20, false},
      {"18/20 high: 90 per cent", {20, 2}, 20, true},
      {"25/28 high: 89 per cent", {28, 3, 28}, 28, false},
      {"17/20 recorded: 85 per cent", {17, 0}, 20, false},
      {"25/28 recorded: 89 per cent", {25, 0, 28}, 28, false},
      {"19 days only", {20, 0}, 19, false},
      {"a value equal to the average is high", {20, 0, 20, {2007, 5, 10}, 36.5, 36.5}, 20, true},
      {"across the year end", {20, 0, 20, {2007, 12, 1}}, 20, true},
  };
  for (const auto& c : cases) {
    for (const bool keep : {true, false}) {
      TemperatureStore store;
      store.records.keepDerived = keep;
      BuildHighPhase(store, c.phase);
      const DateYmd ovulation = DaysAfter(c.phase.start, 14);
      const std::tm today = ToTm(DaysAfter(ovulation, 30));
      ASSERT_EQ(NextOvulationDate(store, today), ovulation) << c.what;
      EXPECT_EQ(IsPregnancyLikely(store, DaysAfter(ovulation, c.day), today), c.likely)
          << c.what << (keep ? "" : ", computed afresh");
    }
  }
  // The ovulation day comes from today: with today before the start there is none.
  TemperatureStore store;
  BuildHighPhase(store, {});
  EXPECT_FALSE(IsPregnancyLikely(store, Ymd(2007, 6, 13), Tm(2007, 5, 9)));
}

// Random stores of a year and a half with gaps, random flags and random "today": the fast
// predictions and the pregnancy test agree with the literal day-by-day versions.
TEST(Statistics, FastPredictionsAgreeWithTheLiteralWalks) {
  std::mt19937 rng(4242);
  std::uniform_int_distribution<int> percent(0, 99);
  std::uniform_int_distribution<int> temp(3600, 3700);
  std::uniform_int_distribution<int> offset(-30, 600);
  for (int round = 0; round < 20; ++round) {
    TemperatureStore store;
    store.periodCalcType = round % 3 == 0 ? 1 : 0;
    const int gapPercent = round % 4 * 5;
    std::tm day = Tm(2006, 12, 20);
    for (int i = 0; i < 540; ++i, day = quillet::GetNextDay(day)) {
      if (percent(rng) < gapPercent) continue;
      const int flag = percent(rng) < 4 ? 1 : 0;
      InsertTemperature(MakeTemperature(day.tm_year + 1900, day.tm_mon + 1, day.tm_mday,
                                        temp(rng) / 100.0, flag), store);
    }
    for (int probe = 0; probe < 40; ++probe) {
      const std::tm today = quillet::AddYmd(Tm(2006, 12, 20), 0, 0, offset(rng));
      const DateYmd date = FromTm(quillet::AddYmd(Tm(2006, 12, 20), 0, 0, offset(rng)));
      ASSERT_EQ(NextPeriodDate(store, today), oracle::NextPeriodDate(store, today));
      ASSERT_EQ(NextOvulationDate(store, today), oracle::NextOvulationDate(store, today));
      ASSERT_EQ(IsPregnancyLikely(store, date, today),
                oracle::IsPregnancyLikely(store, date, today))
          << date.year << "/" << date.month << "/" << date.day;
    }
  }
}

// Keys that are no calendar day (the store accepts any triple) are never met by a walk through
// the calendar, so they do not count as recorded days in the pregnancy test either: 17 of the 20
// days are recorded, one short.
TEST(Statistics, PregnancyWalkSkipsKeysThatAreNoCalendarDay) {
  const struct {
    DateYmd start;
    const char* keys;
  } cases[] = {
      {{2007, 5, 10}, "2007/5/32,36.8; 2007/6/0,36.8; 2007/5/40,36.8"},
      {{2007, 12, 1}, "2007/12/32,36.8; 2007/13/1,36.8; 2008/0/1,36.8"},
  };
  for (const auto& c : cases) {
    for (const bool keep : {true, false}) {
      TemperatureStore store;
      store.records.keepDerived = keep;
      BuildHighPhase(store, {17, 0, 20, c.start});
      AddTemperatures(store, c.keys);
      const DateYmd date = DaysAfter(c.start, 14 + 20);
      const std::tm today = ToTm(DaysAfter(date, 10));
      EXPECT_EQ(IsPregnancyLikely(store, date, today), oracle::IsPregnancyLikely(store, date, today));
      EXPECT_FALSE(IsPregnancyLikely(store, date, today)) << c.keys << keep;
    }
  }
}

// The values kept in the stores never go stale: random inserts, updates, deletes, setting
// changes and reloads of a temperature and a weight store, and after every step each statistic
// has exactly the bits of the from-scratch computation (the predictions and the period-start
// search those of the literal day-by-day walks), for several "today"s.
TEST(Statistics, KeptValuesFollowEveryChangeOfTheStores) {
  const auto sameBits = [](double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; };
  test_support::TempFolder folder;
  const auto file = folder.path() / "TEMPERATURE_DATA.dat";
  std::mt19937 rng(1919);
  std::uniform_int_distribution<int> dayOf(0, 400), percent(0, 99), hundredths(3540, 3760);
  const auto dateAt = [](int offset) { return quillet::AddYmd(Tm(2006, 1, 1), 0, 0, offset); };
  TemperatureStore t;
  WeightStore w;
  for (int step = 0; step < 600; ++step) {
    const std::tm at = dateAt(dayOf(rng));
    const int y = at.tm_year + 1900, m = at.tm_mon + 1, d = at.tm_mday;
    const int action = percent(rng);
    const auto temperature = MakeTemperature(y, m, d, hundredths(rng) / 100.0, percent(rng) < 8);
    if (action < 45) {
      InsertTemperature(temperature, t);
      InsertWeight(test_support::MakeWeight(y, m, d, 40 + percent(rng) / 10.0), w);
    } else if (action < 70) {
      UpdateTemperature(temperature, t);
      UpdateWeight(test_support::MakeWeight(y, m, d, 60 + percent(rng) / 10.0), w);
    } else if (action < 93) {
      DeleteTemperature(t, y, m, d);
      DeleteWeight(w, y, m, d);
    } else if (action < 97) {
      t.periodCalcType = percent(rng) % 2;
      t.periodCycle = 25 + percent(rng) % 10;
      t.temperatureCalcType = percent(rng) % 2;
      w.weightCalcType = percent(rng) % 2;
    } else {
      ASSERT_TRUE(SaveTemperatureData(t, file));
      t.records.Clear();
      LoadTemperatureData(t, file);
    }

    SCOPED_TRACE(step);
    ASSERT_TRUE(sameBits(AverageTemperature(t), recompute::AverageTemperature(t)));
    ASSERT_TRUE(sameBits(ChartFloorTemperature(t), recompute::ChartFloorTemperature(t)));
    ASSERT_TRUE(sameBits(ChartFloorWeight(w), recompute::ChartFloorWeight(w)));
    ASSERT_EQ(AverageCycleDays(t), recompute::AverageCycleDays(t));
    for (int probe = 0; probe < 3; ++probe) {
      const std::tm today = dateAt(dayOf(rng));
      const DateYmd date = FromTm(dateAt(dayOf(rng)));
      ASSERT_EQ(NextPeriodDate(t, today), oracle::NextPeriodDate(t, today));
      ASSERT_EQ(NextOvulationDate(t, today), oracle::NextOvulationDate(t, today));
      ASSERT_EQ(IsPregnancyLikely(t, date, today), oracle::IsPregnancyLikely(t, date, today));
      ASSERT_EQ(LatestPeriodStart(t, date.year, date.month, date.day),
                oracle::LatestPeriodStart(t, date.year, date.month, date.day));
    }
  }
}
