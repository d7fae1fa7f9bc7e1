// The reading of the curve in the real program: the side panel's "体温の状態" row, the switch
// in the graph menu, and the list of cycles with the reading of the signs, the line on the
// findings and its copy to the clipboard.
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

// An older cycle of 24 days from 64 days ago with 20 values and no shift, cycle 1 from 40 days
// ago (and one more value on its day 15), cycle 2 from 12 days ago, and a value today.
std::string TwoCycles() {
  std::string lines;
  for (int i = 0; i < 20; ++i)
    lines += TemperatureLine(DaysFromToday(-64 + i), i % 2 ? "36.35" : "36.30", i == 0);
  for (int i = 0; i < 9; ++i) lines += TemperatureLine(DaysFromToday(-40 + i), kFirstCycle[i], i == 0);
  lines += TemperatureLine(DaysFromToday(-26), "36.70", 0);
  for (int i = 0; i < 9; ++i) lines += TemperatureLine(DaysFromToday(-12 + i), kSecondCycle[i], i == 0);
  return lines + TemperatureLine(TodayYmd(), "36.70", 0);
}

// The signs: in cycle 1 a positive test 35 days ago and the mucus peak 34 days ago (its third
// lower day, 31 days ago, after the shift's confirmation); in cycle 2 a strongly positive test
// 9 days ago and the mucus peak 8 days ago (third lower day 5 days ago, before the confirmation
// 4 days ago).
std::string SignsOfTheCycles() {
  const struct {
    int day;
    const char* signs;
  } days[] = {{-50, "2,,"}, {-36, "2,0,"}, {-35, "3,1,1"}, {-34, "4,,"}, {-33, "3,,"},
              {-32, "2,,"}, {-31, "1,,"},  {-9, "2,2,"},   {-8, "3,,1"}, {-7, "2,,"},
              {-6, "1,,"},  {-5, "1,,"}};
  std::string lines;
  for (const auto& d : days) lines += DateText(DaysFromToday(d.day)) + "," + d.signs + "\r\n";
  return lines;
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
  ASSERT_TRUE(install.WriteFile(L"SIGNS_DATA.dat", SignsOfTheCycles()));
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
  shows(L"未判定");  // the older cycle's last day
  PickDay(DaysFromToday(-65));
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
  EXPECT_EQ(rows, 3u);
  EXPECT_EQ(GetText(GetDlgItem(dialog, kCycleListNoteId)),
            L"所見は目安です。気になるときは医師に相談してください。");
  EXPECT_FALSE(app.Screenshot(dialog, L"shift_cycle_list.bmp").empty());

  // Cycle 1 rises by 0.29 only; the older cycle has no high phase and 24 days.
  const auto md = [](int days) { return MonthDay(DaysFromToday(days)); };
  const std::wstring expected =
      L"開始日\t周期\t高温期の開始\t推定排卵日\t高温期\t低温期の平均\t高温期の平均\t"
      L"粘液の頂点\t検査薬陽性\t排卵の確認\t所見\r\n" +
      StartText(DaysFromToday(-12)) + L"\t\t" + md(-6) + L"\t" + md(-7) + L"\t\t36.40\t36.66\t" +
      md(-8) + L"\t" + md(-9) + L"\t" + md(-4) + L"\t\r\n" + StartText(DaysFromToday(-40)) +
      L"\t28\t" + md(-34) + L"\t" + md(-35) + L"\t22\t36.30\t36.59\t" + md(-34) + L"\t" +
      md(-35) + L"\t" + md(-31) + L"\t高低差が小さめ\r\n" + StartText(DaysFromToday(-64)) +
      L"\t24\t未判定\t\t\t\t\t\t\t\t高温期なし、周期が短め\r\n";
  PostClick(GetDlgItem(dialog, kCycleListCopyId));
  EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == expected; })) << ClipboardText().size();
  PostClick(GetDlgItem(dialog, IDCANCEL));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  Close();
  EXPECT_EQ(install.IniValue(L"ShowShift"), L"1");
  EXPECT_EQ(install.IniValue(L"CoverLineColor"), L"255,128,0");
}

}  // namespace e2e
