#include "main_window_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cwchar>
#include <memory>

#include "add_tempe_dialog_win.h"
#include "app_state_win.h"
#include "brassel.h"
#include "chart_drawing.h"
#include "chart_view.h"
#include "chart_help_win.h"
#include "chart_window_proc_win.h"
#include "chart_window_win.h"
#include "commands_win.h"
#include "records_bundle.h"
#include "dates.h"
#include "day_change_win.h"
#include "entry_rules.h"
#include "entry_editing_win.h"
#include "entry_questions_win.h"
#include "main_form_win.h"
#include "legend_window_win.h"
#include "main_menu_win.h"
#include "saving_win.h"
#include "single_instance_win.h"
#include "statistics.h"
#include "system_win.h"
#include "win_handles.h"

namespace {

LRESULT Default(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CMyMessage::MyProc(window, message, wParam, lParam);
}

HWND MainWindow() { return gApp.MainForm != nullptr ? gApp.MainForm->Window() : nullptr; }

void HideScrollBars(HWND window) {
  ShowScrollBar(window, SB_VERT, FALSE);
  ShowScrollBar(window, SB_HORZ, FALSE);
  ShowScrollBar(window, SB_BOTH, FALSE);
}

// ---- Commands ---------------------------------------------------------------------------------

// 201: the close, as the window's close box runs it.
LRESULT OnExitCommand(HWND window) {
  SendMessageW(window, WM_CLOSE, 0, 0);
  return 0;
}

// 202: the entry dialog; a confirmed entry is stored unless the day already has a record.
LRESULT OnEntryDialogCommand(HWND window) {
  CAddTempe& dialog = *gApp.AddTempe;
  if (!dialog.ShowAddTempeDialog()) return 1;
  // The day's weight or memo, which it may hold without a temperature, gives way to what was
  // typed; the log-on prompt stores an empty memo too, so the day has a memo line in the file.
  if (!ApplyDialogEntry(*gApp.Records, dialog.Temperature, dialog.Weight, dialog.Memo)) {
    ShowMessage(window, kDayAlreadyEnteredText, kInputErrorCaption, MB_OK | MB_ICONINFORMATION);
    return 0;
  }
  // On disk before the confirmation gives the user control back (no confirmation when not).
  const bool saved = SaveConfirmedChange(window);
  RedrawChartAndHelp();
  // The panel may be showing the day just entered: turn its buttons over.
  ShowPickerDay();
  if (saved)
    ShowMessage(window, EntryDoneText(dialog.Temperature.Date(), u"追加"), kEntryDoneCaption, MB_OK);
  return 1;
}

LRESULT OnModeCommand(int mode) {
  CheckModeItem(MainWindow(), mode);
  if (gApp.Chart != nullptr) {
    SetChartMode(*gApp.Chart, mode);
    RedrawChartAndHelp();
  }
  return 1;
}

LRESULT OnVersionCommand(HWND window) {
  ShowVersionDialog(window);
  return 1;
}

// 416, 417, 418: the side panel's buttons (a click, Enter in an entry field, or the button's
// Alt key, which counts only while the button is enabled). 1 when the stores changed.
int EnterPanelEntry(int command) {
  HWND button = gApp.MainForm != nullptr ? GetDlgItem(gApp.MainForm->Window(), command) : nullptr;
  if (button == nullptr || !IsWindowEnabled(button)) return 0;
  DateYmd date;
  TemperatureRecord temperature;
  WeightRecord weight;
  MemoRecord memo;
  ReadPanel(*gApp.MainForm, date, temperature, weight, memo);
  const SignRecord signs = ReadPanelSigns(*gApp.MainForm);
  int changed = 0;
  switch (command) {
    case kAddButtonId: changed = AddEntry(date, temperature, weight, memo, signs); break;
    case kUpdateButtonId: changed = UpdateEntry(date, temperature, weight, memo, signs); break;
    case kDeleteButtonId: changed = DeleteEntry(date, temperature, weight, memo); break;
  }
  if (changed == 0) return 0;
  ShowDay(date, AverageCycleDays(gApp.Records->temperatures));
  RedrawChartAndHelp();
  return 1;
}

// A panel button's click or Alt key: handled, whether or not the stores changed.
LRESULT OnPanelButton(int command) {
  EnterPanelEntry(command);
  return 1;
}

// The handler of each row of the command table; a result of 0 goes on to default processing.
struct CommandHandlerRow {
  int id;
  CommandHandler run;
};

constexpr CommandHandlerRow kCommandHandlers[] = {
    {kExitCommand, OnExitCommand},
    {kEntryDialogCommand, OnEntryDialogCommand},
    {kBasicSettingsCommand, [](HWND window) -> LRESULT { return OnBasicSettingsCommand(window); }},
    {kColorsCommand, [](HWND window) -> LRESULT { return OnColorsCommand(window); }},
    {kShortcutCommand, [](HWND window) -> LRESULT { return OnShortcutCommand(window); }},
    {kTemperatureModeCommand, [](HWND) { return OnModeCommand(1); }},
    {kWeightModeCommand, [](HWND) { return OnModeCommand(2); }},
    {kPregnancyModeCommand, [](HWND) { return OnModeCommand(3); }},
    {kPrintCommand, [](HWND window) -> LRESULT { return OnPrintCommand(window); }},
    {kSaveImagesCommand, [](HWND window) -> LRESULT { return OnSaveImagesCommand(window); }},
    {kCsvExportCommand, [](HWND window) -> LRESULT { return OnCsvExportCommand(window); }},
    {kCsvImportCommand, [](HWND window) -> LRESULT { return OnCsvImportCommand(window); }},
    {kShowShiftCommand, [](HWND window) -> LRESULT { return OnShowShiftCommand(window); }},
    {kCycleListCommand, [](HWND window) -> LRESULT { return OnCycleListCommand(window); }},
    {kVersionCommand, OnVersionCommand},
    {kChartLegendCommand, [](HWND window) -> LRESULT { return OnChartLegendCommand(window); }},
    {kGuideCommand, [](HWND window) -> LRESULT { return OnGuideCommand(window); }},
    {kAddButtonCommand, [](HWND) -> LRESULT { return OnPanelButton(kAddButtonId); }},
    {kUpdateButtonCommand, [](HWND) -> LRESULT { return OnPanelButton(kUpdateButtonId); }},
    {kDeleteButtonCommand, [](HWND) -> LRESULT { return OnPanelButton(kDeleteButtonId); }},
};

LRESULT RunCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const int command = LOWORD(wParam);
  // A panel button's id counts only as its click or its accelerator (not its other
  // notifications).
  const bool buttonNotification = (command == kAddButtonId || command == kUpdateButtonId ||
                                   command == kDeleteButtonId) &&
                                  lParam != 0 && HIWORD(wParam) != BN_CLICKED;
  if (!buttonNotification) {
    if (const CommandHandler run = FindCommandHandler(command)) {
      const LRESULT result = run(window);
      if (result != 0) return result;
    }
  }
  return Default(window, message, wParam, lParam);
}

// Every menu or accelerator command and every button click is followed by the one save path,
// which writes whatever the command changed (nothing when it changed nothing). Commands that
// confirm a change with a message save before it, so this second call finds nothing to do. The
// exit has run the close, which saves by its own rule.
LRESULT OnCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const HandlerScope running(window);
  const LRESULT result = RunCommand(window, message, wParam, lParam);
  const bool fromMenuOrButton = lParam == 0 || HIWORD(wParam) == BN_CLICKED;
  if (fromMenuOrButton && LOWORD(wParam) != kExitCommand && IsWindow(window)) SaveChanges(window);
  return result;
}

// A second start on the same folder: the window comes to the front, restored and shown; a
// start-up run that was only asking for the day's entry stays open as an ordinary run.
LRESULT OnBringToFront(HWND window) {
  gApp.StartupRun = false;
  if (!IsWindowVisible(window)) ShowWindow(window, SW_SHOW);
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  // A dialog or message box open over the window is what the user must see.
  SetForegroundWindow(GetLastActivePopup(window));
  return 1;
}

// The date picker moved to another day: the panel follows, unless it holds input the user
// chose to keep there, in which case the picker goes back to the panel's day.
LRESULT OnNotify(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header != nullptr && header->code == DTN_DATETIMECHANGE) {
    const auto* change = reinterpret_cast<const NMDATETIMECHANGE*>(lParam);
    if (change->dwFlags != GDT_VALID || change->st.wYear == 0) return 0;
    const DateYmd picked{change->st.wYear, change->st.wMonth, change->st.wDay};
    if (LeavePanelDay(picked))
      ShowDay(picked, gApp.PeriodCycle);
    else if (gApp.MainForm != nullptr)
      SetPickerDate(*gApp.MainForm, gApp.MainForm->ShownDate);
    return 0;
  }
  return Default(window, message, wParam, lParam);
}

// The control that had the focus when the window was last deactivated (a message box, a dialog,
// another program): it gets the focus back, as in a dialog, so the keys go on where they were
// (the window's default would focus the main window itself).
HWND gFocusBeforeDeactivation = nullptr;

LRESULT OnActivate(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  HideScrollBars(window);
  if (LOWORD(wParam) == WA_INACTIVE) {
    HWND focus = GetFocus();
    gFocusBeforeDeactivation = focus != nullptr && IsChild(window, focus) ? focus : nullptr;
    return Default(window, message, wParam, lParam);
  }
  ConsiderMorningPromptLater(window, WakeEvent::Activated);
  if (!HIWORD(wParam) && gFocusBeforeDeactivation != nullptr &&
      IsWindow(gFocusBeforeDeactivation) && IsWindowEnabled(gFocusBeforeDeactivation)) {
    SetFocus(gFocusBeforeDeactivation);
    return 0;
  }
  return Default(window, message, wParam, lParam);
}

LRESULT OnPaint(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  {
    win32::PaintDc dc(window);
    RECT client{};
    GetClientRect(window, &client);
    FillRect(dc.get(), &client, gApp.BackBrush);
  }
  return Default(window, message, wParam, lParam);
}

// The window moved to a screen of another scale: the suggested rectangle, the panel and the
// chart laid out again at the new DPI, the chart's tools remade, everything painted anew.
LRESULT OnDpiChanged(HWND window, WPARAM wParam, LPARAM lParam) {
  const auto* suggested = reinterpret_cast<const RECT*>(lParam);
  if (suggested != nullptr)
    SetWindowPos(window, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  if (gApp.MainForm == nullptr) return 0;
  LayoutMainForm(*gApp.MainForm, DisplayScale{LOWORD(wParam)});
  if (gApp.Chart != nullptr) RescaleChartView(*gApp.Chart, gApp.MainForm->ChartRect, LOWORD(wParam));
  if (gApp.Legend != nullptr) gApp.Legend->Rescale(LOWORD(wParam));
  InvalidateRect(window, nullptr, TRUE);
  RedrawChartAndHelp();
  return 0;
}

// The wheel over the chart scrolls it wherever the focus is (a child's wheel comes up here).
LRESULT OnMainWheel(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (gApp.Chart != nullptr && gApp.MainForm != nullptr && gApp.MainForm->ChartWindow) {
    HWND chart = gApp.MainForm->ChartWindow->GetMyHWnd();
    RECT area{};
    GetWindowRect(chart, &area);
    const POINT cursor{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (PtInRect(&area, cursor)) return OnChartWheel(message, wParam);
  }
  return Default(window, message, wParam, lParam);
}

// Ends every dialog and message box of the program's thread (each a modal loop of a handler
// below on the stack) as if cancelled, and any open menu.
void CancelOpenDialogs() {
  EndMenu();
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM) -> BOOL {
        wchar_t name[8] = {};
        if (GetClassNameW(window, name, 8) > 0 && std::wcscmp(name, L"#32770") == 0)
          EndDialog(window, IDCANCEL);
        return TRUE;
      },
      0);
}

// The close: settings, then the data files; a file that cannot be written keeps the window
// open with every record in memory (SaveForClose has said why). Asked while a handler waits on
// a dialog or message box, it cancels them and runs when that handler has returned.
LRESULT OnClose(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (gApp.HandlersRunning > 0) {
    gApp.CloseWaiting = true;
    CancelOpenDialogs();
    return 0;
  }
  {
    const HandlerScope closing(window);
    if (!LeavePanelDay(DateYmd{})) return 0;
    if (!SaveForClose(window)) return 0;
  }
  MarkMainWindow(window, false);
  StopDayWatch(window);
  ReleaseAppState();
  if (!IsWindow(window)) return 0;
  return Default(window, message, wParam, lParam);
}

// The midnight timer; any other timer goes to default processing.
LRESULT OnTimer(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (wParam != kMidnightTimerId) return Default(window, message, wParam, lParam);
  OnClockMaybeChangedDay(window);
  return 0;
}

// The computer woke from sleep: a new day may have come meanwhile.
LRESULT OnPowerBroadcast(HWND window, WPARAM wParam) {
  if (wParam == PBT_APMRESUMEAUTOMATIC) OnWake(window, WakeEvent::Resume);
  return TRUE;
}

// The user unlocked the session: as after a resume.
LRESULT OnSessionChange(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (wParam == WTS_SESSION_UNLOCK) OnWake(window, WakeEvent::Unlock);
  return Default(window, message, wParam, lParam);
}

// Windows ends the session without WM_CLOSE: write everything while the process still may.
LRESULT OnEndSession(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (wParam != FALSE) SaveAtSessionEnd();
  return Default(window, message, wParam, lParam);
}

}  // namespace

HandlerScope::HandlerScope(HWND mainWindow) : mainWindow_(mainWindow) { ++gApp.HandlersRunning; }

HandlerScope::~HandlerScope() {
  if (--gApp.HandlersRunning > 0 || !gApp.CloseWaiting) return;
  gApp.CloseWaiting = false;
  // From the message loop, with no handler left on the stack.
  PostMessageW(mainWindow_, WM_CLOSE, 0, 0);
}

CommandHandler FindCommandHandler(int id) {
  for (const CommandHandlerRow& row : kCommandHandlers)
    if (row.id == id) return row.run;
  return nullptr;
}

void ShowDay(const DateYmd& date, int cycle) {
  if (gApp.MainForm == nullptr || gApp.Records == nullptr) return;
  const TemperatureStore& temperatures = gApp.Records->temperatures;
  ShowDayInPanel(*gApp.MainForm, temperatures, cycle, date,
                 FindTemperature(temperatures, date.year, date.month, date.day),
                 FindWeight(gApp.Records->weights, date.year, date.month, date.day),
                 FindMemo(gApp.Records->memos, date.year, date.month, date.day),
                 AverageTemperature(temperatures), FromTm(quillet::GetNow()),
                 FindSigns(gApp.Records->signs, date.year, date.month, date.day));
  ShowShiftState(date);
}

bool LeavePanelDay(const DateYmd& next) {
  MainForm* form = gApp.MainForm.get();
  if (form == nullptr || next == form->ShownDate || !HasUnsavedInput(*form)) return true;
  switch (AskUnsavedInput(form->Window())) {
    case IDYES: {
      // What the buttons offer for the day: its add, else its update. A refused entry has said
      // why, and the panel stays on the day.
      const bool add = IsWindowEnabled(form->AddButton->GetMyHWnd()) != FALSE;
      return EnterPanelEntry(add ? kAddButtonId : kUpdateButtonId) != 0;
    }
    case IDNO: return true;
    default: return false;
  }
}

void ShowPickerDay() {
  if (gApp.MainForm == nullptr || gApp.Records == nullptr) return;
  const DateYmd date = PickerDate(*gApp.MainForm);
  if (date.year != 0) ShowDay(date, AverageCycleDays(gApp.Records->temperatures));
}

void RedrawChartAndHelp() {
  if (gApp.Chart != nullptr && gApp.MainForm != nullptr && gApp.MainForm->ChartWindow)
    RedrawChart(*gApp.Chart);
  RefreshChartHelp();
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE: return OnActivate(window, message, wParam, lParam);
    case WM_ENABLE:
      // Enabled again: the dialog or message box that disabled it has closed.
      if (wParam != FALSE) ConsiderMorningPromptLater(window, WakeEvent::DialogClosed);
      return Default(window, message, wParam, lParam);
    case WM_TIMER: return OnTimer(window, message, wParam, lParam);
    case WM_TIMECHANGE:
      OnClockMaybeChangedDay(window);
      return 0;
    case WM_POWERBROADCAST: return OnPowerBroadcast(window, wParam);
    case WM_WTSSESSION_CHANGE: return OnSessionChange(window, message, wParam, lParam);
    case kMorningPromptMessage: return OnMorningPromptMessage(window, wParam);
    case WM_PAINT: return OnPaint(window, message, wParam, lParam);
    case WM_CLOSE: return OnClose(window, message, wParam, lParam);
    case WM_QUERYENDSESSION: return TRUE;
    case WM_ENDSESSION: return OnEndSession(window, message, wParam, lParam);
    case WM_NOTIFY: return OnNotify(window, message, wParam, lParam);
    case WM_COMMAND: return OnCommand(window, message, wParam, lParam);
    case WM_DPICHANGED: return OnDpiChanged(window, wParam, lParam);
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL: return OnMainWheel(window, message, wParam, lParam);
    default:
      if (message == BringToFrontMessage()) return OnBringToFront(window);
      return Default(window, message, wParam, lParam);
  }
}
