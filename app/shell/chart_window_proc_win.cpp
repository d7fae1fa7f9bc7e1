#include "chart_window_proc_win.h"

#include "app_state_win.h"
#include "brassel.h"
#include "chart_help_win.h"
#include "chart_window_win.h"
#include "main_window_win.h"
#include "records_bundle.h"
#include "statistics.h"
#include "win_handles.h"

namespace {

LRESULT Default(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CMyMessage::MyProc(window, message, wParam, lParam);
}

void OnChartPaint(HWND window) {
  if (gApp.Chart != nullptr) {
    PaintChart(*gApp.Chart, window);
  } else {
    // No chart yet (the window's first paint can come before start-up made it).
    win32::PaintDc nothingToDraw(window);
  }
}

// WM_HSCROLL: 1 when the bar's range could be read and the chart scrolled, else 0.
LRESULT OnChartScroll(WPARAM wParam) {
  if (gApp.Chart == nullptr) return 0;
  int low = 0, high = 0, position = 0;
  if (!gApp.Chart->scrollBar || !gApp.Chart->scrollBar->GetRange(low, high, position)) return 0;
  ScrollChartAndHideTip(ChartScrollRequest{LOWORD(wParam), HIWORD(wParam)});
  return 1;
}

// WM_LBUTTONDOWN: the day under the click in the side panel. The click also gives the chart the
// keys that scroll it.
void OnChartClick(HWND window, LPARAM lParam) {
  SetFocus(window);
  if (gApp.Chart == nullptr || gApp.Records == nullptr) return;
  const DateYmd date = ChartDateAtClick(*gApp.Chart, lParam);
  if (date.year != 0) ShowDay(date, AverageCycleDays(gApp.Records->temperatures));
}

// WM_KEYDOWN: true when the key scrolls the chart.
bool OnChartKey(WPARAM key) {
  ChartScrollRequest request;
  if (gApp.Chart == nullptr || !KeyScrollRequest(*gApp.Chart, static_cast<int>(key), request))
    return false;
  ScrollChartAndHideTip(request);
  return true;
}

}  // namespace

void ScrollChartAndHideTip(const std::optional<ChartScrollRequest>& request) {
  if (request && gApp.Chart != nullptr) ScrollChartWindow(*gApp.Chart, *request);
  HideChartTip();
}

LRESULT OnChartWheel(UINT message, WPARAM wParam) {
  std::optional<ChartScrollRequest> request;
  if (gApp.Chart != nullptr)
    request = WheelScrollRequest(*gApp.Chart, wParam, message == WM_MOUSEHWHEEL);
  ScrollChartAndHideTip(request);
  return 0;
}

LRESULT CALLBACK ChartWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: OnChartPaint(window); break;
    case WM_HSCROLL: return OnChartScroll(wParam);
    case WM_LBUTTONDOWN: OnChartClick(window, lParam); break;
    // Handled here, not passed on: the main window would scroll the chart a second time.
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL: return OnChartWheel(message, wParam);
    case WM_KEYDOWN:
      if (OnChartKey(wParam)) return 0;
      break;
    case WM_MOUSEMOVE: OnChartMouseMove(window, lParam); break;
    case WM_MOUSELEAVE: OnChartMouseLeave(); break;
    default: break;
  }
  return Default(window, message, wParam, lParam);
}
