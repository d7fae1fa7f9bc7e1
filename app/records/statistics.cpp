// Averages, chart floors, the cycle length and the predictions. The whole-store walks live in
// namespace recompute; the public functions read what the store keeps of them, derived again by
// the same walks on the first read after any change of the records.
#include "statistics.h"

#include <algorithm>
#include <cmath>

#include "dates.h"

namespace {

constexpr double kEmptyAverageTemperature = 36.5;
constexpr int kMinCountedGap = 20;   // period gaps outside 20-40 days are not cycles
constexpr int kMaxCountedGap = 40;
constexpr int kOvulationBeforePeriod = 14;
constexpr int kMinDaysSinceOvulation = 20;
constexpr double kPregnancyPercent = 90.0;

// True for a date the calendar can reach by stepping day by day (month 1-12, day within the
// month). Only such records are met by a walk through the calendar.
bool IsCalendarDay(const DateYmd& d) {
  return d.month >= 1 && d.month <= 12 && d.day >= 1 &&
         d.day <= quillet::GetMaxDayOfMonth(d.year, d.month - 1);
}

// The floor is the mean less one degree, cut down to a tenth. The subtraction and scaling run in
// 80-bit precision, so a mean such as 36.57 reaches the truncation as 355.7, not 355.69999.
double FloorOfAverageTemperature(double average) {
  const long double scaled = (static_cast<long double>(average) - 1.0L) * 10.0L;
  return static_cast<double>(std::trunc(scaled)) / 10.0;
}

double FloorOfAverageWeight(double average) {
  return static_cast<double>(std::trunc(static_cast<long double>(average) - 5.0L));
}

// The mean weight of a non-empty store, summed in 80-bit precision in date order.
double AverageWeight(const WeightStore& store) {
  long double sum = 0;
  int count = 0;
  for (const WeightRecord* r = store.head(); r != nullptr; r = r->next) {
    sum += r->weight;
    ++count;
  }
  return static_cast<double>(sum / count);
}

struct CycleGaps {
  long long sum = 0;
  int count = 0;
};

// The gaps between consecutive period starts (periodStart exactly 1) that count as cycles. A gap
// outside 20-40 days is skipped but still moves the previous start.
CycleGaps CountCycleGaps(const TemperatureStore& store) {
  CycleGaps gaps;
  const TemperatureRecord* previousStart = nullptr;
  for (const TemperatureRecord* r = store.head(); r != nullptr; r = r->next) {
    if (r->periodStart != 1) continue;
    if (previousStart != nullptr) {
      const int gap = quillet::SubDay(ToTm(r->Date()), ToTm(previousStart->Date()));
      if (gap >= kMinCountedGap && gap <= kMaxCountedGap) {
        gaps.sum += gap;
        ++gaps.count;
      }
    }
    previousStart = r;
  }
  return gaps;
}

int CycleFromGaps(const TemperatureStore& store, const CycleGaps& gaps) {
  if (store.periodCalcType == 1 || store.head() == nullptr || gaps.sum == 0)
    return store.periodCycle;
  return static_cast<int>(gaps.sum / gaps.count);
}

const TemperatureSummary& SummaryOf(const TemperatureStore& store) {
  TemperatureSummary& s = store.summary;
  if (s.stamp.Describes(store.records.version)) return s;
  s.averageTemperature = recompute::AverageTemperature(store);
  const CycleGaps gaps = CountCycleGaps(store);
  s.cycleGapSum = gaps.sum;
  s.cycleGapCount = gaps.count;
  s.calendarDays.clear();
  s.highBefore.assign(1, 0);
  for (const TemperatureRecord* r = store.head(); r != nullptr; r = r->next) {
    if (!IsCalendarDay(r->Date())) continue;
    s.calendarDays.push_back(r->Date());
    s.highBefore.push_back(s.highBefore.back() + (r->temperature >= s.averageTemperature ? 1 : 0));
  }
  s.predicted = false;
  s.stamp.Set(store.records.version);
  return s;
}

double WeightAverageOf(const WeightStore& store) {
  WeightSummary& s = store.summary;
  if (!s.stamp.Describes(store.records.version)) {
    s.averageWeight = store.head() != nullptr ? AverageWeight(store) : 0.0;
    s.stamp.Set(store.records.version);
  }
  return s.averageWeight;
}

DateYmd PeriodAfter(const TemperatureStore& store, const DateYmd& today, int cycle) {
  const TemperatureRecord* start = LatestPeriodStart(store, today.year, today.month, today.day);
  if (start == nullptr) return DateYmd{};
  return FromTm(quillet::AddYmd(ToTm(start->Date()), 0, 0, cycle));
}

DateYmd OvulationBefore(const DateYmd& period) {
  if (period.year == 0) return DateYmd{};
  std::tm t = ToTm(period);
  for (int i = 0; i < kOvulationBeforePeriod; ++i) t = quillet::GetPrevDay(t);
  return FromTm(t);
}

// The predictions for today, kept until today, the cycle length or the records change.
const TemperatureSummary& PredictionsOf(const TemperatureStore& store, const std::tm& today) {
  SummaryOf(store);  // a change of the records drops the kept predictions
  const int cycle = AverageCycleDays(store);
  const DateYmd now = FromTm(today);
  TemperatureSummary& s = store.summary;
  if (s.predicted && s.predictedToday == now && s.predictedCycle == cycle) return s;
  s.nextPeriod = PeriodAfter(store, now, cycle);
  s.nextOvulation = OvulationBefore(s.nextPeriod);
  s.predictedToday = now;
  s.predictedCycle = cycle;
  s.predicted = true;
  return s;
}

}  // namespace

namespace recompute {

double AverageTemperature(const TemperatureStore& store) {
  long double sum = 0;
  int count = 0;
  for (const TemperatureRecord* r = store.head(); r != nullptr; r = r->next) {
    sum += r->temperature;
    ++count;
  }
  if (count == 0) return kEmptyAverageTemperature;
  return static_cast<double>(sum / count);
}

double ChartFloorTemperature(const TemperatureStore& store) {
  if (store.temperatureCalcType == 1) return store.minTemperature;
  return FloorOfAverageTemperature(recompute::AverageTemperature(store));
}

double ChartFloorWeight(const WeightStore& store) {
  if (store.weightCalcType == 1 || store.head() == nullptr) return store.minWeight;
  return FloorOfAverageWeight(AverageWeight(store));
}

int AverageCycleDays(const TemperatureStore& store) {
  if (store.periodCalcType == 1 || store.head() == nullptr) return store.periodCycle;
  return CycleFromGaps(store, CountCycleGaps(store));
}

}  // namespace recompute

double AverageTemperature(const TemperatureStore& store) {
  if (!store.records.keepDerived) return recompute::AverageTemperature(store);
  return SummaryOf(store).averageTemperature;
}

double ChartFloorTemperature(const TemperatureStore& store) {
  if (store.temperatureCalcType == 1) return store.minTemperature;
  return FloorOfAverageTemperature(AverageTemperature(store));
}

double ChartFloorWeight(const WeightStore& store) {
  if (!store.records.keepDerived) return recompute::ChartFloorWeight(store);
  if (store.weightCalcType == 1 || store.head() == nullptr) return store.minWeight;
  return FloorOfAverageWeight(WeightAverageOf(store));
}

int AverageCycleDays(const TemperatureStore& store) {
  if (!store.records.keepDerived) return recompute::AverageCycleDays(store);
  if (store.periodCalcType == 1 || store.head() == nullptr) return store.periodCycle;
  const TemperatureSummary& s = SummaryOf(store);
  return CycleFromGaps(store, CycleGaps{s.cycleGapSum, s.cycleGapCount});
}

DateYmd NextPeriodDate(const TemperatureStore& store, const std::tm& today) {
  if (!store.records.keepDerived)
    return PeriodAfter(store, FromTm(today), recompute::AverageCycleDays(store));
  return PredictionsOf(store, today).nextPeriod;
}

DateYmd NextOvulationDate(const TemperatureStore& store, const std::tm& today) {
  if (!store.records.keepDerived) return OvulationBefore(NextPeriodDate(store, today));
  return PredictionsOf(store, today).nextOvulation;
}

// Counts the recorded days among the d days from the ovulation day up to (not including) the
// date, and those of them at or above the average. The kept list of calendar-day records with its
// running count of high ones answers both with two binary searches.
bool IsPregnancyLikely(const TemperatureStore& store, const DateYmd& date, const std::tm& today) {
  if (FindTemperature(store, date.year, date.month, date.day) == nullptr) return false;
  const DateYmd ovulation = NextOvulationDate(store, today);
  if (ovulation.year == 0) return false;
  const int days = quillet::SubDay(ToTm(date), ToTm(ovulation));
  if (days < kMinDaysSinceOvulation) return false;

  int recorded = 0;
  int high = 0;
  if (store.records.keepDerived) {
    const TemperatureSummary& s = SummaryOf(store);
    const auto from = std::lower_bound(s.calendarDays.begin(), s.calendarDays.end(), ovulation);
    const auto to = std::lower_bound(from, s.calendarDays.end(), date);
    recorded = static_cast<int>(to - from);
    high = s.highBefore[to - s.calendarDays.begin()] - s.highBefore[from - s.calendarDays.begin()];
  } else {
    const double average = recompute::AverageTemperature(store);
    const auto& index = store.records.index;
    for (auto it = index.lower_bound(ovulation), end = index.lower_bound(date); it != end; ++it) {
      if (!IsCalendarDay(it->first)) continue;
      ++recorded;
      if (it->second->temperature >= average) ++high;
    }
  }
  if (static_cast<double>(recorded) / days * 100 < kPregnancyPercent) return false;
  return static_cast<double>(high) / recorded * 100 >= kPregnancyPercent;
}
