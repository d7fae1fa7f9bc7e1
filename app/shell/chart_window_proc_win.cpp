#include "chart_window_proc_win.h"

#include <windowsx.h>

#include <string>

#include "app_state_win.h"
#include "brassel.h"
#include "chart_help_win.h"
#include "chart_window_win.h"
#include "entry_editing_win.h"
#include "main_window_win.h"
#include "records_bundle.h"
#include "statistics.h"
#include "win_handles.h"

namespace {

// The chart's context menu: its one item.
constexpr UINT kCopyChartItem = 1;
constexpr wchar_t kCopyChartText[] = L"グラフをコピー(&C)";
constexpr char16_t kCopyFailedText[] = u"グラフをクリップボードにコピーできませんでした。";

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

// WM_LBUTTONDOWN: the day under the click in the side panel, once input the panel holds for its
// day is stored or dropped. The click also gives the chart the keys that scroll it.
void OnChartClick(HWND window, LPARAM lParam) {
  SetFocus(window);
  if (gApp.Chart == nullptr || gApp.Records == nullptr) return;
  const DateYmd date = ChartDateAtClick(*gApp.Chart, lParam);
  if (date.year != 0 && LeavePanelDay(date))
    ShowDay(date, AverageCycleDays(gApp.Records->temperatures));
}

// WM_KEYDOWN: true when the key scrolls the chart.
bool OnChartKey(WPARAM key) {
  ChartScrollRequest request;
  if (gApp.Chart == nullptr || !KeyScrollRequest(*gApp.Chart, static_cast<int>(key), request))
    return false;
  ScrollChartAndHideTip(request);
  return true;
}

// "グラフをコピー(&C)" and Ctrl+C: the chart's current picture on the clipboard as CF_DIB.
void OnChartCopy(HWND window) {
  if (gApp.Chart == nullptr) return;
  const std::string dib = ChartPictureDib(*gApp.Chart);
  if (dib.empty() || !win32::CopyToClipboard(window, CF_DIB, dib.data(), dib.size()))
    ShowMessage(GetAncestor(window, GA_ROOT), kCopyFailedText, u"Tovela", MB_OK | MB_ICONERROR);
}

// WM_CONTEXTMENU: the menu at the pointer, or at the chart's top-left corner when the keyboard
// asked for it (Shift+F10, the menu key).
void OnChartContextMenu(HWND window, LPARAM lParam) {
  POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (lParam == -1) {
    at = POINT{0, 0};
    ClientToScreen(window, &at);
  }
  win32::MenuHandle menu(CreatePopupMenu());
  if (!menu || !AppendMenuW(menu.get(), MF_STRING, kCopyChartItem, kCopyChartText)) return;
  HideChartTip();
  const UINT chosen = static_cast<UINT>(TrackPopupMenu(
      menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, window, nullptr));
  if (chosen == kCopyChartItem) OnChartCopy(window);
}

// WM_KEYDOWN: Ctrl+C alone (Ctrl+Shift+C is the colours' accelerator).
bool IsCopyKey(WPARAM key) {
  return key == 'C' && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_SHIFT) >= 0 &&
         GetKeyState(VK_MENU) >= 0;
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
      if (IsCopyKey(wParam)) {
        const HandlerScope copying(GetAncestor(window, GA_ROOT));
        OnChartCopy(window);
        return 0;
      }
      break;
    case WM_CONTEXTMENU: {
      const HandlerScope menu(GetAncestor(window, GA_ROOT));
      OnChartContextMenu(window, lParam);
      return 0;
    }
    case WM_MOUSEMOVE: OnChartMouseMove(window, lParam); break;
    case WM_MOUSELEAVE: OnChartMouseLeave(); break;
    default: break;
  }
  return Default(window, message, wParam, lParam);
}
