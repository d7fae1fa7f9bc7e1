// The tools, value mapping, edge crossing and frame pieces the screen chart and the printed page
// share.
#include "chart_plot.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <optional>

#include "chart_internal.h"
#include "dates.h"
#include "signs_band.h"

namespace {

constexpr ColorRef kWhite = MakeRgb(255, 255, 255);

// Sets the floating-point rounding mode and restores the one it found when the scope ends.
class ScopedRounding {
 public:
  explicit ScopedRounding(int mode) : saved_(std::fegetround()) { std::fesetround(mode); }
  ~ScopedRounding() { std::fesetround(saved_); }
  ScopedRounding(const ScopedRounding&) = delete;
  ScopedRounding& operator=(const ScopedRounding&) = delete;

 private:
  int saved_;
};

// The solid pen of the cover lines and first high days; null without a tool factory.
DrawTool MakeCoverLinePen(const ChartPlot& plot) {
  if (plot.toolFactory == nullptr) return nullptr;
  return plot.toolFactory->MakePen(PenDesc{PenStyle::Solid, plot.penWidth, plot.shiftLines.color});
}

// The dashed pen of the double-check days; null unless the shift lines are shown beside the signs
// band.
DrawTool MakeDoubleCheckPen(const ChartPlot& plot) {
  if (plot.toolFactory == nullptr || !plot.shiftLines.show || !plot.signsBand) return nullptr;
  return plot.toolFactory->MakePen(PenDesc{PenStyle::Dash, plot.penWidth, plot.shiftLines.color});
}

// A line with `pen` down the middle of day column k (0-based), from the plot's top to its bottom.
void DrawColumnMiddleLine(const ChartPlot& plot, Canvas& canvas, DrawTool pen, int k) {
  const int x = plot.plotLeft + (k + 1) * plot.dayWidth - plot.dayWidth / 2;
  DrawLine(canvas, pen, x, plot.plotTop + 1, x, plot.plotBottom);
}

}  // namespace

ChartPlot::~ChartPlot() { ReleaseChartTools(*this); }

void MakeChartTools(ChartPlot& plot, const FontDesc& bold, const FontDesc& day,
                    bool columnBrushes, int penWidth) {
  if (plot.toolFactory == nullptr) return;
  plot.penWidth = penWidth;
  DrawingToolFactory& f = *plot.toolFactory;
  const ColorScheme& c = plot.colors;
  ChartTools& t = plot.tools;
  t.boldFont = f.MakeFont(bold);
  t.dayFont = f.MakeFont(day);
  t.framePen = f.MakePen(PenDesc{PenStyle::Solid, penWidth, c.BaseColor});
  t.gridPen = f.MakePen(PenDesc{PenStyle::Solid, penWidth, c.GraphGridColor});
  t.gridDotPen = f.MakePen(PenDesc{PenStyle::Dot, penWidth, c.GraphGridColor});
  t.graphPen = f.MakePen(PenDesc{PenStyle::Solid, penWidth, c.GraphColor});
  t.baseLinePen = f.MakePen(PenDesc{PenStyle::Dash, penWidth, c.BaseTempeLineColor});
  t.whiteBrush = f.MakeSolidBrush(kWhite);
  if (columnBrushes) {
    t.todayBrush = f.MakeSolidBrush(c.TodayBackColor);
    t.markBrush = f.MakeSolidBrush(c.MarkBackColor);
  }
  t.dotBrush = f.MakeSolidBrush(c.GraphColor);
  if (plot.shiftLines.show) t.coverLinePen = MakeCoverLinePen(plot);
  MakeSignsBandTools(plot, day);
  t.doubleCheckPen = MakeDoubleCheckPen(plot);
}

void SetShiftLineStyle(ChartPlot& plot, const ShiftLineStyle& style) {
  for (DrawTool* pen : {&plot.tools.coverLinePen, &plot.tools.doubleCheckPen}) {
    if (plot.toolFactory != nullptr && *pen != nullptr) plot.toolFactory->DeleteTool(*pen);
    *pen = nullptr;
  }
  plot.shiftLines = style;
  if (style.show) plot.tools.coverLinePen = MakeCoverLinePen(plot);
  plot.tools.doubleCheckPen = MakeDoubleCheckPen(plot);
}

void ReleaseChartTools(ChartPlot& plot) {
  ChartTools& t = plot.tools;
  if (plot.toolFactory != nullptr) {
    for (DrawTool tool : {t.boldFont, t.dayFont, t.framePen, t.gridPen, t.gridDotPen, t.graphPen,
                          t.baseLinePen, t.whiteBrush, t.todayBrush, t.markBrush, t.dotBrush,
                          t.coverLinePen, t.doubleCheckPen}) {
      if (tool != nullptr) plot.toolFactory->DeleteTool(tool);
    }
  }
  ReleaseSignsBandTools(plot);
  t = ChartTools{};
}

int MapValueToY(const ChartPlot& plot, const ValueScale& scale, double value) {
  std::optional<ScopedRounding> upward;
  if (scale.upward) upward.emplace(FE_UPWARD);
  // Volatile loads and stores keep the arithmetic between the two mode switches.
  volatile double floorValue = scale.floor;
  volatile double rowValue = scale.rowValue;
  volatile double input = value;
  volatile double margin = scale.margin;
  const long double base = scale.hasFloor ? static_cast<long double>(floorValue) -
                                                static_cast<long double>(rowValue)
                                          : 0.0L;
  const long double diff = static_cast<long double>(input) - base;
  volatile int y;
  if (diff <= 0.0L) {
    y = static_cast<int>(std::trunc(static_cast<long double>(plot.plotBottom) - 2.0L * margin));
    return y;
  }
  // The step count is stored as a double (in the mode in force, like the rest).
  volatile double product = static_cast<double>(diff * static_cast<long double>(scale.stepsPerUnit));
  const double steps = product;
  const long long r = plot.rowHeight;
  const long long perRow = scale.stepsPerRow;
  long long yy = plot.plotTop;  // far above any plot (or not a number): pinned under the top
  if (steps < 1e9) {
    const long long h = static_cast<long long>(std::trunc(steps));
    yy = plot.plotBottom - (h % perRow) * (r / perRow) - (h / perRow) * r;
  }
  if (yy <= plot.plotTop)
    yy = static_cast<long long>(std::trunc(static_cast<long double>(plot.plotTop) + 3.0L * margin));
  y = static_cast<int>(yy);
  return y;
}

int EdgeCrossingY(int w, int yA, int yB, const DateYmd& a, const DateYmd& b, const std::tm& day) {
  const int m = quillet::SubDay(ToTm(b), ToTm(a));
  const int k = quillet::SubDay(ToTm(b), day);
  const long double span = static_cast<long double>(m) * w;
  if (span == 0.0L) return yA;
  const long double offset = (static_cast<long double>(m) * w - static_cast<long double>(k) * w) -
                             static_cast<long double>(w / 2);
  const long double slope = static_cast<long double>(yB - yA) / span;
  return yA + static_cast<int>(std::trunc(offset * slope));
}

void DrawBox(Canvas& canvas, DrawTool pen, int left, int top, int right, int bottom) {
  ScopedSelect use(canvas, pen);
  canvas.MoveTo(left, top);
  canvas.LineTo(left, bottom);
  canvas.LineTo(right, bottom);
  canvas.LineTo(right, top);
  canvas.LineTo(left, top);
}

void DrawPlotFrame(const ChartPlot& plot, Canvas& canvas, const DrawRect& outer) {
  canvas.FillRect(outer, plot.tools.whiteBrush);
  DrawBox(canvas, plot.tools.framePen, outer.left, outer.top, outer.right, outer.bottom);
  DrawBox(canvas, plot.tools.framePen, plot.plotLeft, plot.plotTop, plot.plotRight,
          plot.plotBottom);
}

void DrawCaption(const ChartPlot& plot, Canvas& canvas, const char16_t* text, int top, int bottom,
                 int dx, int dy) {
  DrawBox(canvas, plot.tools.framePen, 0, top, plot.plotLeft, bottom);
  canvas.DrawTextIn(text, DrawRect{dx, top + dy, plot.plotLeft + dx, bottom + dy}, dt::kTopLeft);
}

void DrawHeaderAxes(const ChartPlot& plot, Canvas& canvas,
                    std::initializer_list<const char16_t*> captions, int bottom, int captionDx,
                    int captionDy) {
  const int P = plot.plotTop, PL = plot.plotLeft, PR = plot.plotRight, PB = plot.plotBottom;
  const int rows = static_cast<int>(captions.size());
  const DrawTool pen = plot.tools.framePen;
  for (int i = 0; i + 1 < rows; ++i) DrawBox(canvas, pen, PL, P / rows * i, PR, P / rows * (i + 1));
  DrawBox(canvas, pen, PL, 0, PR, P);
  DrawBox(canvas, pen, PL, PB, PR, bottom);
  DrawBox(canvas, pen, 0, 0, PL, bottom);
  int i = 0;
  for (const char16_t* caption : captions) {
    const int bottomOfRow = i + 1 < rows ? P / rows * (i + 1) : P;
    DrawCaption(plot, canvas, caption, P / rows * i, bottomOfRow, captionDx, captionDy);
    ++i;
  }
}

void DrawThreeRowAxes(const ChartPlot& plot, Canvas& canvas, int bottom, int captionDx,
                      int captionDy) {
  DrawHeaderAxes(plot, canvas, {u"年月", u"日", u"月経周期"}, bottom, captionDx, captionDy);
}

void DrawScaleLabels(const ChartPlot& plot, Canvas& canvas, int left, double first, double step,
                     int digits) {
  const int r = plot.rowHeight;
  if (r <= 0) return;  // no rows to label (and the loop would not advance)
  double v = first;
  int i = 1;
  for (int y = plot.plotBottom - r; y > plot.plotTop; y -= r) {
    if (i != 1) {
      const int top = y + (r / 3) * 2;
      canvas.DrawTextIn(DecimalText(v, digits), DrawRect{left, top, plot.plotLeft, top + r},
                        dt::kRight);
    }
    ++i;
    v += step;
  }
}

void DrawShiftLines(const ChartPlot& plot, Canvas& canvas, const std::vector<CycleReading>& cycles,
                    const std::tm& first, int columns, const DateYmd& last) {
  if (columns <= 0 || plot.tools.coverLinePen == nullptr) return;
  const int w = plot.dayWidth;
  const DateYmd firstDate = FromTm(first);
  // Column k (0-based) of a date, and its left x: one pixel right of the column's left line (for
  // the first column, the plot box's).
  auto columnOf = [&](const DateYmd& d) { return quillet::SubDay(ToTm(d), first); };
  auto leftOf = [&](int k) { return plot.plotLeft + k * w + 1; };
  // The first cycle that may reach into the columns: cycles are in date order.
  auto cycle = std::lower_bound(cycles.begin(), cycles.end(), firstDate,
                                [](const CycleReading& c, const DateYmd& d) { return c.end < d; });
  for (; cycle != cycles.end(); ++cycle) {
    const int from = columnOf(cycle->start);
    if (from >= columns || last < cycle->start) break;
    if (!cycle->hasShift) continue;
    const int to = std::min({columnOf(cycle->end), columnOf(last), columns - 1});
    const int fromColumn = std::max(from, 0);
    if (to < fromColumn) continue;
    const int y = plot.ValueY(static_cast<double>(cycle->coverLine) / 100.0);
    DrawLine(canvas, plot.tools.coverLinePen, leftOf(fromColumn), y, plot.plotLeft + (to + 1) * w,
             y);
    const int high = columnOf(cycle->firstHigh);
    if (high >= fromColumn && high <= to)
      DrawColumnMiddleLine(plot, canvas, plot.tools.coverLinePen, high);
  }
}

void DrawDoubleCheckLines(const ChartPlot& plot, Canvas& canvas, const std::vector<DateYmd>& days,
                          const std::tm& first, int columns) {
  if (plot.tools.doubleCheckPen == nullptr) return;
  for (const DateYmd& day : days) {
    const int k = quillet::SubDay(ToTm(day), first);
    if (k >= 0 && k < columns) DrawColumnMiddleLine(plot, canvas, plot.tools.doubleCheckPen, k);
  }
}
