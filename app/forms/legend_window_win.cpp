#include "legend_window_win.h"

#include <algorithm>
#include <utility>

#include "chart_legend.h"
#include "display_scale_win.h"
#include "gdi_canvas_win.h"
#include "resources/tovela_ids.h"
#include "win_handles.h"

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

// The open legend: its window, the chart it explains and the font of its explanations.
HWND gLegend = nullptr;
const ChartView* gView = nullptr;
DrawTool gTextFont = nullptr;
DisplayScale gScale;  // the owner's, as the legend opened

SIZE WindowSizeFor(const ChartView& view) {
  RECT rect{0, 0, gScale.Px(kLegendWidth),
            LegendHeight(view.mode, view.shiftLines.show && view.tools.coverLinePen != nullptr, gScale)};
  AdjustWindowRectEx(&rect, kStyle, FALSE, 0);
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

void OnPaint(HWND window) {
  win32::PaintDc dc(window);
  if (dc.get() == nullptr || gView == nullptr) return;
  RECT client{};
  GetClientRect(window, &client);
  GdiCanvas canvas(dc.get());
  DrawChartLegend(*gView, canvas, gTextFont,
                  DrawRect{client.left, client.top, client.right, client.bottom}, gScale);
}

LRESULT CALLBACK LegendProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      OnPaint(window);
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      GdiDrawingTools().DeleteTool(gTextFont);
      gTextFont = nullptr;
      gLegend = nullptr;
      gView = nullptr;
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

bool RegisterLegendClass(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(instance, kLegendWindowClass, &wc)) return true;
  wc.lpfnWndProc = LegendProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kLegendWindowClass;
  return RegisterClassExW(&wc) != 0;
}

}  // namespace

void ShowChartLegend(HWND owner, const ChartView& view) {
  gView = &view;
  if (gLegend != nullptr) {
    RefreshChartLegend();
    SetForegroundWindow(gLegend);
    return;
  }
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
  if (!RegisterLegendClass(instance)) return;
  gScale = WindowScale(owner);
  const SIZE size = WindowSizeFor(view);
  // Over the right-hand end of the owner, where the chart is.
  RECT ownerRect{};
  GetWindowRect(owner, &ownerRect);
  const int x = std::max<int>(ownerRect.left, ownerRect.right - size.cx - 24);
  const int y = ownerRect.top + 80;
  gLegend = CreateWindowExW(0, kLegendWindowClass, kLegendCaption, kStyle, x, y, size.cx, size.cy,
                            owner, nullptr, instance, nullptr);
  if (gLegend == nullptr) return;
  // Tovela's own icon in the caption and the task switcher, as on the main window.
  for (const auto [which, size] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
    const int side = GetSystemMetrics(size);
    SendMessageW(gLegend, WM_SETICON, which,
                 reinterpret_cast<LPARAM>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TOVELA_MAIN),
                                                     IMAGE_ICON, side, side, LR_SHARED)));
  }
  FontDesc font;
  font.height = gScale.Px(12);
  font.weight = 400;
  font.charSet = 128;  // SHIFTJIS_CHARSET
  font.face = u"MS UI Gothic";
  gTextFont = GdiDrawingTools().MakeFont(font);
  ShowWindow(gLegend, SW_SHOW);
  UpdateWindow(gLegend);
}

void RefreshChartLegend() {
  if (gLegend == nullptr || gView == nullptr) return;
  const SIZE size = WindowSizeFor(*gView);
  SetWindowPos(gLegend, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(gLegend, nullptr, TRUE);
}
