#include "basic_setting_dialog_win.h"

#include "basic_setting_rules.h"
#include "dialog_placement_win.h"
#include "resources/basic_setting_dialog_ids.h"

namespace {

constexpr wchar_t kContextProperty[] = L"CBasicEnv";
constexpr INT_PTR kConfirmed = 1;
constexpr INT_PTR kCancelled = 2;

struct Row {
  int autoId;
  int manualId;
  int editId;
};
constexpr Row kRows[] = {
    {IDC_BASIC_TEMPERATURE_AUTO, IDC_BASIC_TEMPERATURE_MANUAL, IDC_BASIC_TEMPERATURE_EDIT},
    {IDC_BASIC_WEIGHT_AUTO, IDC_BASIC_WEIGHT_MANUAL, IDC_BASIC_WEIGHT_EDIT},
    {IDC_BASIC_CYCLE_AUTO, IDC_BASIC_CYCLE_MANUAL, IDC_BASIC_CYCLE_EDIT},
};

CBasicEnv* ContextOf(HWND dialog) {
  return static_cast<CBasicEnv*>(GetPropW(dialog, kContextProperty));
}

bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

// At most 5 characters, as the edits are read through a 6-character buffer.
std::wstring ReadEdit(HWND dialog, int id) {
  wchar_t text[kBasicEnvEditBuffer] = {};
  GetDlgItemTextW(dialog, id, text, kBasicEnvEditBuffer);
  return text;
}

BasicEnvValues ValuesOf(const CBasicEnv& env) {
  BasicEnvValues v;
  v.temperatureCalcType = env.TemperatureCalcType;
  v.weightCalcType = env.WeightCalcType;
  v.periodCalcType = env.PeriodCalcType;
  v.minTemperature = env.MinTemperature;
  v.minWeight = env.MinWeight;
  v.periodCycle = env.PeriodCycle;
  return v;
}

void StoreValues(const BasicEnvValues& v, CBasicEnv& env) {
  env.TemperatureCalcType = v.temperatureCalcType;
  env.WeightCalcType = v.weightCalcType;
  env.PeriodCalcType = v.periodCalcType;
  env.MinTemperature = v.minTemperature;
  env.MinWeight = v.minWeight;
  env.PeriodCycle = v.periodCycle;
}

// An automatic row greys its edit; a manual row enables it.
void UpdateEditStates(HWND dialog) {
  for (const Row& row : kRows) {
    if (IsChecked(dialog, row.autoId)) {
      EnableWindow(GetDlgItem(dialog, row.editId), FALSE);
    } else if (IsChecked(dialog, row.manualId)) {
      EnableWindow(GetDlgItem(dialog, row.editId), TRUE);
    }
  }
}

void ShowRow(HWND dialog, const Row& row, int calcType, const wchar_t* text) {
  CheckDlgButton(dialog, calcType == 0 ? row.autoId : row.manualId, BST_CHECKED);
  EnableWindow(GetDlgItem(dialog, row.editId), calcType == 0 ? FALSE : TRUE);
  // What is shown is what a confirm reads back: no more than 5 characters can be typed.
  SendDlgItemMessageW(dialog, row.editId, EM_LIMITTEXT, kBasicEnvEditBuffer - 1, 0);
  SetDlgItemTextW(dialog, row.editId, text);
}

INT_PTR OnInitDialog(HWND dialog, CBasicEnv* env) {
  if (env == nullptr) {
    EndDialog(dialog, kCancelled);
    return TRUE;
  }
  env->Dialog = dialog;
  SetPropW(dialog, kContextProperty, env);
  PlaceDialog(dialog);
  const BasicEnvEditTexts texts = FormatBasicEnvEdits(ValuesOf(*env));
  ShowRow(dialog, kRows[0], env->TemperatureCalcType, texts.temperature);
  ShowRow(dialog, kRows[1], env->WeightCalcType, texts.weight);
  ShowRow(dialog, kRows[2], env->PeriodCalcType, texts.cycle);
  return TRUE;
}

INT_PTR OnCommand(HWND dialog, int id) {
  switch (id) {
    case IDOK:
      if (ValidateBasicEnv(ContextOf(dialog))) EndDialog(dialog, kConfirmed);
      return TRUE;
    case IDCANCEL:
      EndDialog(dialog, kCancelled);
      return TRUE;
    default:  // a radio button click, an edit notification
      UpdateEditStates(dialog);
      return FALSE;
  }
}

void OnDestroy(HWND dialog) {
  if (CBasicEnv* env = ContextOf(dialog)) env->Dialog = nullptr;
  RemovePropW(dialog, kContextProperty);
}

}  // namespace

std::unique_ptr<CBasicEnv> CreateBasicEnv(HWND owner, HINSTANCE instance, int temperatureCalcType,
                                          int weightCalcType, int periodCalcType,
                                          double minTemperature, double minWeight,
                                          int periodCycle) {
  auto env = std::make_unique<CBasicEnv>();
  env->Owner = owner;
  env->Instance = instance;
  env->TemperatureCalcType = temperatureCalcType;
  env->WeightCalcType = weightCalcType;
  env->PeriodCalcType = periodCalcType;
  env->MinTemperature = minTemperature;
  env->MinWeight = minWeight;
  env->PeriodCycle = periodCycle;
  return env;
}

INT_PTR RunBasicSettingDialog(CBasicEnv& env) {
  return DialogBoxParamW(env.Instance, L"BASIC_SETTING_DIALOG", env.Owner, BasicSettingDialogProc,
                         reinterpret_cast<LPARAM>(&env));
}

INT_PTR CALLBACK BasicSettingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, reinterpret_cast<CBasicEnv*>(lParam));
    case WM_COMMAND:
      return OnCommand(dialog, LOWORD(wParam));
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) {
        EndDialog(dialog, kCancelled);
        return TRUE;
      }
      return FALSE;
    case WM_DESTROY:
      OnDestroy(dialog);
      return FALSE;
    default:
      return FALSE;
  }
}

bool ValidateBasicEnv(CBasicEnv* env) {
  if (env == nullptr || env->Dialog == nullptr) return false;
  HWND dialog = env->Dialog;
  BasicEnvEntry entry;
  entry.temperatureAutomatic = IsChecked(dialog, IDC_BASIC_TEMPERATURE_AUTO);
  if (!entry.temperatureAutomatic) entry.temperatureText = ReadEdit(dialog, IDC_BASIC_TEMPERATURE_EDIT);
  entry.weightAutomatic = IsChecked(dialog, IDC_BASIC_WEIGHT_AUTO);
  if (!entry.weightAutomatic) entry.weightText = ReadEdit(dialog, IDC_BASIC_WEIGHT_EDIT);
  entry.periodAutomatic = IsChecked(dialog, IDC_BASIC_CYCLE_AUTO);
  if (!entry.periodAutomatic) entry.periodText = ReadEdit(dialog, IDC_BASIC_CYCLE_EDIT);

  BasicEnvValues values = ValuesOf(*env);
  const BasicEnvFault fault = ApplyBasicEnvEntry(entry, values);
  StoreValues(values, *env);
  if (fault == BasicEnvFault::None) return true;
  MessageBoxW(dialog, BasicEnvFaultMessage(fault), L"入力エラーです。", MB_OK | MB_ICONINFORMATION);
  return false;
}
