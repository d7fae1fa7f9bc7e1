// What explains the chart to the user: the tip of the day under the pointer on the chart window,
// the legend window (command 216) and the user's guide in the browser (command 217, F1).
#pragma once

#include <windows.h>

#include <string>

// The guide's file beside Tovela.exe.
inline constexpr wchar_t kGuideFileName[] = L"Tovela-guide.html";

// WM_MOUSEMOVE on the chart window: shows the tip of the day under the pointer (when that day
// changed) or hides it outside the day columns.
void OnChartMouseMove(HWND chartWindow, LPARAM lParam);
// WM_MOUSELEAVE on the chart window: hides the tip.
void OnChartMouseLeave();
// Hides the tip, so the next pointer move shows it afresh (after the chart scrolled).
void HideChartTip();
// After the chart changed (records, mode, colours): hides the tip and redraws the open legend.
void RefreshChartHelp();

// Command 216 "グラフの見かた(&L)...": opens the legend window, or brings it forward.
int OnChartLegendCommand(HWND mainWindow);
// Command 217 "使い方(&H)" (F1): opens Tovela-guide.html beside the program in the default
// browser; says so in a message when the file is missing or cannot be opened.
int OnGuideCommand(HWND mainWindow);
