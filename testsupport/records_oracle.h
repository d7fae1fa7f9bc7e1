// Literal, slow versions of the record searches and the pregnancy test: linear scans from the
// head and day-by-day calendar walks, exactly as the algorithms are described, over the
// whole-store statistics computed afresh (nothing kept in the store is read). The fast store and
// statistics functions must give the same results; tests and benchmarks compare the two.
// Meant for calendar dates only (a walk from an impossible date may never meet its target).
#pragma once

#include <ctime>

#include "dates.h"
#include "record_stores.h"
#include "statistics.h"

namespace oracle {

inline TemperatureRecord* FindTemperature(const TemperatureStore& store, int year, int month,
                                          int day) {
  for (TemperatureRecord* r = store.head(); r != nullptr; r = r->next) {
    if (r->year == year && r->month == month && r->day == day) return r;
  }
  return nullptr;
}

// One scan per calendar day, stepping back with GetPrevDay until the date of a record or the
// date of the head.
inline TemperatureRecord* LatestRecordOnOrBefore(const TemperatureStore& store, int year,
                                                 int month, int day) {
  const TemperatureRecord* earliest = store.head();
  if (earliest == nullptr) return nullptr;
  DateYmd current{year, month, day};
  if (current < earliest->Date()) return nullptr;
  for (;;) {
    TemperatureRecord* r = oracle::FindTemperature(store, current.year, current.month, current.day);
    if (r != nullptr) {
      return r;
    }
    if (current == earliest->Date()) return nullptr;
    current = FromTm(quillet::GetPrevDay(ToTm(current)));
  }
}

inline TemperatureRecord* LatestPeriodStart(const TemperatureStore& store, int year, int month,
                                            int day) {
  TemperatureRecord* start = oracle::FindTemperature(store, year, month, day);
  if (start == nullptr) start = oracle::LatestRecordOnOrBefore(store, year, month, day);
  for (TemperatureRecord* r = start; r != nullptr; r = r->prev) {
    if (r->periodStart != 0) return r;
  }
  return nullptr;
}

inline DateYmd NextPeriodDate(const TemperatureStore& store, const std::tm& today) {
  const int cycle = recompute::AverageCycleDays(store);
  const DateYmd now = FromTm(today);
  const TemperatureRecord* start =
      oracle::LatestPeriodStart(store, now.year, now.month, now.day);
  if (start == nullptr) return DateYmd{};
  return FromTm(quillet::AddYmd(ToTm(start->Date()), 0, 0, cycle));
}

inline DateYmd NextOvulationDate(const TemperatureStore& store, const std::tm& today) {
  const DateYmd period = oracle::NextPeriodDate(store, today);
  if (period.year == 0) return DateYmd{};
  std::tm t = ToTm(period);
  for (int i = 0; i < 14; ++i) t = quillet::GetPrevDay(t);
  return FromTm(t);
}

// Walks the d days from the ovulation day, one list scan per day.
inline bool IsPregnancyLikely(const TemperatureStore& store, const DateYmd& date,
                              const std::tm& today) {
  if (oracle::FindTemperature(store, date.year, date.month, date.day) == nullptr) return false;
  const DateYmd ovulation = oracle::NextOvulationDate(store, today);
  if (ovulation.year == 0) return false;
  const int d = quillet::SubDay(ToTm(date), ToTm(ovulation));
  if (d < 20) return false;
  const double average = recompute::AverageTemperature(store);
  int x = 0;
  int y = 0;
  std::tm day = ToTm(ovulation);
  for (int i = 0; i < d; ++i) {
    if (const TemperatureRecord* r =
            oracle::FindTemperature(store, day.tm_year + 1900, day.tm_mon + 1, day.tm_mday)) {
      ++x;
      if (r->temperature >= average) ++y;
    }
    day = quillet::GetNextDay(day);
  }
  return static_cast<double>(x) / d * 100 >= 90 && static_cast<double>(y) / x * 100 >= 90;
}

}  // namespace oracle
