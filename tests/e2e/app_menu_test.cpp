// The menu bar, the chart modes, the version dialog and the accelerators of the real program, and
// a screenshot of the main window in each mode.
#include <gtest/gtest.h>

#include <algorithm>

#include "app_fixture.h"
#include "tovela_version.h"

namespace e2e {
namespace {

using Menu = AppTest;
using VersionDialog = AppTest;
using Closing = AppTest;
using Screenshots = AppTest;

void ExpectOnlyChecked(const ProbeReport& report, int command) {
  ASSERT_TRUE(report.ok) << "the probe did not answer";
  for (int id : {kTemperatureModeCommand, kWeightModeCommand, kPregnancyModeCommand})
    EXPECT_EQ(report.checked.at(id), id == command) << id;
}

TEST_F(Menu, ItemsAndTheirCommandsAreTheProgramsOwn) {
  Start();
  const ProbeReport report = app.Probe();
  ASSERT_TRUE(report.ok);
  const std::map<int, std::wstring> expected = {
      {kPrintCommand, L"印刷(&P)  Ctrl+P"},
      {kSaveImagesCommand, L"グラフを画像で保存(&G)..."},
      {kCsvExportCommand, L"CSVファイルに書き出し(&E)..."},
      {kCsvImportCommand, L"CSVファイルから読み込み(&I)..."},
      {kExitCommand, L"終了(&X)"},
      {kBasicSettingsCommand, L"基本設定登録(&B)  Ctrl+B"},
      {kCycleListCommand, L"周期の一覧(&L)..."},
      {kColorsCommand, L"色の変更(&C) Ctrl+Shift+C"},
      {kShortcutCommand, L"スタートアップにショートカットを作成(&S)"},
      {kTemperatureModeCommand, L"基礎体温モード(&T)"},
      {kWeightModeCommand, L"体重モード(&W)"},
      {kPregnancyModeCommand, L"妊娠確定モード(&P)"},
      {kShowShiftCommand, L"体温の判定を表示(&S)"},
      {kGuideCommand, L"使い方(&H)"},
      {kChartLegendCommand, L"グラフの見かた(&L)..."},
      {kVersionCommand, L"バージョン情報(&V)"},
  };
  EXPECT_EQ(report.itemText, expected);
  // Menu by menu, 0 for the separators of "ファイル(&F)", "グラフ(&G)" and "ヘルプ(&H)".
  const std::vector<int> order = {kPrintCommand, kSaveImagesCommand, kCsvExportCommand,
                                  kCsvImportCommand, 0, kExitCommand,
                                  kBasicSettingsCommand, kCycleListCommand, kColorsCommand,
                                  kShortcutCommand, kTemperatureModeCommand, kWeightModeCommand,
                                  kPregnancyModeCommand, 0, kShowShiftCommand, kGuideCommand,
                                  kChartLegendCommand, 0, kVersionCommand};
  EXPECT_EQ(report.menuOrder, order);
  EXPECT_EQ(report.popupText, (std::vector<std::wstring>{L"ファイル(&F)", L"体調管理(&B)", L"ツール(&T)",
                                                         L"グラフ(&G)", L"ヘルプ(&H)"}));
  ExpectOnlyChecked(report, kTemperatureModeCommand);
  EXPECT_TRUE(report.checked.at(kShowShiftCommand));
  // The chart starts with today as the first column: modes 1 and 2 span 365 days past today.
  ASSERT_TRUE(report.hasScroll);
  EXPECT_EQ(report.scrollMin, 0);
  EXPECT_EQ(report.scrollMax, 365);
  EXPECT_EQ(report.scrollPos, 0);
  // The window can only be minimised or closed (Wine adds an item of its own, "About Wine").
  const auto has = [&](int id) {
    return std::find(report.systemMenu.begin(), report.systemMenu.end(), id) != report.systemMenu.end();
  };
  EXPECT_TRUE(has(SC_MINIMIZE));
  EXPECT_TRUE(has(SC_CLOSE));
  for (int id : {SC_SIZE, SC_MOVE, SC_MAXIMIZE, SC_RESTORE}) EXPECT_FALSE(has(id)) << id;
  Close();
}

TEST_F(Menu, WeightModeChecksOnlyItsItemAndIsSaved) {
  Start();
  PostCommand(app.MainWindow(), kWeightModeCommand);
  ASSERT_TRUE(WaitUntil([&] {
    const ProbeReport r = app.Probe();
    return r.ok && r.checked.at(kWeightModeCommand);
  }));
  ExpectOnlyChecked(app.Probe(), kWeightModeCommand);
  PostCommand(app.MainWindow(), kPregnancyModeCommand);
  ASSERT_TRUE(WaitUntil([&] {
    const ProbeReport r = app.Probe();
    return r.ok && r.checked.at(kPregnancyModeCommand);
  }));
  const ProbeReport pregnancy = app.Probe();
  ExpectOnlyChecked(pregnancy, kPregnancyModeCommand);
  EXPECT_EQ(pregnancy.scrollMax, 280);  // forty weeks from the last period start (today)
  PostCommand(app.MainWindow(), kWeightModeCommand);
  ASSERT_TRUE(WaitUntil([&] {
    const ProbeReport r = app.Probe();
    return r.ok && r.checked.at(kWeightModeCommand);
  }));
  Close();
  EXPECT_EQ(install.IniValue(L"GraphMode"), L"2");
}

TEST_F(Menu, SavedPregnancyModeStartsWithOnlyItsItemChecked) {
  ASSERT_TRUE(install.WriteFile(L"Tovela.ini", "[Tovela]\r\nGraphMode=3\r\n"));
  Start();
  ExpectOnlyChecked(app.Probe(), kPregnancyModeCommand);
  Close();
  EXPECT_EQ(install.IniValue(L"GraphMode"), L"3");
}

TEST_F(Menu, SavedModeZeroChecksNoItemAndSavesTemperatureMode) {
  ASSERT_TRUE(install.WriteFile(L"Tovela.ini", "[Tovela]\r\nGraphMode=0\r\nGraphGridColor=300,0,0\r\n"));
  Start();
  const ProbeReport report = app.Probe();
  ASSERT_TRUE(report.ok);
  for (int id : {kTemperatureModeCommand, kWeightModeCommand, kPregnancyModeCommand})
    EXPECT_FALSE(report.checked.at(id)) << id;
  Close();
  EXPECT_EQ(install.IniValue(L"GraphMode"), L"1");
  EXPECT_EQ(install.IniValue(L"GraphGridColor"), L"44,0,0");
}

TEST_F(Menu, CtrlCAloneDoesNothing) {
  Start();
  HWND main = app.MainWindow();
  // Ctrl+C, then Ctrl+B as the proof that the keys reached the program: input is handled in
  // order, so once the basic settings dialog of Ctrl+B shows, Ctrl+C has been handled before it.
  HWND settings = nullptr;
  for (int attempt = 0; attempt < 3 && settings == nullptr; ++attempt) {
    SetForegroundWindow(main);
    WaitUntil([&] { return GetForegroundWindow() == main; }, 5s);
    PressKeys(main, {VK_CONTROL, 'C'});
    PressKeys(main, {VK_CONTROL, 'B'});
    settings = app.WaitForDialog(L"基本設定登録", 7s);
  }
  ASSERT_NE(settings, nullptr) << "the keys never reached the program";
  EXPECT_EQ(TopLevelWindows(app.Id(), L"#32770", L"", true), std::vector<HWND>{settings});
  PostMessageW(settings, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(settings); }));
  Close();
}

TEST_F(Menu, ExitItemClosesAndSaves) {
  Start();
  PostCommand(app.MainWindow(), kExitCommand);
  EXPECT_EQ(app.WaitForExit(), 0u);
  EXPECT_TRUE(install.Exists(L"Tovela.ini"));
}

TEST_F(VersionDialog, OpensFromItsItemAndClosesThreeWays) {
  Start();
  // "閉じる(&C)"
  PostCommand(app.MainWindow(), kVersionCommand);
  HWND dialog = app.WaitForDialog(kVersionDialogCaption);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(GetText(GetDlgItem(dialog, 704)), std::wstring(L"バージョン ") + TOVELA_VERSION_WIDE);
  EXPECT_EQ(GetText(GetDlgItem(dialog, IDOK)), L"閉じる(&C)");
  app.Screenshot(dialog, L"version_dialog.bmp");
  PostClick(GetDlgItem(dialog, IDOK));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));

  // Esc
  PostCommand(app.MainWindow(), kVersionCommand);
  dialog = app.WaitForDialog(kVersionDialogCaption);
  ASSERT_NE(dialog, nullptr);
  {
    // Esc as the keyboard sends it: a key-down to the control with the focus (or the dialog).
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    PostMessageW(info.hwndFocus != nullptr ? info.hwndFocus : dialog, WM_KEYDOWN, VK_ESCAPE, 0);
  }
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));

  // The close box
  PostCommand(app.MainWindow(), kVersionCommand);
  dialog = app.WaitForDialog(kVersionDialogCaption);
  ASSERT_NE(dialog, nullptr);
  PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  Close();
}

TEST_F(Closing, ReadOnlyDataFileKeepsTheWindowAndEveryRecordUntilItIsWritable) {
  const Ymd day = DaysFromToday(-1);
  ASSERT_TRUE(install.WriteFile(L"TEMPERATURE_DATA.dat", TemperatureLine(day, "36.40", 0)));
  ASSERT_TRUE(install.WriteFile(L"MEMO_DATA.dat", ""));
  Start();
  // A record added now must survive the refused close.
  ASSERT_TRUE(SetText(app.Control(kTemperatureEditId), L"36.90"));
  MessageBoxText box = Press(kAddButtonId);
  ASSERT_TRUE(box.Answer(IDOK));
  ASSERT_TRUE(install.SetReadOnly(L"MEMO_DATA.dat", true));

  PostMessageW(app.MainWindow(), WM_CLOSE, 0, 0);
  box = app.WaitForMessageBox();
  EXPECT_EQ(box.caption, L"致命的なエラーが発生しました。");
  EXPECT_EQ(box.text, SaveFailedNaming(L"MEMO_DATA.dat"));
  ASSERT_TRUE(box.Answer(IDOK));
  EXPECT_FALSE(app.Exited());
  EXPECT_TRUE(IsWindowVisible(app.MainWindow()));
  PickDay(day);
  EXPECT_EQ(Text(kTemperatureEditId), L"36.40");
  PickDay(TodayYmd());
  EXPECT_EQ(Text(kTemperatureEditId), L"36.90");

  ASSERT_TRUE(install.SetReadOnly(L"MEMO_DATA.dat", false));
  Close();
  EXPECT_EQ(install.ReadFile(L"TEMPERATURE_DATA.dat"),
            TemperatureLine(day, "36.40", 0) + TemperatureLine(TodayYmd(), "36.90", 0));
}

TEST_F(Screenshots, MainWindowInEachMode) {
  // Cycles ending today, so every mode has something to draw.
  const SampleRecords sample = SampleCycles(40, 0);
  ASSERT_TRUE(install.WriteFile(L"TEMPERATURE_DATA.dat", sample.temperatures));
  ASSERT_TRUE(install.WriteFile(L"WEIGHT_DATA.dat", sample.weights));
  Start();
  // Show the recorded weeks: scroll back a month.
  HWND chart = app.Control(kChartWindowId);
  const struct {
    int command;
    const wchar_t* file;
  } modes[] = {{kTemperatureModeCommand, L"main_temperature_mode.bmp"},
               {kWeightModeCommand, L"main_weight_mode.bmp"},
               {kPregnancyModeCommand, L"main_pregnancy_mode.bmp"}};
  for (const auto& mode : modes) {
    PostCommand(app.MainWindow(), mode.command);
    for (int i = 0; i < 30 && mode.command != kPregnancyModeCommand; ++i)
      PostMessageW(chart, WM_HSCROLL, SB_LINELEFT, 0);
    WaitForPostedMessages();
    const std::wstring path = app.Screenshot(app.MainWindow(), mode.file);
    EXPECT_FALSE(path.empty()) << mode.file;
  }
  Close();
}

}  // namespace
}  // namespace e2e
