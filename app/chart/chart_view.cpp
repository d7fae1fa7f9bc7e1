// Layout, timeline, scrolling and value mapping of the on-screen chart.
#include "chart_view.h"

#include <algorithm>
#include <cmath>

#include "chart_internal.h"
#include "dates.h"
#include "statistics.h"

namespace {

std::tm DateOnly(const DateYmd& d) { return quillet::MakeDate(d.year, d.month, d.day); }

}  // namespace

std::unique_ptr<ChartView> CreateChartView(int left, int top, int right, int bottom, void* window,
                                           std::unique_ptr<ChartScrollBar> scrollBar,
                                           const TemperatureStore* temperatures,
                                           const WeightStore* weights,
                                           DrawingToolFactory* toolFactory,
                                           std::function<std::tm()> today) {
  auto view = std::make_unique<ChartView>();
  view->clientLeft = left;
  view->clientTop = top;
  view->clientRight = right;
  view->clientBottom = bottom;
  view->window = window;
  view->scrollBar = std::move(scrollBar);
  view->temperatures = temperatures;
  view->weights = weights;
  view->toolFactory = toolFactory;
  view->today = std::move(today);
  view->mode = kTemperatureMode;
  UpdateChartLayout(*view);
  // The first layout uses the bottom as given; every later one the stored, one less.
  view->clientBottom = bottom - 1;
  view->tools = ChartTools{};
  return view;
}

void UpdateChartLayout(ChartView& view) {
  if (view.mode < kTemperatureMode || view.mode > kPregnancyMode) return;
  view.plotLeft = view.clientLeft + 50;
  view.plotTop = view.clientTop + (view.mode == kPregnancyMode ? 60 : 45);
  view.plotRight = view.clientRight;
  view.plotBottom = view.clientBottom - 30;
  view.rowHeight = (view.plotBottom - view.plotTop) / 22;
  view.dayWidth = view.mode == kTemperatureMode ? view.rowHeight / 2 : (view.rowHeight / 3) * 2;
}

void SetChartMode(ChartView& view, int mode) {
  view.mode = mode;
  UpdateChartLayout(view);
  SetChartScrollRange(view);
}

void SetChartScrollRange(ChartView& view) {
  if (!view.scrollBar) return;
  const std::tm today = TodayOf(view);
  const int days = quillet::SubDay(today, ChartStartDate(view));
  int nMax = view.mode == kPregnancyMode ? 280 : 365;
  if (view.mode == kTemperatureMode || view.mode == kWeightMode) nMax += days;
  // A scroll bar keeps its position inside its range; a start date after today (a record later
  // in the current year) or a pregnancy older than the range opens at the nearer end.
  nMax = std::max(nMax, 0);
  const int nPos = std::clamp(days, 0, nMax);
  view.scrollBar->SetRangeAndPosition(0, nMax, nPos);
}

std::tm FirstTemperatureDate(const ChartView& view) {
  const std::tm today = TodayOf(view);
  const TemperatureRecord* first = view.temperatures ? view.temperatures->head() : nullptr;
  if (first == nullptr || first->year - 1900 > today.tm_year) return today;
  return DateOnly(first->Date());
}

std::tm FirstWeightDate(const ChartView& view) {
  const std::tm today = TodayOf(view);
  const WeightRecord* first = view.weights ? view.weights->head() : nullptr;
  if (first == nullptr || first->year - 1900 > today.tm_year) return today;
  return DateOnly(first->Date());
}

std::tm PregnancyStartDate(const ChartView& view) {
  const std::tm today = TodayOf(view);
  if (view.temperatures == nullptr) return today;
  const DateYmd t = FromTm(today);
  if (const TemperatureRecord* start = LatestPeriodStart(*view.temperatures, t.year, t.month, t.day))
    return DateOnly(start->Date());
  const TemperatureRecord* last = view.temperatures->records.Last();
  if (last == nullptr) return today;
  if (const TemperatureRecord* start =
          LatestPeriodStart(*view.temperatures, last->year, last->month, last->day))
    return DateOnly(start->Date());
  return today;
}

std::tm ChartStartDate(const ChartView& view) {
  switch (view.mode) {
    case kTemperatureMode: return FirstTemperatureDate(view);
    case kWeightMode: return FirstWeightDate(view);
    case kPregnancyMode: return PregnancyStartDate(view);
    default: return TodayOf(view);
  }
}

int ChartScrollPosition(const ChartView& view) {
  int pos = 0;
  if (!view.scrollBar || !view.scrollBar->GetPosition(pos)) return 0;
  return pos;
}

std::tm FirstVisibleDate(const ChartView& view) {
  return quillet::AddYmd(ChartStartDate(view), 0, 0, ChartScrollPosition(view));
}

int VisibleDayCount(const ChartView& view) {
  const int w = view.dayWidth;
  if (w <= 0) return 0;
  const long long span = static_cast<long long>(view.plotRight) - view.plotLeft;
  if (span <= 0) return 0;
  // Largest k with plotLeft + k * w < plotRight.
  return static_cast<int>((span - 1) / w);
}

DateYmd DateAtX(const ChartView& view, int x) {
  const int w = view.dayWidth;
  // A plot too small for a column has no columns (and stepping by 0 would never end).
  if (w <= 0) return DateYmd{};
  std::tm day = FirstVisibleDate(view);
  for (int left = view.plotLeft; left + w < view.plotRight; left += w) {
    if (left < x && x < left + w) return FromTm(day);
    day = quillet::GetNextDay(day);
  }
  return DateYmd{};
}

int ValueToY(const ChartView& view, double value) {
  long double base = 0.0L;
  const bool temperature = view.mode == kTemperatureMode;
  if (temperature) {
    if (view.temperatures)
      base = static_cast<long double>(ChartFloorTemperature(*view.temperatures)) -
             static_cast<long double>(0.1);
  } else if (view.mode == kWeightMode || view.mode == kPregnancyMode) {
    if (view.weights) base = static_cast<long double>(ChartFloorWeight(*view.weights)) - 0.5L;
  }
  const long double diff = static_cast<long double>(value) - base;
  if (diff <= 0.0L) return view.plotBottom - 2;
  const long long r = view.rowHeight;
  const double steps = static_cast<double>(diff * (temperature ? 100.0L : 10.0L));
  // Far above any plot (or not a number): pinned under the top like any value above it, and
  // kept clear of integer overflow.
  if (!(steps < 1e9)) return view.plotTop + 3;
  const long long h = static_cast<long long>(std::trunc(steps));
  long long y;
  if (temperature) {
    y = view.plotBottom - (h % 10) * (r / 10) - (h / 10) * r;
  } else {
    y = view.plotBottom - (h % 5) * (r / 5) - (h / 5) * r;
  }
  if (y <= view.plotTop) return view.plotTop + 3;
  return static_cast<int>(y);
}

namespace {

// The y where the segment between the points of a and b (each at its column centre) meets the
// left edge of day's column.
int CrossingY(int w, int yA, int yB, const DateYmd& a, const DateYmd& b, const std::tm& day) {
  const int m = quillet::SubDay(DateOnly(b), DateOnly(a));
  const int k = quillet::SubDay(DateOnly(b), day);
  const long double span = static_cast<long double>(m) * w;
  if (span == 0.0L) return yA;
  const long double offset = (static_cast<long double>(m) * w - static_cast<long double>(k) * w) -
                             static_cast<long double>(w / 2);
  const long double slope = static_cast<long double>(yB - yA) / span;
  return yA + static_cast<int>(std::trunc(offset * slope));
}

}  // namespace

int EdgeCrossingY(const ChartView& view, const TemperatureRecord& a, const TemperatureRecord& b,
                  const std::tm& day) {
  return CrossingY(view.dayWidth, ValueToY(view, a.temperature), ValueToY(view, b.temperature),
                   a.Date(), b.Date(), day);
}

int EdgeCrossingY(const ChartView& view, const WeightRecord& a, const WeightRecord& b,
                  const std::tm& day) {
  return CrossingY(view.dayWidth, ValueToY(view, a.weight), ValueToY(view, b.weight), a.Date(),
                   b.Date(), day);
}

int ScrollPositionAfter(int code, int nMin, int nMax, int nPos, int trackPos) {
  long long pos = nPos;
  switch (code) {
    case sb::kLineLeft: pos = static_cast<long long>(nPos) - 1; break;
    case sb::kLineRight: pos = static_cast<long long>(nPos) + 1; break;
    case sb::kPageLeft: pos = static_cast<long long>(nPos) - nMax / 30; break;
    case sb::kPageRight: pos = static_cast<long long>(nPos) + nMax / 30; break;
    case sb::kThumbPosition:
    case sb::kThumbTrack: pos = trackPos; break;
    case sb::kLeft: pos = nMin; break;
    case sb::kRight: pos = nMax; break;
    default: break;
  }
  if (pos > nMax) pos = nMax;
  if (pos < nMin) pos = nMin;
  return static_cast<int>(pos);
}

bool ScrollChart(ChartView& view, int code, int trackPos) {
  if (!view.scrollBar) return false;
  int nMin = 0, nMax = 0, nPos = 0;
  if (!view.scrollBar->GetRange(nMin, nMax, nPos)) return false;
  view.scrollBar->SetPosition(ScrollPositionAfter(code, nMin, nMax, nPos, trackPos));
  return true;
}
