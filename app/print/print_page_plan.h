// How a date range becomes printed pages.
//
// Every page shows a fixed run of consecutive days from its first day. The first page starts at
// the from-date; each further page starts the day after the previous page's last day column; the
// job ends with the first page whose last day is on or after the to-date. A to-date before the
// from-date therefore still prints one page (with no temperatures on it).
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "date_ymd.h"

// What one page of the loop gave back: the date of its last day column, or nothing when the page
// could not be printed (the loop then stops).
using PrintPageResult = std::optional<DateYmd>;

// Runs the page loop from `from` to `to`, calling `printPage` with each page's first day.
// A page whose reported last day lies before its first day counts as a one-day page, so the loop
// always moves forward and always ends. Returns false when a page failed, true otherwise.
bool RunPrintPageLoop(const DateYmd& from, const DateYmd& to,
                      const std::function<PrintPageResult(const DateYmd& firstDay)>& printPage);

// The first days of the pages a job prints for `from`..`to` at `daysPerPage` day columns a page
// (a page with no room for a column still covers its first day).
std::vector<DateYmd> PlanPrintPages(const DateYmd& from, const DateYmd& to, int daysPerPage);
