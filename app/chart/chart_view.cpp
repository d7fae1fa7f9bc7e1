// Layout, timeline, scrolling and value mapping of the on-screen chart.
#include "chart_view.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "chart_drawing.h"
#include "chart_internal.h"
#include "dates.h"
#include "signs_band.h"
#include "statistics.h"

std::unique_ptr<ChartView> CreateChartView(int left, int top, int right, int bottom, void* window,
                                           std::unique_ptr<ChartScrollBar> scrollBar,
                                           const TemperatureStore* temperatures,
                                           const WeightStore* weights,
                                           DrawingToolFactory* toolFactory,
                                           std::function<std::tm()> today,
                                           const ScreenChartSizes& sizes,
                                           const SignStore* signs) {
  auto view = std::make_unique<ChartView>();
  view->clientLeft = left;
  view->clientTop = top;
  view->clientRight = right;
  view->clientBottom = bottom;
  view->sizes = sizes;
  view->window = window;
  view->scrollBar = std::move(scrollBar);
  view->temperatures = temperatures;
  view->weights = weights;
  view->signs = signs;
  view->toolFactory = toolFactory;
  view->today = std::move(today);
  view->mode = kTemperatureMode;
  UpdateChartLayout(*view);
  // The first layout uses the bottom as given; every later one the stored, one less.
  view->clientBottom = bottom - 1;
  return view;
}

ScreenChartSizes ScreenChartSizesFor(const DisplayScale& scale) {
  const ScreenChartSizes base;
  ScreenChartSizes s;
  for (int ScreenChartSizes::*size :
       {&ScreenChartSizes::axisWidth, &ScreenChartSizes::headerHeight,
        &ScreenChartSizes::pregnancyHeaderHeight, &ScreenChartSizes::stripHeight,
        &ScreenChartSizes::fontHeight, &ScreenChartSizes::dayFontInset,
        &ScreenChartSizes::penWidth, &ScreenChartSizes::pointRadius, &ScreenChartSizes::captionDx,
        &ScreenChartSizes::captionDy, &ScreenChartSizes::labelInset,
        &ScreenChartSizes::labelWidth, &ScreenChartSizes::signRowHeight})
    s.*size = std::max(1, scale.Px(base.*size));
  return s;
}

void PlaceChartView(ChartView& view, int left, int top, int right, int bottom,
                    const ScreenChartSizes& sizes) {
  view.clientLeft = left;
  view.clientTop = top;
  view.clientRight = right;
  view.clientBottom = bottom;
  view.sizes = sizes;
  // As at creation: the first layout from the bottom as given, then the mode's from the stored.
  const int mode = view.mode;
  view.mode = kTemperatureMode;
  UpdateChartLayout(view);
  view.clientBottom = bottom - 1;
  view.mode = mode;
  UpdateChartLayout(view);
  if (view.tools.boldFont != nullptr) {
    ReleaseChartTools(view);
    CreateDrawingTools(view);
  }
}

void UpdateChartLayout(ChartView& view) {
  if (view.mode < kTemperatureMode || view.mode > kPregnancyMode) return;
  const ScreenChartSizes& s = view.sizes;
  view.plotLeft = view.clientLeft + s.axisWidth;
  view.plotTop = view.clientTop + (view.mode == kPregnancyMode ? s.pregnancyHeaderHeight : s.headerHeight);
  view.plotRight = view.clientRight;
  view.signsBand = view.mode == kTemperatureMode && HasSigns(view.signs);
  view.bandRowHeight = s.signRowHeight;
  const int band = view.signsBand ? kSignRows * s.signRowHeight : 0;
  view.plotBottom = view.clientBottom - s.stripHeight - band;
  view.bandTop = view.plotBottom + s.stripHeight;
  view.rowHeight = (view.plotBottom - view.plotTop) / 22;
  view.dayWidth = view.mode == kTemperatureMode ? view.rowHeight / 2 : (view.rowHeight / 3) * 2;
}

bool SyncSignsBand(ChartView& view) {
  if ((view.mode == kTemperatureMode && HasSigns(view.signs)) == view.signsBand) return false;
  UpdateChartLayout(view);
  // The day font's width follows the day width, which the band changed.
  if (view.tools.boldFont != nullptr) {
    ReleaseChartTools(view);
    CreateDrawingTools(view);
  }
  return true;
}

void SetChartMode(ChartView& view, int mode) {
  const bool band = view.signsBand;
  view.mode = mode;
  UpdateChartLayout(view);
  // Only temperature mode has the signs band: its tools come and go with it.
  if (band != view.signsBand && view.tools.boldFont != nullptr) {
    ReleaseChartTools(view);
    CreateDrawingTools(view);
  }
  SetChartScrollRange(view);
}

int TodayScrollPosition(const ChartView& view) {
  return quillet::SubDay(TodayOf(view), ChartStartDate(view));
}

void SetChartScrollRange(ChartView& view) {
  if (!view.scrollBar) return;
  const int days = TodayScrollPosition(view);
  int nMax = view.mode == kPregnancyMode ? 280 : 365;
  if (view.mode == kTemperatureMode || view.mode == kWeightMode) nMax += days;
  // A scroll bar keeps its position inside its range; a start date after today (a record later
  // in the current year) or a pregnancy older than the range opens at the nearer end.
  nMax = std::max(nMax, 0);
  const int nPos = std::clamp(days, 0, nMax);
  view.scrollBar->SetRangeAndPosition(0, nMax, nPos);
}

namespace {

// The start dates as they are on the day `today`.
std::tm FirstTemperatureDateOn(const ChartView& view, const std::tm& today) {
  const TemperatureRecord* first = view.temperatures ? view.temperatures->head() : nullptr;
  if (first == nullptr || first->year - 1900 > today.tm_year) return today;
  return ToTm(first->Date());
}

std::tm FirstWeightDateOn(const ChartView& view, const std::tm& today) {
  const WeightRecord* first = view.weights ? view.weights->head() : nullptr;
  if (first == nullptr || first->year - 1900 > today.tm_year) return today;
  return ToTm(first->Date());
}

std::tm PregnancyStartDateOn(const ChartView& view, const std::tm& today) {
  if (view.temperatures == nullptr) return today;
  const DateYmd t = FromTm(today);
  if (const TemperatureRecord* start = LatestPeriodStart(*view.temperatures, t.year, t.month, t.day))
    return ToTm(start->Date());
  const TemperatureRecord* last = view.temperatures->records.Last();
  if (last == nullptr) return today;
  if (const TemperatureRecord* start =
          LatestPeriodStart(*view.temperatures, last->year, last->month, last->day))
    return ToTm(start->Date());
  return today;
}

std::tm ChartStartDateOn(const ChartView& view, const std::tm& today) {
  switch (view.mode) {
    case kTemperatureMode: return FirstTemperatureDateOn(view, today);
    case kWeightMode: return FirstWeightDateOn(view, today);
    case kPregnancyMode: return PregnancyStartDateOn(view, today);
    default: return today;
  }
}

}  // namespace

std::tm FirstTemperatureDate(const ChartView& view) { return FirstTemperatureDateOn(view, TodayOf(view)); }

std::tm FirstWeightDate(const ChartView& view) { return FirstWeightDateOn(view, TodayOf(view)); }

std::tm PregnancyStartDate(const ChartView& view) { return PregnancyStartDateOn(view, TodayOf(view)); }

std::tm ChartStartDate(const ChartView& view) { return ChartStartDateOn(view, TodayOf(view)); }

void KeepChartOnNewDay(ChartView& view, const std::tm& oldToday) {
  if (!view.scrollBar) return;
  const std::tm firstShown =
      quillet::AddYmd(ChartStartDateOn(view, oldToday), 0, 0, ChartScrollPosition(view));
  SetChartScrollRange(view);
  // The bar keeps the position inside the new range.
  view.scrollBar->SetPosition(quillet::SubDay(firstShown, ChartStartDate(view)));
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
  ValueScale scale;
  if (view.mode == kTemperatureMode) {
    scale.hasFloor = view.temperatures != nullptr;
    if (scale.hasFloor) scale.floor = ChartFloorTemperature(*view.temperatures);
  } else {
    // Weight rows of 0.5 kg in tenths (modes 2 and 3; any other mode counts from 0 like them).
    scale.hasFloor = (view.mode == kWeightMode || view.mode == kPregnancyMode) && view.weights;
    if (scale.hasFloor) scale.floor = ChartFloorWeight(*view.weights);
    scale.rowValue = 0.5;
    scale.stepsPerUnit = 10;
    scale.stepsPerRow = 5;
  }
  return MapValueToY(view, scale, value);
}

int ChartView::ValueY(double value) const { return ValueToY(*this, value); }

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

ChartScrollRequest ScrollByDays(const ChartView& view, int days) {
  const long long target = static_cast<long long>(ChartScrollPosition(view)) + days;
  return ChartScrollRequest{sb::kThumbPosition,
                            static_cast<int>(std::clamp<long long>(target, INT_MIN, INT_MAX))};
}

bool KeyScrollRequest(const ChartView& view, int key, ChartScrollRequest& request) {
  switch (key) {
    case vk::kLeft: request = {sb::kLineLeft, 0}; return true;
    case vk::kRight: request = {sb::kLineRight, 0}; return true;
    case vk::kPageUp: request = ScrollByDays(view, -VisibleDayCount(view)); return true;
    case vk::kPageDown: request = ScrollByDays(view, VisibleDayCount(view)); return true;
    case vk::kHome: request = {sb::kLeft, 0}; return true;
    case vk::kEnd: request = {sb::kThumbPosition, TodayScrollPosition(view)}; return true;
    default: return false;
  }
}

int WheelDays::Add(long long laterDelta) {
  constexpr long long kNotch = 120;  // WHEEL_DELTA
  sevenths_ += laterDelta * 7;
  const long long days = sevenths_ / kNotch;  // toward zero: a part of a day in either direction waits
  sevenths_ -= days * kNotch;
  return static_cast<int>(days);
}
