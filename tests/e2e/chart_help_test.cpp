// What explains the chart in the real program: the tip of the day under the pointer, the legend
// window, the user's guide (F1) and the menu texts the guide quotes.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app_fixture.h"

namespace e2e {
namespace {

using ChartTipTest = AppTest;
using Legend = AppTest;
using Guide = AppTest;

// "2026年12月7日(月)", the weekday from the calendar of Windows.
std::wstring TipDate(const Ymd& d) {
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(d.year);
  time.wMonth = static_cast<WORD>(d.month);
  time.wDay = static_cast<WORD>(d.day);
  FILETIME file{};
  SystemTimeToFileTime(&time, &file);
  FileTimeToSystemTime(&file, &time);
  static const wchar_t* const kWeekdays[] = {L"日", L"月", L"火", L"水", L"木", L"金", L"土"};
  return std::to_wstring(d.year) + L"年" + std::to_wstring(d.month) + L"月" + std::to_wstring(d.day) +
         L"日(" + kWeekdays[time.wDayOfWeek] + L")";
}

// The screen point at the middle of day column k (1: the first visible column) of the chart in
// that mode, laid out as the chart lays itself out from its window's client size at 96 DPI.
POINT DayColumnPoint(HWND chart, int mode, int k) {
  RECT client{};
  GetClientRect(chart, &client);
  const int plotTop = mode == 3 ? 60 : 45;
  const int plotBottom = client.bottom - 1 - 30;
  const int row = (plotBottom - plotTop) / 22;
  const int width = mode == 1 ? row / 2 : row / 3 * 2;
  POINT at{50 + k * width - width / 2, (plotTop + plotBottom) / 2};
  ClientToScreen(chart, &at);
  return at;
}

// The visible tooltip control of the program, or null.
HWND VisibleTip(const TovelaProcess& app) {
  const std::vector<HWND> tips = TopLevelWindows(app.Id(), L"tooltips_class32", L"", true);
  return tips.empty() ? nullptr : tips.front();
}

// Puts the pointer on the point and waits for the tip to say `expected`; what it said last. The
// pointer goes there in two steps, so it moves even when it was already on the point.
std::wstring HoverAndRead(const TovelaProcess& app, POINT at, const std::wstring& expected) {
  SetCursorPos(at.x, at.y + 1);
  SetCursorPos(at.x, at.y);
  std::wstring text;
  WaitUntil([&] {
    HWND tip = VisibleTip(app);
    text = tip ? GetText(tip) : L"";
    return text == expected;
  });
  return text;
}

TEST_F(ChartTipTest, ShowsTheDayUnderThePointerInWordsAndHidesWhenThePointerLeaves) {
  // A period started ten days ago (cycle 28): ovulation is predicted in four days.
  const Ymd started = DaysFromToday(-10), ovulation = DaysFromToday(4), today = TodayYmd();
  ASSERT_TRUE(install.WriteFile(L"TEMPERATURE_DATA.dat", TemperatureLine(started, "36.55", 1)));
  ASSERT_TRUE(install.WriteFile(L"WEIGHT_DATA.dat", WeightLine(started, "52.3")));
  ASSERT_TRUE(install.WriteFile(L"MEMO_DATA.dat", MemoLine(started, L"少し眠い")));
  Start();
  HWND main = app.MainWindow(), chart = app.Control(kChartWindowId);
  SetForegroundWindow(main);
  for (int i = 0; i < 10; ++i) PostMessageW(chart, WM_HSCROLL, SB_LINELEFT, 0);
  WaitForPostedMessages();  // the period start is the first column, today the eleventh

  // One value in the cycle: no thermal shift yet, as the side panel says.
  const std::wstring recorded =
      TipDate(started) +
      L"\r\n基礎体温 36.55℃ (月経開始)\r\n体重 52.3kg\r\nメモ 少し眠い\r\n周期 1日目\r\n未判定";
  EXPECT_EQ(HoverAndRead(app, DayColumnPoint(chart, 1, 1), recorded), recorded);
  app.Screenshot(main, L"chart_tip_recorded_day.bmp");
  const std::wstring future = TipDate(ovulation) + L"\r\n周期 15日目\r\n◎ 排卵予定日";
  EXPECT_EQ(HoverAndRead(app, DayColumnPoint(chart, 1, 15), future), future);
  app.Screenshot(main, L"chart_tip_future_day.bmp");

  PostCommand(main, kPregnancyModeCommand);  // opens on today, 10 days into the pregnancy
  WaitForPostedMessages();
  const std::wstring pregnancy = TipDate(today) + L"\r\n妊娠1週3日\r\n出産予定日 " +
                                 TipDate(DaysFromToday(270)) + L"\r\n未判定\r\n今日";
  EXPECT_EQ(HoverAndRead(app, DayColumnPoint(chart, 3, 1), pregnancy), pregnancy);
  app.Screenshot(main, L"chart_tip_pregnancy_day.bmp");

  // Onto the side panel: the tip goes.
  POINT panel{100, 300};
  ClientToScreen(main, &panel);
  SetCursorPos(panel.x, panel.y);
  EXPECT_TRUE(WaitUntil([&] { return VisibleTip(app) == nullptr; })) << "the tip stayed";
  Close();
}

TEST_F(Legend, ShowsTheMarksOfTheCurrentModeAndFollowsModeChanges) {
  Start();
  PostCommand(app.MainWindow(), kChartLegendCommand);
  HWND legend = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    const auto found = TopLevelWindows(app.Id(), L"TovelaLegend", L"グラフの見かた", true);
    legend = found.empty() ? nullptr : found.front();
    return legend != nullptr;
  }));
  // Eleven rows of 24 pixels in temperature mode (ten without the cover line), five in pregnancy
  // mode, 8 pixels above and below.
  const auto clientHeight = [&] {
    RECT client{};
    GetClientRect(legend, &client);
    return client.bottom - client.top;
  };
  EXPECT_EQ(clientHeight(), 280);
  app.Screenshot(legend, L"legend_temperature_mode.bmp");
  PostCommand(app.MainWindow(), kShowShiftCommand);
  EXPECT_TRUE(WaitUntil([&] { return clientHeight() == 256; })) << clientHeight();
  PostCommand(app.MainWindow(), kPregnancyModeCommand);
  EXPECT_TRUE(WaitUntil([&] { return clientHeight() == 136; })) << clientHeight();
  app.Screenshot(legend, L"legend_pregnancy_mode.bmp");
  // Asked again, the open legend comes forward: still one.
  PostCommand(app.MainWindow(), kChartLegendCommand);
  WaitForPostedMessages();
  EXPECT_EQ(TopLevelWindows(app.Id(), L"TovelaLegend", L"", true).size(), 1u);
  Close();
}

TEST_F(Guide, F1WithoutTheGuideFileSaysWhereItShouldBe) {
  Start();
  PressKeys(app.MainWindow(), {VK_F1});
  const MessageBoxText box = app.WaitForMessageBox();
  ASSERT_TRUE(box) << "no message after F1";
  EXPECT_EQ(box.caption, L"使い方を表示できません。");
  EXPECT_EQ(box.text, L"使い方のページが見つかりません。\n" + install.PathOf(L"Tovela-guide.html") +
                          L"\nTovela をインストールし直すと、使い方のページも入ります。");
  ASSERT_TRUE(box.Answer(IDOK));
  Close();
}

// The menu texts the guide quotes (<span class="menu">…</span>, without the "&" marks).
std::vector<std::wstring> GuideMenuQuotes(const std::string& html) {
  std::vector<std::wstring> quotes;
  const std::string open = "<span class=\"menu\">", close = "</span>";
  for (std::size_t at = html.find(open); at != std::string::npos; at = html.find(open, at)) {
    at += open.size();
    const std::size_t end = html.find(close, at);
    if (end == std::string::npos) break;
    const std::string utf8 = html.substr(at, end - at);
    std::wstring text(static_cast<std::size_t>(
                          MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0)),
                      L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(),
                        static_cast<int>(text.size()));
    quotes.push_back(text);
  }
  return quotes;
}

// A menu text as the menu shows it: without "&" and without the shortcut after it.
std::wstring ShownMenuText(std::wstring text) {
  text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
  const std::size_t shortcut = text.find(L" Ctrl+");
  if (shortcut != std::wstring::npos) text.erase(shortcut);
  while (!text.empty() && text.back() == L' ') text.pop_back();
  return text;
}

TEST_F(Guide, EveryMenuTextItQuotesIsInTheProgramsMenu) {
  const std::string html = ReadFileBytes(EnvironmentPath(L"TOVELA_GUIDE"));
  ASSERT_FALSE(html.empty()) << "the guide was not found: set TOVELA_GUIDE";
  const std::vector<std::wstring> quotes = GuideMenuQuotes(html);
  ASSERT_GE(quotes.size(), 10u);
  Start();
  const ProbeReport report = app.Probe();
  ASSERT_TRUE(report.ok);
  std::set<std::wstring> menu;
  for (const std::wstring& popup : report.popupText) menu.insert(ShownMenuText(popup));
  for (const auto& [id, text] : report.itemText) menu.insert(ShownMenuText(text));
  for (const std::wstring& quote : quotes) EXPECT_TRUE(menu.count(quote)) << "not in the menu: " << quote;
  Close();
}

}  // namespace
}  // namespace e2e
