// The basic settings dialog, the colour dialog and the start-up shortcut, driven from outside
// through the real program: accelerators and menu commands open the dialogs, their controls are
// worked like a user would, and the side panel, the chart and the saved files show the effect.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>
#include <shobjidl.h>

#include <cstdio>
#include <string>

#include "shortcut_reader_win.h"
#include "tovela_driver.h"

using namespace e2e;

namespace {

constexpr wchar_t kBasicCaption[] = L"基本設定登録";
constexpr wchar_t kRecolorCaption[] = L"色設定";
constexpr wchar_t kInputErrorCaption[] = L"入力エラーです。";

// Basic settings dialog controls.
constexpr int kTemperatureAuto = 602, kTemperatureManual = 603, kTemperatureEdit = 604;
constexpr int kWeightAuto = 606, kWeightManual = 607, kWeightEdit = 608;
constexpr int kCycleAuto = 610, kCycleManual = 611, kCycleEdit = 612;
// Colour dialog: the graph colour's swatch and button.
constexpr int kGraphSwatch = 511, kGraphButton = 518;
// The system colour dialog's red, green and blue edits.
constexpr int kChooserRed = 706, kChooserGreen = 707, kChooserBlue = 708;

std::string DateText(int year, int month, int day) {
  char text[32];
  std::snprintf(text, sizeof text, "%d/%d/%d", year, month, day);
  return text;
}

// Eight temperatures alternating 36.37 and 36.77 (mean 36.57, automatic floor 35.50) over the
// last 34 days, with period starts 29 days apart (automatic cycle 29); weights 50.0 and 52.0
// (automatic floor 46.0).
void WriteRecords(const TovelaInstall& install) {
  const int dayOffsets[] = {-33, -25, -18, -10, -4, -3, -1, 0};
  std::string temperatures;
  std::string weights;
  for (int i = 0; i < 8; ++i) {
    int y, m, d;
    Today(y, m, d);
    AddDays(y, m, d, dayOffsets[i]);
    const bool start = dayOffsets[i] == -33 || dayOffsets[i] == -4;
    temperatures += DateText(y, m, d) + (i % 2 == 0 ? ",36.37," : ",36.77,") + (start ? "1" : "0") +
                    "\r\n";
    if (i >= 6) weights += DateText(y, m, d) + (i == 6 ? ",50.0" : ",52.0") + "\r\n";
  }
  install.WriteFile(L"TEMPERATURE_DATA.dat", temperatures);
  install.WriteFile(L"WEIGHT_DATA.dat", weights);
}

HWND Item(HWND dialog, int id) { return GetDlgItem(dialog, id); }

bool WaitGone(HWND window) {
  return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); });
}

// Clicks a radio button and waits until the dialog has brought the row's edit up to date.
void ClickRadio(HWND dialog, int radio, int edit, bool editEnabled) {
  PostClick(Item(dialog, radio));
  EXPECT_TRUE(WaitUntil([&] {
    return IsChecked(Item(dialog, radio)) && (IsWindowEnabled(Item(dialog, edit)) != FALSE) == editEnabled;
  })) << "radio " << radio;
}

// Real key presses once the main window is in front (accelerators see only real input). A press
// that reached no window (the focus moved under load) is repeated; once the dialog is open a
// repeated press goes to the dialog, where it does nothing.
HWND OpenByKeys(TovelaProcess& app, const std::vector<WORD>& keys, const wchar_t* caption) {
  HWND main = app.MainWindow();
  for (int attempt = 0; attempt < 3; ++attempt) {
    SetForegroundWindow(main);
    WaitUntil([&] { return GetForegroundWindow() == main; }, 5s);
    PressKeys(main, keys);
    if (HWND dialog = app.WaitForDialog(caption, 7s)) return dialog;
  }
  return nullptr;
}

// The colour of the screen pixel at the middle of a control, or CLR_INVALID.
COLORREF ScreenColourAt(HWND control) {
  RECT rc{};
  if (!GetWindowRect(control, &rc)) return CLR_INVALID;
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
  ReleaseDC(nullptr, screen);
  return colour;
}

// Whether any pixel of the window's screen area has the colour.
bool ScreenAreaHolds(HWND window, COLORREF colour) {
  int width = 0, height = 0;
  std::vector<unsigned char> pixels;
  if (!CaptureWindowPixels(window, width, height, pixels)) return false;
  for (std::size_t i = 0; i + 3 < pixels.size(); i += 4)  // blue, green, red, alpha
    if (RGB(pixels[i + 2], pixels[i + 1], pixels[i]) == colour) return true;
  return false;
}

bool SwatchShows(HWND dialog, int swatch, COLORREF colour) {
  SetForegroundWindow(dialog);
  return WaitUntil([&] { return ScreenColourAt(Item(dialog, swatch)) == colour; }, 10s);
}

// The system colour dialog of the process: a visible #32770 that is not the colour dialog.
HWND WaitForColourChooser(const TovelaProcess& app) {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND w : TopLevelWindows(app.Id(), L"#32770", L"", true)) {
      if (GetText(w) != kRecolorCaption && GetDlgItem(w, kChooserRed) != nullptr) {
        found = w;
        return true;
      }
    }
    return false;
  });
  return found;
}

// Picks a colour in the system colour dialog by its red, green and blue edits and confirms.
bool PickColour(const TovelaProcess& app, HWND recolor, int button, int r, int g, int b) {
  PostClick(Item(recolor, button));
  HWND chooser = WaitForColourChooser(app);
  if (chooser == nullptr) return false;
  SetText(Item(chooser, kChooserRed), std::to_wstring(r));
  SetText(Item(chooser, kChooserGreen), std::to_wstring(g));
  SetText(Item(chooser, kChooserBlue), std::to_wstring(b));
  PostClick(Item(chooser, IDOK));
  return WaitGone(chooser);
}

// The closed colour dialog covered part of the chart, and its red swatch stays on the screen
// until the program repaints the area it uncovered, which it does only when its queue is empty.
// So the chart is sampled until that repaint: true once no red is left (a chart drawn in red keeps
// it and fails).
bool ChartLosesTheDialogsRed(HWND chart) {
  return WaitUntil([&] { return !ScreenAreaHolds(chart, RGB(255, 0, 0)); }, 10s);
}

// Returns once the command the main window is running (its dialog already gone) has ended: a
// sent message is handled only when the thread is back in a message loop. It is no barrier for a
// command still waiting in the queue: a message loop answers sent messages ahead of the posted
// ones, so a command posted just before may not have started yet. Use RunCommand for that.
void WaitForCommandEnd(HWND main) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_BLOCK, 20000, &ignored);
}

// Sends a menu command and returns once the main window has finished handling it.
void RunCommand(HWND main, int id) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(main, WM_COMMAND, MAKEWPARAM(id, 0), 0, SMTO_BLOCK, 20000, &ignored);
}

void CloseBox(HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }

int StartupShortcutCount() {
  const std::wstring path = StartupShortcutPath();
  const std::wstring pattern = path.substr(0, path.rfind(L'\\')) + L"\\Tovela*.lnk";
  WIN32_FIND_DATAW found;
  HANDLE h = FindFirstFileW(pattern.c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do ++count;
  while (FindNextFileW(h, &found));
  FindClose(h);
  return count;
}

using test_support::ReadShortcut;
using test_support::ShortcutFields;

// A path in one spelling: long names, lower case, no trailing separator.
std::wstring Canonical(const std::wstring& path) {
  wchar_t full[MAX_PATH * 2] = {};
  std::wstring result = path;
  if (GetLongPathNameW(path.c_str(), full, MAX_PATH * 2) != 0) result = full;
  while (!result.empty() && result.back() == L'\\') result.pop_back();
  for (wchar_t& c : result) c = static_cast<wchar_t>(towlower(c));
  return result;
}

class DialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(install_.Ready());
    WriteRecords(install_);
  }
  HWND Start() {
    app_ = install_.Launch();
    HWND main = app_.WaitForMainWindow();
    EXPECT_NE(main, nullptr);
    return main;
  }

  TovelaInstall install_;
  TovelaProcess app_;
};

}  // namespace

TEST_F(DialogsTest, BasicSettingsByAcceleratorShowsTheValuesInForce) {
  ASSERT_NE(Start(), nullptr);
  HWND dialog = OpenByKeys(app_, {VK_CONTROL, 'B'}, kBasicCaption);
  ASSERT_NE(dialog, nullptr) << "Ctrl+B opens the basic settings dialog";

  EXPECT_TRUE(IsChecked(Item(dialog, kTemperatureAuto)));
  EXPECT_FALSE(IsChecked(Item(dialog, kTemperatureManual)));
  EXPECT_FALSE(IsWindowEnabled(Item(dialog, kTemperatureEdit)));
  EXPECT_EQ(GetText(Item(dialog, kTemperatureEdit)), L"35.50");
  EXPECT_TRUE(IsChecked(Item(dialog, kWeightAuto)));
  EXPECT_FALSE(IsWindowEnabled(Item(dialog, kWeightEdit)));
  EXPECT_EQ(GetText(Item(dialog, kWeightEdit)), L"46.0");
  EXPECT_TRUE(IsChecked(Item(dialog, kCycleAuto)));
  EXPECT_FALSE(IsWindowEnabled(Item(dialog, kCycleEdit))) << "greyed, yet filled";
  EXPECT_EQ(GetText(Item(dialog, kCycleEdit)), L"29");
  app_.Screenshot(dialog, L"dialogs_basic_settings.bmp");

  // The radio buttons grey and enable their row's edit at once.
  ClickRadio(dialog, kWeightManual, kWeightEdit, true);
  ClickRadio(dialog, kWeightAuto, kWeightEdit, false);

  PostClick(Item(dialog, IDCANCEL));
  EXPECT_TRUE(WaitGone(dialog));
  EXPECT_TRUE(app_.NoMessageBox());
  EXPECT_TRUE(app_.CloseAndWait());
  EXPECT_EQ(install_.IniValue(L"TemperatureCalcType"), L"0");
  EXPECT_EQ(install_.IniValue(L"MinTemperature"), L"35.50");
  EXPECT_EQ(install_.IniValue(L"PeriodCycle"), L"29");
}

TEST_F(DialogsTest, BasicSettingsConfirmedByMenuReachPanelChartAndSettingsFile) {
  ASSERT_NE(Start(), nullptr);
  EXPECT_TRUE(WaitUntil([&] { return GetText(app_.Control(kCycleValueId)) == L"29"; }));
  PostCommand(app_.MainWindow(), kBasicSettingsCommand);
  HWND dialog = app_.WaitForDialog(kBasicCaption);
  ASSERT_NE(dialog, nullptr);

  ClickRadio(dialog, kTemperatureManual, kTemperatureEdit, true);
  SetText(Item(dialog, kTemperatureEdit), L"35.00");
  ClickRadio(dialog, kCycleManual, kCycleEdit, true);
  SetText(Item(dialog, kCycleEdit), L"30");
  PostClick(Item(dialog, IDOK));
  ASSERT_TRUE(WaitGone(dialog));
  EXPECT_TRUE(app_.NoMessageBox());

  // The side panel shows the typed cycle at once.
  EXPECT_TRUE(WaitUntil([&] { return GetText(app_.Control(kCycleValueId)) == L"30"; }))
      << "cycle shown: " << testing::PrintToString(GetText(app_.Control(kCycleValueId)));
  // The next period follows the typed cycle: the last start (4 days ago) plus 30 days.
  int y, m, d;
  Today(y, m, d);
  AddDays(y, m, d, -4 + 30);
  const std::wstring nextPeriod = std::to_wstring(m) + L"月" + std::to_wstring(d) + L"日";
  EXPECT_EQ(GetText(app_.Control(kNextPeriodValueId)), nextPeriod);
  EXPECT_FALSE(app_.Screenshot(app_.MainWindow(), L"dialogs_basic_settings_applied.bmp").empty());

  // The next opening shows what was confirmed.
  PostCommand(app_.MainWindow(), kBasicSettingsCommand);
  dialog = app_.WaitForDialog(kBasicCaption);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(IsChecked(Item(dialog, kTemperatureManual)));
  EXPECT_TRUE(IsWindowEnabled(Item(dialog, kTemperatureEdit)));
  EXPECT_EQ(GetText(Item(dialog, kTemperatureEdit)), L"35.00");
  EXPECT_EQ(GetText(Item(dialog, kCycleEdit)), L"30");
  CloseBox(dialog);
  ASSERT_TRUE(WaitGone(dialog));

  ASSERT_TRUE(app_.CloseAndWait());
  EXPECT_EQ(install_.IniValue(L"TemperatureCalcType"), L"1");
  EXPECT_EQ(install_.IniValue(L"MinTemperature"), L"35.00");
  EXPECT_EQ(install_.IniValue(L"PeriodCalcType"), L"1");
  EXPECT_EQ(install_.IniValue(L"PeriodCycle"), L"30");
  // The weight row stayed automatic: its floor is written from the statistics.
  EXPECT_EQ(install_.IniValue(L"WeightCalcType"), L"0");
  EXPECT_EQ(install_.IniValue(L"MinWeight"), L"46.0");
}

TEST_F(DialogsTest, BasicSettingsRefusesAnUnstorableWeightAndKeepsTheDialogOpen) {
  ASSERT_NE(Start(), nullptr);
  PostCommand(app_.MainWindow(), kBasicSettingsCommand);
  HWND dialog = app_.WaitForDialog(kBasicCaption);
  ASSERT_NE(dialog, nullptr);

  ClickRadio(dialog, kTemperatureManual, kTemperatureEdit, true);
  SetText(Item(dialog, kTemperatureEdit), L"36.00");
  ClickRadio(dialog, kWeightManual, kWeightEdit, true);
  SetText(Item(dialog, kWeightEdit), L"1e999");
  MessageBoxText box = app_.PressAndReadMessage(Item(dialog, IDOK));
  ASSERT_TRUE(box);
  EXPECT_EQ(box.caption, kInputErrorCaption);
  EXPECT_EQ(box.text, L"体重の入力に誤りがあります。\n正しく入力してください。");
  ASSERT_TRUE(box.Answer(IDOK));
  EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog stays open";

  SetText(Item(dialog, kWeightEdit), L"0");
  box = app_.PressAndReadMessage(Item(dialog, IDOK));
  ASSERT_TRUE(box);
  EXPECT_EQ(box.text, L"体重の入力に誤りがあります。\n正しく入力してください。");
  ASSERT_TRUE(box.Answer(IDOK));

  PostClick(Item(dialog, IDCANCEL));
  ASSERT_TRUE(WaitGone(dialog));

  // The attempt set the temperature row to manual but put its number back.
  PostCommand(app_.MainWindow(), kBasicSettingsCommand);
  dialog = app_.WaitForDialog(kBasicCaption);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(IsChecked(Item(dialog, kTemperatureManual)));
  EXPECT_EQ(GetText(Item(dialog, kTemperatureEdit)), L"35.50");
  EXPECT_EQ(GetText(Item(dialog, kWeightEdit)), L"46.0");
  PostClick(Item(dialog, IDCANCEL));
  ASSERT_TRUE(WaitGone(dialog));

  // Cancelled: nothing reached the stores.
  ASSERT_TRUE(app_.CloseAndWait());
  EXPECT_EQ(install_.IniValue(L"TemperatureCalcType"), L"0");
  EXPECT_EQ(install_.IniValue(L"MinTemperature"), L"35.50") << "not the 36.00 typed and refused";
  EXPECT_EQ(install_.IniValue(L"WeightCalcType"), L"0");
  EXPECT_EQ(install_.IniValue(L"MinWeight"), L"46.0");
}

TEST_F(DialogsTest, ColourCancelKeepsTheChartAndTheCloseBoxKeepsThePick) {
  install_.WriteFile(L"Tovela.ini", "[Tovela]\r\nGraphColor=0,0,0\r\n");
  ASSERT_NE(Start(), nullptr);
  const COLORREF red = RGB(255, 0, 0);
  const COLORREF black = RGB(0, 0, 0);

  HWND dialog = OpenByKeys(app_, {VK_CONTROL, VK_SHIFT, 'C'}, kRecolorCaption);
  ASSERT_NE(dialog, nullptr) << "Ctrl+Shift+C opens the colour dialog";
  EXPECT_TRUE(SwatchShows(dialog, kGraphSwatch, black));
  app_.Screenshot(dialog, L"dialogs_recolor_before.bmp");

  // Pick red, then キャンセル: the next opening shows black again.
  ASSERT_TRUE(PickColour(app_, dialog, kGraphButton, 255, 0, 0));
  EXPECT_TRUE(SwatchShows(dialog, kGraphSwatch, red)) << "the swatch repaints with the pick";
  PostClick(Item(dialog, IDCANCEL));
  ASSERT_TRUE(WaitGone(dialog));
  WaitForCommandEnd(app_.MainWindow());
  HWND chart = app_.Control(kChartWindowId);
  SetForegroundWindow(app_.MainWindow());
  EXPECT_TRUE(WaitUntil([&] { return ScreenAreaHolds(chart, black); }, 10s));
  EXPECT_TRUE(ChartLosesTheDialogsRed(chart)) << "the chart keeps its colours";
  PostCommand(app_.MainWindow(), kColorsCommand);
  dialog = app_.WaitForDialog(kRecolorCaption);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(SwatchShows(dialog, kGraphSwatch, black));

  // Pick red, then the close box: the pick shows at the next opening.
  ASSERT_TRUE(PickColour(app_, dialog, kGraphButton, 255, 0, 0));
  CloseBox(dialog);
  ASSERT_TRUE(WaitGone(dialog));
  WaitForCommandEnd(app_.MainWindow());
  SetForegroundWindow(app_.MainWindow());
  EXPECT_TRUE(WaitUntil([&] { return ScreenAreaHolds(chart, black); }, 10s));
  EXPECT_TRUE(ChartLosesTheDialogsRed(chart)) << "the chart keeps its colours";
  PostCommand(app_.MainWindow(), kColorsCommand);
  dialog = app_.WaitForDialog(kRecolorCaption);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(SwatchShows(dialog, kGraphSwatch, red));
  EXPECT_FALSE(app_.Screenshot(dialog, L"dialogs_recolor_kept_pick.bmp").empty());

  // The system dialog opens preset to the row's colour; cancelling it changes nothing.
  PostClick(Item(dialog, kGraphButton));
  HWND chooser = WaitForColourChooser(app_);
  ASSERT_NE(chooser, nullptr);
  EXPECT_EQ(GetText(Item(chooser, kChooserRed)), L"255");
  EXPECT_EQ(GetText(Item(chooser, kChooserGreen)), L"0");
  EXPECT_EQ(GetText(Item(chooser, kChooserBlue)), L"0");
  EXPECT_TRUE(IsWindowVisible(Item(chooser, kChooserRed))) << "opened fully expanded";
  SetText(Item(chooser, kChooserGreen), L"255");
  PostClick(Item(chooser, IDCANCEL));
  ASSERT_TRUE(WaitGone(chooser));
  EXPECT_TRUE(SwatchShows(dialog, kGraphSwatch, red));
  CloseBox(dialog);
  ASSERT_TRUE(WaitGone(dialog));

  // Neither took effect: the chart's colour, saved at close, is still black.
  ASSERT_TRUE(app_.CloseAndWait());
  EXPECT_EQ(install_.IniValue(L"GraphColor"), L"0,0,0");
}

TEST_F(DialogsTest, ColourConfirmedRecoloursTheChartAndIsSaved) {
  ASSERT_NE(Start(), nullptr);
  PostCommand(app_.MainWindow(), kColorsCommand);
  HWND dialog = app_.WaitForDialog(kRecolorCaption);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(PickColour(app_, dialog, kGraphButton, 0, 0, 255));
  EXPECT_TRUE(SwatchShows(dialog, kGraphSwatch, RGB(0, 0, 255)));
  PostClick(Item(dialog, IDOK));
  ASSERT_TRUE(WaitGone(dialog));

  // The chart is redrawn at once with the new curve colour: some pixel of the chart is blue.
  HWND chart = app_.Control(kChartWindowId);
  ASSERT_NE(chart, nullptr);
  EXPECT_FALSE(app_.Screenshot(app_.MainWindow(), L"dialogs_recolor_applied.bmp").empty());
  EXPECT_TRUE(WaitUntil([&] { return ScreenAreaHolds(chart, RGB(0, 0, 255)); }, 10s));

  ASSERT_TRUE(app_.CloseAndWait());
  EXPECT_EQ(install_.IniValue(L"GraphColor"), L"0,0,255");
}

TEST_F(DialogsTest, ShortcutCommandWritesOneStartupShortcutToTheProgram) {
  const std::wstring lnk = StartupShortcutPath();
  ASSERT_FALSE(lnk.empty());
  DeleteFileW(lnk.c_str());
  ASSERT_NE(Start(), nullptr);

  PostCommand(app_.MainWindow(), kShortcutCommand);
  ASSERT_TRUE(WaitUntil([&] { return FileExists(lnk); }));
  // The second command rewrites the shortcut; it is read back only after that command's end.
  RunCommand(app_.MainWindow(), kShortcutCommand);
  EXPECT_EQ(StartupShortcutCount(), 1);
  EXPECT_TRUE(app_.NoMessageBox()) << "the command reports nothing";

  const ShortcutFields f = ReadShortcut(lnk);
  // Never leave a log-on entry behind in the test prefix.
  DeleteFileW(lnk.c_str());
  ASSERT_TRUE(f.loaded);
  EXPECT_EQ(Canonical(f.target), Canonical(install_.PathOf(L"Tovela.exe")));
  EXPECT_EQ(f.arguments, L"-startup");
  EXPECT_EQ(Canonical(f.workingDirectory), Canonical(install_.Folder()));
  EXPECT_EQ(f.description, L"Tovelaのスタートアップ起動");
  EXPECT_TRUE(app_.CloseAndWait());
}
