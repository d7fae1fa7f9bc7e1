// The printed temperature chart: one page shows a fixed run of consecutive days from a given first
// day, with the calendar header, the 0.1 degC grid and scale, the dashed average line and the
// curve, sized from the page (millimetres of the 210 mm height of an A4 landscape sheet) and the
// printer's resolution. No today highlight, no mark strip, no marks. While the records hold a
// sign, the band of the signs (signs_band.h) runs under the plot, 5 mm a row.
//
// A print job, per job:
//   auto view = CreatePrintChartView(HORZRES, VERTRES, &store, ChartFloorTemperature(store),
//                                    colors, &GdiDrawingTools());
//   int perPage = DaysPerPrintPage(*view);
//   for each page: StartPage; GdiCanvas canvas(printerDc);
//                  DateYmd last = DrawPrintedPage(*view, canvas, firstDay, endDate);
//                  EndPage; firstDay = day after last
//   EndDoc; DeleteDC; DeletePrintDrawingTools(*view);
#pragma once

#include <memory>

#include "chart_plot.h"
#include "date_ymd.h"
#include "draw_canvas.h"
#include "record_stores.h"

// The plot box, colours and tools (chart_plot.h) of a page, with the page rectangle, the store and
// the chart floor the scale labels and the curve both use. Frees its tools when destroyed.
struct PrintChartView : ChartPlot {
  int pageLeft = 0, pageTop = 0, pageRight = 0, pageBottom = 0;  // 0, 0, HORZRES, VERTRES
  const TemperatureStore* temperatures = nullptr;  // not owned
  double floorTemperature = 0.0;
  double pageScale = 0.0;  // VERTRES / 210.0: device pixels per millimetre
  DateYmd today;  // the current cycle's cover line runs to this day (shiftLines, chart_plot.h)

  // PrintValueToY.
  int ValueY(double value) const override;
};

// The page's layout. It draws with the scheme's frame, grid, graph, text and average-line colours.
std::unique_ptr<PrintChartView> CreatePrintChartView(int pageWidth, int pageHeight,
                                                     const TemperatureStore* temperatures,
                                                     double floorTemperature,
                                                     const ColorScheme& colors,
                                                     DrawingToolFactory* toolFactory,
                                                     const SignStore* signs = nullptr);
void UpdatePrintLayout(PrintChartView& view);
// Day columns per page: the largest k with plotLeft + k * dayWidth < plotRight (0 when none fits).
int DaysPerPrintPage(const PrintChartView& view);

// Deletes any tools still held, then makes the fonts (10 pt and 9 pt for the canvas's
// LOGPIXELSY), pens and brushes.
void CreatePrintDrawingTools(PrintChartView& view, Canvas& canvas);
// Deletes every tool that is not null and nulls the fields. Safe to call twice; the view's
// destructor does the same for tools still held.
void DeletePrintDrawingTools(PrintChartView& view);

// One whole page from firstDay: the static layer, then the days. The print job draws every
// sheet and the image export every picture through this one function, so the two cannot
// differ. Returns the date of the page's last day column, as DrawPrintPageData.
DateYmd DrawPrintedPage(PrintChartView& view, Canvas& canvas, const DateYmd& firstDay,
                        const DateYmd& endDate);
// The static layer of one page; makes the page's tools first. Call after StartPage.
void DrawPrintPageFrame(PrintChartView& view, Canvas& canvas);
// The days of one page from firstDay; no point after endDate. Returns the date of the page's last
// day column (firstDay itself when no column fits).
DateYmd DrawPrintPageData(PrintChartView& view, Canvas& canvas, const DateYmd& firstDay,
                          const DateYmd& endDate);
void DrawPrintTemperatureAxes(PrintChartView& view, Canvas& canvas);
DateYmd DrawPrintTemperaturePage(PrintChartView& view, Canvas& canvas, const DateYmd& firstDay,
                                 const DateYmd& endDate);

// The y of a temperature on the page over the view's floor: the screen's mapping (MapValueToY)
// with millimetre margins, computed in upward rounding at 64-bit precision; the caller's rounding
// mode is restored before it returns.
int PrintValueToY(const PrintChartView& view, double temperature);
int PrintEdgeCrossingY(const PrintChartView& view, const TemperatureRecord& a,
                       const TemperatureRecord& b, const DateYmd& day);
