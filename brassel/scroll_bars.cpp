// The scroll-bar control wrappers. Each reads only the members an operation touches, writes
// them back with redraw, and always addresses the control's own bar (SB_CTL): a scroll-bar
// control has no standard bars of its own.
#include "controls.h"

namespace {

constexpr DWORD kScrollBarBits = WS_CHILD | WS_GROUP | WS_TABSTOP;

HMENU ChildId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

bool ReadBar(HWND bar, UINT mask, SCROLLINFO& info) {
  info = SCROLLINFO{};
  info.cbSize = sizeof(info);
  info.fMask = mask;
  return bar && GetScrollInfo(bar, SB_CTL, &info);
}

// Writes the members named by info.fMask; the bar's new position.
int WriteBar(HWND bar, SCROLLINFO& info) { return SetScrollInfo(bar, SB_CTL, &info, TRUE); }

int SetRange(HWND bar, UINT mask, int minimum, int maximum) {
  SCROLLINFO info;
  if (!ReadBar(bar, mask, info)) return -1;
  info.nMin = minimum;
  info.nMax = maximum;
  return WriteBar(bar, info);
}

int GetRange(HWND bar, UINT mask, int* minimum, int* maximum) {
  SCROLLINFO info;
  if (!minimum || !maximum || !ReadBar(bar, mask, info)) return -1;
  *minimum = info.nMin;
  *maximum = info.nMax;
  return 1;
}

int SetPosition(HWND bar, UINT mask, int position) {
  SCROLLINFO info;
  if (!ReadBar(bar, mask, info)) return -1;
  info.nPos = position;
  return WriteBar(bar, info);
}

int GetPosition(HWND bar, UINT mask) {
  SCROLLINFO info;
  if (!ReadBar(bar, mask, info)) return -1;
  return info.nPos;
}

int SetPage(HWND bar, int page) {
  SCROLLINFO info;
  if (!ReadBar(bar, SIF_PAGE, info)) return -1;
  info.nPage = page > 0 ? static_cast<UINT>(page) : 0;
  return WriteBar(bar, info);
}

int GetPage(HWND bar) {
  SCROLLINFO info;
  if (!ReadBar(bar, SIF_PAGE, info)) return -1;
  return static_cast<int>(info.nPage);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// CMyHScrollBar

CMyHScrollBar::CMyHScrollBar() { wndClass_.lpszClassName = L"SCROLLBAR"; }

HWND CMyHScrollBar::CreateMyWindow(HWND parent, HINSTANCE instance, DWORD style,
                                   const RECT& place, int id) {
  wndClass_.hInstance = instance;
  return CreateFromRecord(L"", style | kScrollBarBits | SBS_HORZ, 0, place, parent, ChildId(id),
                          nullptr);
}

int CMyHScrollBar::SetMyScrollRange(int minimum, int maximum) {
  return SetRange(hwnd_, SIF_RANGE, minimum, maximum);
}
int CMyHScrollBar::GetMyScrollRange(int* minimum, int* maximum) {
  return GetRange(hwnd_, SIF_RANGE, minimum, maximum);
}
int CMyHScrollBar::SetMyScrollPos(int position) { return SetPosition(hwnd_, SIF_POS, position); }
int CMyHScrollBar::GetMyScrollPos() { return GetPosition(hwnd_, SIF_POS); }
int CMyHScrollBar::SetMyScrollPage(int page) { return SetPage(hwnd_, page); }
int CMyHScrollBar::GetMyScrollPage() { return GetPage(hwnd_); }

// ---------------------------------------------------------------------------------------------
// CMyVScrollBar

CMyVScrollBar::CMyVScrollBar() { wndClass_.lpszClassName = L"SCROLLBAR"; }

HWND CMyVScrollBar::CreateMyWindow(HWND parent, HINSTANCE instance, DWORD style,
                                   const RECT& place, int id) {
  wndClass_.hInstance = instance;
  return CreateFromRecord(L"", style | kScrollBarBits | SBS_VERT, 0, place, parent, ChildId(id),
                          nullptr);
}

int CMyVScrollBar::SetMyScrollRange(int minimum, int maximum) {
  return SetRange(hwnd_, SIF_RANGE, minimum, maximum);
}
int CMyVScrollBar::GetMyScrollRange(int* minimum, int* maximum) {
  return GetRange(hwnd_, SIF_RANGE, minimum, maximum);
}
int CMyVScrollBar::SetMyScrollPos(int position) { return SetPosition(hwnd_, SIF_POS, position); }
int CMyVScrollBar::GetMyScrollPos() { return GetPosition(hwnd_, SIF_POS); }
int CMyVScrollBar::SetMyScrollPage(int page) { return SetPage(hwnd_, page); }
int CMyVScrollBar::GetMyScrollPage() { return GetPage(hwnd_); }

// ---------------------------------------------------------------------------------------------
// CMyCtlScrollBar: range and position travel together.

CMyCtlScrollBar::CMyCtlScrollBar() { wndClass_.lpszClassName = L"SCROLLBAR"; }

HWND CMyCtlScrollBar::CreateMyWindow(HWND parent, HINSTANCE instance, DWORD style,
                                     const RECT& place, int id) {
  wndClass_.hInstance = instance;
  return CreateFromRecord(L"", style | kScrollBarBits | SBS_TOPALIGN, 0, place, parent,
                          ChildId(id), nullptr);
}

int CMyCtlScrollBar::SetMyScrollRange(int minimum, int maximum) {
  return SetRange(hwnd_, SIF_RANGE | SIF_POS, minimum, maximum);
}
int CMyCtlScrollBar::GetMyScrollRange(int* minimum, int* maximum) {
  return GetRange(hwnd_, SIF_RANGE | SIF_POS, minimum, maximum);
}
int CMyCtlScrollBar::SetMyScrollPos(int position) {
  return SetPosition(hwnd_, SIF_RANGE | SIF_POS, position);
}
int CMyCtlScrollBar::GetMyScrollPos() { return GetPosition(hwnd_, SIF_RANGE | SIF_POS); }
