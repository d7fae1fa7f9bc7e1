#include "print_page_plan.h"

#include "dates.h"

namespace {

DateYmd DayAfter(const DateYmd& day) { return FromTm(quillet::GetNextDay(ToTm(day))); }

DateYmd AddDays(const DateYmd& day, int count) {
  DateYmd result = day;
  for (int i = 0; i < count; ++i) result = DayAfter(result);
  return result;
}

}  // namespace

bool RunPrintPageLoop(const DateYmd& from, const DateYmd& to,
                      const std::function<PrintPageResult(const DateYmd& firstDay)>& printPage) {
  DateYmd first = from;
  for (;;) {
    PrintPageResult result = printPage(first);
    if (!result) return false;
    // A page covers at least its first day, whatever the renderer reported.
    DateYmd last = *result < first ? first : *result;
    if (last >= to) return true;
    first = DayAfter(last);
  }
}

std::vector<DateYmd> PlanPrintPages(const DateYmd& from, const DateYmd& to, int daysPerPage) {
  std::vector<DateYmd> firstDays;
  const int span = daysPerPage > 1 ? daysPerPage - 1 : 0;
  RunPrintPageLoop(from, to, [&](const DateYmd& first) -> PrintPageResult {
    firstDays.push_back(first);
    return AddDays(first, span);
  });
  return firstDays;
}
