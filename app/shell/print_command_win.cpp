// Command 210 "印刷(&P)  Ctrl+P": the print dialog for the records as the main window shows them.
#include "app_state_win.h"
#include "chart_view.h"
#include "commands_win.h"
#include "print_graph_dialog_win.h"
#include "record_stores.h"
#include "statistics.h"

int OnPrintCommand(HWND) {
  CPrintGraph* printGraph = gApp.PrintGraph.get();
  if (printGraph == nullptr || gApp.TemperatureData == nullptr) return 1;
  // The printed chart takes the colours the on-screen chart holds now.
  SetPrintGraphSource(*printGraph, gApp.TemperatureData.get(),
                      ChartFloorTemperature(*gApp.TemperatureData),
                      gApp.Chart != nullptr ? gApp.Chart->colors : kKeepEveryColor);
  if (gApp.Chart != nullptr) printGraph->ShiftLines = gApp.Chart->shiftLines;
  RunPrintGraphDialog(*printGraph);
  return 1;
}
