// The printed temperature chart: one page shows a fixed run of consecutive days from a given first
// day, with the calendar header, the 0.1 degC grid and scale, the dashed average line and the
// curve, sized from the page (millimetres of the 210 mm height of an A4 landscape sheet) and the
// printer's resolution. No today highlight, no mark strip, no marks.
//
// A print job, per job:
//   auto view = CreatePrintChartView(HORZRES, VERTRES, &store, ChartFloorTemperature(store),
//                                    base, grid, graph, string, baseLine, &GdiDrawingTools());
//   int perPage = DaysPerPrintPage(*view);
//   for each page: StartPage; GdiCanvas canvas(printerDc);
//                  DrawPrintPageFrame(*view, canvas);
//                  DateYmd last = DrawPrintPageData(*view, canvas, firstDay, endDate);
//                  EndPage; firstDay = day after last
//   EndDoc; DeleteDC; DeletePrintDrawingTools(*view);
#pragma once

#include <memory>

#include "date_ymd.h"
#include "draw_canvas.h"
#include "record_stores.h"

struct PrintChartTools {
  DrawTool boldFont = nullptr;
  DrawTool dayFont = nullptr;
  DrawTool framePen = nullptr;
  DrawTool gridPen = nullptr;
  DrawTool gridDotPen = nullptr;
  DrawTool graphPen = nullptr;
  DrawTool baseLinePen = nullptr;
  DrawTool whiteBrush = nullptr;
  DrawTool dotBrush = nullptr;
};

struct PrintChartView {
  int pageLeft = 0, pageTop = 0, pageRight = 0, pageBottom = 0;  // 0, 0, HORZRES, VERTRES
  int plotLeft = 0, plotTop = 0, plotRight = 0, plotBottom = 0;
  int dayWidth = 0;   // device pixels per day column
  int rowHeight = 0;  // device pixels per 0.1 degC
  const TemperatureStore* temperatures = nullptr;  // not owned
  double floorTemperature = 0.0;
  ColorRef baseColor = 0, gridColor = 0, graphColor = 0, stringColor = 0, baseLineColor = 0;
  DrawingToolFactory* toolFactory = nullptr;  // not owned
  PrintChartTools tools;
  double pageScale = 0.0;  // VERTRES / 210.0: device pixels per millimetre
};

std::unique_ptr<PrintChartView> CreatePrintChartView(int pageWidth, int pageHeight,
                                                     const TemperatureStore* temperatures,
                                                     double floorTemperature, ColorRef base,
                                                     ColorRef grid, ColorRef graph,
                                                     ColorRef string, ColorRef baseLine,
                                                     DrawingToolFactory* toolFactory);
void UpdatePrintLayout(PrintChartView& view);
// Day columns per page: the largest k with plotLeft + k * dayWidth < plotRight (0 when none fits).
int DaysPerPrintPage(const PrintChartView& view);

// Deletes any tools still held, then makes the fonts (10 pt and 9 pt for the canvas's
// LOGPIXELSY), pens and brushes.
void CreatePrintDrawingTools(PrintChartView& view, Canvas& canvas);
// Deletes every tool that is not null and nulls the fields. Safe to call twice.
void DeletePrintDrawingTools(PrintChartView& view);

// The static layer of one page; makes the page's tools first. Call after StartPage.
void DrawPrintPageFrame(PrintChartView& view, Canvas& canvas);
// The days of one page from firstDay; no point after endDate. Returns the date of the page's last
// day column (firstDay itself when no column fits).
DateYmd DrawPrintPageData(PrintChartView& view, Canvas& canvas, const DateYmd& firstDay,
                          const DateYmd& endDate);
void DrawPrintTemperatureAxes(PrintChartView& view, Canvas& canvas);
DateYmd DrawPrintTemperaturePage(PrintChartView& view, Canvas& canvas, const DateYmd& firstDay,
                                 const DateYmd& endDate);

// The y of a temperature on the page. Computed in upward rounding at 64-bit precision; the
// caller's rounding mode is restored before it returns.
int PrintValueToY(const PrintChartView& view, double temperature);
int PrintEdgeCrossingY(const PrintChartView& view, const TemperatureRecord& a,
                       const TemperatureRecord& b, const DateYmd& day);
