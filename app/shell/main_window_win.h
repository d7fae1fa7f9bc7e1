// The main window's message handling, and the steps the commands share.
#pragma once

#include <windows.h>

#include <vector>

#include "damaged_files.h"
#include "date_ymd.h"

// The main window's procedure: background, date picker, menu and accelerator commands, the
// side panel's buttons, the close and the end of the Windows session.
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// What a command of the command table (command_table.h) does; 0 hands the message on to default
// processing.
using CommandHandler = LRESULT (*)(HWND mainWindow);
// The handler of a command of the command table, or null.
CommandHandler FindCommandHandler(int id);

// Shows a day in the side panel with its records, `cycle` as the cycle length and the current
// average temperature.
void ShowDay(const DateYmd& date, int cycle);
// Shows the day the panel's date picker holds, with the cycle length computed afresh.
void ShowPickerDay();
// Before the side panel leaves its day for `next` (the zero date: the window closes): when it
// holds input not yet stored, asks whether to store it (はい: added or updated as the buttons
// offer; いいえ: dropped; キャンセル: stay). True when the panel may go on; false when the user
// stays or the entry was refused (its message shown), and nothing has changed.
bool LeavePanelDay(const DateYmd& next);
// Draws the chart's frame and data layers into the chart window at once, and brings what explains
// the chart up to date: hides the day's tip and redraws the open legend.
void RedrawChartAndHelp();

// Held while a handler runs that may wait on a dialog or message box of its own (a command, the
// close, the chart's context menu, the start-up's messages). A close asked meanwhile (WM_CLOSE
// posted by taskkill, a second close) does not release the records and windows under that
// handler: it cancels the open dialogs, message boxes and menus and runs once the last such
// handler has returned.
class HandlerScope {
 public:
  explicit HandlerScope(HWND mainWindow);
  ~HandlerScope();
  HandlerScope(const HandlerScope&) = delete;
  HandlerScope& operator=(const HandlerScope&) = delete;

 private:
  HWND mainWindow_;
};
