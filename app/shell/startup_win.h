// Start-up of the program, one function per group of steps, run in this order by RunTovela:
//   SetFloatingPointMode, IsStartupArgument, TakeInstanceLock (a second start on the same folder
//   ends here), LoadSettings, CreateWindows (main window, menu and accelerators, chart window and
//   side panel; each failure ends the run with its message), StartDayWatch (the run's day, the
//   midnight timer), LoadStores, CreateChart,
//   CreateDialogContexts (the entry dialog's, then colours, statistics in force, basic settings,
//   printing), NoteStartingState and MarkMainWindow, ShowToday, RunStartupEntry ("-startup"
//   only), RunMessageLoop.
// The close (main_window_win.cpp) releases everything with ReleaseAppState (app_state_win.cpp).
#pragma once

#include <windows.h>

// The whole program: start-up, the optional start-up entry and the message loop. -1 when a
// window cannot be made, else the exit code carried by the quit message.
int RunTovela(HINSTANCE instance, const wchar_t* commandLine);

// True exactly when the whole argument string is "-startup" (case and blanks count).
bool IsStartupArgument(const wchar_t* commandLine);

// Round to nearest with the 64-bit significand of the x87 unit (long double arithmetic), and
// round to nearest for SSE.
void SetFloatingPointMode();

// The four dialog contexts of the run: created after the chart, released by the close.
void CreateDialogContexts(HWND owner, HINSTANCE instance);

// MinTemperature, MinWeight and PeriodCycle of AppState from the statistics of the stores.
void StoreStatisticsInForce();
