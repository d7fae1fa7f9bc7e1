// CMyMessage: the default window procedure with document scrolling, and the default dialog
// procedure.
#include "component.h"
#include "win_handles.h"

namespace {

// The client rectangle of the last window that received WM_CREATE through MyProc.
RECT g_documentRect{};

// Which bar a WM_HSCROLL / WM_VSCROLL addresses: a scroll-bar control sends its own handle in
// lParam and is addressed as SB_CTL; otherwise the window's own standard bar.
struct ScrollTarget {
  HWND window;
  int bar;
};

ScrollTarget TargetOf(HWND window, UINT message, LPARAM lParam) {
  HWND control = reinterpret_cast<HWND>(lParam);
  if (control) return {control, SB_CTL};
  return {window, message == WM_HSCROLL ? SB_HORZ : SB_VERT};
}

// The position a scroll request asks for, before clamping to the range.
int RequestedPosition(const SCROLLINFO& info, WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case SB_LINEUP:        return info.nPos - 1;
    case SB_LINEDOWN:      return info.nPos + 1;
    case SB_PAGEUP:        return info.nPos - info.nMax / 20;
    case SB_PAGEDOWN:      return info.nPos + info.nMax / 20;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:    return HIWORD(wParam);
    case SB_TOP:           return info.nMin;
    case SB_BOTTOM:        return info.nMax;
    default:               return info.nPos;
  }
}

LRESULT OnCreate(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  GetClientRect(window, &g_documentRect);
  return DefWindowProcW(window, message, wParam, lParam);
}

// The bar's range covers the document (as large as the window was at creation); its page is
// what the client area now shows. The client is read afresh for each bar: showing or hiding
// the first bar changes the room left for the second.
void FitBarToDocument(HWND window, int bar) {
  RECT client{};
  GetClientRect(window, &client);
  const bool vertical = bar == SB_VERT;
  const int documentExtent = vertical ? g_documentRect.bottom - g_documentRect.top
                                      : g_documentRect.right - g_documentRect.left;
  const int clientExtent = vertical ? client.bottom - client.top : client.right - client.left;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE;
  info.nMin = 0;
  info.nMax = documentExtent - 1;
  info.nPage = clientExtent > 0 ? static_cast<UINT>(clientExtent) : 0;
  // The position is kept (the system keeps it inside the new range).
  SetScrollInfo(window, bar, &info, TRUE);
}

LRESULT OnSize(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  FitBarToDocument(window, SB_VERT);
  FitBarToDocument(window, SB_HORZ);
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT OnScroll(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const ScrollTarget target = TargetOf(window, message, lParam);
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  if (!GetScrollInfo(target.window, target.bar, &info)) return 0;
  int position = RequestedPosition(info, wParam);
  if (position < info.nMin) position = info.nMin;
  if (position > info.nMax) position = info.nMax;
  info.fMask = SIF_POS;
  info.nPos = position;
  SetScrollInfo(target.window, target.bar, &info, TRUE);
  UpdateWindow(window);
  InvalidateRect(window, nullptr, TRUE);
  return 1;
}

LRESULT OnPaint(HWND window) {
  win32::PaintDc nothingToDraw(window);
  return 1;
}

LRESULT OnDestroy(HWND window) {
  PostQuitMessage(0);
  return OnPaint(window);
}

}  // namespace

LRESULT CALLBACK CMyMessage::MyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:  return OnCreate(window, message, wParam, lParam);
    case WM_SIZE:    return OnSize(window, message, wParam, lParam);
    case WM_HSCROLL:
    case WM_VSCROLL: return OnScroll(window, message, wParam, lParam);
    case WM_PAINT:   return OnPaint(window);
    case WM_DESTROY: return OnDestroy(window);
    default:         return DefWindowProcW(window, message, wParam, lParam);
  }
}

INT_PTR CALLBACK CMyMessage::MyDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND) {
    switch (LOWORD(wParam)) {
      case IDOK:     EndDialog(dialog, 1); break;
      case IDCANCEL: EndDialog(dialog, 2); break;
      default:       break;
    }
  }
  return 0;
}

RECT CMyMessage::GetMyDocumentRect() { return g_documentRect; }
