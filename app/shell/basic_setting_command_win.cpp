// Command 203 "基本設定登録(&B)  Ctrl+B": the basic settings dialog and what its confirmation
// changes in the stores, the values in force, the side panel and the chart.
#include "app_state_win.h"
#include "basic_setting_dialog_win.h"
#include "commands_win.h"
#include "main_window_win.h"
#include "records_bundle.h"
#include "startup_win.h"

namespace {

// The confirmed choices into the stores (which the statistics read) and into AppState (which the
// settings file is written from).
void TakeBasicSettings(const CBasicEnv& env) {
  TemperatureStore& temperatures = gApp.Records->temperatures;
  WeightStore& weights = gApp.Records->weights;
  gApp.MinWeight = env.MinWeight;
  weights.minWeight = env.MinWeight;
  temperatures.minTemperature = env.MinTemperature;
  temperatures.temperatureCalcType = env.TemperatureCalcType;
  temperatures.periodCalcType = env.PeriodCalcType;
  temperatures.periodCycle = env.PeriodCycle;
  weights.weightCalcType = env.WeightCalcType;
  gApp.TemperatureCalcType = env.TemperatureCalcType;
  gApp.PeriodCalcType = env.PeriodCalcType;
  gApp.PeriodCycle = env.PeriodCycle;
  gApp.WeightCalcType = env.WeightCalcType;
}

}  // namespace

int OnBasicSettingsCommand(HWND) {
  if (gApp.BasicEnv == nullptr || gApp.Records == nullptr) return 1;
  if (RunBasicSettingDialog(*gApp.BasicEnv) != 1) return 1;
  TakeBasicSettings(*gApp.BasicEnv);
  // The floors and the cycle in force: a manual value as typed, an automatic one recalculated.
  StoreStatisticsInForce();
  ShowPickerDay();
  RedrawChartNow();
  return 1;
}
