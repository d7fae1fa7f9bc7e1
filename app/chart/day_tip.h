// What the chart's tooltip says about the day under the pointer, line by line: the date with its
// weekday, then only what exists for that day in the chart's mode (the records and signs, the
// cycle day, the thermal-shift state of the side panel, the mucus peak and double-check day while
// the chart marks them, the pregnancy week and due date, and the meaning of each mark the column
// carries).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "chart_view.h"
#include "date_ymd.h"
#include "record_stores.h"

// "2026年12月7日(月)"
std::u16string DateWithWeekdayText(const DateYmd& date);

// The tip's lines for `date` on `view` (its mode, stores and today); `memos` may be null.
// `shiftState` is the side panel's thermal-shift line for the day ("" for none).
std::vector<std::u16string> DayTipLines(const ChartView& view, const MemoStore* memos,
                                        const DateYmd& date, std::u16string_view shiftState);

// The lines joined with CR LF, as the tooltip control shows them.
std::u16string DayTipText(const std::vector<std::u16string>& lines);
