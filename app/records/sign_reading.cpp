#include "sign_reading.h"

#include <algorithm>

#include "record_stores.h"

namespace {

constexpr int kLowerAfterPeak = 3;      // observations lower than the peak that confirm it
constexpr int kFewestValuesNoShift = 20;
constexpr int kShortHighPhase = 10;     // days
constexpr int kSmallRise = 30;          // hundredths of a degree
constexpr int kShortCycle = 25, kLongCycle = 38;  // days

bool IsPositiveTest(const SignRecord& r) { return r.ovulationTest == 1 || r.ovulationTest == 2; }

// The cycle's mucus observations: its sign records from its start to its end with a level.
std::vector<MucusObservation> MucusObservations(const SignRecord* first, const DateYmd& last) {
  std::vector<MucusObservation> observations;
  for (const SignRecord* r = first; r != nullptr && r->Date() <= last; r = r->next)
    if (IsMucusLevel(r->mucus)) observations.push_back({r->Date(), r->mucus});
  return observations;
}

SignCycleReading ReadSignCycle(const CycleReading& cycle, const SignStore& signs) {
  SignCycleReading reading;
  reading.findings = CycleFindings(cycle);
  const auto found = signs.records.index.lower_bound(cycle.start);
  const SignRecord* first = found == signs.records.index.end() ? nullptr : found->second;
  reading.firstPositiveTest = FirstPositiveTest(first, cycle.end);
  const std::vector<MucusObservation> observations = MucusObservations(first, cycle.end);
  const DateYmd confirmed = cycle.hasShift ? cycle.confirmed : DateYmd{};
  const MucusPeak peak = FindMucusPeak(observations, confirmed);
  if (peak.peak < 0) return reading;
  reading.mucusPeak = observations[static_cast<std::size_t>(peak.peak)].date;
  reading.doubleCheck =
      DoubleCheckDay(confirmed, observations[static_cast<std::size_t>(peak.thirdLower)].date);
  return reading;
}

void Append(std::u16string& text, const char16_t* finding) {
  if (!text.empty()) text += u"、";
  text += finding;
}

}  // namespace

MucusPeak FindMucusPeak(std::span<const MucusObservation> observations, const DateYmd& confirmed) {
  const std::size_t n = observations.size();
  int best = -1;
  for (std::size_t i = 0; i + kLowerAfterPeak < n; ++i) {
    best = std::max(best, observations[i].level);
    if (observations[i].level != best) continue;
    const std::size_t third = i + kLowerAfterPeak;
    const auto lower = [&](const MucusObservation& o) { return o.level < best; };
    if (!std::all_of(observations.begin() + i + 1, observations.begin() + third + 1, lower))
      continue;
    // Dropped by a later level of B or more, up to the double-check day with a shift. The search
    // stops at the first such level, before which no observation reaches B to be a candidate,
    // so the whole scan stays linear.
    const DateYmd limit = DoubleCheckDay(confirmed, observations[third].date);
    const auto inReach = [&](std::size_t k) {
      return limit.IsZero() || observations[k].date <= limit;
    };
    std::size_t k = third + 1;
    while (k < n && inReach(k) && observations[k].level < best) ++k;
    const bool dropped = k < n && inReach(k);
    if (!dropped) return MucusPeak{static_cast<int>(i), static_cast<int>(third)};
  }
  return MucusPeak{};
}

DateYmd DoubleCheckDay(const DateYmd& temperatureConfirmed, const DateYmd& peakThirdLower) {
  if (temperatureConfirmed.IsZero() || peakThirdLower.IsZero()) return DateYmd{};
  return std::max(temperatureConfirmed, peakThirdLower);
}

DateYmd FirstPositiveTest(const SignRecord* first, const DateYmd& last) {
  for (const SignRecord* r = first; r != nullptr && r->Date() <= last; r = r->next)
    if (IsPositiveTest(*r)) return r->Date();
  return DateYmd{};
}

std::u16string CycleFindings(const CycleReading& cycle) {
  std::u16string text;
  if (!cycle.closed) return text;
  if (!cycle.hasShift && cycle.recordedDays >= kFewestValuesNoShift) Append(text, u"高温期なし");
  if (cycle.hasShift && cycle.highPhaseDays < kShortHighPhase) Append(text, u"高温期が短め");
  if (cycle.hasShift && cycle.lowAverage >= 0 && cycle.highAverage >= 0 &&
      cycle.highAverage - cycle.lowAverage < kSmallRise)
    Append(text, u"高低差が小さめ");
  if (cycle.lengthDays < kShortCycle) Append(text, u"周期が短め");
  if (cycle.lengthDays > kLongCycle) Append(text, u"周期が長め");
  return text;
}

const std::vector<SignCycleReading>& ReadSignCycles(const SignStore& signs,
                                                    const TemperatureStore& temperatures,
                                                    const DateYmd& today) {
  const std::vector<CycleReading>& cycles = ReadCycles(temperatures, today);
  SignReadingList& kept = signs.signReadings;
  const bool current = kept.built && kept.temperatures == &temperatures &&
                       kept.temperatureVersion == temperatures.records.version &&
                       kept.signVersion == signs.records.version && kept.today == today;
  if (!current || !signs.records.keepDerived || !temperatures.records.keepDerived) {
    kept.cycles.clear();
    kept.cycles.reserve(cycles.size());
    for (const CycleReading& cycle : cycles) kept.cycles.push_back(ReadSignCycle(cycle, signs));
    kept.built = true;
    kept.temperatures = &temperatures;
    kept.temperatureVersion = temperatures.records.version;
    kept.signVersion = signs.records.version;
    kept.today = today;
  }
  return kept.cycles;
}

std::vector<DateYmd> SignDaysBetween(const std::vector<CycleReading>& cycles,
                                     const std::vector<SignCycleReading>& readings,
                                     DateYmd SignCycleReading::*day, const DateYmd& first,
                                     const DateYmd& last) {
  std::vector<DateYmd> days;
  // Cycles are in date order: the first that ends on or after `first`, on while they start by
  // `last`.
  auto cycle = std::lower_bound(cycles.begin(), cycles.end(), first,
                                [](const CycleReading& c, const DateYmd& d) { return c.end < d; });
  for (; cycle != cycles.end() && cycle->start <= last; ++cycle) {
    const auto i = static_cast<std::size_t>(cycle - cycles.begin());
    if (i >= readings.size()) break;
    const DateYmd& d = readings[i].*day;
    if (!d.IsZero() && first <= d && d <= last) days.push_back(d);
  }
  return days;
}
