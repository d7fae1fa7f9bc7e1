// Commands 214 "体温の判定を表示(&S)" and 215 "周期の一覧(&L)...": the reading of the curve on the
// chart and in the side panel, and the list of cycles.
#include "app_state_win.h"
#include "chart_drawing.h"
#include "chart_view.h"
#include "commands_win.h"
#include "cycle_list_dialog_win.h"
#include "dates.h"
#include "main_form_win.h"
#include "main_menu_win.h"
#include "main_window_win.h"
#include "records_bundle.h"
#include "thermal_shift.h"

int OnShowShiftCommand(HWND mainWindow) {
  if (gApp.Chart == nullptr) return 1;
  ShiftLineStyle style = gApp.Chart->shiftLines;
  style.show = !style.show;
  SetShiftLineStyle(*gApp.Chart, style);
  CheckShiftItem(mainWindow, style.show);
  RedrawChartAndHelp();
  if (gApp.MainForm != nullptr) ShowShiftState(PickerDate(*gApp.MainForm));
  return 1;
}

int OnCycleListCommand(HWND mainWindow) {
  if (gApp.Records == nullptr) return 1;
  const DateYmd today = FromTm(quillet::GetNow());
  const TemperatureStore& temperatures = gApp.Records->temperatures;
  ShowCycleListDialog(mainWindow, gApp.Instance, ReadCycles(temperatures, today),
                      ReadSignCycles(gApp.Records->signs, temperatures, today));
  return 1;
}

std::u16string ShiftStateText(const DateYmd& date) {
  const bool shown = gApp.Chart != nullptr && gApp.Chart->shiftLines.show;
  if (!shown || gApp.Records == nullptr) return u"";
  return ShiftStateText(gApp.Records->temperatures, date, FromTm(quillet::GetNow()));
}

void ShowShiftState(const DateYmd& date) {
  if (gApp.MainForm != nullptr)
    ShowShiftState(*gApp.MainForm, gApp.Chart != nullptr && gApp.Chart->shiftLines.show,
                   ShiftStateText(date));
}
