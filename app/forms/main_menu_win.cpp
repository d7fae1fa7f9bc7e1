#include "main_menu_win.h"

#include "brassel.h"
#include "dialog_placement_win.h"
#include "main_form_win.h"

namespace {

struct MenuItem {
  const wchar_t* text;  // null: separator
  int command;
};

void InsertCommand(HMENU menu, UINT position, const MenuItem& item, bool checked = false) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  if (item.text == nullptr) {
    info.fMask = MIIM_FTYPE;
    info.fType = MFT_SEPARATOR;
  } else {
    info.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE;
    info.wID = static_cast<UINT>(item.command);
    info.dwTypeData = const_cast<wchar_t*>(item.text);
    info.fState = checked ? MFS_CHECKED : MFS_UNCHECKED;
  }
  InsertMenuItemW(menu, position, TRUE, &info);
}

void InsertPopup(HMENU bar, UINT position, const wchar_t* text, HMENU popup) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING | MIIM_SUBMENU;
  info.hSubMenu = popup;
  info.dwTypeData = const_cast<wchar_t*>(text);
  InsertMenuItemW(bar, position, TRUE, &info);
}

constexpr int kGraphMenuPosition = 3;

}  // namespace

HACCEL BuildMainMenu(HWND mainWindow, AcceleratorEntries& entries) {
  HMENU bar = CreateMenu();
  HMENU file = CreatePopupMenu();
  HMENU health = CreatePopupMenu();
  HMENU tools = CreatePopupMenu();
  HMENU graph = CreatePopupMenu();
  HMENU help = CreatePopupMenu();

  InsertCommand(file, 0, {L"印刷(&P)  Ctrl+P", kPrintCommand});
  InsertCommand(file, 1, {L"CSVファイルに書き出し(&E)...", kCsvExportCommand});
  InsertCommand(file, 2, {L"CSVファイルから読み込み(&I)...", kCsvImportCommand});
  InsertCommand(file, 3, {nullptr, 0});
  InsertCommand(file, 4, {L"終了(&X)", kExitCommand});
  InsertCommand(health, 0, {L"基本設定登録(&B)  Ctrl+B", kBasicSettingsCommand});
  InsertCommand(health, 1, {L"周期の一覧(&L)...", kCycleListCommand});
  InsertCommand(tools, 0, {L"色の変更(&C) Ctrl+Shift+C", kColorsCommand});
  InsertCommand(tools, 1, {L"スタートアップにショートカットを作成(&S)", kShortcutCommand});
  InsertCommand(graph, 0, {L"基礎体温モード(&T)", kTemperatureModeCommand}, true);
  InsertCommand(graph, 1, {L"体重モード(&W)", kWeightModeCommand});
  InsertCommand(graph, 2, {L"妊娠確定モード(&P)", kPregnancyModeCommand});
  InsertCommand(graph, 3, {nullptr, 0});
  InsertCommand(graph, 4, {L"体温の判定を表示(&S)", kShowShiftCommand}, true);
  InsertCommand(help, 0, {L"使い方(&H)", kGuideCommand});
  InsertCommand(help, 1, {L"グラフの見かた(&L)...", kChartLegendCommand});
  InsertCommand(help, 2, {nullptr, 0});
  InsertCommand(help, 3, {L"バージョン情報(&V)", kVersionCommand});

  InsertPopup(bar, 0, L"ファイル(&F)", file);
  InsertPopup(bar, 1, L"体調管理(&B)", health);
  InsertPopup(bar, 2, L"ツール(&T)", tools);
  InsertPopup(bar, kGraphMenuPosition, L"グラフ(&G)", graph);
  InsertPopup(bar, 4, L"ヘルプ(&H)", help);
  SetMenu(mainWindow, bar);
  DrawMenuBar(mainWindow);

  entries.entries[0] = ACCEL{FVIRTKEY | FCONTROL, 'B', kBasicSettingsCommand};
  entries.entries[1] = ACCEL{FVIRTKEY | FCONTROL | FSHIFT, 'C', kColorsCommand};
  entries.entries[2] = ACCEL{FVIRTKEY | FCONTROL, 'P', kPrintCommand};
  entries.entries[3] = ACCEL{FVIRTKEY, VK_F1, kGuideCommand};
  // The side panel's buttons by their underlined letters, wherever the focus is in the window
  // (the window is no dialog, so nothing else reads them); a disabled button ignores its key.
  entries.entries[4] = ACCEL{FVIRTKEY | FALT, 'A', kAddButtonId};
  entries.entries[5] = ACCEL{FVIRTKEY | FALT, 'M', kUpdateButtonId};
  entries.entries[6] = ACCEL{FVIRTKEY | FALT, 'D', kDeleteButtonId};
  return CreateAcceleratorTableW(entries.entries, 7);
}

void SetModeChecks(HWND mainWindow, bool temperatureMode, bool weightMode, bool pregnancyMode) {
  HMENU graph = GetSubMenu(GetMenu(mainWindow), kGraphMenuPosition);
  if (graph == nullptr) return;
  const struct {
    int command;
    bool checked;
  } items[] = {{kTemperatureModeCommand, temperatureMode},
               {kWeightModeCommand, weightMode},
               {kPregnancyModeCommand, pregnancyMode}};
  for (const auto& item : items) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE;
    if (!GetMenuItemInfoW(graph, static_cast<UINT>(item.command), FALSE, &info)) continue;
    info.fState = (info.fState & ~static_cast<UINT>(MFS_CHECKED)) | (item.checked ? MFS_CHECKED : 0);
    SetMenuItemInfoW(graph, static_cast<UINT>(item.command), FALSE, &info);
  }
}

void CheckShiftItem(HWND mainWindow, bool checked) {
  HMENU graph = GetSubMenu(GetMenu(mainWindow), kGraphMenuPosition);
  if (graph != nullptr)
    CheckMenuItem(graph, kShowShiftCommand, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void CheckModeItem(HWND mainWindow, int mode) {
  if (mode < 1 || mode > 3) return;
  SetModeChecks(mainWindow, mode == 1, mode == 2, mode == 3);
}

INT_PTR CALLBACK VersionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) PlaceDialog(dialog);
  return CMyMessage::MyDlgProc(dialog, message, wParam, lParam);
}

void ShowVersionDialog(HWND mainWindow) {
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(mainWindow, GWLP_HINSTANCE));
  DialogBoxParamW(instance, L"VERSION_DIALOG", mainWindow, VersionDialogProc, 0);
}
