// Calendar arithmetic on the C library's broken-down time.
//
// Only tm_year (years since 1900), tm_mon (0-11) and tm_mday (1-31) are read or changed; the
// other fields are copied through unchanged. Values go in and come back by value.
//
// Everything lives in namespace quillet with C++ linkage, so that GetFileSize (a Win32 name too)
// and the rest never collide with the platform's C functions in the program's code. Quillet.dll
// exports them under their plain names all the same (Quillet.def).
#pragma once

#include <ctime>

#include "quillet_api.h"

namespace quillet {

// The current local date and time.
QUILLET_API std::tm GetNow();

// The day before / after, by the month lengths of the calendar.
QUILLET_API std::tm GetPrevDay(std::tm date);
QUILLET_API std::tm GetNextDay(std::tm date);

// Days in `month` (0-11; 12 and above are taken modulo 12, the year unchanged) of `year`.
QUILLET_API int GetMaxDayOfMonth(int year, int month);

// Gregorian leap-year rule on a full year (2007, not 107).
QUILLET_API bool IsLeapYear(int year);

// `base` moved forward by whole years, then months, then days. A day number that no longer fits
// after the month moves carries into the next month (31 Jan + 1 month = 3 Mar). Negative counts
// move backwards by day numbers.
QUILLET_API std::tm AddYmd(std::tm base, int years, int months, int days);

// Days from b to a: positive when a is later, 0 for the same date whatever the time fields.
QUILLET_API int SubDay(std::tm a, std::tm b);

// Day of the week of year/month(1-12)/day: 0 Sunday ... 6 Saturday.
QUILLET_API int GetWeekOfDay(int year, int month, int day);

// --- Day numbers: the shared basis of the fast paths above -------------------------------

// Days since 1970-01-01 of the proleptic Gregorian date y/m(1-12)/d (any d, carried forward).
QUILLET_API long long DaysFromCivil(long long year, int month, int day);
// Inverse of DaysFromCivil.
QUILLET_API void CivilFromDays(long long days, int& year, int& month, int& day);

// True when year/month(1-12)/day is a real calendar date with year 1-9999.
QUILLET_API bool IsValidDate(int year, int month, int day);

// Convenience: a tm holding only the date year/month(1-12)/day, other fields 0.
QUILLET_API std::tm MakeDate(int year, int month, int day);

}  // namespace quillet
