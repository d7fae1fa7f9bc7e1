// The basic settings dialog "BASIC_SETTING_DIALOG" and its context `CBasicEnv`.
//
// For the chart floor temperature, the chart floor weight and the cycle length the user chooses
// between the program's calculation (automatic) and a number typed by hand (manual). The context
// lives for the whole run and is not reloaded between openings: each opening shows the calc types
// and numbers it holds, which are those of start-up or of the last confirmed or attempted edit.
#pragma once

#include <windows.h>

#include <memory>

class CBasicEnv {
 public:
  HWND Owner = nullptr;
  HINSTANCE Instance = nullptr;
  HWND Dialog = nullptr;  // while the dialog is open
  int TemperatureCalcType = 0;  // 0 automatic, 1 manual
  int WeightCalcType = 0;
  int PeriodCalcType = 0;
  double MinTemperature = 0.0;
  double MinWeight = 0.0;
  int PeriodCycle = 0;
};

// The context for the run, filled from the values in force at start-up.
std::unique_ptr<CBasicEnv> CreateBasicEnv(HWND owner, HINSTANCE instance, int temperatureCalcType,
                                          int weightCalcType, int periodCalcType,
                                          double minTemperature, double minWeight,
                                          int periodCycle);

// Runs the dialog modally, owned by the context's owner, from the context's instance. 1 when the
// user confirmed valid values (now in the context), 2 when the dialog was cancelled or closed,
// -1 or 0 when it could not be created.
INT_PTR RunBasicSettingDialog(CBasicEnv& env);

INT_PTR CALLBACK BasicSettingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The 登録 check: reads the radio buttons and edits of the open dialog into the context. On a
// refused row shows that row's message and puts the three numbers back as they were; the calc
// types set so far stay set. true when every row was taken.
bool ValidateBasicEnv(CBasicEnv* env);
