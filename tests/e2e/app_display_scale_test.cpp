// The main window at the display scale of the Wine prefix (the test command also runs these tests
// in prefixes set to 120, 144 and 192 DPI), a move to a screen of another scale, and the chart
// scrolled by the wheel and the keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app_fixture.h"
#include "print_pdf_support.h"

namespace e2e {
namespace {

using DisplayScaling = AppTest;
using ChartScrolling = AppTest;

// The side panel at 96 DPI: id, x, y, width, height (both "℃" units carry 421; a drop-down
// list's closed height is the system's, -1 here).
struct PanelPlace {
  int id, x, y, width, height;
};
constexpr PanelPlace kPanel[] = {
    {402, 10, 10, 170, 20},  {403, 10, 40, 180, 20},  {411, 10, 60, 30, 20},
    {419, 50, 60, 80, 20},   {404, 10, 90, 180, 20},  {409, 10, 110, 40, 20},
    {423, 10, 140, 180, 20}, {424, 10, 160, 180, 20}, {425, 10, 190, 180, 20},
    {426, 10, 210, 180, 20}, {421, 50, 110, 80, 20},  {405, 10, 240, 180, 20},
    {412, 10, 260, 48, 20},  {421, 60, 260, 80, 20},  {406, 10, 290, 180, 20},
    {413, 10, 310, 48, 20},  {422, 60, 310, 80, 20},  {407, 10, 340, 180, 20},
    {415, 10, 360, 180, 20}, {408, 10, 390, 180, 20}, {414, 10, 410, 180, 20},
    {429, 10, 440, 180, 20}, {430, 10, 460, 130, -1}, {431, 10, 490, 180, 20},
    {432, 10, 510, 130, -1}, {433, 10, 540, 180, 20},
    {416, 10, 570, 50, 25},  {417, 70, 570, 50, 25},  {418, 130, 570, 50, 25},
    {427, 10, 610, 180, 20}, {428, 10, 630, 180, 20}};

// Each edge of the 96-DPI place times dpi / 96, within a pixel.
bool PlacedAt(const RECT& r, const PanelPlace& p, int dpi) {
  const double k = dpi / 96.0;
  const auto within = [](long v, double want) { return std::abs(v - want) <= 1.0; };
  return within(r.left, p.x * k) && within(r.top, p.y * k) && within(r.right, (p.x + p.width) * k) &&
         (p.height < 0 || within(r.bottom, (p.y + p.height) * k));
}

// Every panel control of the report at its place for `dpi`; every table place found.
void ExpectPanelAt(const ProbeReport& report, int dpi) {
  for (const PanelPlace& p : kPanel) {
    const bool found = std::any_of(report.controls.begin(), report.controls.end(), [&](const auto& c) {
      return c.id == p.id && PlacedAt(c.place, p, dpi);
    });
    EXPECT_TRUE(found) << "control " << p.id << " at (" << p.x << ", " << p.y << ") for " << dpi << " DPI";
  }
}

// Static, button and check box texts fit their controls (a check box also holds its box); the
// value of an edit or a date picker shows whole.
void ExpectTextsFit(const ProbeReport& report, const std::string& where = "") {
  for (const auto& c : report.controls) {
    EXPECT_LE(c.need, c.room) << where << " value of control " << c.id << " is cut";
    if (c.className != L"Static" && c.className != L"Button") continue;
    if (c.id == kChartWindowId) continue;
    const long width = c.place.right - c.place.left, height = c.place.bottom - c.place.top;
    const bool checkBox = c.id == kPeriodCheckId || c.id == kIntercourseCheckId;
    const long box = checkBox ? GetSystemMetrics(SM_CXMENUCHECK) + 4 : 0;
    const long border = c.className == L"Button" && box == 0 ? 2 * GetSystemMetrics(SM_CXEDGE) : 0;
    EXPECT_LE(c.text.cx + box + border, width) << where << " text of control " << c.id << " is cut";
    EXPECT_LE(c.text.cy, height) << where << " text of control " << c.id << " is cut";
  }
}

std::wstring ScreenshotName(const std::wstring& what, int dpi) {
  CreateDirectoryW((ArtifactsFolder() + L"\\dpi").c_str(), nullptr);
  return L"dpi\\" + what + L"_" + std::to_wstring(dpi) + L".bmp";
}

// The longest values a field of each kind shows, one set per look. A date of two-digit month and
// day goes into every date picker.
struct FieldValues {
  int id;
  std::vector<const wchar_t*> values;
};
constexpr Ymd kLongestDate{2026, 12, 30};

// Puts look `look` of each field's values into the window's fields and the longest date into
// its pickers; false when a text could not be set.
bool ShowLongestValues(const TovelaProcess& app, HWND window, const std::vector<FieldValues>& fields,
                       const std::vector<int>& pickers, std::size_t look) {
  for (const FieldValues& f : fields)
    if (!SetText(GetDlgItem(window, f.id), f.values[look % f.values.size()])) return false;
  for (int id : pickers)
    if (!app.SetDate(GetDlgItem(window, id), kLongestDate.year, kLongestDate.month, kLongestDate.day, false))
      return false;
  return true;
}

// Every look of the fields probed; every text and value must show whole.
void ExpectLongestValuesWhole(const TovelaProcess& app, HWND window,
                              const std::vector<FieldValues>& fields, const std::vector<int>& pickers) {
  std::size_t looks = 0;
  for (const FieldValues& f : fields) looks = std::max(looks, f.values.size());
  for (std::size_t look = 0; look < looks; ++look) {
    ASSERT_TRUE(ShowLongestValues(app, window, fields, pickers, look));
    const ProbeReport report = window == app.MainWindow() ? app.Probe() : app.ProbeControls(window);
    ASSERT_TRUE(report.ok);
    ExpectTextsFit(report, "look " + std::to_string(look) + " at " + std::to_string(report.dpi) + " DPI:");
  }
}

const std::vector<FieldValues> kPanelValues = {
    {kTemperatureEditId, {L"36.28", L"42.00", L"35.40"}},
    {kWeightEditId, {L"150.0", L"188.8"}},
    {kAverageValueId, {L"36.28", L"42.00"}},
    {kCycleValueId, {L"365", L"100"}},
};

TEST_F(DisplayScaling, SidePanelScalesFromItsPlacesAndEveryTextFits) {
  const SampleRecords records = SampleCycles(60, 1);
  install.WriteFile(L"TEMPERATURE_DATA.dat", records.temperatures);
  install.WriteFile(L"WEIGHT_DATA.dat", records.weights);
  Start();
  PickDay(DaysFromToday(-1));
  const ProbeReport report = app.Probe();
  ASSERT_TRUE(report.ok);
  ASSERT_GT(report.dpi, 0);
  ExpectPanelAt(report, report.dpi);
  ExpectTextsFit(report);
  ExpectLongestValuesWhole(app, app.MainWindow(), kPanelValues, {kDatePickerId});
  EXPECT_NE(app.Screenshot(app.MainWindow(), ScreenshotName(L"main", report.dpi)), L"");
  // What was typed for the look is not for keeping.
  CloseAnswering(IDNO);
}

// The log-on entry dialog and the basic settings dialog, opened by their commands, with the
// longest values in their fields; the print dialog in its own test (it needs the printer).
TEST_F(DisplayScaling, DialogsShowTheirLongestValuesWhole) {
  const struct {
    int command;
    const wchar_t* caption;
    const wchar_t* screenshot;
    std::vector<FieldValues> fields;
    std::vector<int> pickers;
  } dialogs[] = {
      {kEntryDialogCommand, kEntryDialogCaption, L"entry_dialog",
       {{kEntryTemperatureId, {L"36.28", L"42.00", L"35.40"}}, {kEntryWeightId, {L"150.0", L"188.8"}}},
       {kEntryDateId}},
      {kBasicSettingsCommand, L"基本設定登録", L"basic_settings",
       {{604, {L"35.40", L"42.00", L"36.28"}}, {608, {L"150.0", L"188.8"}}, {612, {L"365", L"100"}}},
       {}},
  };
  Start();
  for (const auto& d : dialogs) {
    SCOPED_TRACE(testing::Message() << "command " << d.command);
    PostCommand(app.MainWindow(), d.command);
    HWND dialog = app.WaitForDialog(d.caption);
    ASSERT_NE(dialog, nullptr);
    ExpectLongestValuesWhole(app, dialog, d.fields, d.pickers);
    const ProbeReport report = app.ProbeControls(dialog);
    EXPECT_NE(app.Screenshot(dialog, ScreenshotName(d.screenshot, report.dpi)), L"");
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  }
  Close();
}

TEST_F(DisplayScaling, PrintDialogShowsItsDatesWhole) {
  TOVELA_NEED_TEST_PRINTER();
  Start();
  PostCommand(app.MainWindow(), kPrintCommand);
  HWND dialog = app.WaitForDialog(L"グラフ印刷");
  ASSERT_NE(dialog, nullptr);
  ExpectLongestValuesWhole(app, dialog, {}, {703, 704});
  const ProbeReport report = app.ProbeControls(dialog);
  EXPECT_NE(app.Screenshot(dialog, ScreenshotName(L"print_dialog", report.dpi)), L"");
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  Close();
}

TEST_F(DisplayScaling, MovingToAScreenOfAnotherScaleLaysOutAgainAndBack) {
  Start();
  const ProbeReport before = app.Probe();
  ASSERT_TRUE(before.ok);
  const int other = before.dpi == 144 ? 192 : 144;
  ASSERT_TRUE(app.SendDpiChanged(other));
  const ProbeReport moved = app.Probe();
  ExpectPanelAt(moved, other);
  ExpectTextsFit(moved);
  ASSERT_TRUE(app.SendDpiChanged(before.dpi));
  const ProbeReport back = app.Probe();
  ASSERT_EQ(back.controls.size(), before.controls.size());
  for (std::size_t i = 0; i < back.controls.size(); ++i) {
    // The chart area at start-up is found before the main window's scroll bars are hidden; a
    // later layout has their room too.
    if (back.controls[i].id == kChartWindowId) continue;
    EXPECT_TRUE(EqualRect(&back.controls[i].place, &before.controls[i].place)) << back.controls[i].id;
    EXPECT_EQ(back.controls[i].text.cy, before.controls[i].text.cy) << back.controls[i].id;
  }
  Close();
}

// One way of scrolling and the position it leads to from the one before.
struct ScrollStep {
  const char* what;
  enum Kind { Wheel, ShiftWheel, SideWheel, WheelOnMain, Key } kind;
  int amount;    // wheel delta or virtual key
  int expected;  // position after it (kToday + n, or kEnd for the range's end)
};
constexpr int kHistory = 100;  // the oldest record lies this many days back: today is position 100
constexpr int kToday = kHistory;
constexpr int kEnd = -1;

TEST_F(ChartScrolling, WheelAndKeysMoveByTheirDaysAndStopAtBothEnds) {
  const SampleRecords records = SampleCycles(kHistory, 1);
  install.WriteFile(L"TEMPERATURE_DATA.dat", records.temperatures);
  Start();
  HWND chart = app.Control(kChartWindowId);
  RECT area{};
  GetWindowRect(chart, &area);
  const POINT over{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
  SetCursorPos(over.x, over.y);
  // The click gives the chart the focus that the keys below need.
  PostMessageW(chart, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(chart, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));

  const ScrollStep steps[] = {
      {"a notch toward the user", ScrollStep::Wheel, -WHEEL_DELTA, kToday + 7},
      {"two notches away", ScrollStep::Wheel, 2 * WHEEL_DELTA, kToday - 7},
      {"Shift and a notch toward the user", ScrollStep::ShiftWheel, -WHEEL_DELTA, kToday},
      {"sideways right", ScrollStep::SideWheel, WHEEL_DELTA, kToday + 7},
      {"a quarter notch toward the user: 1 day", ScrollStep::Wheel, -30, kToday + 8},
      {"another quarter: 2 more", ScrollStep::Wheel, -30, kToday + 10},
      {"a half: the notch is whole, 7 in all", ScrollStep::Wheel, -60, kToday + 14},
      // As a wheel over the chart arrives where the focus is elsewhere (passed up by a child).
      {"to the main window, over the chart", ScrollStep::WheelOnMain, WHEEL_DELTA, kToday + 7},
      {"left arrow", ScrollStep::Key, VK_LEFT, kToday + 6},
      {"right arrow", ScrollStep::Key, VK_RIGHT, kToday + 7},
      {"Home: the oldest record", ScrollStep::Key, VK_HOME, 0},
      {"left arrow at the start", ScrollStep::Key, VK_LEFT, 0},
      {"a notch away at the start", ScrollStep::Wheel, WHEEL_DELTA, 0},
      {"End: today", ScrollStep::Key, VK_END, kToday},
      {"sixty notches toward the user", ScrollStep::Wheel, -60 * WHEEL_DELTA, kEnd},
      {"right arrow at the end", ScrollStep::Key, VK_RIGHT, kEnd},
  };
  ProbeReport report = app.Probe();
  ASSERT_TRUE(report.ok && report.hasScroll);
  ASSERT_EQ(report.scrollPos, kToday);
  for (const ScrollStep& step : steps) {
    switch (step.kind) {
      case ScrollStep::Wheel:
      case ScrollStep::ShiftWheel:
        PostMessageW(chart, WM_MOUSEWHEEL,
                     MAKEWPARAM(step.kind == ScrollStep::ShiftWheel ? MK_SHIFT : 0, step.amount),
                     MAKELPARAM(over.x, over.y));
        break;
      case ScrollStep::SideWheel:
        PostMessageW(chart, WM_MOUSEHWHEEL, MAKEWPARAM(0, step.amount), MAKELPARAM(over.x, over.y));
        break;
      case ScrollStep::WheelOnMain:
        PostMessageW(app.MainWindow(), WM_MOUSEWHEEL, MAKEWPARAM(0, step.amount),
                     MAKELPARAM(over.x, over.y));
        break;
      case ScrollStep::Key:
        PressKeys(app.MainWindow(), {static_cast<WORD>(step.amount)});
        break;
    }
    const int expected = step.expected == kEnd ? report.scrollMax : step.expected;
    EXPECT_TRUE(WaitUntil([&] {
      report = app.Probe();
      return report.ok && report.scrollPos == expected;
    })) << step.what << ": position " << report.scrollPos << ", expected " << expected;
  }

  // A page is the days the chart shows: more than a week, and back by as many.
  PressKeys(app.MainWindow(), {VK_END});
  ASSERT_TRUE(WaitUntil([&] { return app.Probe().scrollPos == kToday; }));
  PressKeys(app.MainWindow(), {VK_PRIOR});
  ASSERT_TRUE(WaitUntil([&] { return app.Probe().scrollPos < kToday - 7; }));
  const int page = kToday - app.Probe().scrollPos;
  PressKeys(app.MainWindow(), {VK_NEXT});
  EXPECT_TRUE(WaitUntil([&] { return app.Probe().scrollPos == kToday; })) << "a page of " << page;
  Close();
}

}  // namespace
}  // namespace e2e
