// "グラフの見かた": a small modeless window, owned by the main window, that draws the legend of the
// chart's current mode in the chart's current colours (chart_legend.h). One at a time: asking
// again brings the open one forward. It follows mode and colour changes while it is open, and
// the owner's display scale.
#pragma once

#include <windows.h>

#include "display_scale.h"
#include "win_handles.h"

struct ChartView;

inline constexpr wchar_t kLegendWindowClass[] = L"TovelaLegend";
inline constexpr wchar_t kLegendCaption[] = L"グラフの見かた";

class LegendWindow {
 public:
  explicit LegendWindow(HWND owner) : owner_(owner) {}
  // Closes the open legend.
  ~LegendWindow();
  LegendWindow(const LegendWindow&) = delete;
  LegendWindow& operator=(const LegendWindow&) = delete;

  // Opens the legend of `view` over the owner, or brings the open one forward and redraws it.
  void Show(const ChartView& view);
  // Sizes the open legend to the view's mode and repaints it; nothing when it is closed.
  void Refresh();
  // The owner moved to a screen of `dpi`: the open legend's font and size follow.
  void Rescale(int dpi);

  HWND Window() const { return window_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HWND window);
  void MakeFont();
  SIZE WindowSize() const;

  HWND owner_;
  HWND window_ = nullptr;
  const ChartView* view_ = nullptr;  // the chart it explains, while it is open
  win32::GdiObject<HFONT> font_;     // the explanations' font at the legend's scale
  DisplayScale scale_;               // the owner's
};
