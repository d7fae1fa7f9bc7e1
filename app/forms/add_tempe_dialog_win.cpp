#include "add_tempe_dialog_win.h"

#include <commctrl.h>

#include "date_ymd.h"
#include "dates.h"
#include "dialog_placement_win.h"
#include "entry_questions_win.h"
#include "entry_rules.h"
#include "main_form_win.h"
#include "resources/tovela_ids.h"

namespace {

constexpr wchar_t kContextProperty[] = L"CAddTempe";

// Reads at most `Capacity - 1` characters of a control: the longest text the field means.
template <int Capacity>
void ReadField(HWND dialog, int id, wchar_t (&text)[Capacity]) {
  text[0] = L'\0';
  GetDlgItemTextW(dialog, id, text, Capacity);
}

void ShowInputError(HWND dialog, EntryRefusal refusal) {
  MessageBoxW(dialog, reinterpret_cast<const wchar_t*>(EntryRefusalText(refusal).c_str()),
              reinterpret_cast<const wchar_t*>(kInputErrorCaption), MB_OK | MB_ICONINFORMATION);
}

// The dialog opens in front, ready for the temperature: at log-on it is the first thing the user
// sees, and she types the morning's value at once.
INT_PTR OnInitDialog(HWND dialog, CAddTempe& context) {
  context.Dialog = dialog;
  PlaceDialog(dialog);
  // A memo record holds 99 characters: the field takes no more.
  SendDlgItemMessageW(dialog, IDC_ADD_MEMO, EM_SETLIMITTEXT, kMemoTextLimit, 0);
  SetForegroundWindow(dialog);
  SetFocus(GetDlgItem(dialog, IDC_ADD_TEMPERATURE));
  return FALSE;  // the focus is set
}

INT_PTR OnCommand(HWND dialog, CAddTempe& context, int id) {
  switch (id) {
    case IDOK:
      if (!ValidateAddTempe(context)) return 1;
      EndDialog(dialog, 1);
      return 1;
    case IDCANCEL:
      EndDialog(dialog, 2);
      return 1;
    default:
      return 0;
  }
}

}  // namespace

bool CAddTempe::ShowAddTempeDialog() {
  Temperature = TemperatureRecord{};
  Weight = WeightRecord{};
  Memo = MemoRecord{};
  return DialogBoxParamW(Instance, L"ADD_TEMPE_DIALOG", Owner, AddTempeDialogProc,
                         reinterpret_cast<LPARAM>(this)) == 1;
}

INT_PTR CALLBACK AddTempeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* context = static_cast<CAddTempe*>(GetPropW(dialog, kContextProperty));
  if (context == nullptr) {
    if (message != WM_INITDIALOG || lParam == 0) return 0;
    context = reinterpret_cast<CAddTempe*>(lParam);
    SetPropW(dialog, kContextProperty, context);
  }
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, *context);
    case WM_COMMAND:
      return OnCommand(dialog, *context, LOWORD(wParam));
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) {
        EndDialog(dialog, 2);
        return 1;
      }
      return 0;
    case WM_DESTROY:
      RemovePropW(dialog, kContextProperty);
      context->Dialog = nullptr;
      return 0;
    default:
      return 0;
  }
}

bool ValidateAddTempe(CAddTempe& context) {
  HWND dialog = context.Dialog;
  SYSTEMTIME picked{};
  SendDlgItemMessageW(dialog, IDC_ADD_DATE, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&picked));
  const DateYmd date{picked.wYear, picked.wMonth, picked.wDay};

  wchar_t temperature[6];  // 5 characters: "36.55"
  ReadField(dialog, IDC_ADD_TEMPERATURE, temperature);
  wchar_t weight[5];       // 4 characters: "52.5"
  ReadField(dialog, IDC_ADD_WEIGHT, weight);
  wchar_t memo[MemoCapacity];
  ReadField(dialog, IDC_ADD_MEMO, memo);

  context.Temperature.temperature = ReadEntryNumber(temperature);
  context.Temperature.periodStart =
      IsDlgButtonChecked(dialog, IDC_ADD_PERIOD) == BST_CHECKED ? 1 : 0;
  context.Weight.weight = ReadEntryNumber(weight);
  context.Memo = MemoRecord{};
  for (std::size_t i = 0; i + 1 < MemoCapacity && memo[i] != L'\0'; ++i)
    context.Memo.text[i] = static_cast<char16_t>(memo[i]);

  const EntryRefusal refusal = CheckAddEntry(date, context.Temperature, context.Weight, context.Memo,
                                             FromTm(quillet::GetNow()));
  if (refusal != EntryRefusal::None) {
    ShowInputError(dialog, refusal);
    return false;
  }
  // いいえ keeps the dialog open with the input as typed, to be corrected.
  if (!ConfirmImplausible(dialog, ImplausibleEntryValues(context.Temperature.temperature,
                                                         context.Weight.weight)))
    return false;
  context.Temperature.year = context.Weight.year = context.Memo.year = date.year;
  context.Temperature.month = context.Weight.month = context.Memo.month = date.month;
  context.Temperature.day = context.Weight.day = context.Memo.day = date.day;
  return true;
}
