// Helpers shared by the chart renderers, the printed page included (not part of the chart's
// interface): the local date and the number texts of headers and scales.
#pragma once

#include <cstdio>
#include <ctime>
#include <string>

#include "chart_view.h"
#include "date_ymd.h"
#include "draw_canvas.h"
#include "number_text.h"

// The local date as the view's creator supplies it.
inline std::tm TodayOf(const ChartView& view) { return view.today ? view.today() : std::tm{}; }

inline std::u16string NumberText(int value) { return AsciiText(std::to_string(value).c_str()); }

// "%d年%d月"
inline std::u16string YearMonthText(int year, int month) {
  return NumberText(year) + u"年" + NumberText(month) + u"月";
}

// printf "%.<digits>f"; a value out of any sensible range still fits the buffer.
inline std::u16string DecimalText(double value, int digits) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", digits, value);
  return AsciiText(buffer);
}

// Whether date is today or later: year greater, or equal and month greater, or both equal and
// day not smaller.
inline bool IsTodayOrLater(const DateYmd& date, const std::tm& today) {
  return date >= FromTm(today);
}

inline bool SameDate(const std::tm& a, const std::tm& b) {
  return a.tm_year == b.tm_year && a.tm_mon == b.tm_mon && a.tm_mday == b.tm_mday;
}
