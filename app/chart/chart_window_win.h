// The chart window's side of ChartView: everything the window procedure and start-up need.
//
// Start-up (after the chart window exists at its final size and its creation-time WM_SIZE has
// passed):
//   RECT rc; GetClientRect(chartHwnd, &rc);
//   state.chart = CreateChartViewForWindow(chartHwnd, rc, &temperatures, &weights);
//   SetChartScrollRange(*state.chart);
//   SetChartColors(*state.chart, c.base, c.grid, c.graph, c.todayBack, c.markBack, c.string,
//                  c.baseLine);
//   SetChartMode(*state.chart, savedGraphMode);
//   RedrawChart(*state.chart);
// Chart window procedure:
//   WM_PAINT:       PaintChart(*state.chart, hwnd);
//   WM_HSCROLL:     ScrollChartWindow(*state.chart, wParam);
//   WM_LBUTTONDOWN: DateYmd d = ChartDateAtClick(*state.chart, lParam); if (d.year != 0) ...
// After a mode change, the colour dialog, or any entry added/changed/deleted: RedrawChart.
// Close: DeleteDrawingTools(*state.chart); state.chart.reset();
#pragma once

#include <windows.h>

#include <memory>

#include "chart_drawing.h"
#include "chart_view.h"
#include "date_ymd.h"

// A ChartView over the window's client rectangle, its SB_HORZ bar, the GDI tools and the clock.
std::unique_ptr<ChartView> CreateChartViewForWindow(HWND chartWindow, const RECT& client,
                                                    const TemperatureStore* temperatures,
                                                    const WeightStore* weights);
// WM_PAINT: BeginPaint, the frame and the data layer, EndPaint.
void PaintChart(ChartView& view, HWND chartWindow);
// The frame and the data layer into the window's own device context (GetDC/ReleaseDC); neither
// invalidates nor validates the window.
void RedrawChart(ChartView& view);
// WM_HSCROLL: moves the bar by the code in LOWORD(wParam) (track position HIWORD(wParam)),
// updates the window and draws the data layer alone into the window's own device context.
void ScrollChartWindow(ChartView& view, WPARAM wParam);
// WM_LBUTTONDOWN: the date of the column under the click (the signed low word of lParam); the zero
// date outside the columns.
DateYmd ChartDateAtClick(const ChartView& view, LPARAM lParam);
