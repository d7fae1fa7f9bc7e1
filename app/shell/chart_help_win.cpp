#include "chart_help_win.h"

#include <shellapi.h>
#include <windowsx.h>

#include "app_state_win.h"
#include "chart_tip_win.h"
#include "chart_view.h"
#include "chart_window_win.h"
#include "commands_win.h"
#include "day_tip.h"
#include "entry_editing_win.h"
#include "legend_window_win.h"
#include "records_bundle.h"
#include "system_win.h"

namespace {

constexpr char16_t kGuideCaption[] = u"使い方を表示できません。";
// The tip sits below and right of the pointer, clear of it, so the pointer never enters it.
constexpr int kTipOffsetX = 16;
constexpr int kTipOffsetY = 20;

}  // namespace

void OnChartMouseMove(HWND chartWindow, LPARAM lParam) {
  if (gApp.Chart == nullptr) return;
  if (gApp.ChartTip == nullptr) gApp.ChartTip = std::make_unique<ChartTip>(chartWindow);
  ChartTip& tip = *gApp.ChartTip;
  tip.WatchLeave();
  const DateYmd date = ChartDateAtClick(*gApp.Chart, lParam);
  if (date.year == 0) {
    tip.Hide();
    return;
  }
  if (tip.Shows(date)) return;
  POINT at{GET_X_LPARAM(lParam) + kTipOffsetX, GET_Y_LPARAM(lParam) + kTipOffsetY};
  ClientToScreen(chartWindow, &at);
  tip.Show(date, DayTipText(DayTipLines(*gApp.Chart, (gApp.Records != nullptr ? &gApp.Records->memos : nullptr), date, ShownShiftState(date))),
           at);
}

void OnChartMouseLeave() {
  if (gApp.ChartTip == nullptr) return;
  gApp.ChartTip->LeaveSeen();
  gApp.ChartTip->Hide();
}

void HideChartTip() {
  if (gApp.ChartTip != nullptr) gApp.ChartTip->Hide();
}

void RefreshChartHelp() {
  HideChartTip();
  RefreshChartLegend();
}

int OnChartLegendCommand(HWND mainWindow) {
  if (gApp.Chart != nullptr) ShowChartLegend(mainWindow, *gApp.Chart);
  return 1;
}

int OnGuideCommand(HWND mainWindow) {
  // The full path in its plain form, as the message shows it.
  const std::wstring beside = quillet::GetModuleFilePath(std::wstring(L"\\") + kGuideFileName);
  wchar_t full[MAX_PATH] = {};
  const DWORD length = GetFullPathNameW(beside.c_str(), MAX_PATH, full, nullptr);
  const std::wstring path = length > 0 && length < MAX_PATH ? std::wstring(full) : beside;
  const std::u16string shown(path.begin(), path.end());
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    ShowMessage(mainWindow,
                u"使い方のページが見つかりません。\n" + shown +
                    u"\nTovela をインストールし直すと、使い方のページも入ります。",
                kGuideCaption, MB_OK | MB_ICONINFORMATION);
    return 1;
  }
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(mainWindow, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result <= 32) {
    ShowMessage(mainWindow,
                u"使い方のページをブラウザで開けませんでした。\n次のファイルをブラウザで開いてください。\n" +
                    shown,
                kGuideCaption, MB_OK | MB_ICONINFORMATION);
  }
  return 1;
}
