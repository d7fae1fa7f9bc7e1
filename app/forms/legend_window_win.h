// "グラフの見かた": a small modeless window, owned by the main window, that draws the legend of the
// chart's current mode in the chart's current colours (chart_legend.h). One at a time: asking
// again brings the open one forward. It follows mode and colour changes while it is open.
#pragma once

#include <windows.h>

struct ChartView;

inline constexpr wchar_t kLegendWindowClass[] = L"TovelaLegend";
inline constexpr wchar_t kLegendCaption[] = L"グラフの見かた";

// Opens the legend of `view` over the owner, or brings the open one forward and redraws it.
void ShowChartLegend(HWND owner, const ChartView& view);
// Sizes the open legend to the view's mode and repaints it; nothing when it is closed.
void RefreshChartLegend();
