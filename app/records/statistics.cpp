// Averages, chart floors, the cycle length and the predictions. Each call recomputes from the
// current store contents; nothing is cached.
#include "statistics.h"

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

}  // namespace

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

// The floor is the mean less one degree, cut down to a tenth. The subtraction and scaling run in
// 80-bit precision, so a mean such as 36.57 reaches the truncation as 355.7, not 355.69999.
double ChartFloorTemperature(const TemperatureStore& store) {
  if (store.temperatureCalcType == 1) return store.minTemperature;
  const long double scaled = (static_cast<long double>(AverageTemperature(store)) - 1.0L) * 10.0L;
  return static_cast<double>(std::trunc(scaled)) / 10.0;
}

double ChartFloorWeight(const WeightStore& store) {
  if (store.weightCalcType == 1 || store.head() == nullptr) return store.minWeight;
  long double sum = 0;
  int count = 0;
  for (const WeightRecord* r = store.head(); r != nullptr; r = r->next) {
    sum += r->weight;
    ++count;
  }
  const long double mean = static_cast<long double>(static_cast<double>(sum / count));
  return static_cast<double>(std::trunc(mean - 5.0L));
}

int AverageCycleDays(const TemperatureStore& store) {
  if (store.periodCalcType == 1 || store.head() == nullptr) return store.periodCycle;
  long long sum = 0;
  int count = 0;
  const TemperatureRecord* previousStart = nullptr;
  for (const TemperatureRecord* r = store.head(); r != nullptr; r = r->next) {
    if (r->periodStart != 1) continue;
    if (previousStart != nullptr) {
      const int gap = quillet::SubDay(ToTm(r->Date()), ToTm(previousStart->Date()));
      if (gap >= kMinCountedGap && gap <= kMaxCountedGap) {
        sum += gap;
        ++count;
      }
    }
    previousStart = r;
  }
  if (sum == 0) return store.periodCycle;
  return static_cast<int>(sum / count);
}

DateYmd NextPeriodDate(const TemperatureStore& store, const std::tm& today) {
  const int cycle = AverageCycleDays(store);
  const DateYmd now = FromTm(today);
  const TemperatureRecord* start = LatestPeriodStart(store, now.year, now.month, now.day);
  if (start == nullptr) return DateYmd{};
  return FromTm(quillet::AddYmd(ToTm(start->Date()), 0, 0, cycle));
}

DateYmd NextOvulationDate(const TemperatureStore& store, const std::tm& today) {
  const DateYmd period = NextPeriodDate(store, today);
  if (period.year == 0) return DateYmd{};
  std::tm t = ToTm(period);
  for (int i = 0; i < kOvulationBeforePeriod; ++i) t = quillet::GetPrevDay(t);
  return FromTm(t);
}

// The walk over the d days from the ovulation day up to (not including) the date counts the
// recorded days among them; the index yields exactly those records, in order, without a lookup
// per day.
bool IsPregnancyLikely(const TemperatureStore& store, const DateYmd& date, const std::tm& today) {
  if (FindTemperature(store, date.year, date.month, date.day) == nullptr) return false;
  const DateYmd ovulation = NextOvulationDate(store, today);
  if (ovulation.year == 0) return false;
  const int days = quillet::SubDay(ToTm(date), ToTm(ovulation));
  if (days < kMinDaysSinceOvulation) return false;

  const double average = AverageTemperature(store);
  const auto& index = store.records.index;
  int recorded = 0;
  int high = 0;
  for (auto it = index.lower_bound(ovulation), end = index.lower_bound(date); it != end; ++it) {
    if (!IsCalendarDay(it->first)) continue;
    ++recorded;
    if (it->second->temperature >= average) ++high;
  }
  if (static_cast<double>(recorded) / days * 100 < kPregnancyPercent) return false;
  return static_cast<double>(high) / recorded * 100 >= kPregnancyPercent;
}
