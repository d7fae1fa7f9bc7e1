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
  COLORREF base = kKeepPrintColor, grid = kKeepPrintColor, graph = kKeepPrintColor,
           string = kKeepPrintColor, baseLine = kKeepPrintColor;
  if (gApp.Chart != nullptr) {
    const ChartColors& colors = gApp.Chart->colors;
    base = colors.base;
    grid = colors.grid;
    graph = colors.graph;
    string = colors.string;
    baseLine = colors.baseLine;
  }
  SetPrintGraphSource(*printGraph, gApp.TemperatureData.get(),
                      ChartFloorTemperature(*gApp.TemperatureData), base, grid, graph, string,
                      baseLine);
  RunPrintGraphDialog(*printGraph);
  return 1;
}
