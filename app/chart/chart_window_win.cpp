// The chart window's entry points into ChartView: creation, paint, redraw, scroll and click.
#include "chart_window_win.h"

#include "dates.h"
#include "gdi_canvas_win.h"
#include "win_handles.h"

std::unique_ptr<ChartView> CreateChartViewForWindow(HWND chartWindow, const RECT& client,
                                                    const TemperatureStore* temperatures,
                                                    const WeightStore* weights) {
  return CreateChartView(client.left, client.top, client.right, client.bottom, chartWindow,
                         std::make_unique<GdiScrollBar>(chartWindow), temperatures, weights,
                         &GdiDrawingTools(), [] { return quillet::GetNow(); });
}

void PaintChart(ChartView& view, HWND chartWindow) {
  win32::PaintDc dc(chartWindow);
  if (dc.get() == nullptr) return;
  GdiCanvas canvas(dc.get());
  DrawChartFrame(view, canvas);
  DrawChartData(view, canvas);
}

void RedrawChart(ChartView& view) {
  win32::WindowDc dc(static_cast<HWND>(view.window));
  if (!dc) return;
  GdiCanvas canvas(dc.get());
  DrawChartFrame(view, canvas);
  DrawChartData(view, canvas);
}

void ScrollChartWindow(ChartView& view, WPARAM wParam) {
  const int code = LOWORD(wParam);
  const int track = HIWORD(wParam);
  if (!ScrollChart(view, code, track)) return;
  HWND window = static_cast<HWND>(view.window);
  UpdateWindow(window);
  win32::WindowDc dc(window);
  if (!dc) return;
  GdiCanvas canvas(dc.get());
  DrawChartData(view, canvas);
}

DateYmd ChartDateAtClick(const ChartView& view, LPARAM lParam) {
  const int x = static_cast<short>(LOWORD(lParam));
  return DateAtX(view, x);
}
