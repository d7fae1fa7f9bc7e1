#include "day_change_win.h"

#include <wtsapi32.h>

#include "app_state_win.h"
#include "backups.h"
#include "chart_help_win.h"
#include "chart_view.h"
#include "main_form_win.h"
#include "main_menu_win.h"
#include "main_window_win.h"
#include "record_stores.h"
#include "startup_shortcut_win.h"
#include "statistics.h"

namespace {

void SetMidnightTimer(HWND mainWindow, const LocalTime& now) {
  SetTimer(mainWindow, kMidnightTimerId, MillisecondsToNextMidnight(now), nullptr);
}

}  // namespace

void StartDayWatch(HWND mainWindow) {
  const LocalTime now = CurrentLocalTime();
  gApp.Days.today = now.Date();
  gApp.Days.prompt.askedDay = now.Date();
  SetMidnightTimer(mainWindow, now);
  WTSRegisterSessionNotification(mainWindow, NOTIFY_FOR_THIS_SESSION);
}

void StopDayWatch(HWND mainWindow) {
  KillTimer(mainWindow, kMidnightTimerId);
  WTSUnRegisterSessionNotification(mainWindow);
}

void OnClockMaybeChangedDay(HWND mainWindow) {
  const LocalTime now = CurrentLocalTime();
  SetMidnightTimer(mainWindow, now);
  const DateYmd oldToday = gApp.Days.today;
  const DateYmd today = now.Date();
  if (today == oldToday || gApp.MainForm == nullptr || gApp.Chart == nullptr ||
      gApp.Records == nullptr)
    return;
  gApp.Days.today = today;
  HideChartTip();  // it may be telling "今日" of the old day
  KeepChartOnNewDay(*gApp.Chart, ToTm(oldToday));
  MainForm& form = *gApp.MainForm;
  const DateYmd day =
      PanelDayAfterDayChange(PanelDate(form), oldToday, today, HasUnsavedInput(form));
  if (day.year != 0) ShowDay(day, AverageCycleDays(gApp.Records->temperatures));
  RedrawChartAndHelp();
}

void OnWake(HWND mainWindow, WakeEvent event) {
  OnClockMaybeChangedDay(mainWindow);
  ConsiderMorningPromptLater(mainWindow, event);
}

void ConsiderMorningPromptLater(HWND mainWindow, WakeEvent event) {
  PostMessageW(mainWindow, kMorningPromptMessage, static_cast<WPARAM>(event), 0);
}

LRESULT OnMorningPromptMessage(HWND mainWindow, WPARAM event) {
  if (gApp.Records == nullptr) return 0;
  // An activation or a closed dialog may be the first message to see a new date.
  OnClockMaybeChangedDay(mainWindow);
  PromptSituation situation;
  situation.now = CurrentLocalTime();
  const DateYmd today = situation.now.Date();
  situation.chosen = !gApp.StartupRun && StartupShortcutExists();
  situation.todayRecorded =
      FindTemperature(gApp.Records->temperatures, today.year, today.month, today.day) != nullptr;
  // A modal dialog or message box of the program disables its owner, the main window.
  situation.dialogOpen = !IsWindowEnabled(mainWindow);
  if (DecideMorningPrompt(gApp.Days.prompt, static_cast<WakeEvent>(event), situation) ==
      PromptStep::Ask)
    SendMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(kEntryDialogCommand, 0), 0);
  return 0;
}
