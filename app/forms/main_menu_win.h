// The main window's menu bar and accelerators, built from the command table, and the version
// dialog.
#pragma once

#include <windows.h>

#include <vector>

#include "command_table.h"

// The accelerator entries the table is made from, one per command row with a key
// (command_table.h).
struct AcceleratorEntries {
  std::vector<ACCEL> entries;
};

// Builds the menu bar on the main window and the accelerator table from `entries` (which it
// fills). The table, or null when it cannot be made.
HACCEL BuildMainMenu(HWND mainWindow, AcceleratorEntries& entries);

// Checks the chart-mode items by the three flags (one of them set).
void SetModeChecks(HWND mainWindow, bool temperatureMode, bool weightMode, bool pregnancyMode);
// Checks the item of chart mode 1, 2 or 3 and unchecks the other two; any other mode checks none.
void CheckModeItem(HWND mainWindow, int mode);

// Checks or unchecks the item of the reading of the curve.
void CheckShiftItem(HWND mainWindow, bool checked);

// The version dialog "VERSION_DIALOG": placed like every dialog, ended by OK or Cancel.
INT_PTR CALLBACK VersionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Runs the version dialog modally over the main window.
void ShowVersionDialog(HWND mainWindow);
