// The per-column pieces the three data layers share: rectangles, header texts, day lines and the
// curve with its edge lines.
#pragma once

#include <algorithm>
#include <ctime>

#include "chart_internal.h"
#include "chart_view.h"
#include "dates.h"
#include "record_stores.h"

// One visible day column.
struct DayColumn {
  int index = 1;   // 1 for the first visible column
  int left = 0;    // x0: plotLeft + 1 for the first column, else its left line
  int right = 0;   // x1: its right line, plotLeft + index * dayWidth
  std::tm day{};
  DateYmd date;
};

// The strip rectangle under the plot for a column's mark.
inline DrawRect StripRect(const ChartView& v, const DayColumn& c) {
  return DrawRect{c.left + 1, v.plotBottom + 1, c.left + 1 + v.dayWidth, v.clientBottom};
}

// The column's inside of the plot: from its left line + 1 to its right line.
inline DrawRect ColumnRect(const ChartView& v, const DayColumn& c) {
  if (c.index == 1) return DrawRect{c.left, v.plotTop + 1, c.left + v.dayWidth - 1, v.plotBottom};
  return DrawRect{c.left + 1, v.plotTop + 1, c.left + 1 + v.dayWidth, v.plotBottom};
}

// The year-month label when the column is the first or starts a month.
inline void DrawYearMonthLabel(const ChartView& v, Canvas& canvas, const DayColumn& c,
                               int previousMonth, int rowBottom) {
  if (c.index != 1 && c.date.month == previousMonth) return;
  canvas.DrawTextIn(YearMonthText(c.date.year, c.date.month),
                    DrawRect{c.left + 2, 1, std::min(c.left + 134, v.plotRight), rowBottom},
                    dt::kEndEllipsis);
}

// A number cell of the header (day font selected by the caller).
inline void DrawHeaderCell(const ChartView& v, Canvas& canvas, const DayColumn& c,
                           const std::u16string& text, int top, int bottom) {
  canvas.DrawTextIn(text, DrawRect{c.left + 1, top, c.left + 1 + v.dayWidth, bottom},
                    dt::kSingleLine | dt::kBottom | dt::kCenter);
}

// The cycle day of a column (1 on the period-start day) or " " before any known start.
// `lastStart` carries the latest start found over the columns drawn so far.
inline std::u16string CycleDayText(const TemperatureStore* store, const DayColumn& c,
                                   const TemperatureRecord*& lastStart) {
  int a = -999;
  const TemperatureRecord* start =
      store ? LatestPeriodStart(*store, c.date.year, c.date.month, c.date.day) : nullptr;
  if (start != nullptr) {
    a = quillet::SubDay(c.day, quillet::MakeDate(start->year, start->month, start->day));
    lastStart = start;
  } else if (lastStart != nullptr) {
    a = quillet::SubDay(c.day, quillet::MakeDate(lastStart->year, lastStart->month, lastStart->day));
  }
  return a >= 0 ? NumberText(a + 1) : std::u16string(u" ");
}

// The vertical line at the column's right edge: solid after a Saturday, dotted otherwise.
inline void DrawDayLine(const ChartView& v, Canvas& canvas, const DayColumn& c, int top) {
  const bool saturday = quillet::GetWeekOfDay(c.date.year, c.date.month, c.date.day) == 6;
  DrawLine(canvas, saturday ? v.tools.gridPen : v.tools.gridDotPen, c.right, top, c.right,
           v.clientBottom);
}

// Horizontal grid: the floor line (one row above the bottom) and every `solidEvery`-th line after
// it solid, the rest dotted.
inline void DrawHorizontalGrid(const ChartView& v, Canvas& canvas, int solidEvery) {
  const int r = v.rowHeight;
  if (r <= 0) return;  // no rows (and the loop would not advance)
  int k = 1;
  for (int y = v.plotBottom - r; y > v.plotTop; y -= r, ++k) {
    DrawLine(canvas, (k - 1) % solidEvery == 0 ? v.tools.gridPen : v.tools.gridDotPen,
             v.plotLeft + 1, y, v.plotRight, y);
  }
}

// Clears with the white brush the plot interior, the header rows (bottoms given) and the strip.
inline void ClearPlot(const ChartView& v, Canvas& canvas) {
  canvas.FillRect(DrawRect{v.plotLeft + 1, v.plotTop + 1, v.plotRight, v.plotBottom},
                  v.tools.whiteBrush);
}
inline void ClearHeaderRow(const ChartView& v, Canvas& canvas, int top, int bottom) {
  canvas.FillRect(DrawRect{v.plotLeft + 1, top, v.plotRight, bottom}, v.tools.whiteBrush);
}
inline void ClearStrip(const ChartView& v, Canvas& canvas) {
  canvas.FillRect(DrawRect{v.plotLeft + 1, v.plotBottom + 1, v.plotRight, v.clientBottom},
                  v.tools.whiteBrush);
}

inline double RecordValue(const TemperatureRecord& r) { return r.temperature; }
inline double RecordValue(const WeightRecord& r) { return r.weight; }

// The curve over the visible columns: points joined in date order, with lines running off the
// plot's left and right edges towards records outside the view.
template <typename Record>
class CurveDrawer {
 public:
  CurveDrawer(const ChartView& view, Canvas& canvas, const std::tm& firstVisible)
      : v_(view), canvas_(canvas), first_(firstVisible) {}

  void AddPoint(const Record& record, const DayColumn& c) {
    const int cx = c.right - v_.dayWidth / 2;
    const int cy = ValueToY(v_, RecordValue(record));
    if (record.prev != nullptr && quillet::SubDay(DateTm(*record.prev), first_) < 0) {
      DrawLine(canvas_, v_.tools.graphPen, v_.plotLeft + 1,
               EdgeCrossingY(v_, *record.prev, record, first_), cx, cy);
    }
    if (lastX_ != 0 && lastY_ != 0) DrawLine(canvas_, v_.tools.graphPen, lastX_, lastY_, cx, cy);
    lastX_ = cx;
    lastY_ = cy;
    lastDrawn_ = &record;
    ScopedSelect pen(canvas_, v_.tools.graphPen);
    ScopedSelect brush(canvas_, v_.tools.dotBrush);
    canvas_.Ellipse(cx - 2, cy - 2, cx + 2, cy + 2);
  }

  // dayAfter: the day after the last visible column.
  void Finish(const std::tm& dayAfter) {
    if (lastDrawn_ == nullptr || lastDrawn_->next == nullptr) return;
    const Record& next = *lastDrawn_->next;
    if (quillet::SubDay(DateTm(next), dayAfter) < 0) return;
    DrawLine(canvas_, v_.tools.graphPen, v_.plotRight - 1,
             EdgeCrossingY(v_, next, *lastDrawn_, dayAfter), lastX_, lastY_);
  }

 private:
  static std::tm DateTm(const Record& r) { return quillet::MakeDate(r.year, r.month, r.day); }

  const ChartView& v_;
  Canvas& canvas_;
  std::tm first_;
  int lastX_ = 0;
  int lastY_ = 0;
  const Record* lastDrawn_ = nullptr;
};

// Walks the visible columns, calling draw(column) for each; returns the day after the last one.
// Draws nothing when the day width leaves no room for a column.
template <typename Draw>
std::tm ForEachVisibleColumn(const ChartView& v, const std::tm& firstVisible, Draw draw) {
  std::tm day = firstVisible;
  const int w = v.dayWidth;
  if (w <= 0) return day;
  DayColumn c;
  c.left = v.plotLeft + 1;
  for (int i = 1; v.plotLeft + static_cast<long long>(i) * w < v.plotRight; ++i) {
    c.index = i;
    c.right = v.plotLeft + i * w;
    c.day = day;
    c.date = FromTm(day);
    draw(c);
    day = quillet::GetNextDay(day);
    c.left = c.right;
  }
  return day;
}
