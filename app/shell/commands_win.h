// The main-window commands that each run in a file of their own: basic settings (203), colours
// (205), the start-up shortcut (206), printing (210) and the printed pages as pictures (218), CSV
// files (212, 213) and the reading of the curve (214, 215). The main window procedure routes
// each command here and returns what the handler gives (1: handled).
#pragma once

#include <windows.h>

#include <string>

#include "date_ymd.h"

// Command 203 "基本設定登録(&B)  Ctrl+B": runs the basic settings dialog and applies its values.
int OnBasicSettingsCommand(HWND mainWindow);
// Command 205 "色の変更(&C) Ctrl+Shift+C": runs the colour dialog and recolours the chart.
int OnColorsCommand(HWND mainWindow);
// Command 206 "スタートアップにショートカットを作成(&S)": writes the start-up shortcut.
int OnShortcutCommand(HWND mainWindow);
// Command 210 "印刷(&P)  Ctrl+P": runs the print dialog and prints.
int OnPrintCommand(HWND mainWindow);
// Command 218 "グラフを画像で保存(&G)...": the range in the print dialog made for pictures, then the
// save dialog; each page the print command would print for the range is saved as a PNG picture
// (one file, or "<name>-1.png" ... "<name>-N.png"), and the message names the files.
int OnSaveImagesCommand(HWND mainWindow);
// Command 212 "CSVファイルに書き出し(&E)...": writes every day with a temperature record to a CSV
// file chosen in the save dialog.
int OnCsvExportCommand(HWND mainWindow);
// Command 213 "CSVファイルから読み込み(&I)...": reads a CSV file chosen in the open dialog into the
// stores, asking first when some of its days already have records.
int OnCsvImportCommand(HWND mainWindow);
// Command 214 "体温の判定を表示(&S)": shows or hides the reading of the curve (the chart's cover
// lines and first high days, the panel's "体温の状態" row) and checks the item to match.
int OnShowShiftCommand(HWND mainWindow);
// Command 215 "周期の一覧(&L)...": the list of cycles up to today.
int OnCycleListCommand(HWND mainWindow);
// The text of the panel's "体温の状態" row for the day, as the side panel and the day's tip show
// it ("高温期 N日目", "低温期", "未判定"); empty while the reading is switched off, before the
// first period start and after today.
std::u16string ShiftStateText(const DateYmd& date);
// Shows that text in the side panel's row.
void ShowShiftState(const DateYmd& date);
