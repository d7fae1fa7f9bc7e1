// A Tovela left open across midnight and a wake, on a wall clock the test sets. The program and
// this test run under libfaketime (tests/e2e/run_with_clock.sh): both read their frozen local
// time from the file named by TOVELA_CLOCK_FILE, so rewriting that file moves every clock of the
// run at once, while timers and waits keep the real monotonic clock.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app_fixture.h"
#include "tovela_driver.h"

namespace e2e {
namespace {

// Sets the wall clock of every process of the run, e.g. "2027-03-04 23:59:50". The file is
// replaced in one rename, so a clock reading never meets a half-written file.
bool SetClock(const std::string& moment) {
  const std::wstring clock = EnvironmentPath(L"TOVELA_CLOCK_FILE");
  const std::wstring written = clock + L".new";
  return WriteFileBytes(written, moment + "\n") &&
         MoveFileExW(written.c_str(), clock.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

// The colour of today's column (TodayBackColor 255,224,224) as captured: B, G, R.
bool IsTodayColour(const unsigned char* pixel) {
  return pixel[0] == 224 && pixel[1] == 224 && pixel[2] == 255;
}

class ClockTest : public AppTest {
 protected:
  void SetUp() override {
    if (EnvironmentPath(L"TOVELA_CLOCK_FILE").empty())
      GTEST_SKIP() << "needs the test clock: run through tests/e2e/run_with_clock.sh";
    ASSERT_TRUE(SetClock("2027-03-04 23:59:50"));
    AppTest::SetUp();
    SetCursorPos(0, GetSystemMetrics(SM_CYSCREEN) - 1);  // no day tip over the pictures
    // Records up to today, the day the run starts, in the high phase of a cycle; the next day
    // has none.
    const SampleRecords records = SampleCycles(75, 0);
    ASSERT_TRUE(install.WriteFile(L"TEMPERATURE_DATA.dat", records.temperatures));
    ASSERT_TRUE(install.WriteFile(L"WEIGHT_DATA.dat", records.weights));
  }

  // The clock back on the start day: the day changes of these tests are no accident.
  void TearDown() override {
    DeleteFileW(StartupShortcutPath().c_str());
    if (!IsSkipped()) SetClock("2027-03-04 23:59:50");
    AppTest::TearDown();
  }

  Ymd Picker() const {
    Ymd d;
    app.GetDate(app.Control(kDatePickerId), d.year, d.month, d.day);
    return d;
  }

  // Moves the clock and sends the midnight timer, as the timer set for that moment would come.
  void PassMidnight(const std::string& moment) {
    ASSERT_TRUE(SetClock(moment));
    PostMessageW(app.MainWindow(), WM_TIMER, kMidnightTimerId, 0);
  }

  // Every message posted so far has been handled, and so has every one those posted in turn.
  void WaitForQuiet() const {
    WaitForPostedMessages();
    WaitForPostedMessages();
  }

  bool EntryDialogShown() const {
    return !TopLevelWindows(app.Id(), L"#32770", kEntryDialogCaption, true).empty();
  }

  void PostResume() const {
    PostMessageW(app.MainWindow(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
  }

  // The leftmost x of today's colour in the chart window (-1 when none shows), read on a few rows
  // of the plot so that a line crossing one row does not hide it.
  int TodayColumnLeft() const {
    int width = 0, height = 0;
    std::vector<unsigned char> pixels;
    if (!CaptureWindowPixels(app.Control(kChartWindowId), width, height, pixels)) return -1;
    int left = -1;
    for (int y = height / 2; y < height * 3 / 4; y += 7) {
      const unsigned char* row = pixels.data() + static_cast<std::size_t>(height - 1 - y) * width * 4;
      for (int x = 0; x < width; ++x) {
        if (IsTodayColour(row + x * 4)) {
          if (left < 0 || x < left) left = x;
          break;
        }
      }
    }
    return left;
  }
};

class DayChange : public ClockTest {};
class MorningPrompt : public ClockTest {};

}  // namespace

TEST_F(DayChange, MidnightMovesTheShownTodayAndTheNextEntryIsTheNewDays) {
  DeleteFileW(StartupShortcutPath().c_str());
  Start();
  // Four weeks of the curve left of today's column in the pictures.
  for (int page = 0; page < 2; ++page)
    SendMessageW(app.Control(kChartWindowId), WM_HSCROLL, SB_PAGELEFT, 0);
  const Ymd day = TodayYmd();
  ASSERT_TRUE(SameDay(Picker(), day));
  const int columnBefore = TodayColumnLeft();
  ASSERT_GE(columnBefore, 0) << "today's column shows";
  EXPECT_EQ(Text(kShiftStateValueId), L"高温期 6日目");
  app.Screenshot(app.MainWindow(), L"day_change_before_midnight.bmp");

  PassMidnight("2027-03-05 00:00:05");
  const Ymd next = TodayYmd();
  ASSERT_TRUE(WaitUntil([&] { return SameDay(Picker(), next); })) << "the picker follows today";
  EXPECT_TRUE(WaitUntil([&] { return TodayColumnLeft() > columnBefore; }))
      << "today's colour moves one column on";
  EXPECT_EQ(Text(kTemperatureEditId), L"");
  EXPECT_TRUE(Enabled(kAddButtonId));
  EXPECT_FALSE(Enabled(kUpdateButtonId));
  EXPECT_EQ(Text(kShiftStateValueId), L"高温期 7日目");
  app.Screenshot(app.MainWindow(), L"day_change_after_midnight.bmp");
  EXPECT_FALSE(install.Exists(L"backup")) << "a new day alone writes nothing";

  // Without the log-on shortcut a wake asks nothing.
  PostResume();
  WaitForQuiet();
  EXPECT_FALSE(EntryDialogShown());

  // The morning's entry in the panel is the new day's, and its save makes the new day's copies.
  ASSERT_TRUE(SetText(app.Control(kTemperatureEditId), L"36.72"));
  const MessageBoxText box = Press(kAddButtonId);
  EXPECT_EQ(box.text, DoneText(next, L"追加"));
  EXPECT_TRUE(box.Answer(IDOK));
  EXPECT_TRUE(install.Exists(L"backup\\2027-03-05"));

  // A user looking at another day keeps it.
  PickDay(DaysFromToday(-3));
  PassMidnight("2027-03-06 00:00:05");
  WaitForQuiet();
  EXPECT_TRUE(SameDay(Picker(), DaysFromToday(-4)));
  Close();
  EXPECT_NE(install.ReadFile(L"TEMPERATURE_DATA.dat").find("2027/3/5,36.72,0"), std::string::npos);
}

TEST_F(MorningPrompt, WithTheLogOnShortcutAWakeOnANewDayAsksOnce) {
  Start();
  const std::wstring shortcut = StartupShortcutPath();
  PostCommand(app.MainWindow(), kShortcutCommand);
  ASSERT_TRUE(WaitUntil([&] { return FileExists(shortcut); }));

  // Awake at midnight: the new day comes without a question.
  PassMidnight("2027-03-05 00:00:05");
  ASSERT_TRUE(WaitUntil([&] { return SameDay(Picker(), TodayYmd()); }));
  WaitForQuiet();
  EXPECT_FALSE(EntryDialogShown());

  // The first wake of the day asks, once the dialog open at that moment is closed.
  ASSERT_TRUE(SetClock("2027-03-05 06:30:00"));
  PostCommand(app.MainWindow(), kVersionCommand);
  HWND version = app.WaitForDialog(kVersionDialogCaption);
  ASSERT_NE(version, nullptr);
  PostResume();
  WaitForQuiet();
  EXPECT_FALSE(EntryDialogShown()) << "not over another dialog";
  PostMessageW(version, WM_COMMAND, IDOK, 0);
  HWND dialog = app.WaitForDialog(kEntryDialogCaption);
  ASSERT_NE(dialog, nullptr) << "asked once the other dialog closed";
  Ymd entryDay;
  ASSERT_TRUE(app.GetDate(GetDlgItem(dialog, kEntryDateId), entryDay.year, entryDay.month,
                          entryDay.day));
  EXPECT_TRUE(SameDay(entryDay, TodayYmd()));
  app.Screenshot(app.MainWindow(), L"morning_prompt_after_resume.bmp", dialog);
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !EntryDialogShown(); }));

  PostResume();
  WaitForQuiet();
  EXPECT_FALSE(EntryDialogShown()) << "once a day";
  Close();
}

}  // namespace e2e
