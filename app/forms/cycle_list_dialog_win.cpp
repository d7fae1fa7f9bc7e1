#include "cycle_list_dialog_win.h"

#include <commctrl.h>

#include "dialog_placement_win.h"
#include "resources/cycle_list_dialog_ids.h"
#include "win_handles.h"

namespace {

constexpr wchar_t kRowsProperty[] = L"CycleListRows";
// Column widths in dialog units: the findings are the widest (up to three of them in a row).
constexpr int kColumnUnits[kCycleListColumnCount] = {52, 28, 58, 44, 30, 52, 52, 48, 48, 48, 120};

using Rows = std::vector<CycleListRow>;

wchar_t* Wide(const std::u16string& text) {
  return const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(text.c_str()));
}

void FillList(HWND dialog, const Rows& rows) {
  HWND list = GetDlgItem(dialog, IDC_CYCLE_LIST);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  for (int i = 0; i < kCycleListColumnCount; ++i) {
    RECT width{0, 0, kColumnUnits[i], 0};
    MapDialogRect(dialog, &width);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = i == 0 || i == kCycleListColumnCount - 1 ? LVCFMT_LEFT : LVCFMT_RIGHT;
    column.cx = width.right;
    column.pszText = const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(kCycleListColumns[i]));
    SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
  for (std::size_t r = 0; r < rows.size(); ++r) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(r);
    item.pszText = Wide(rows[r][0]);
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    for (int i = 1; i < kCycleListColumnCount; ++i) {
      item.iSubItem = i;
      item.pszText = Wide(rows[r][static_cast<std::size_t>(i)]);
      SendMessageW(list, LVM_SETITEMTEXTW, r, reinterpret_cast<LPARAM>(&item));
    }
  }
}

INT_PTR CALLBACK CycleListDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetPropW(dialog, kRowsProperty, reinterpret_cast<HANDLE>(lParam));
      FillList(dialog, *reinterpret_cast<const Rows*>(lParam));
      SetDlgItemTextW(dialog, IDC_CYCLE_LIST_NOTE,
                      reinterpret_cast<const wchar_t*>(kCycleFindingsNote));
      PlaceDialog(dialog);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_CYCLE_LIST_COPY:
          if (const auto* rows = static_cast<const Rows*>(GetPropW(dialog, kRowsProperty)))
            win32::CopyTextToClipboard(dialog, CycleListClipboardText(*rows));
          return TRUE;
        case IDOK:
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
      }
      return FALSE;
    case WM_DESTROY:
      RemovePropW(dialog, kRowsProperty);
      return FALSE;
  }
  return FALSE;
}

}  // namespace

void ShowCycleListDialog(HWND owner, HINSTANCE instance, const std::vector<CycleReading>& cycles,
                         const std::vector<SignCycleReading>& signs) {
  const Rows rows = CycleListRows(cycles, signs);
  DialogBoxParamW(instance, L"CYCLE_LIST_DIALOG", owner, CycleListDialogProc,
                  reinterpret_cast<LPARAM>(&rows));
}
