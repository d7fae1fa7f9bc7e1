// The decisions of the basic settings dialog, free of any window: what the three edits show and
// whether what the user chose and typed can be taken.
//
// Each row is either automatic (the program calculates the value; the edit is not read at all)
// or manual (the edit holds the value). A manual value is taken only when it reads as a number
// other than zero and that number can be stored: a floor temperature above 0 and below 100, a
// floor weight above 0 and below 1000, a cycle of 1-365 days.
#pragma once

#include <string>

// The dialog's values: what the context holds between openings.
struct BasicEnvValues {
  int temperatureCalcType = 0;  // 0 automatic, 1 manual
  int weightCalcType = 0;
  int periodCalcType = 0;
  double minTemperature = 35.5;
  double minWeight = 43.0;
  int periodCycle = 28;
};

// What the dialog shows when its 登録 button is pressed: per row whether the automatic button is
// checked, and the edit's text.
struct BasicEnvEntry {
  bool temperatureAutomatic = true;
  std::wstring temperatureText;
  bool weightAutomatic = true;
  std::wstring weightText;
  bool periodAutomatic = true;
  std::wstring periodText;
};

enum class BasicEnvFault { None, Temperature, Weight, Cycle };

// The edits are read and filled through buffers of this many characters (5 and a terminator).
constexpr int kBasicEnvEditBuffer = 6;

// Takes the entry row by row (temperature, weight, cycle) into values. Each row sets its calc
// type; a manual row reads at most the first 5 characters of its edit. The first refused row
// ends the check: the three numbers are then put back as they were before the check, while the
// calc types set so far stay set. Returns which row was refused, or None.
BasicEnvFault ApplyBasicEnvEntry(const BasicEnvEntry& entry, BasicEnvValues& values);

// The message box text for a refused row ("" for None).
const wchar_t* BasicEnvFaultMessage(BasicEnvFault fault);

// The three edit texts: "%.2f" of the temperature, "%.1f" of the weight, "%d" of the cycle, each
// cut to what fits the 6-character buffer (a value needing more than 5 characters, which the
// program never holds, shows its first 5, and a manual row refuses it when confirmed).
struct BasicEnvEditTexts {
  wchar_t temperature[kBasicEnvEditBuffer] = {};
  wchar_t weight[kBasicEnvEditBuffer] = {};
  wchar_t cycle[kBasicEnvEditBuffer] = {};
};
BasicEnvEditTexts FormatBasicEnvEdits(const BasicEnvValues& values);
