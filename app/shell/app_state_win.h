// The single global record of the run. Everything the program keeps between messages hangs off
// it; the close (main_window_win.cpp) releases what it owns with ReleaseAppState, one member
// after another in a fixed order.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "chart_plot.h"
#include "color_scheme.h"
#include "day_change.h"
#include "saving.h"
#include "settings.h"

struct RecordStores;
struct MainForm;
struct ChartView;
class ChartTip;
class LegendWindow;
class CAddTempe;
class CBasicEnv;
class CRecolor;
class CPrintGraph;
struct AcceleratorEntries;

struct AppState {
  ColorScheme Colors;             // the settings' colours as read at start-up
  double MinTemperature = 35.5;   // chart floor in force (settings, then the statistics)
  MSG LoopMessage{};              // the message loop's record; its wParam is the exit code
  std::unique_ptr<::MainForm> MainForm;
  HBRUSH BackBrush = nullptr;     // system brush of COLOR_BTNFACE (not owned)
  std::unique_ptr<ChartView> Chart;
  std::unique_ptr<CBasicEnv> BasicEnv;
  int TemperatureCalcType = 0;
  std::unique_ptr<RecordStores> Records;  // the record stores, loaded at start-up
  std::unique_ptr<CAddTempe> AddTempe;
  int GraphMode = 1;              // the saved mode; used once at start-up
  int WeightCalcType = 0;
  int PeriodCalcType = 0;
  std::unique_ptr<CRecolor> Recolor;
  double MinWeight = 43.0;        // chart floor weight in force
  int PeriodCycle = 28;           // cycle length in force
  std::unique_ptr<CPrintGraph> PrintGraph;
  std::unique_ptr<::AcceleratorEntries> AcceleratorEntries;
  HACCEL Accelerators = nullptr;  // the table built from AcceleratorEntries
  HINSTANCE Instance = nullptr;
  bool StartupRun = false;        // "-startup": the main window stays hidden unless a close fails
  DataFilesState SavedFiles;      // each data file as its last read or write left it
  SettingsTexts SavedSettings;      // the settings file's keys as last written (or as at start)
  SaveNotices SaveNotices;        // the save messages shown so far
  ShiftLineStyle ShiftLines{true}; // CoverLineColor and ShowShift as read at start-up
  std::unique_ptr<::ChartTip> ChartTip;  // the chart window's day tip, made at the first hover
  std::unique_ptr<LegendWindow> Legend;  // "グラフの見かた", made when it is first asked for
  std::wstring ImageFolder;       // where the pages were last saved as pictures; "" until then
  DayWatch Days;                  // the date the run shows as today, and the morning prompt's memory
  int HandlersRunning = 0;        // HandlerScopes open (main_window_win.h)
  bool CloseWaiting = false;      // a close came while one was open: it runs when the last ends
};

extern AppState gApp;

// Everything AppState owns, released in the close's fixed order (see app_state_win.cpp). Deleting
// the main form destroys the main window, whose destruction posts the quit message.
void ReleaseAppState();
