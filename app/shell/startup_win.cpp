#include "startup_win.h"

#include <commctrl.h>
#include <xmmintrin.h>

#include <cwchar>
#include <filesystem>
#include <memory>
#include <vector>

#include "add_tempe_dialog_win.h"
#include "app_state_win.h"
#include "basic_setting_dialog_win.h"
#include "chart_drawing.h"
#include "chart_window_proc_win.h"
#include "chart_window_win.h"
#include "damaged_files.h"
#include "dates.h"
#include "day_change_win.h"
#include "entry_editing_win.h"
#include "main_form_win.h"
#include "main_menu_win.h"
#include "main_window_win.h"
#include "print_graph_dialog_win.h"
#include "recolor_dialog_win.h"
#include "records_bundle.h"
#include "saving_win.h"
#include "settings_win.h"
#include "single_instance_win.h"
#include "statistics.h"
#include "system_win.h"
#include "win_handles.h"

namespace {

constexpr char16_t kFatalCaption[] = u"致命的なエラーが発生しました。";

void Fatal(const char16_t* text) { ShowMessage(nullptr, text, kFatalCaption, MB_OK | MB_ICONWARNING); }

// The main window, its menu and accelerators, the chart window and the side panel. Each failure
// shows its own message and ends the run (false).
bool CreateWindows(bool startupRun, HINSTANCE instance) {
  gApp.MainForm = std::make_unique<MainForm>();
  if (CreateMainWindow(*gApp.MainForm, MainWindowProc, startupRun, instance) == 0) {
    Fatal(u"ウィンドウの生成に失敗しました。");
    return false;
  }
  HWND main = gApp.MainForm->Window();
  gApp.AcceleratorEntries = std::make_unique<AcceleratorEntries>();
  gApp.Accelerators = BuildMainMenu(main, *gApp.AcceleratorEntries);
  if (gApp.Accelerators == nullptr) {
    Fatal(u"メニューの生成に失敗しました。");
    return false;
  }
  if (CreateSidePanel(*gApp.MainForm, main, ChartWindowProc) == 0) {
    Fatal(u"コンポーネントの生成に失敗しました。");
    return false;
  }
  ShowScrollBar(main, SB_VERT, FALSE);
  ShowScrollBar(main, SB_HORZ, FALSE);
  ShowScrollBar(main, SB_BOTH, FALSE);
  InvalidateRect(main, nullptr, TRUE);
  gApp.BackBrush = GetSysColorBrush(COLOR_BTNFACE);
  return true;
}

// The stores with the settings in force, loaded from their files. A file whose load skipped
// lines is copied into backup\damaged at once, before any save can replace it.
std::vector<DamagedFile> LoadStores() {
  gApp.Records = std::make_unique<RecordStores>();
  TemperatureStore& temperatures = gApp.Records->temperatures;
  temperatures.temperatureCalcType = gApp.TemperatureCalcType;
  temperatures.minTemperature = gApp.MinTemperature;
  temperatures.periodCalcType = gApp.PeriodCalcType;
  temperatures.periodCycle = gApp.PeriodCycle;
  WeightStore& weights = gApp.Records->weights;
  weights.weightCalcType = gApp.WeightCalcType;
  weights.minWeight = gApp.MinWeight;
  return LoadDataFiles(*gApp.Records, DataFilesBesideProgram(), CurrentLocalTime());
}

// The chart over the chart window, its scroll range and colours, and the saved mode.
void CreateChart() {
  MainForm& form = *gApp.MainForm;
  gApp.Chart = CreateChartViewForWindow(form.ChartWindow->GetMyHWnd(), form.ChartRect,
                                        &gApp.Records->temperatures, &gApp.Records->weights,
                                        &gApp.Records->signs);
  SetChartScrollRange(*gApp.Chart);
  SetChartColors(*gApp.Chart, gApp.Colors);
  SetShiftLineStyle(*gApp.Chart, gApp.ShiftLines);
  CheckShiftItem(form.Window(), gApp.ShiftLines.show);
  // Any other saved value leaves mode 1 with no item checked; the first paint shows the chart.
  if (gApp.GraphMode >= 1 && gApp.GraphMode <= 3) {
    CheckModeItem(form.Window(), gApp.GraphMode);
    SetChartMode(*gApp.Chart, gApp.GraphMode);
    RedrawChartAndHelp();
  } else {
    SetModeChecks(form.Window(), false, false, false);
    // The chart window may have had its first paint before the chart existed: paint it again.
    InvalidateRect(form.ChartWindow->GetMyHWnd(), nullptr, FALSE);
  }
}

// Today (the run's day) in the side panel.
void ShowToday() { ShowDay(gApp.Days.today, AverageCycleDays(gApp.Records->temperatures)); }

// Once per start, before the start-up run's entry dialog: which files had lines that could not be
// read, and that their copies are kept. Nothing when every file loaded cleanly.
void TellAboutDamagedFiles(const std::vector<DamagedFile>& damaged) {
  if (damaged.empty()) return;
  ShowMessage(gApp.MainForm->Window(), DamagedFilesText(damaged), kDamagedFilesCaption,
              MB_OK | MB_ICONINFORMATION);
}

// The start-up run asks for today's entry when there is none.
void AskForTodaysEntry(HWND main) {
  const DateYmd today = FromTm(quillet::GetNow());
  if (FindTemperature(gApp.Records->temperatures, today.year, today.month, today.day) == nullptr)
    SendMessageW(main, WM_COMMAND, MAKEWPARAM(kEntryDialogCommand, 0), 0);
}

// Until WM_QUIT: accelerators first, then the ordinary translation and dispatch.
int RunMessageLoop() {
  MSG& msg = gApp.LoopMessage;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    HWND main = gApp.MainForm != nullptr ? gApp.MainForm->Window() : nullptr;
    if (main != nullptr && gApp.Accelerators != nullptr &&
        TranslateAcceleratorW(main, gApp.Accelerators, &msg))
      continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace

bool IsStartupArgument(const wchar_t* commandLine) {
  return commandLine != nullptr && std::wcscmp(commandLine, L"-startup") == 0;
}

void SetFloatingPointMode() {
#if defined(__i386__) || defined(__x86_64__)
  unsigned short control = 0;
  __asm__ volatile("fnstcw %0" : "=m"(control));
  control = static_cast<unsigned short>((control & ~0x0F00u) | 0x0300u);  // nearest, 64-bit
  __asm__ volatile("fldcw %0" : : "m"(control));
  _MM_SET_ROUNDING_MODE(_MM_ROUND_NEAREST);
#endif
}

void StoreStatisticsInForce() {
  gApp.MinTemperature = ChartFloorTemperature(gApp.Records->temperatures);
  gApp.MinWeight = ChartFloorWeight(gApp.Records->weights);
  gApp.PeriodCycle = AverageCycleDays(gApp.Records->temperatures);
}

void CreateDialogContexts(HWND owner, HINSTANCE instance) {
  gApp.AddTempe = std::make_unique<CAddTempe>(owner, instance);
  gApp.Recolor = CreateRecolor(owner, instance, gApp.Colors);
  StoreStatisticsInForce();
  gApp.BasicEnv = CreateBasicEnv(owner, instance, gApp.TemperatureCalcType, gApp.WeightCalcType,
                                 gApp.PeriodCalcType, gApp.MinTemperature, gApp.MinWeight,
                                 gApp.PeriodCycle);
  gApp.PrintGraph = CreatePrintGraph(owner, instance);
}

int RunTovela(HINSTANCE instance, const wchar_t* commandLine) {
  SetFloatingPointMode();
  gApp.Instance = instance;
  gApp.StartupRun = IsStartupArgument(commandLine);
  // A second start on the same folder reads and writes nothing; an ordinary one shows the user
  // the window already open.
  if (!TakeInstanceLock()) {
    if (!gApp.StartupRun) BringRunningWindowForward();
    return 0;
  }
  LoadSettings(gApp);
  // COM once for the window's thread and the whole run: the pictures' encoder and the start-up
  // shortcut use it (the shortcut's own initialisation then only counts up and down).
  win32::ComInit com;

  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  if (!CreateWindows(gApp.StartupRun, instance)) return -1;
  // The run's day is read before anything is shown for it; a midnight in between is caught by
  // the timer this sets.
  StartDayWatch(gApp.MainForm->Window());
  const std::vector<DamagedFile> damaged = LoadStores();
  CreateChart();
  CreateDialogContexts(gApp.MainForm->Window(), instance);
  NoteStartingState(damaged);
  MarkMainWindow(gApp.MainForm->Window(), true);
  HWND main = gApp.MainForm->Window();
  {
    // A close asked during the notice or the entry dialog waits for them.
    const HandlerScope starting(main);
    ShowToday();
    TellAboutDamagedFiles(damaged);
    if (gApp.StartupRun) AskForTodaysEntry(main);
  }
  // The start-up run then closes, unless a second start turned it into an ordinary run.
  if (gApp.StartupRun && IsWindow(main)) SendMessageW(main, WM_CLOSE, 0, 0);
  return RunMessageLoop();
}
