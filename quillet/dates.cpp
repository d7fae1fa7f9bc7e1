#include "dates.h"

namespace quillet {

namespace {

// Floor division and modulo, for month counts that may run below zero.
long long FloorDiv(long long a, long long b) { return (a >= 0 ? a : a - (b - 1)) / b; }
long long FloorMod(long long a, long long b) { return a - FloorDiv(a, b) * b; }

// Narrows a wide intermediate back to int. Only an invalid input (a field near the ends of int)
// can leave the int range; the value then wraps instead of overflowing.
int Narrow(long long value) { return static_cast<int>(value); }

// The full year of a tm, computed without overflow for any tm_year.
int FullYear(const std::tm& t) { return Narrow(static_cast<long long>(t.tm_year) + 1900); }

// Howard Hinnant's civil_from_days, the inverse of DaysFromCivil, with the year kept wide.
void CivilFromDaysWide(long long days, long long& year, int& month, int& day) {
  days += 719468;
  const long long era = FloorDiv(days, 146097);
  const long long doe = days - era * 146097;                                   // [0, 146096]
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);                // [0, 365]
  const long long mp = (5 * doy + 2) / 153;                                     // [0, 11]
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = yoe + era * 400 + (month <= 2);
}

// Day number of a tm's date; tm_mon outside 0-11 is carried into the year, tm_mday beyond its
// month into the following months.
long long DayNumber(const std::tm& t) {
  long long months = static_cast<long long>(t.tm_mon);
  long long year = static_cast<long long>(t.tm_year) + 1900 + FloorDiv(months, 12);
  int month = static_cast<int>(FloorMod(months, 12)) + 1;
  return DaysFromCivil(year, month, 1) + (static_cast<long long>(t.tm_mday) - 1);
}

}  // namespace

std::tm GetNow() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return local;
}

bool IsLeapYear(int year) {
  if (year % 400 == 0) return true;
  if (year % 100 == 0) return false;
  return year % 4 == 0;
}

int GetMaxDayOfMonth(int year, int month) {
  if (month >= 12) month %= 12;
  switch (month) {
    case 1: return IsLeapYear(year) ? 29 : 28;
    case 3: case 5: case 8: case 10: return 30;
    default: return 31;
  }
}

// Steps exactly as the calendar does for a valid date. The arithmetic is done wide so that an
// invalid tm (a field at the end of int) wraps rather than overflows.
std::tm GetPrevDay(std::tm t) {
  if (t.tm_mday != 1) {
    t.tm_mday = Narrow(static_cast<long long>(t.tm_mday) - 1);
    return t;
  }
  if (t.tm_mon == 0) {
    t.tm_year = Narrow(static_cast<long long>(t.tm_year) - 1);
    t.tm_mon = 11;
  } else {
    t.tm_mon = Narrow(static_cast<long long>(t.tm_mon) - 1);
  }
  t.tm_mday = GetMaxDayOfMonth(FullYear(t), t.tm_mon);
  return t;
}

// A day number beyond the month's length is not the month's last day, so it keeps growing.
std::tm GetNextDay(std::tm t) {
  if (t.tm_mday != GetMaxDayOfMonth(FullYear(t), t.tm_mon)) {
    t.tm_mday = Narrow(static_cast<long long>(t.tm_mday) + 1);
    return t;
  }
  t.tm_mday = 1;
  if (t.tm_mon != 11) {
    t.tm_mon = Narrow(static_cast<long long>(t.tm_mon) + 1);
  } else {
    t.tm_year = Narrow(static_cast<long long>(t.tm_year) + 1);
    t.tm_mon = 0;
  }
  return t;
}

// Years and months move the calendar month (carrying whole years); the days then count on from
// the resulting day of that month, a day beyond the month's end spilling into the next ones.
// This is the recursive carry of month by month written as day-number arithmetic, so it costs
// the same for one day or ten years.
std::tm AddYmd(std::tm t, int years, int months, int days) {
  long long monthIndex = static_cast<long long>(t.tm_mon) + months;
  long long year = static_cast<long long>(t.tm_year) + years + FloorDiv(monthIndex, 12);
  int month = static_cast<int>(FloorMod(monthIndex, 12));
  long long dayNumber = DaysFromCivil(year + 1900, month + 1, 1) +
                        (static_cast<long long>(t.tm_mday) - 1) + days;
  long long y = 0;
  int m = 0, d = 0;
  CivilFromDaysWide(dayNumber, y, m, d);
  t.tm_year = Narrow(y - 1900);
  t.tm_mon = m - 1;
  t.tm_mday = d;
  return t;
}

// The number of single-day steps from b to a, computed from day numbers instead of stepping.
int SubDay(std::tm a, std::tm b) {
  return Narrow(DayNumber(a) - DayNumber(b));
}

// Sakamoto's rule: the month offsets fold the month lengths into one table, and the year is
// taken as the one before for January and February so that a leap day counts from March.
// A month outside 1-12 has no offset and gives 0.
int GetWeekOfDay(int year, int month, int day) {
  static const int kMonthOffset[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 1 || month > 12) return 0;
  long long y = year;
  if (month < 3) y -= 1;
  return Narrow((y + y / 4 - y / 100 + y / 400 + kMonthOffset[month - 1] + day) % 7);
}

// Howard Hinnant's days_from_civil: days since 1970-01-01, proleptic Gregorian calendar.
long long DaysFromCivil(long long year, int month, int day) {
  year -= month <= 2;
  const long long era = FloorDiv(year, 400);
  const long long yoe = year - era * 400;                                     // [0, 399]
  const long long doy = (153LL * (month + (month > 2 ? -3LL : 9LL)) + 2) / 5 + day - 1;  // [0, 365]
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;                 // [0, 146096]
  return era * 146097 + doe - 719468;
}

void CivilFromDays(long long days, int& year, int& month, int& day) {
  long long wideYear = 0;
  CivilFromDaysWide(days, wideYear, month, day);
  year = Narrow(wideYear);
}

bool IsValidDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  return day <= GetMaxDayOfMonth(year, month - 1);
}

std::tm MakeDate(int year, int month, int day) {
  std::tm t{};
  t.tm_year = Narrow(static_cast<long long>(year) - 1900);
  t.tm_mon = Narrow(static_cast<long long>(month) - 1);
  t.tm_mday = day;
  return t;
}

}  // namespace quillet
