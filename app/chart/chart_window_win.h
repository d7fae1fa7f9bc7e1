// The chart window's side of ChartView: what start-up and the chart window procedure call.
// Start-up (CreateChart in startup_win.cpp) creates the view once the chart window has its size,
// then sets its scroll range, colours and mode. The chart window procedure (ChartWindowProc in
// chart_window_proc_win.cpp) paints it on WM_PAINT, scrolls it on WM_HSCROLL, the wheel and the
// keys, and turns a click into a date on WM_LBUTTONDOWN; after a mode change, a colour change or
// an entry change the main window calls RedrawChart. The close calls DeleteDrawingTools before
// deleting the view.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "chart_drawing.h"
#include "chart_view.h"
#include "date_ymd.h"

// A ChartView over the window's client rectangle, its SB_HORZ bar, the GDI tools and the clock,
// with the sizes of the window's display scale.
std::unique_ptr<ChartView> CreateChartViewForWindow(HWND chartWindow, const RECT& client,
                                                    const TemperatureStore* temperatures,
                                                    const WeightStore* weights,
                                                    const SignStore* signs = nullptr);
// The window moved to a screen of `dpi` and has a new client rectangle: the view's sizes, layout
// and tools follow; the scroll position stays.
void RescaleChartView(ChartView& view, const RECT& client, int dpi);
// WM_PAINT: BeginPaint, the frame and the data layer, EndPaint.
void PaintChart(ChartView& view, HWND chartWindow);
// The frame and the data layer into the window's own device context (GetDC/ReleaseDC); neither
// invalidates nor validates the window.
void RedrawChart(ChartView& view);
// The chart window's current picture (the frame and the data layer as a paint draws them, at the
// client area's size) as a packed device-independent bitmap for the clipboard's CF_DIB; empty
// when no bitmap could be made.
std::string ChartPictureDib(ChartView& view);
// WM_HSCROLL: moves the bar by the code in LOWORD(wParam) (track position HIWORD(wParam)),
// updates the window and draws the data layer alone into the window's own device context.
void ScrollChartWindow(ChartView& view, WPARAM wParam);
// The same for a scroll the wheel or a key asks for.
void ScrollChartWindow(ChartView& view, const ChartScrollRequest& request);
// WM_MOUSEWHEEL (horizontal false) or WM_MOUSEHWHEEL: the delta in HIWORD(wParam) is added to the
// parts of a day not yet scrolled; the scroll of the whole days they add up to, none while they
// make less than a day (Shift changes nothing: the wheel already scrolls sideways).
std::optional<ChartScrollRequest> WheelScrollRequest(ChartView& view, WPARAM wParam,
                                                     bool horizontal);
// WM_LBUTTONDOWN: the date of the column under the click (the signed low word of lParam); the zero
// date outside the columns.
DateYmd ChartDateAtClick(const ChartView& view, LPARAM lParam);
