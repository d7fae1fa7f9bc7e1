// The legend of the chart: each line, colour and mark of the current mode drawn as the chart
// draws it (with the chart's own pens, brushes and fonts, so in the user's colours), each beside
// one line of explanation. The legend window (forms) paints it; the rows are plain data.
#pragma once

#include <vector>

#include "chart_view.h"
#include "draw_canvas.h"

// How a row's sample is drawn.
enum class LegendSample {
  Curve,        // the data line with two points
  AverageLine,  // the dashed average-temperature line
  GridLines,    // a solid and a dotted grid line
  TodayColumn,  // a column in today's colour
  MarkedDay,    // a column in the mark colour with the strip symbol beside it
  Symbol,       // the symbol alone, as the strip or the header shows it
  CoverLine,    // the cover line with the first high day's vertical line
  MucusCells,   // the signs band's five mucus cells, palest to deepest
  DoubleCheckLine,  // the dashed line of the day ovulation is confirmed by temperature and mucus
};

struct LegendRow {
  LegendSample sample;
  const char16_t* symbol;  // MarkedDay and Symbol; null otherwise
  const char16_t* text;
};

// The legend's sizes at 96 DPI; `scale` makes them the window's pixels.
inline constexpr int kLegendRowHeight = 24;
inline constexpr int kLegendSampleWidth = 48;
inline constexpr int kLegendMargin = 8;
inline constexpr int kLegendWidth = 600;

// The rows of a chart mode (temperature, weight or pregnancy); none for another value. The
// temperature mode has a row for the cover line while the chart shows the curve's reading, rows
// for the signs band while the chart shows it, and with both the rows of the signs' reading.
std::vector<LegendRow> LegendRows(int mode, bool shiftLines = false, bool signsBand = false);
// Height of the legend of a mode: its rows and a margin above and below.
int LegendHeight(int mode, bool shiftLines = false, const DisplayScale& scale = {},
                 bool signsBand = false);
// The rows and height of the legend of what `view` shows now.
std::vector<LegendRow> LegendRowsOf(const ChartView& view);
int LegendHeightOf(const ChartView& view, const DisplayScale& scale = {});

// Whitens `area` and draws the rows of the view's mode from its top: samples with the view's
// tools and string colour, explanations in `textFont`. Leaves the canvas as it found it.
void DrawChartLegend(const ChartView& view, Canvas& canvas, DrawTool textFont, const DrawRect& area,
                     const DisplayScale& scale = {});
