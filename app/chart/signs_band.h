// The band of the signs under the temperature chart and the printed page: one row each for the
// cervical mucus (a cell shaded by its level), the ovulation test ("−", "＋", "＋＋") and
// intercourse ("♥"). It exists only while the records hold a sign: a user who records none sees
// the chart and the page exactly as before. The view lays it out (ChartPlot::signsBand,
// bandTop, bandRowHeight); this draws its boxes, captions and cells.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "chart_plot.h"
#include "draw_canvas.h"
#include "record_stores.h"

inline constexpr int kSignRows = 3;
// The captions of the rows in the axis column, top to bottom.
inline constexpr const char16_t* kSignRowCaptions[kSignRows] = {u"おりもの", u"検査薬", u"性交"};
inline constexpr char16_t kIntercourseSymbol[] = u"♥";
// Over the mucus cell of a cycle's mucus peak while the reading of the curve is shown.
inline constexpr char16_t kMucusPeakSymbol[] = u"P";

// Whether the records hold a sign, so the band is shown.
inline bool HasSigns(const SignStore* signs) { return signs != nullptr && !signs->records.Empty(); }

// The cell colour of a mucus level: five steps of one blue, from the palest (dry) to the deepest
// (clear and stretchy), each apart from white and from the next at a glance.
ColorRef MucusLevelColor(int level);
// "−", "＋", "＋＋" for an ovulation test of 0, 1 or 2; empty otherwise.
std::u16string OvulationTestSymbol(int result);

// Makes the band's tools of a plot whose band is laid out (nothing otherwise): the mucus brushes
// and the symbols' fonts, `day` (the day font) at its height. MakeChartTools calls it;
// ReleaseChartTools releases them.
void MakeSignsBandTools(ChartPlot& plot, const FontDesc& day);
void ReleaseSignsBandTools(ChartPlot& plot);

// The rows' top line y, row 0 to kSignRows (the last is the band's bottom, `bottom`).
int SignRowTop(const ChartPlot& plot, int row, int bottom);

// The frame of the band (frame pen and bold font selected by the caller): each row's box across
// the plot and in the axis column with its caption (dx, dy) right and down; the band ends at
// `bottom`.
void DrawSignsBandAxes(const ChartPlot& plot, Canvas& canvas, int bottom, int captionDx,
                       int captionDy);

// One day column's cells: `inside` gives the column's x range inside its day lines; `lineAbove`/`lineBelow` keep fills off the row lines of wider pens.
// On a mucus peak "P" lies over the mucus cell, white on the two deepest levels and in the
// caller's text colour on the paler ones, so it stays legible on each.
void DrawSignCells(const ChartPlot& plot, Canvas& canvas, const DrawRect& inside, int bottom,
                   const SignRecord& signs, int lineAbove, int lineBelow, bool mucusPeak = false);

// What the reading of the curve marks in the band and the plot over [first, last]: the cycles'
// mucus peaks and double-check days, ascending. None unless the shift lines are shown and the
// band is laid out.
struct SignReadingDays {
  std::vector<DateYmd> mucusPeaks;
  std::vector<DateYmd> doubleChecks;

  bool IsMucusPeak(const DateYmd& day) const {
    return std::binary_search(mucusPeaks.begin(), mucusPeaks.end(), day);
  }
};
SignReadingDays ShownSignReadingDays(const ChartPlot& plot, const TemperatureStore* temperatures,
                                     const DateYmd& today, const DateYmd& first,
                                     const DateYmd& last);
