// What the on-screen chart and the printed page have in common: a plot box divided into day
// columns and value rows, the colour scheme and the pens, brushes and fonts made from it, the
// mapping of a value to a y, where the curve crosses a column's edge, and the boxes, captions and
// scale labels of the frame. The two differ only in sizes, fonts, margins and the rounding mode
// of the value mapping; each passes those in.
#pragma once

#include <ctime>
#include <initializer_list>
#include <vector>

#include "color_scheme.h"
#include "date_ymd.h"
#include "draw_canvas.h"
#include "record_stores.h"
#include "thermal_shift.h"

// The pens, brushes and fonts of a chart, owned by its view. The printed page has no today or
// mark column and leaves those two brushes null.
struct ChartTools {
  DrawTool boldFont = nullptr;
  DrawTool dayFont = nullptr;
  DrawTool framePen = nullptr;
  DrawTool gridPen = nullptr;
  DrawTool gridDotPen = nullptr;
  DrawTool graphPen = nullptr;
  DrawTool baseLinePen = nullptr;
  DrawTool whiteBrush = nullptr;
  DrawTool todayBrush = nullptr;
  DrawTool markBrush = nullptr;
  DrawTool dotBrush = nullptr;
  DrawTool coverLinePen = nullptr;  // only while the shift lines are shown
  // Only while the signs band is laid out: the mucus cells' brushes and the symbols' fonts, one
  // whose full-width glyph fills a day column and one half as wide for "＋＋".
  DrawTool mucusBrushes[kMucusLevelCount] = {};
  DrawTool signFont = nullptr;
  DrawTool signNarrowFont = nullptr;
  // Only while the shift lines are shown and the signs band is laid out: the dashed line of the
  // double-check days, in the cover-line colour.
  DrawTool doubleCheckPen = nullptr;
};

// The reading of the curve on the temperature chart: each cycle's cover line and the line of its
// first high day. Off (the default of a plot), nothing of it is drawn or made.
struct ShiftLineStyle {
  bool show = false;
  ColorRef color = MakeRgb(255, 128, 0);
  friend bool operator==(const ShiftLineStyle&, const ShiftLineStyle&) = default;
};

struct ChartPlot {
  // The data area.
  int plotLeft = 0, plotTop = 0, plotRight = 0, plotBottom = 0;
  int dayWidth = 0;   // pixels per day column
  int penWidth = 1;   // the width MakeChartTools gave the pens (the cover-line pen follows it)
  int rowHeight = 0;  // pixels per row of the value scale

  // The signs recorded beside the temperature (not owned). While they hold one, the temperature
  // chart and the printed page lay out their band of three rows under the plot (signs_band.h):
  // from bandTop, each row bandRowHeight high.
  const SignStore* signs = nullptr;
  bool signsBand = false;
  int bandTop = 0, bandRowHeight = 0;

  ColorScheme colors;
  ShiftLineStyle shiftLines;
  DrawingToolFactory* toolFactory = nullptr;  // not owned
  ChartTools tools;

  ChartPlot() = default;
  ChartPlot(const ChartPlot&) = delete;
  ChartPlot& operator=(const ChartPlot&) = delete;
  // Releases any tools still held.
  virtual ~ChartPlot();

  // The y of a value on this chart (the curve, its edge lines and the average line use it).
  virtual int ValueY(double value) const = 0;
};

// Makes the tools from the colours in this order: the two fonts, the frame, grid, dotted grid,
// graph and dashed average-line pens, the white brush, the today and mark brushes when
// `columnBrushes`, the point brush, the cover-line pen when the shift lines are shown, the
// mucus brushes while the signs band is laid out, and the double-check pen while both. Every
// pen `penWidth` pixels wide. Nothing without a tool factory.
void MakeChartTools(ChartPlot& plot, const FontDesc& bold, const FontDesc& day, bool columnBrushes,
                    int penWidth = 1);
// Deletes every tool that is not null and nulls the fields. Safe to call twice.
void ReleaseChartTools(ChartPlot& plot);
// Takes the style of the shift lines and makes their pens again (none while they are hidden); the
// other tools stay as they are.
void SetShiftLineStyle(ChartPlot& plot, const ShiftLineStyle& style);

// How values become rows. The floor lies on the lowest grid line, one row above the plot bottom;
// a row holds `rowValue` in `stepsPerRow` steps, `stepsPerUnit` steps to a unit of the value.
struct ValueScale {
  bool hasFloor = false;  // without a floor the plot bottom stands for 0
  double floor = 0.0;
  double rowValue = 0.1;  // 0.1 degC or 0.5 kg
  int stepsPerUnit = 100; // hundredths of a degree, tenths of a kilogram
  int stepsPerRow = 10;
  // A value at or below the base sits 2 margins over the plot bottom, one at or above the top
  // 3 margins under it: 1 pixel on screen, a millimetre on a page.
  double margin = 1.0;
  // The page maps in upward rounding (the caller's mode comes back before the return); the
  // screen in the caller's mode.
  bool upward = false;
};
// The y of a value: whole steps above the base (floor - rowValue), each row rowHeight and each
// step rowHeight / stepsPerRow pixels, in long double arithmetic. Values far above any plot (or
// not a number) pin under the top without integer overflow.
int MapValueToY(const ChartPlot& plot, const ValueScale& scale, double value);

// Where the segment between two points (each at its column centre, ys given) meets the left edge
// of day's column; the y of a when both lie on the same day.
int EdgeCrossingY(int dayWidth, int yA, int yB, const DateYmd& a, const DateYmd& b,
                  const std::tm& day);

// The value a record puts on the curve.
inline double RecordValue(const TemperatureRecord& r) { return r.temperature; }
inline double RecordValue(const WeightRecord& r) { return r.weight; }

// Where the segment between the points of records a and b on this plot crosses the left edge of
// day's column.
template <typename Record>
int EdgeCrossingY(const ChartPlot& plot, const Record& a, const Record& b, const std::tm& day) {
  return EdgeCrossingY(plot.dayWidth, plot.ValueY(RecordValue(a)), plot.ValueY(RecordValue(b)),
                       a.Date(), b.Date(), day);
}

// The closed outline (left, top)-(left, bottom)-(right, bottom)-(right, top)-(left, top) with the
// given pen, reselecting the previous pen.
void DrawBox(Canvas& canvas, DrawTool pen, int left, int top, int right, int bottom);

// Whitens `outer` and draws its outline and the plot's (text colour, bold font and frame pen
// selected by the caller).
void DrawPlotFrame(const ChartPlot& plot, Canvas& canvas, const DrawRect& outer);

// A caption in the axis column: a box over its row, the text (dx, dy) right and down in it.
void DrawCaption(const ChartPlot& plot, Canvas& canvas, const char16_t* text, int top, int bottom,
                 int dx, int dy);

// The header rows over the plot, one per caption, each plotTop / (number of captions) high (the
// last one takes the rest), the box along the plot's bottom down to `bottom` and the axis column
// down to it, then the captions in their rows, (dx, dy) right and down.
void DrawHeaderAxes(const ChartPlot& plot, Canvas& canvas,
                    std::initializer_list<const char16_t*> captions, int bottom, int captionDx,
                    int captionDy);
// The three rows of year-month, day and cycle day.
void DrawThreeRowAxes(const ChartPlot& plot, Canvas& canvas, int bottom, int captionDx,
                      int captionDy);

// The reading of the curve over `columns` day columns from `first`, none after `last`: for each
// cycle with a shift, its cover line across its columns and a line down the middle of the column of
// its first high day, from the plot's top to its bottom, with the cover-line pen.
void DrawShiftLines(const ChartPlot& plot, Canvas& canvas, const std::vector<CycleReading>& cycles,
                    const std::tm& first, int columns, const DateYmd& last);

// A dashed line with the double-check pen down the middle of each day's column, from the plot's
// top to its bottom; `days` (ascending) outside the `columns` columns from `first` are skipped.
void DrawDoubleCheckLines(const ChartPlot& plot, Canvas& canvas, const std::vector<DateYmd>& days,
                          const std::tm& first, int columns);

// Right-aligned labels in the axis column (from x `left`), one per grid row: the lowest grid line
// carries `first` + step, each line above one step more; the bottom row and the topmost line
// have none.
void DrawScaleLabels(const ChartPlot& plot, Canvas& canvas, int left, double first, double step,
                     int digits);
