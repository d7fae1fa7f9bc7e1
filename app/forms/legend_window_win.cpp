#include "legend_window_win.h"

#include <algorithm>
#include <utility>

#include "chart_legend.h"
#include "display_scale_win.h"
#include "gdi_canvas_win.h"
#include "resources/tovela_ids.h"

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

bool RegisterLegendClass(HINSTANCE instance, WNDPROC proc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(instance, kLegendWindowClass, &wc)) return true;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kLegendWindowClass;
  return RegisterClassExW(&wc) != 0;
}

}  // namespace

LegendWindow::~LegendWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

SIZE LegendWindow::WindowSize() const {
  RECT rect{0, 0, scale_.Px(kLegendWidth), LegendHeightOf(*view_, scale_)};
  AdjustWindowRectEx(&rect, kStyle, FALSE, 0);
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

void LegendWindow::MakeFont() {
  FontDesc font;
  font.height = scale_.Px(12);
  font.weight = 400;
  font.charSet = 128;  // SHIFTJIS_CHARSET
  font.face = u"MS UI Gothic";
  font_ = win32::GdiObject<HFONT>(static_cast<HFONT>(GdiDrawingTools().MakeFont(font)));
}

void LegendWindow::Paint(HWND window) {
  win32::PaintDc dc(window);
  if (dc.get() == nullptr || view_ == nullptr) return;
  RECT client{};
  GetClientRect(window, &client);
  GdiCanvas canvas(dc.get());
  DrawChartLegend(*view_, canvas, font_.get(),
                  DrawRect{client.left, client.top, client.right, client.bottom}, scale_);
}

LRESULT CALLBACK LegendWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<LegendWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_PAINT:
      self->Paint(window);
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      self->font_.reset();
      self->window_ = nullptr;
      self->view_ = nullptr;
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

void LegendWindow::Show(const ChartView& view) {
  view_ = &view;
  if (window_ != nullptr) {
    Refresh();
    SetForegroundWindow(window_);
    return;
  }
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner_, GWLP_HINSTANCE));
  if (!RegisterLegendClass(instance, Proc)) return;
  scale_ = WindowScale(owner_);
  const SIZE size = WindowSize();
  // Over the right-hand end of the owner, where the chart is.
  RECT ownerRect{};
  GetWindowRect(owner_, &ownerRect);
  const int x = std::max<int>(ownerRect.left, ownerRect.right - size.cx - 24);
  const int y = ownerRect.top + 80;
  window_ = CreateWindowExW(0, kLegendWindowClass, kLegendCaption, kStyle, x, y, size.cx, size.cy,
                            owner_, nullptr, instance, this);
  if (window_ == nullptr) return;
  // Tovela's own icon in the caption and the task switcher, as on the main window.
  for (const auto [which, metric] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
    const int side = GetSystemMetrics(metric);
    SendMessageW(window_, WM_SETICON, which,
                 reinterpret_cast<LPARAM>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TOVELA_MAIN),
                                                     IMAGE_ICON, side, side, LR_SHARED)));
  }
  MakeFont();
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
}

void LegendWindow::Refresh() {
  if (window_ == nullptr || view_ == nullptr) return;
  const SIZE size = WindowSize();
  SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(window_, nullptr, TRUE);
}

void LegendWindow::Rescale(int dpi) {
  if (window_ == nullptr || dpi == scale_.dpi) return;
  scale_ = DisplayScale{dpi};
  MakeFont();
  Refresh();
}
