// The per-column pieces the chart's data layers share, the printed page's included: the column
// walk, rectangles, header texts, day lines, grid, the curve with its edge lines, and the average
// line.
#pragma once

#include <algorithm>
#include <cmath>
#include <ctime>

#include "chart_internal.h"
#include "chart_plot.h"
#include "chart_view.h"
#include "dates.h"
#include "record_stores.h"
#include "signs_band.h"
#include "statistics.h"

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
  return DrawRect{c.left + 1, v.plotBottom + 1, c.left + 1 + v.dayWidth, StripBottom(v)};
}

// A pen wider than a pixel covers this many pixels above (left of) its line and below (right
// of) it; GDI puts the odd one above. The screen's fills stay off the frame's lines by these, so
// a data-layer redraw never thins them. Both 0 at 96 DPI.
inline int LineAbove(const ChartView& v) { return v.sizes.penWidth / 2; }
inline int LineBelow(const ChartView& v) { return (v.sizes.penWidth - 1) / 2; }

// The column's inside of the plot: from its left line + 1 to its right line.
inline DrawRect ColumnRect(const ChartView& v, const DayColumn& c) {
  const int top = v.plotTop + 1 + LineBelow(v), bottom = v.plotBottom - LineAbove(v);
  if (c.index == 1) return DrawRect{c.left + LineBelow(v), top, c.left + v.dayWidth - 1, bottom};
  return DrawRect{c.left + 1 + LineBelow(v), top, c.left + 1 + v.dayWidth, bottom};
}

// The screen's year-month label: 2 pixels into the column, 132 wide, cut with an ellipsis.
struct YearMonthLabelStyle {
  int inset = 2;
  long double width = 132.0L;
  unsigned flags = dt::kEndEllipsis;
};

// The screen's year-month label at the view's scale.
inline YearMonthLabelStyle ScreenYearMonthLabel(const ChartView& v) {
  YearMonthLabelStyle style;
  style.inset = v.sizes.labelInset;
  style.width = v.sizes.labelWidth;
  return style;
}

// The left line of the first column of the month after column c's (the plot's left edge for
// the first column).
inline long long NextMonthLine(const ChartPlot& v, const DayColumn& c) {
  const int daysLeft = quillet::GetMaxDayOfMonth(c.date.year, c.date.month - 1) - c.date.day + 1;
  return static_cast<long long>(c.right) - v.dayWidth + static_cast<long long>(daysLeft) * v.dayWidth;
}

// The year-month label when the column is the first or starts a month: from the column's left
// x + inset to that + width (truncated), at most the plot's right edge. A box that would reach
// into the next month's label ends at that month's first column instead, and the next month
// wins the row: the label there is "YYYY年M月" when that fits, else "M月", else none at all. Its
// text is measured in the font the canvas holds.
inline void DrawYearMonthLabel(const ChartPlot& v, Canvas& canvas, const DayColumn& c,
                               int previousMonth, int rowBottom,
                               const YearMonthLabelStyle& style = {}) {
  if (c.index != 1 && c.date.month == previousMonth) return;
  const int left = c.left + style.inset;
  const int right = std::min(
      static_cast<int>(std::trunc(static_cast<long double>(left) + style.width)), v.plotRight);
  const long long nextMonth = NextMonthLine(v, c);
  if (nextMonth >= right) {
    canvas.DrawTextIn(YearMonthText(c.date.year, c.date.month), DrawRect{left, 1, right, rowBottom},
                      style.flags);
    return;
  }
  const int room = static_cast<int>(nextMonth) - left;
  for (const std::u16string& text :
       {YearMonthText(c.date.year, c.date.month), NumberText(c.date.month) + u"月"}) {
    if (canvas.TextWidth(text) <= room) {
      canvas.DrawTextIn(text, DrawRect{left, 1, static_cast<int>(nextMonth), rowBottom}, style.flags);
      return;
    }
  }
}

// A number cell of the header (day font selected by the caller): from the pixel after the
// column's left line to its right line, so neighbouring cells never share a pixel (the first
// column's left line is the plot's edge). The screen sets the text on the cell's bottom, the
// page centres it.
inline void DrawHeaderCell(const ChartPlot& v, Canvas& canvas, const DayColumn& c,
                           const std::u16string& text, int top, int bottom,
                           unsigned flags = dt::kSingleLine | dt::kBottom | dt::kCenter) {
  canvas.DrawTextIn(text, DrawRect{c.right - v.dayWidth + 1, top, c.right + 1, bottom}, flags);
}

// The cycle day of a column (1 on the period-start day) or " " before any known start.
// `lastStart` carries the latest start found over the columns drawn so far.
inline std::u16string CycleDayText(const TemperatureStore* store, const DayColumn& c,
                                   const TemperatureRecord*& lastStart) {
  int a = -999;
  const TemperatureRecord* start =
      store ? LatestPeriodStart(*store, c.date.year, c.date.month, c.date.day) : nullptr;
  if (start != nullptr) {
    a = quillet::SubDay(c.day, ToTm(start->Date()));
    lastStart = start;
  } else if (lastStart != nullptr) {
    a = quillet::SubDay(c.day, ToTm(lastStart->Date()));
  }
  return a >= 0 ? NumberText(a + 1) : std::u16string(u" ");
}

// The vertical line at the column's right edge from top to bottom: solid after a Saturday,
// dotted otherwise.
inline void DrawDayLine(const ChartPlot& v, Canvas& canvas, const DayColumn& c, int top,
                        int bottom) {
  const bool saturday = quillet::GetWeekOfDay(c.date.year, c.date.month, c.date.day) == 6;
  DrawLine(canvas, saturday ? v.tools.gridPen : v.tools.gridDotPen, c.right, top, c.right, bottom);
}

// Horizontal grid: the floor line (one row above the bottom) and every `solidEvery`-th line after
// it solid, the rest dotted.
inline void DrawHorizontalGrid(const ChartPlot& v, Canvas& canvas, int solidEvery) {
  const int r = v.rowHeight;
  if (r <= 0) return;  // no rows (and the loop would not advance)
  int k = 1;
  for (int y = v.plotBottom - r; y > v.plotTop; y -= r, ++k) {
    DrawLine(canvas, (k - 1) % solidEvery == 0 ? v.tools.gridPen : v.tools.gridDotPen,
             v.plotLeft + 1, y, v.plotRight, y);
  }
}

// The dashed line at the average temperature (36.5 without a store) across the plot.
inline void DrawAverageLine(const ChartPlot& v, Canvas& canvas, const TemperatureStore* store) {
  const int y = v.ValueY(store ? AverageTemperature(*store) : 36.5);
  DrawLine(canvas, v.tools.baseLinePen, v.plotLeft + 1, y, v.plotRight, y);
}

// Clears with the white brush the plot interior, the header rows (from the pixel under a row's
// top line to its bottom line) and the strip, each inside the lines around it.
inline void ClearInside(const ChartView& v, Canvas& canvas, int left, int top, int right,
                        int bottom) {
  canvas.FillRect(DrawRect{left + LineBelow(v), top + LineBelow(v), right - LineAbove(v),
                           bottom - LineAbove(v)},
                  v.tools.whiteBrush);
}
inline void ClearPlot(const ChartView& v, Canvas& canvas) {
  ClearInside(v, canvas, v.plotLeft + 1, v.plotTop + 1, v.plotRight, v.plotBottom);
}
inline void ClearHeaderRow(const ChartView& v, Canvas& canvas, int top, int bottom) {
  ClearInside(v, canvas, v.plotLeft + 1, top, v.plotRight, bottom);
}
inline void ClearStrip(const ChartView& v, Canvas& canvas) {
  ClearInside(v, canvas, v.plotLeft + 1, v.plotBottom + 1, v.plotRight, StripBottom(v));
}
// The signs band's rows, each inside its lines (nothing while the band is not laid out).
inline void ClearSignsBand(const ChartView& v, Canvas& canvas) {
  if (!v.signsBand) return;
  for (int row = 0; row < kSignRows; ++row)
    ClearInside(v, canvas, v.plotLeft + 1, SignRowTop(v, row, v.clientBottom) + 1, v.plotRight,
                SignRowTop(v, row + 1, v.clientBottom));
}

// The curve over the visible columns: points (circles of the given radius) joined in date order,
// with lines running off the plot's left and right edges towards records outside the view.
template <typename Record>
class CurveDrawer {
 public:
  CurveDrawer(const ChartPlot& plot, Canvas& canvas, const std::tm& firstVisible, int pointRadius)
      : v_(plot), canvas_(canvas), first_(firstVisible), radius_(pointRadius) {}

  // The record of column c: the line in from the left edge when its predecessor lies before the
  // first column, then (when `withPoint`) the line from the last point and its own point.
  void AddPoint(const Record& record, const DayColumn& c, bool withPoint = true) {
    const int cx = c.right - v_.dayWidth / 2;
    const int cy = v_.ValueY(RecordValue(record));
    if (record.prev != nullptr && quillet::SubDay(ToTm(record.prev->Date()), first_) < 0) {
      DrawLine(canvas_, v_.tools.graphPen, v_.plotLeft + 1,
               EdgeCrossingY(v_, *record.prev, record, first_), cx, cy);
    }
    if (!withPoint) return;
    if (lastX_ != 0 && lastY_ != 0) DrawLine(canvas_, v_.tools.graphPen, lastX_, lastY_, cx, cy);
    lastX_ = cx;
    lastY_ = cy;
    lastDrawn_ = &record;
    ScopedSelect pen(canvas_, v_.tools.graphPen);
    ScopedSelect brush(canvas_, v_.tools.dotBrush);
    canvas_.Ellipse(cx - radius_, cy - radius_, cx + radius_, cy + radius_);
  }

  // dayAfter: the day after the last visible column.
  void Finish(const std::tm& dayAfter) {
    if (lastDrawn_ == nullptr || lastDrawn_->next == nullptr) return;
    const Record& next = *lastDrawn_->next;
    if (quillet::SubDay(ToTm(next.Date()), dayAfter) < 0) return;
    DrawLine(canvas_, v_.tools.graphPen, v_.plotRight - 1,
             EdgeCrossingY(v_, next, *lastDrawn_, dayAfter), lastX_, lastY_);
  }

 private:
  const ChartPlot& v_;
  Canvas& canvas_;
  std::tm first_;
  int radius_;
  int lastX_ = 0;
  int lastY_ = 0;
  const Record* lastDrawn_ = nullptr;
};

// Walks the visible columns, calling draw(column) for each; returns the day after the last one.
// Draws nothing when the day width leaves no room for a column.
template <typename Draw>
std::tm ForEachVisibleColumn(const ChartPlot& v, const std::tm& firstVisible, Draw draw) {
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
