// The single global record of the run. Everything the program keeps between messages hangs off
// it; the close sequence (main_window_win.cpp) releases what it owns.
#pragma once

#include <windows.h>

#include "color_scheme.h"

struct TemperatureStore;
struct WeightStore;
struct MemoStore;
struct MainForm;
struct ChartView;
class CAddTempe;
class CBasicEnv;
class CRecolor;
class CPrintGraph;
struct AcceleratorEntries;

struct AppState {
  ColorScheme Colors;             // the settings' colours as read at start-up
  double MinTemperature = 35.5;   // chart floor in force (settings, then the statistics)
  MSG LoopMessage{};              // the message loop's record; its wParam is the exit code
  WeightStore* WeightData = nullptr;
  MainForm* MainForm = nullptr;
  HBRUSH BackBrush = nullptr;     // system brush of COLOR_BTNFACE (not owned)
  ChartView* Chart = nullptr;
  CBasicEnv* BasicEnv = nullptr;
  int TemperatureCalcType = 0;
  MemoStore* MemoData = nullptr;
  TemperatureStore* TemperatureData = nullptr;
  CAddTempe* AddTempe = nullptr;
  int GraphMode = 1;              // the saved mode; used once at start-up
  int WeightCalcType = 0;
  int PeriodCalcType = 0;
  CRecolor* Recolor = nullptr;
  double MinWeight = 43.0;        // chart floor weight in force
  int PeriodCycle = 28;           // cycle length in force
  CPrintGraph* PrintGraph = nullptr;
  AcceleratorEntries* AcceleratorEntries = nullptr;
  HACCEL Accelerators = nullptr;  // the table built from AcceleratorEntries
  HINSTANCE Instance = nullptr;
  bool StartupRun = false;        // "-startup": the main window stays hidden unless a close fails
};

extern AppState gApp;
