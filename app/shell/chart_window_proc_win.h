// The chart window's message handling: one handler per message, and the one way the chart
// scrolls on the user's request (bar, wheel, keys), which also hides the day's tip.
#pragma once

#include <windows.h>

#include <optional>

#include "chart_view.h"

// The chart window's subclass procedure: it routes each message to its handler.
LRESULT CALLBACK ChartWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// WM_MOUSEWHEEL or WM_MOUSEHWHEEL over the chart, from the chart window itself or passed on by
// the main window when the pointer is over the chart: scrolls the days the turns add up to.
LRESULT OnChartWheel(UINT message, WPARAM wParam);

// Scrolls the chart by the request, when there is one, and hides the tip: another day lies under
// the pointer now.
void ScrollChartAndHideTip(const std::optional<ChartScrollRequest>& request);
