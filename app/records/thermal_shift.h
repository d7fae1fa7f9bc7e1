// Reading the basal temperature curve: the thermal shift of each cycle ("3 over 6"), its cover
// line, the high-temperature phase, and the per-cycle numbers the side panel, the chart and the
// list of cycles show.
//
// FindThermalShift is the rule itself: one cycle's recorded values in, its shift out, in whole
// hundredths of a degree with no floating point. ReadCycles applies it to every cycle of a store
// and keeps the result in the store (stamped with the records' version and the day it was read
// for), so a paint, a scroll or a printed page looks the cycles up instead of reading the history.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "date_ymd.h"

struct TemperatureStore;

// A temperature in whole hundredths of a degree, rounded to the nearest (36.57 -> 3657).
int TemperatureHundredths(double temperature);
// To the nearest 0.05 degC, halves up: ((h + 2) div 5) * 5 (3657 -> 3655, 3658 -> 3660).
int RoundToHalfTenth(int hundredths);

// The rules a thermal shift is confirmed by (FindThermalShift), in the order they are tried.
enum class ShiftRule { None, SecondDayClear, ThreeDaysHigh, ThirdDayClearAfterOneDip };

struct ThermalShift {
  bool found = false;
  int firstHigh = -1;  // index of the cycle's first high value
  int confirmed = -1;  // index of the value on whose day the shift is confirmed
  int coverLine = 0;   // hundredths: the highest rounded value of the six before the first high
  ShiftRule rule = ShiftRule::None;  // the rule that held
};

// One cycle's recorded values (hundredths, in date order, missing days left out). Each value is
// rounded to 0.05 first. From the seventh value on, a value above the highest of the six before
// it (the low level L) is a candidate; with t1, t2, t3 the values after it:
//   SecondDayClear: t1 > L, t2 > L and t2 >= L + 20, confirmed on t2;
//   ThreeDaysHigh: t1, t2 and t3 > L, confirmed on t3;
//   ThirdDayClearAfterOneDip: exactly one of t1, t2 <= L and t3 >= L + 20, confirmed on t3.
// The first candidate for which a rule holds (tried in that order) is the shift.
ThermalShift FindThermalShift(std::span<const int> hundredths);

// What one cycle shows: from a period start to the day before the next one, or to today.
struct CycleReading {
  DateYmd start;
  DateYmd end;          // the day before the next start; today for the current cycle
  bool closed = false;  // a later period start ends it
  int lengthDays = 0;   // closed cycles: the days from this start to the next
  int recordedDays = 0; // the days of the cycle that have a temperature record
  bool hasShift = false;
  DateYmd firstHigh;    // with a shift: the first day of the high-temperature phase
  DateYmd confirmed;    // the day the shift became certain
  DateYmd ovulation;    // estimated: the calendar day before the first high day
  int coverLine = 0;    // hundredths
  int highPhaseDays = 0;  // closed cycles with a shift: first high day to the end
  // Means of the raw values in hundredths (halves up) before and from the first high day; -1
  // when there is nothing to average (no shift, or no value on that side).
  int lowAverage = -1;
  int highAverage = -1;
};

// The cycles of the store kept with the version and the today they describe.
struct CycleReadingList {
  bool built = false;
  std::uint64_t version = 0;
  DateYmd today;
  std::vector<CycleReading> cycles;
};

// Every cycle of the store up to today, oldest first: a cycle starts on each record with the
// period-start flag dated on or before today; records after today are not read. Kept in the store
// until its records change or another today is asked for.
const std::vector<CycleReading>& ReadCycles(const TemperatureStore& store, const DateYmd& today);

// The cycle that holds the day (start <= day <= end); nullptr before the first start or after
// the last cycle's end.
const CycleReading* CycleOfDay(const std::vector<CycleReading>& cycles, const DateYmd& day);

// The side panel's "体温の状態" for a day: "高温期 N日目" from the first high day of a cycle
// with a shift (N = 1 on that day, counted in calendar days), "低温期" before it, "未判定" in a
// cycle without a shift, and empty before the first period start and after today.
std::u16string ShiftStateText(const TemperatureStore& store, const DateYmd& day,
                              const DateYmd& today);
