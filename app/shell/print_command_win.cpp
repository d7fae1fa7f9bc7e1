// Command 210 "印刷(&P)  Ctrl+P": the print dialog for the records as the main window shows them.
#include "app_state_win.h"
#include "chart_view.h"
#include "commands_win.h"
#include "print_graph_dialog_win.h"
#include "records_bundle.h"
#include "statistics.h"

int OnPrintCommand(HWND) {
  CPrintGraph* printGraph = gApp.PrintGraph.get();
  if (printGraph == nullptr || gApp.Records == nullptr) return 1;
  // The printed chart takes the colours the on-screen chart holds now.
  SetPrintGraphSource(*printGraph, &gApp.Records->temperatures,
                      ChartFloorTemperature(gApp.Records->temperatures),
                      gApp.Chart != nullptr ? gApp.Chart->colors : kKeepEveryColor);
  if (gApp.Chart != nullptr) printGraph->ShiftLines = gApp.Chart->shiftLines;
  printGraph->Signs = &gApp.Records->signs;
  RunPrintGraphDialog(*printGraph);
  return 1;
}
