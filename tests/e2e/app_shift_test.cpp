// The reading of the curve in the real program: the side panel's "体温の状態" row, the switch
// in the graph menu, and the list of cycles with its copy to the clipboard.
#include <gtest/gtest.h>

#include "app_fixture.h"

#include <commctrl.h>

namespace e2e {
namespace {

using ShiftReading = AppTest;

// Six low values over 36.40 (36.50 in the second cycle), then three high ones: the shift lies on
// day 7 of each cycle.
const char* const kFirstCycle[] = {"36.30", "36.35", "36.20", "36.40", "36.30",
                                   "36.25", "36.50", "36.55", "36.60"};
const char* const kSecondCycle[] = {"36.40", "36.45", "36.30", "36.50", "36.40",
                                    "36.35", "36.60", "36.65", "36.70"};

// Cycle 1 from 40 days ago (and one more value on its day 15), cycle 2 from 12 days ago, and a
// value today.
std::string TwoCycles() {
  std::string lines;
  for (int i = 0; i < 9; ++i) lines += TemperatureLine(DaysFromToday(-40 + i), kFirstCycle[i], i == 0);
  lines += TemperatureLine(DaysFromToday(-26), "36.70", 0);
  for (int i = 0; i < 9; ++i) lines += TemperatureLine(DaysFromToday(-12 + i), kSecondCycle[i], i == 0);
  return lines + TemperatureLine(TodayYmd(), "36.70", 0);
}

std::wstring MonthDay(const Ymd& d) { return std::to_wstring(d.month) + L"/" + std::to_wstring(d.day); }

std::wstring StartText(const Ymd& d) {
  wchar_t text[16];
  swprintf(text, 16, L"%04d/%02d/%02d", d.year, d.month, d.day);
  return text;
}

}  // namespace

TEST_F(ShiftReading, PanelRowListOfCyclesAndItsCopy) {
  ASSERT_TRUE(install.WriteFile(L"TEMPERATURE_DATA.dat", TwoCycles()));
  Start();
  // Today is day 7 of the second cycle's high phase; day 5 of the first cycle is low.
  auto shows = [&](const std::wstring& text) {
    EXPECT_TRUE(WaitUntil([&] { return Text(kShiftStateValueId) == text; }))
        << "the row has " << Text(kShiftStateValueId).size() << " characters, not " << text.size();
  };
  shows(L"高温期 7日目");
  PickDay(DaysFromToday(-36));
  shows(L"低温期");
  PickDay(DaysFromToday(-41));
  shows(L"");
  PickDay(DaysFromToday(-13));
  shows(L"高温期 22日目");  // the first cycle's last day
  PostCommand(app.MainWindow(), kShowShiftCommand);
  shows(L"");
  PostCommand(app.MainWindow(), kShowShiftCommand);
  shows(L"高温期 22日目");

  // Both cycles in view for the screenshot.
  for (int i = 0; i < 45; ++i) PostMessageW(app.Control(kChartWindowId), WM_HSCROLL, SB_LINELEFT, 0);
  WaitForPostedMessages();
  EXPECT_FALSE(app.Screenshot(app.MainWindow(), L"shift_two_cycles.bmp").empty());

  PostCommand(app.MainWindow(), kCycleListCommand);
  HWND dialog = app.WaitForDialog(kCycleListCaption);
  ASSERT_NE(dialog, nullptr);
  HWND list = GetDlgItem(dialog, kCycleListId);
  DWORD_PTR rows = 0;
  SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &rows);
  EXPECT_EQ(rows, 2u);
  EXPECT_FALSE(app.Screenshot(dialog, L"shift_cycle_list.bmp").empty());

  const std::wstring expected =
      L"開始日\t周期\t高温期の開始\t推定排卵日\t高温期\t低温期の平均\t高温期の平均\r\n" +
      StartText(DaysFromToday(-12)) + L"\t\t" + MonthDay(DaysFromToday(-6)) + L"\t" +
      MonthDay(DaysFromToday(-7)) + L"\t\t36.40\t36.66\r\n" + StartText(DaysFromToday(-40)) +
      L"\t28\t" + MonthDay(DaysFromToday(-34)) + L"\t" + MonthDay(DaysFromToday(-35)) +
      L"\t22\t36.30\t36.59\r\n";
  PostClick(GetDlgItem(dialog, kCycleListCopyId));
  EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == expected; })) << ClipboardText().size();
  PostClick(GetDlgItem(dialog, IDCANCEL));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  Close();
  EXPECT_EQ(install.IniValue(L"ShowShift"), L"1");
  EXPECT_EQ(install.IniValue(L"CoverLineColor"), L"255,128,0");
}

}  // namespace e2e
