#include "thermal_shift.h"

#include <algorithm>
#include <cmath>

#include "dates.h"
#include "number_text.h"
#include "record_stores.h"

namespace {

constexpr int kLowValues = 6;      // the low level is the highest of the six values before
constexpr int kClearRise = 20;     // 0.20 degC over the low level

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// The rule that confirms a candidate at index i over low level L, and the index it is
// confirmed on; None when none holds.
ShiftRule RuleFor(const std::vector<int>& r, std::size_t i, int L, int& confirmed) {
  const std::size_t n = r.size();
  const bool has2 = i + 2 < n, has3 = i + 3 < n;
  if (has2 && r[i + 1] > L && r[i + 2] > L && r[i + 2] >= L + kClearRise) {
    confirmed = static_cast<int>(i + 2);
    return ShiftRule::SecondDayClear;
  }
  if (!has3) return ShiftRule::None;
  if (r[i + 1] > L && r[i + 2] > L && r[i + 3] > L) {
    confirmed = static_cast<int>(i + 3);
    return ShiftRule::ThreeDaysHigh;
  }
  const int lowOnes = (r[i + 1] <= L ? 1 : 0) + (r[i + 2] <= L ? 1 : 0);
  if (lowOnes == 1 && r[i + 3] >= L + kClearRise) {
    confirmed = static_cast<int>(i + 3);
    return ShiftRule::ThirdDayClearAfterOneDip;
  }
  return ShiftRule::None;
}

// Mean in hundredths, halves up; -1 for no values.
int MeanOf(long long sum, int count) {
  if (count == 0) return -1;
  return static_cast<int>((2 * sum + count) / (2LL * count));
}

int DaysBetween(const DateYmd& later, const DateYmd& earlier) {
  return quillet::SubDay(ToTm(later), ToTm(earlier));
}

DateYmd DayBefore(const DateYmd& d) { return FromTm(quillet::GetPrevDay(ToTm(d))); }

struct OpenCycle {
  DateYmd start;
  std::vector<DateYmd> dates;
  std::vector<int> values;
};

// The reading of one cycle; `nextStart` is the zero date for the current cycle.
CycleReading ReadCycle(const OpenCycle& open, const DateYmd& nextStart, const DateYmd& today) {
  CycleReading c;
  c.start = open.start;
  c.closed = !nextStart.IsZero();
  c.end = c.closed ? DayBefore(nextStart) : today;
  if (c.closed) c.lengthDays = DaysBetween(nextStart, c.start);
  c.recordedDays = static_cast<int>(open.values.size());
  const ThermalShift shift = FindThermalShift(open.values);
  if (!shift.found) return c;
  c.hasShift = true;
  c.firstHigh = open.dates[static_cast<std::size_t>(shift.firstHigh)];
  c.confirmed = open.dates[static_cast<std::size_t>(shift.confirmed)];
  c.ovulation = DayBefore(c.firstHigh);
  c.coverLine = shift.coverLine;
  if (c.closed) c.highPhaseDays = DaysBetween(nextStart, c.firstHigh);
  long long low = 0, high = 0;
  const int split = shift.firstHigh;
  for (int i = 0; i < static_cast<int>(open.values.size()); ++i)
    (i < split ? low : high) += open.values[static_cast<std::size_t>(i)];
  c.lowAverage = MeanOf(low, split);
  c.highAverage = MeanOf(high, static_cast<int>(open.values.size()) - split);
  return c;
}

void BuildCycles(const TemperatureStore& store, const DateYmd& today,
                 std::vector<CycleReading>& cycles) {
  cycles.clear();
  OpenCycle open;
  bool inCycle = false;
  for (const TemperatureRecord* r = store.head(); r != nullptr && r->Date() <= today; r = r->next) {
    if (r->periodStart != 0) {
      if (inCycle) cycles.push_back(ReadCycle(open, r->Date(), today));
      open = OpenCycle{r->Date(), {}, {}};
      inCycle = true;
    }
    if (!inCycle) continue;
    open.dates.push_back(r->Date());
    open.values.push_back(TemperatureHundredths(r->temperature));
  }
  if (inCycle) cycles.push_back(ReadCycle(open, DateYmd{}, today));
}

}  // namespace

int TemperatureHundredths(double temperature) {
  return static_cast<int>(std::llround(static_cast<long double>(temperature) * 100.0L));
}

int RoundToHalfTenth(int hundredths) { return FloorDiv(hundredths + 2, 5) * 5; }

ThermalShift FindThermalShift(std::span<const int> hundredths) {
  std::vector<int> r(hundredths.size());
  std::transform(hundredths.begin(), hundredths.end(), r.begin(), RoundToHalfTenth);
  ThermalShift shift;
  for (std::size_t i = kLowValues; i < r.size(); ++i) {
    const int L = *std::max_element(r.begin() + static_cast<long>(i) - kLowValues,
                                    r.begin() + static_cast<long>(i));
    if (r[i] <= L) continue;
    int confirmed = -1;
    const ShiftRule rule = RuleFor(r, i, L, confirmed);
    if (rule == ShiftRule::None) continue;
    shift.found = true;
    shift.firstHigh = static_cast<int>(i);
    shift.confirmed = confirmed;
    shift.coverLine = L;
    shift.rule = rule;
    return shift;
  }
  return shift;
}

const std::vector<CycleReading>& ReadCycles(const TemperatureStore& store, const DateYmd& today) {
  CycleReadingList& kept = store.cycleReadings;
  const bool current = kept.built && kept.version == store.records.version && kept.today == today;
  if (!current || !store.records.keepDerived) {
    BuildCycles(store, today, kept.cycles);
    kept.built = true;
    kept.version = store.records.version;
    kept.today = today;
  }
  return kept.cycles;
}

const CycleReading* CycleOfDay(const std::vector<CycleReading>& cycles, const DateYmd& day) {
  auto after = std::upper_bound(cycles.begin(), cycles.end(), day,
                                [](const DateYmd& d, const CycleReading& c) { return d < c.start; });
  if (after == cycles.begin()) return nullptr;
  const CycleReading& c = *std::prev(after);
  return day <= c.end ? &c : nullptr;
}

std::u16string ShiftStateText(const TemperatureStore& store, const DateYmd& day,
                              const DateYmd& today) {
  if (today < day) return u"";
  const CycleReading* c = CycleOfDay(ReadCycles(store, today), day);
  if (c == nullptr) return u"";
  if (!c->hasShift) return u"未判定";
  if (day < c->firstHigh) return u"低温期";
  std::string n;
  AppendInteger(n, DaysBetween(day, c->firstHigh) + 1);
  return u"高温期 " + AsciiText(n) + u"日目";
}
