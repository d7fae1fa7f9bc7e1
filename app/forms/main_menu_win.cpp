#include "main_menu_win.h"

#include "brassel.h"
#include "dialog_placement_win.h"

namespace {

const wchar_t* Wide(const char16_t* text) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wide characters");
  return reinterpret_cast<const wchar_t*>(text);
}

void InsertCommand(HMENU menu, UINT position, const CommandRow& row) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  if (row.id == 0) {
    info.fMask = MIIM_FTYPE;
    info.fType = MFT_SEPARATOR;
  } else {
    info.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE;
    info.wID = static_cast<UINT>(row.id);
    info.dwTypeData = const_cast<wchar_t*>(Wide(row.text));
    info.fState = IsCommandChecked(row, MenuCheckState{}) ? MFS_CHECKED : MFS_UNCHECKED;
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

// Sets or clears the check mark of the row's item, its other state kept.
void SetItemChecked(HWND mainWindow, const CommandRow& row, bool checked) {
  HMENU popup = GetSubMenu(GetMenu(mainWindow), static_cast<int>(row.popup));
  if (popup == nullptr) return;
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE;
  if (!GetMenuItemInfoW(popup, static_cast<UINT>(row.id), FALSE, &info)) return;
  info.fState = (info.fState & ~static_cast<UINT>(MFS_CHECKED)) | (checked ? MFS_CHECKED : 0);
  SetMenuItemInfoW(popup, static_cast<UINT>(row.id), FALSE, &info);
}

// Sets the check mark of every row `check` puts it on by `state`.
void SetChecks(HWND mainWindow, MenuCheck check, const MenuCheckState& state) {
  for (const CommandRow& row : kCommandRows)
    if (row.check == check) SetItemChecked(mainWindow, row, IsCommandChecked(row, state));
}

}  // namespace

HACCEL BuildMainMenu(HWND mainWindow, AcceleratorEntries& entries) {
  HMENU bar = CreateMenu();
  HMENU popups[kMenuPopupCount] = {};
  UINT filled[kMenuPopupCount] = {};
  for (HMENU& popup : popups) popup = CreatePopupMenu();
  for (const CommandRow& row : kCommandRows) {
    if (row.popup == MenuPopup::NoMenu) continue;
    const int menu = static_cast<int>(row.popup);
    InsertCommand(popups[menu], filled[menu]++, row);
  }
  for (int menu = 0; menu < kMenuPopupCount; ++menu)
    InsertPopup(bar, static_cast<UINT>(menu), Wide(kMenuPopupTexts[menu]), popups[menu]);
  SetMenu(mainWindow, bar);
  DrawMenuBar(mainWindow);

  entries.entries.clear();
  for (const CommandRow& row : AcceleratorRows()) {
    const BYTE modifiers = static_cast<BYTE>((row.key.ctrl ? FCONTROL : 0) |
                                             (row.key.shift ? FSHIFT : 0) | (row.key.alt ? FALT : 0));
    entries.entries.push_back(
        ACCEL{static_cast<BYTE>(FVIRTKEY | modifiers), row.key.key, static_cast<WORD>(row.id)});
  }
  return CreateAcceleratorTableW(entries.entries.data(), static_cast<int>(entries.entries.size()));
}

void SetModeChecks(HWND mainWindow, bool temperatureMode, bool weightMode, bool pregnancyMode) {
  const int mode = temperatureMode ? 1 : weightMode ? 2 : pregnancyMode ? 3 : 0;
  SetChecks(mainWindow, MenuCheck::ChartMode, MenuCheckState{mode, false});
}

void CheckShiftItem(HWND mainWindow, bool checked) {
  SetChecks(mainWindow, MenuCheck::ShowShift, MenuCheckState{0, checked});
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
