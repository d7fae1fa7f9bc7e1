// The main window's menu bar, its three accelerators and the version dialog.
#pragma once

#include <windows.h>

// Command identifiers of the menu items, accelerators and the start-up run.
enum MenuCommand : int {
  kExitCommand = 201,
  kEntryDialogCommand = 202,
  kBasicSettingsCommand = 203,
  kColorsCommand = 205,
  kShortcutCommand = 206,
  kTemperatureModeCommand = 207,
  kWeightModeCommand = 208,
  kPregnancyModeCommand = 209,
  kPrintCommand = 210,
  kVersionCommand = 211,
  kCsvExportCommand = 212,
  kCsvImportCommand = 213,
  kShowShiftCommand = 214,
  kCycleListCommand = 215,
  kChartLegendCommand = 216,
  kGuideCommand = 217,
};

// The accelerator entries the table is made from: Ctrl+B (203), Ctrl+Shift+C (205), Ctrl+P (210),
// F1 (217).
struct AcceleratorEntries {
  ACCEL entries[7];
};

// Builds the menu bar on the main window and the accelerator table from `entries` (which it
// fills). The table, or null when it cannot be made.
HACCEL BuildMainMenu(HWND mainWindow, AcceleratorEntries& entries);

// Checks the mode items of "グラフ(&G)" by the three flags (one of them set).
void SetModeChecks(HWND mainWindow, bool temperatureMode, bool weightMode, bool pregnancyMode);
// Checks the item of chart mode 1, 2 or 3 and unchecks the other two; any other mode checks none.
void CheckModeItem(HWND mainWindow, int mode);

// Checks or unchecks "体温の判定を表示(&S)".
void CheckShiftItem(HWND mainWindow, bool checked);

// The version dialog "VERSION_DIALOG": placed like every dialog, ended by OK or Cancel.
INT_PTR CALLBACK VersionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Runs the version dialog modally over the main window.
void ShowVersionDialog(HWND mainWindow);
