// The entry dialog "ADD_TEMPE_DIALOG": one day's date, temperature, weight, period start and memo.
// It only collects and checks the input; the caller stores the results on OK.
#pragma once

#include <windows.h>

#include "record_stores.h"

class CAddTempe {
 public:
  CAddTempe(HWND owner, HINSTANCE instance) : Owner(owner), Instance(instance) {}

  // Clears the results, then runs the dialog modally over the owner with this context. True
  // exactly when the dialog ended with OK (result 1) and the results hold the checked entry.
  bool ShowAddTempeDialog();

  HWND Owner = nullptr;
  HINSTANCE Instance = nullptr;
  HWND Dialog = nullptr;             // set while the dialog is open
  TemperatureRecord Temperature;     // date, temperature, period start
  WeightRecord Weight;               // date, weight (0.0: none)
  MemoRecord Memo;                   // date, text (empty: none)
};

// The dialog procedure; finds its CAddTempe through the window property "CAddTempe".
INT_PTR CALLBACK AddTempeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The OK check: reads the controls into the results and shows the first input error, if any.
// True when everything can be stored.
bool ValidateAddTempe(CAddTempe& context);
