// The documented date algorithms written out literally: month-by-month recursive carrying for
// AddYmd and day-by-day stepping for SubDay. Slow, valid dates only, kept as an oracle for the
// day-number implementations in the library.
#pragma once

#include <ctime>

namespace literal_dates {

inline bool IsLeapYear(int y) {
  if (y % 400 == 0) return true;
  if (y % 100 == 0) return false;
  return y % 4 == 0;
}

inline int GetMaxDayOfMonth(int year, int month) {
  if (month >= 12) month %= 12;
  switch (month) {
    case 1: return IsLeapYear(year) ? 29 : 28;
    case 3: case 5: case 8: case 10: return 30;
    default: return 31;
  }
}

inline std::tm GetNextDay(std::tm t) {
  if (t.tm_mday != GetMaxDayOfMonth(t.tm_year + 1900, t.tm_mon)) {
    t.tm_mday += 1;
    return t;
  }
  t.tm_mday = 1;
  if (t.tm_mon != 11) {
    t.tm_mon += 1;
  } else {
    t.tm_year += 1;
    t.tm_mon = 0;
  }
  return t;
}

// Each level carries one year when the months run past December; a day number past the end of
// the month carries into the next month with a fresh call.
inline std::tm AddYmd(std::tm t, int years, int months, int days) {
  if (t.tm_mon + months > 11) {
    int rest = t.tm_mon + months - 12;
    t.tm_year += 1;
    t.tm_mon = 0;
    return AddYmd(t, years, rest, days);
  }
  t.tm_year += years;
  t.tm_mon += months;
  int max = GetMaxDayOfMonth(t.tm_year + 1900, t.tm_mon);
  if (t.tm_mday + days <= max) {
    t.tm_mday += days;
    return t;
  }
  int carry = t.tm_mday + days - max;
  t.tm_mon += 1;
  t.tm_mday = 0;
  return AddYmd(t, 0, 0, carry);
}

inline bool Later(const std::tm& a, const std::tm& b) {
  if (a.tm_year != b.tm_year) return a.tm_year > b.tm_year;
  if (a.tm_mon != b.tm_mon) return a.tm_mon > b.tm_mon;
  return a.tm_mday > b.tm_mday;
}

inline bool SameDate(const std::tm& a, const std::tm& b) {
  return a.tm_year == b.tm_year && a.tm_mon == b.tm_mon && a.tm_mday == b.tm_mday;
}

inline int SubDay(std::tm a, std::tm b) {
  if (Later(b, a)) return -SubDay(b, a);
  int count = 0;
  for (std::tm current = b; !SameDate(current, a); current = GetNextDay(current)) ++count;
  return count;
}

}  // namespace literal_dates
