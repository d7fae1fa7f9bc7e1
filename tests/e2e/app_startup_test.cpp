// Start-up and close of the real program: a first run, the "-startup" run and the files it leaves.
#include <gtest/gtest.h>

#include "app_fixture.h"

namespace e2e {
namespace {

using FirstRun = AppTest;

class StartupRun : public AppTest {
 protected:
  // Starts the "-startup" run, confirms its entry dialog with the given fields and waits until
  // the program has saved and ended. Weight, period and memo are left as they are when empty.
  void EnterTodayAtLogOn(const wchar_t* temperature, const wchar_t* weight, bool period,
                         const wchar_t* memo) {
    app = install.Launch(L"-startup");
    ASSERT_TRUE(app.Started());
    HWND dialog = app.WaitForDialog(kEntryDialogCaption);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(TopLevelWindows(app.Id(), L"Tovela", L"", true).empty());

    ASSERT_TRUE(SetText(GetDlgItem(dialog, kEntryTemperatureId), temperature));
    if (*weight != L'\0') {
      ASSERT_TRUE(SetText(GetDlgItem(dialog, kEntryWeightId), weight));
    }
    if (period) SetChecked(GetDlgItem(dialog, kEntryPeriodId), true);
    if (*memo != L'\0') {
      ASSERT_TRUE(SetText(GetDlgItem(dialog, kEntryMemoId), memo));
    }
    const MessageBoxText box = app.PressAndReadMessage(GetDlgItem(dialog, IDOK));
    EXPECT_EQ(box.caption, kDoneCaption);
    EXPECT_EQ(box.text, DoneText(TodayYmd(), L"追加"));
    ASSERT_TRUE(box.Answer(IDOK));
    EXPECT_EQ(app.WaitForExit(), 0u);
  }
};

TEST_F(FirstRun, ShowsFallbackStatisticsAndCloseCreatesEveryFile) {
  Start();
  EXPECT_EQ(Text(kAverageValueId), L"36.50");
  EXPECT_EQ(Text(kCycleValueId), L"28");
  EXPECT_EQ(Text(kNextPeriodValueId), L"未定");
  EXPECT_EQ(Text(kNextOvulationValueId), L"未定");
  EXPECT_EQ(Text(kTemperatureEditId), L"");
  EXPECT_EQ(Text(kWeightEditId), L"");
  EXPECT_EQ(Text(kMemoEditId), L"");
  EXPECT_TRUE(Enabled(kAddButtonId));
  EXPECT_FALSE(Enabled(kUpdateButtonId));
  EXPECT_FALSE(Enabled(kDeleteButtonId));
  int y = 0, m = 0, d = 0;
  ASSERT_TRUE(app.GetDate(app.Control(kDatePickerId), y, m, d));
  const Ymd today = TodayYmd();
  EXPECT_EQ(y, today.year);
  EXPECT_EQ(m, today.month);
  EXPECT_EQ(d, today.day);
  EXPECT_EQ(GetText(app.MainWindow()), L"基礎体温と体重の記録帳");

  Close();
  for (const wchar_t* file : {L"TEMPERATURE_DATA.dat", L"WEIGHT_DATA.dat", L"MEMO_DATA.dat"}) {
    EXPECT_TRUE(install.Exists(file)) << file;
    EXPECT_EQ(install.ReadFile(file), "") << file;
  }
  const struct {
    const wchar_t* key;
    const wchar_t* value;
  } expected[] = {
      {L"BaseColor", L"255,128,128"},   {L"GraphGridColor", L"128,255,128"},
      {L"GraphColor", L"0,0,0"},        {L"TodayBackColor", L"255,224,224"},
      {L"MarkBackColor", L"255,255,224"}, {L"StringColor", L"0,0,0"},
      {L"BaseTempeLineColor", L"128,128,255"}, {L"GraphMode", L"1"},
      {L"MinTemperature", L"35.50"},    {L"MinWeight", L"43.0"},
      {L"PeriodCycle", L"28"},          {L"TemperatureCalcType", L"0"},
      {L"WeightCalcType", L"0"},        {L"PeriodCalcType", L"0"},
  };
  for (const auto& e : expected) EXPECT_EQ(install.IniValue(e.key), e.value) << e.key;
}

TEST_F(StartupRun, WithTodaysRecordExitsUnseenAndRewritesFilesInDateOrder) {
  const Ymd today = TodayYmd();
  const Ymd yesterday = DaysFromToday(-1);
  const Ymd earlier = DaysFromToday(-30);
  ASSERT_TRUE(install.WriteFile(L"TEMPERATURE_DATA.dat",
                                TemperatureLine(today, "36.60", 0) + TemperatureLine(earlier, "36.20", 1) +
                                    TemperatureLine(yesterday, "36.40", 0)));
  ASSERT_TRUE(install.WriteFile(L"WEIGHT_DATA.dat", WeightLine(today, "50.5") + WeightLine(earlier, "51.0")));
  ASSERT_TRUE(install.WriteFile(L"MEMO_DATA.dat", MemoLine(today, L"今日") + MemoLine(earlier, L"以前")));

  app = install.Launch(L"-startup");
  ASSERT_TRUE(app.Started());
  bool sawWindow = false;
  const bool ended = WaitUntil([&] {
    if (!TopLevelWindows(app.Id(), L"", L"", true).empty()) sawWindow = true;
    return app.Exited();
  });
  ASSERT_TRUE(ended);
  EXPECT_FALSE(sawWindow);
  EXPECT_EQ(app.WaitForExit(), 0u);
  EXPECT_EQ(install.ReadFile(L"TEMPERATURE_DATA.dat"),
            TemperatureLine(earlier, "36.20", 1) + TemperatureLine(yesterday, "36.40", 0) +
                TemperatureLine(today, "36.60", 0));
  EXPECT_EQ(install.ReadFile(L"WEIGHT_DATA.dat"), WeightLine(earlier, "51.0") + WeightLine(today, "50.5"));
  EXPECT_EQ(install.ReadFile(L"MEMO_DATA.dat"), MemoLine(earlier, L"以前") + MemoLine(today, L"今日"));
  EXPECT_EQ(install.IniValue(L"GraphMode"), L"1");
}

TEST_F(StartupRun, WithoutTodaysRecordShowsOnlyTheEntryDialogAndStoresTheEntry) {
  const Ymd yesterday = DaysFromToday(-1);
  ASSERT_TRUE(install.WriteFile(L"TEMPERATURE_DATA.dat", TemperatureLine(yesterday, "36.40", 0)));
  ASSERT_NO_FATAL_FAILURE(EnterTodayAtLogOn(L"36.55", L"52.5", true, L"眠い，少し頭痛"));
  const Ymd today = TodayYmd();

  EXPECT_EQ(install.ReadFile(L"TEMPERATURE_DATA.dat"),
            TemperatureLine(yesterday, "36.40", 0) + TemperatureLine(today, "36.55", 1));
  EXPECT_EQ(install.ReadFile(L"WEIGHT_DATA.dat"), WeightLine(today, "52.5"));
  EXPECT_EQ(install.ReadFile(L"MEMO_DATA.dat"), MemoLine(today, L"眠い，少し頭痛"));
}

TEST_F(StartupRun, EmptyMemoIsStoredWrittenAtCloseAndLoadedBack) {
  ASSERT_NO_FATAL_FAILURE(EnterTodayAtLogOn(L"36.55", L"", false, L""));
  const std::string line = MemoLine(TodayYmd(), L"");
  EXPECT_EQ(install.ReadFile(L"MEMO_DATA.dat"), line);
  EXPECT_EQ(install.ReadFile(L"WEIGHT_DATA.dat"), "");

  // The next start reads the line back: the close rewrites the memo file from the store alone.
  Start();
  Close();
  EXPECT_EQ(install.ReadFile(L"MEMO_DATA.dat"), line);
}

TEST_F(StartupRun, CancelledEntryDialogStillSavesAndExits) {
  app = install.Launch(L"-startup");
  ASSERT_TRUE(app.Started());
  HWND dialog = app.WaitForDialog(kEntryDialogCaption);
  ASSERT_NE(dialog, nullptr);
  PostClick(GetDlgItem(dialog, IDCANCEL));
  EXPECT_EQ(app.WaitForExit(), 0u);
  EXPECT_TRUE(install.Exists(L"Tovela.ini"));
  EXPECT_EQ(install.ReadFile(L"TEMPERATURE_DATA.dat"), "");
}

TEST_F(StartupRun, ArgumentInAnotherCaseIsAnOrdinaryRun) {
  Start(L"-Startup");
  EXPECT_TRUE(IsWindowVisible(app.MainWindow()));
  Close();
}

TEST_F(StartupRun, RefusedCloseShowsTheWindowSoTheUserCanCloseAgain) {
  const Ymd today = TodayYmd();
  ASSERT_TRUE(install.WriteFile(L"TEMPERATURE_DATA.dat", TemperatureLine(today, "36.60", 0)));
  ASSERT_TRUE(install.WriteFile(L"WEIGHT_DATA.dat", ""));
  ASSERT_TRUE(install.SetReadOnly(L"WEIGHT_DATA.dat", true));
  app = install.Launch(L"-startup");
  ASSERT_TRUE(app.Started());
  const MessageBoxText box = app.WaitForMessageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box.text, SaveFailedNaming(L"WEIGHT_DATA.dat"));
  EXPECT_EQ(box.caption, L"致命的なエラーが発生しました。");
  ASSERT_NE(app.WaitForMainWindow(), nullptr) << "the main window must become visible";
  ASSERT_TRUE(box.Answer(IDOK));
  EXPECT_FALSE(app.Exited());

  ASSERT_TRUE(install.SetReadOnly(L"WEIGHT_DATA.dat", false));
  Close();
  EXPECT_EQ(install.ReadFile(L"TEMPERATURE_DATA.dat"), TemperatureLine(today, "36.60", 0));
}

}  // namespace
}  // namespace e2e
