// A calendar date as the key of every record: year (four digits), month 1-12, day 1-31.
// The zero date (all three 0) stands for "no date".
#pragma once

#include <compare>
#include <ctime>

#include "dates.h"

struct DateYmd {
  int year = 0;
  int month = 0;
  int day = 0;

  bool IsZero() const { return year == 0 && month == 0 && day == 0; }
  // Ordered by year, then month, then day, each as a plain integer.
  friend auto operator<=>(const DateYmd&, const DateYmd&) = default;
};

// Dates cross into the date library as tm: tm_year = year - 1900, tm_mon = month - 1 (through
// quillet::MakeDate, which keeps the subtraction within int for any year).
inline std::tm ToTm(const DateYmd& d) { return quillet::MakeDate(d.year, d.month, d.day); }

inline DateYmd FromTm(const std::tm& t) { return DateYmd{t.tm_year + 1900, t.tm_mon + 1, t.tm_mday}; }
