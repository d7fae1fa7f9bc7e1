// The chart window's tooltip: a tracking tooltip control that shows, beside the pointer, the text
// of the day column under it. The chart window's procedure decides what to show (day_tip.h);
// this only moves, fills, shows and hides the control. The text changes only when the day under
// the pointer changes, so moving inside one column does not redraw the tip.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "date_ymd.h"

class ChartTip {
 public:
  // Makes the tooltip control for the chart window (hidden).
  explicit ChartTip(HWND chartWindow);
  ~ChartTip();
  ChartTip(const ChartTip&) = delete;
  ChartTip& operator=(const ChartTip&) = delete;

  // Whether the tip is showing, and for that day.
  bool Shows(const DateYmd& day) const { return active_ && day_ == day; }
  // Shows `text` for `day` with its top left at the screen point.
  void Show(const DateYmd& day, const std::u16string& text, POINT screen);
  void Hide();
  // Asks for WM_MOUSELEAVE on the chart window once the pointer leaves it (again after each
  // leave); call on every pointer move.
  void WatchLeave();
  void LeaveSeen() { watching_ = false; }

  HWND Control() const { return tip_; }

 private:
  TTTOOLINFOW Tool(wchar_t* text) const;

  HWND chart_;
  HWND tip_ = nullptr;
  std::wstring text_;
  DateYmd day_;
  bool active_ = false;
  bool watching_ = false;
};
