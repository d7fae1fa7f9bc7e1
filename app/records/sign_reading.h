// Reading the signs with the curve: each cycle's mucus peak, its first positive ovulation test,
// the day ovulation is confirmed by the temperature and the mucus together (the double check),
// and the reading points of a closed cycle (no high phase, a short high phase, a small rise, a
// length outside the usual range).
//
// The rules are pure functions of plain values. ReadSignCycles applies them to every cycle that
// ReadCycles (thermal_shift.h) finds and keeps the result in the sign store, stamped with both
// stores' versions and the day it was read for, so a paint, a scroll or a printed page looks the
// cycles up instead of reading the history.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "date_ymd.h"
#include "thermal_shift.h"

struct SignRecord;
struct SignStore;
struct TemperatureStore;

// One day of a cycle with a recorded mucus level (0-4).
struct MucusObservation {
  DateYmd date;
  int level = 0;
};

// The mucus peak of a cycle as indexes into its observations; both -1 when there is none.
struct MucusPeak {
  int peak = -1;
  int thirdLower = -1;  // the third of the three lower observations that follow the peak
};

// A cycle's observations in date order; `confirmed` is the day its temperature shift was
// confirmed, the zero date when it has none. Keeping B, the best level so far, an observation at
// B followed by three lower ones is a candidate; it is dropped when a level of B or more comes
// later in the cycle (with a shift: no later than the candidate's double-check day). The first
// candidate not dropped is the peak.
MucusPeak FindMucusPeak(std::span<const MucusObservation> observations, const DateYmd& confirmed);

// The day ovulation counts as confirmed: the later of the temperature confirmation day and the
// mucus peak's third lower day; the zero date when either is missing.
DateYmd DoubleCheckDay(const DateYmd& temperatureConfirmed, const DateYmd& peakThirdLower);

// The first day from `first` on, up to `last`, whose ovulation test is positive or strongly
// positive (the records followed along next); the zero date for none.
DateYmd FirstPositiveTest(const SignRecord* first, const DateYmd& last);

// A closed cycle's reading points joined by "、" ("高温期なし", "高温期が短め", "高低差が小さめ",
// "周期が短め" / "周期が長め"); empty for the current cycle and a cycle with none.
std::u16string CycleFindings(const CycleReading& cycle);

// What the signs add to one cycle's reading; a zero date where there is nothing.
struct SignCycleReading {
  DateYmd mucusPeak;
  DateYmd firstPositiveTest;
  DateYmd doubleCheck;
  std::u16string findings;
};

// The sign readings kept with what they were read from. The sign store keeps them: only a user
// who records signs needs them, the temperature store's own reading stays the same with or
// without signs, and the sign store can name both versions it depends on (the temperature store
// it was read against and that store's version, its own version, today).
struct SignReadingList {
  bool built = false;
  const TemperatureStore* temperatures = nullptr;
  std::uint64_t temperatureVersion = 0;
  std::uint64_t signVersion = 0;
  DateYmd today;
  std::vector<SignCycleReading> cycles;
};

// One entry per cycle of ReadCycles(temperatures, today), in the same order; sign records
// outside every cycle (before the first period start, after today) are not read. Kept in the sign
// store until either store's records change or another today is asked for.
const std::vector<SignCycleReading>& ReadSignCycles(const SignStore& signs,
                                                    const TemperatureStore& temperatures,
                                                    const DateYmd& today);

// The days `day` (a member of SignCycleReading) of the cycles that reach into [first, last],
// ascending, none outside it: what a renderer draws over its columns.
std::vector<DateYmd> SignDaysBetween(const std::vector<CycleReading>& cycles,
                                     const std::vector<SignCycleReading>& readings,
                                     DateYmd SignCycleReading::*day, const DateYmd& first,
                                     const DateYmd& last);
