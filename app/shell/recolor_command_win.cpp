// Command 205 "色の変更(&C) Ctrl+Shift+C": the colour dialog; a confirmed set recolours the chart
// at once. The settings file takes the colours from the chart when the program closes.
#include "app_state_win.h"
#include "chart_drawing.h"
#include "chart_view.h"
#include "commands_win.h"
#include "main_window_win.h"
#include "recolor_dialog_win.h"

int OnColorsCommand(HWND) {
  if (gApp.Recolor == nullptr) return 1;
  if (RunRecolorDialog(*gApp.Recolor) != 1) return 1;
  if (gApp.Chart != nullptr) {
    SetChartColors(*gApp.Chart, gApp.Recolor->Colors.working);
    RedrawChartAndHelp();
  }
  return 1;
}
