// The chart window's entry points into ChartView: creation, paint, redraw, scroll and click.
#include "chart_window_win.h"

#include "chart_bitmap_win.h"
#include "dates.h"
#include "display_scale_win.h"
#include "gdi_canvas_win.h"
#include "win_handles.h"

std::unique_ptr<ChartView> CreateChartViewForWindow(HWND chartWindow, const RECT& client,
                                                    const TemperatureStore* temperatures,
                                                    const WeightStore* weights,
                                                    const SignStore* signs) {
  return CreateChartView(client.left, client.top, client.right, client.bottom, chartWindow,
                         std::make_unique<GdiScrollBar>(chartWindow), temperatures, weights,
                         &GdiDrawingTools(), [] { return quillet::GetNow(); },
                         ScreenChartSizesFor(WindowScale(chartWindow)), signs);
}

void RescaleChartView(ChartView& view, const RECT& client, int dpi) {
  PlaceChartView(view, client.left, client.top, client.right, client.bottom,
                 ScreenChartSizesFor(DisplayScale{dpi}));
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

std::string ChartPictureDib(ChartView& view) {
  RECT client{};
  if (!GetClientRect(static_cast<HWND>(view.window), &client)) return std::string();
  ChartBitmap bitmap(client.right - client.left, client.bottom - client.top);
  if (!bitmap.ok()) return std::string();
  GdiCanvas canvas(bitmap.dc());
  DrawChartFrame(view, canvas);
  DrawChartData(view, canvas);
  return bitmap.PackedDib();
}

void ScrollChartWindow(ChartView& view, WPARAM wParam) {
  ScrollChartWindow(view, ChartScrollRequest{LOWORD(wParam), HIWORD(wParam)});
}

std::optional<ChartScrollRequest> WheelScrollRequest(ChartView& view, WPARAM wParam,
                                                     bool horizontal) {
  const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
  const int days = horizontal ? view.wheel.Horizontal(delta) : view.wheel.Vertical(delta);
  if (days == 0) return std::nullopt;
  return ScrollByDays(view, days);
}

void ScrollChartWindow(ChartView& view, const ChartScrollRequest& request) {
  if (!ScrollChart(view, request.code, request.trackPos)) return;
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
