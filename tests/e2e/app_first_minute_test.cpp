// A new user's first minute with the real program: the keys of the side panel pressed for real
// (SendInput), the question before typed input is dropped, the question about an implausible
// value in the panel, the log-on dialog and a CSV import, the delete question's preset answer,
// the small things of the print dialog, the panel and the legend, and the chart's line on the
// first start.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_fixture.h"
#include "print_pdf_support.h"

namespace e2e {
namespace {

using PanelKeys = AppTest;
using UnsavedInput = AppTest;
using ImplausibleValues = AppTest;
using SmallThings = AppTest;
using FirstStart = AppTest;

constexpr int kShiftStateCaptionId = 427;  // "体温の状態"
constexpr wchar_t kQuestionCaption[] = L"入力内容の確認";

// The text an edit has selected.
std::wstring SelectedText(HWND edit) {
  DWORD_PTR selection = 0;
  SendMessageTimeoutW(edit, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 5000, &selection);
  const std::wstring text = GetText(edit);
  const std::size_t from = LOWORD(selection), to = HIWORD(selection);
  return from <= to && to <= text.size() ? text.substr(from, to - from) : L"";
}

// Posts a click into a control, which gives it the focus.
void ClickInto(HWND control) {
  PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

// Tab, Shift+Tab and Enter in the panel, the buttons' Alt keys: all real key presses.
TEST_F(PanelKeys, EnterAltKeysAndTabWorkWithRealKeys) {
  const Ymd today = TodayYmd();
  Start();
  HWND main = app.MainWindow(), temperature = app.Control(kTemperatureEditId),
       weight = app.Control(kWeightEditId);
  ClickInto(temperature);
  ASSERT_TRUE(WaitUntil([&] { return app.FocusedControl() == temperature; }));
  PressKeys(main, {});  // the window in front for the typing below
  TypeNumber(L"36.5");
  ASSERT_TRUE(WaitUntil([&] { return GetText(temperature) == L"36.5"; })) << GetText(temperature);
  // Enter adds the day ("登録(&A)" is what a day without a record offers).
  PressKeys(main, {VK_RETURN});
  MessageBoxText box = app.WaitForMessageBox();
  EXPECT_EQ(box.text, DoneText(today, L"追加"));
  ASSERT_TRUE(box.Answer(IDOK));
  ASSERT_TRUE(WaitUntil([&] { return Enabled(kUpdateButtonId) && !Enabled(kAddButtonId); }));

  // Tab into the filled weight field selects its text, so typing replaces it; Shift+Tab goes
  // back and selects the temperature.
  ASSERT_TRUE(SetText(weight, L"52.0"));
  PressKeys(main, {VK_TAB});
  ASSERT_TRUE(WaitUntil([&] { return app.FocusedControl() == weight; }));
  EXPECT_EQ(SelectedText(weight), L"52.0");
  TypeNumber(L"53");
  ASSERT_TRUE(WaitUntil([&] { return GetText(weight) == L"53"; })) << GetText(weight);
  PressKeys(main, {VK_SHIFT, VK_TAB});
  ASSERT_TRUE(WaitUntil([&] { return app.FocusedControl() == temperature; }));
  EXPECT_EQ(SelectedText(temperature), L"36.50");
  // Enter now updates.
  PressKeys(main, {VK_RETURN});
  box = app.WaitForMessageBox();
  EXPECT_EQ(box.text, DoneText(today, L"更新"));
  ASSERT_TRUE(box.Answer(IDOK));

  // Alt+D asks, preset to いいえ: Enter keeps the day. Alt+A is off while the day has a record.
  PressKeys(main, {VK_MENU, 'D'});
  box = app.WaitForMessageBox();
  EXPECT_EQ(box.caption, L"データの削除が行われます。");
  EXPECT_EQ(box.DefaultButton(), IDNO);
  app.Screenshot(box.window, L"delete_question.bmp");
  PressKeys(box.window, {VK_RETURN});
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box.window); }));
  PressKeys(main, {VK_MENU, 'A'});
  WaitForPostedMessages();
  EXPECT_TRUE(app.NoMessageBox()) << "a disabled button was pressed by its key";
  EXPECT_EQ(install.ReadFile(L"WEIGHT_DATA.dat"), WeightLine(today, "53.0"));
  // Alt+M updates, Alt+D and はい delete.
  PressKeys(main, {VK_MENU, 'M'});
  ASSERT_TRUE(app.WaitForMessageBox().Answer(IDOK));
  PressKeys(main, {VK_MENU, 'D'});
  ASSERT_TRUE(app.WaitForMessageBox().Answer(IDYES));
  box = app.WaitForMessageBox();
  EXPECT_EQ(box.text, DoneText(today, L"削除"));
  ASSERT_TRUE(box.Answer(IDOK));
  ASSERT_TRUE(WaitUntil([&] { return Enabled(kAddButtonId); }));
  Close();
  EXPECT_EQ(install.ReadFile(L"TEMPERATURE_DATA.dat"), "");
}

// The Tab key walks the panel as it is read, both ways, with real key presses.
TEST_F(PanelKeys, TabAndShiftTabFollowTheScreen) {
  Start();
  HWND main = app.MainWindow();
  ClickInto(app.Control(kTemperatureEditId));
  ASSERT_TRUE(WaitUntil([&] { return app.FocusedControl() == app.Control(kTemperatureEditId); }));
  const struct {
    bool back;
    int to;
  } steps[] = {{false, kWeightEditId},        {false, kPeriodCheckId},      {false, kMemoEditId},
               {false, kMucusListId},         {false, kOvulationTestListId}, {false, kIntercourseCheckId},
               {false, kAddButtonId},         {false, kDatePickerId},       {true, kAddButtonId},
               {true, kIntercourseCheckId},   {true, kOvulationTestListId},  {true, kMucusListId},
               {true, kMemoEditId},           {true, kPeriodCheckId}};
  for (const auto& step : steps) {
    PressKeys(main, step.back ? std::vector<WORD>{VK_SHIFT, VK_TAB} : std::vector<WORD>{VK_TAB});
    HWND target = app.Control(step.to);
    EXPECT_TRUE(WaitUntil([&] {
      HWND focus = app.FocusedControl();
      return focus == target || (focus != nullptr && GetParent(focus) == target);
    })) << step.to;
  }
  Close();
}

// The log-on prompt comes up in front, the temperature field ready for typing.
TEST_F(PanelKeys, LogOnDialogOpensInFrontWithTheTemperatureFocused) {
  app = install.Launch(L"-startup");
  ASSERT_TRUE(app.Started());
  HWND dialog = app.WaitForDialog(kEntryDialogCaption);
  ASSERT_NE(dialog, nullptr);
  HWND temperature = GetDlgItem(dialog, kEntryTemperatureId);
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }));
  EXPECT_TRUE(WaitUntil([&] { return app.FocusedControl() == temperature; }));
  TypeNumber(L"36.4");  // to the window in front, brought there by nobody but the program
  EXPECT_TRUE(WaitUntil([&] { return GetText(temperature) == L"36.4"; })) << GetText(temperature);
  PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(app.WaitForExit(), 0u);
}

// Typed input and a day to leave for: a picked day, a clicked day, the close. The question's
// はい stores as the buttons offer, いいえ drops, キャンセル stays; a refused entry stays too.
TEST_F(UnsavedInput, AskedBeforeThePanelLeavesItsDay) {
  const Ymd yesterday = DaysFromToday(-1), before = DaysFromToday(-2), today = TodayYmd();
  ASSERT_TRUE(install.WriteFile(L"TEMPERATURE_DATA.dat", TemperatureLine(before, "36.40", 0)));
  Start();
  HWND temperature = app.Control(kTemperatureEditId), picker = app.Control(kDatePickerId);
  const auto shownDay = [&] {
    Ymd d;
    EXPECT_TRUE(app.GetDate(picker, d.year, d.month, d.day));
    return d;
  };

  // Picking yesterday with a value typed for today: キャンセル keeps today and the value.
  ASSERT_TRUE(SetText(temperature, L"36.6"));
  ASSERT_TRUE(app.SetDate(picker, yesterday.year, yesterday.month, yesterday.day, true));
  MessageBoxText box = app.WaitForMessageBox();
  EXPECT_EQ(box.caption, kQuestionCaption);
  EXPECT_EQ(box.text, kUnsavedInputText);
  app.Screenshot(box.window, L"unsaved_input_question.bmp");
  ASSERT_TRUE(box.Answer(IDCANCEL));
  EXPECT_TRUE(WaitUntil([&] { return SameDay(shownDay(), today); }));
  EXPECT_EQ(GetText(temperature), L"36.6");

  // A value that cannot be stored: はい shows the input error and the panel stays.
  ASSERT_TRUE(SetText(temperature, L"abc"));
  ASSERT_TRUE(app.SetDate(picker, yesterday.year, yesterday.month, yesterday.day, true));
  ASSERT_TRUE(app.WaitForMessageBox().Answer(IDYES));
  box = app.WaitForMessageBox();
  EXPECT_EQ(box.text, kTemperatureError);
  ASSERT_TRUE(box.Answer(IDOK));
  EXPECT_TRUE(WaitUntil([&] { return SameDay(shownDay(), today); }));
  EXPECT_EQ(GetText(temperature), L"abc");

  // はい adds today, then yesterday shows.
  ASSERT_TRUE(SetText(temperature, L"36.6"));
  ASSERT_TRUE(app.SetDate(picker, yesterday.year, yesterday.month, yesterday.day, true));
  ASSERT_TRUE(app.WaitForMessageBox().Answer(IDYES));
  box = app.WaitForMessageBox();
  EXPECT_EQ(box.text, DoneText(today, L"追加"));
  ASSERT_TRUE(box.Answer(IDOK));
  ASSERT_TRUE(WaitUntil([&] { return SameDay(shownDay(), yesterday) && GetText(temperature).empty(); }));

  // A sign picked counts as input: いいえ on a click of another day's column drops the mucus
  // level picked for yesterday. The chart opens on today: the day before yesterday is off to the
  // left, today the first column.
  SelectItem(app.Control(kMucusListId), 2);
  HWND chart = app.Control(kChartWindowId);
  RECT client{};
  GetClientRect(chart, &client);
  const int dayWidth = ((client.bottom - 1) - 30 - 45) / 22 / 2;
  PostMessageW(chart, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50 + dayWidth / 2, 200));
  PostMessageW(chart, WM_LBUTTONUP, 0, MAKELPARAM(50 + dayWidth / 2, 200));
  box = app.WaitForMessageBox();
  EXPECT_EQ(box.text, kUnsavedInputText);
  ASSERT_TRUE(box.Answer(IDNO));
  ASSERT_TRUE(WaitUntil([&] { return GetText(temperature) == L"36.60"; }));
  EXPECT_EQ(SelectedItem(app.Control(kMucusListId)), 0);

  // A change of settings shows the day again: what was typed stays in the field.
  ASSERT_TRUE(SetText(temperature, L"36.7"));
  PostCommand(app.MainWindow(), kBasicSettingsCommand);
  HWND settings = app.WaitForDialog(L"基本設定登録");
  ASSERT_NE(settings, nullptr);
  PostClick(GetDlgItem(settings, IDOK));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(settings); }));
  WaitForPostedMessages();
  EXPECT_EQ(GetText(temperature), L"36.7");

  // The close: キャンセル keeps the window; はい updates today and closes.
  PostMessageW(app.MainWindow(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(app.WaitForMessageBox().Answer(IDCANCEL));
  WaitForPostedMessages();
  EXPECT_FALSE(app.Exited());
  PostMessageW(app.MainWindow(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(app.WaitForMessageBox().Answer(IDYES));
  box = app.WaitForMessageBox();
  EXPECT_EQ(box.text, DoneText(today, L"更新"));
  ASSERT_TRUE(box.Answer(IDOK));
  EXPECT_EQ(app.WaitForExit(), 0u);
  EXPECT_EQ(install.ReadFile(L"TEMPERATURE_DATA.dat"),
            TemperatureLine(before, "36.40", 0) + TemperatureLine(today, "36.70", 0));
  EXPECT_FALSE(install.Exists(L"SIGNS_DATA.dat")) << "the dropped sign was stored";
}

// A temperature or weight outside what a body measures is named in a question, いいえ preset:
// in the panel (いいえ stores nothing, はい stores it as typed), in the log-on dialog (いいえ keeps
// it open) and, once for the whole file, in a CSV import.
TEST_F(ImplausibleValues, QuestionedBeforeTheyAreStored) {
  const Ymd today = TodayYmd(), yesterday = DaysFromToday(-1);
  Start();
  ASSERT_TRUE(SetText(app.Control(kTemperatureEditId), L"3.65"));
  MessageBoxText box = Press(kAddButtonId);
  EXPECT_EQ(box.caption, kQuestionCaption);
  EXPECT_EQ(box.text, L"36.5 ℃ のつもりで 3.65 と入力していませんか？\nこのまま登録しますか？");
  EXPECT_EQ(box.DefaultButton(), IDNO);
  app.Screenshot(box.window, L"implausible_value_question.bmp");
  ASSERT_TRUE(box.Answer(IDNO));
  EXPECT_TRUE(Enabled(kAddButtonId));
  box = Press(kAddButtonId);
  ASSERT_TRUE(box.Answer(IDYES));
  ASSERT_TRUE(app.WaitForMessageBox().Answer(IDOK));  // 追加されました
  ASSERT_TRUE(WaitUntil([&] { return Enabled(kUpdateButtonId); }));
  // The temperature now stored is not asked about again; a new weight is.
  ASSERT_TRUE(SetText(app.Control(kWeightEditId), L"8"));
  box = Press(kUpdateButtonId);
  EXPECT_EQ(box.text, L"80 ㎏ のつもりで 8 と入力していませんか？\nこのまま登録しますか？");
  ASSERT_TRUE(box.Answer(IDNO));

  // The CSV import asks once, listing the rows.
  ASSERT_TRUE(install.WriteFile(L"odd.csv", "日付,基礎体温,体重\n" + DateText(yesterday) + ",3.65,52.0\n"));
  PostCommand(app.MainWindow(), kCsvImportCommand);
  ASSERT_TRUE(app.ChooseFile(L"ファイルオープン！", install.PathOf(L"odd.csv")));
  box = app.WaitForMessageBox();
  EXPECT_EQ(box.text, L"CSVファイルの 1行に、通常の範囲を外れた値があります\n"
                      L"（基礎体温 35.00～42.00 ℃、体重 20.0～200.0 ㎏）。\n"
                      L"2行目: 基礎体温 3.65 ℃\nこのまま登録しますか？");
  app.Screenshot(box.window, L"implausible_csv_question.bmp");
  EXPECT_EQ(box.DefaultButton(), IDNO);
  ASSERT_TRUE(box.Answer(IDNO));
  WaitForPostedMessages();
  EXPECT_TRUE(app.NoMessageBox());
  CloseAnswering(IDNO);
  EXPECT_EQ(install.ReadFile(L"TEMPERATURE_DATA.dat"), TemperatureLine(today, "3.65", 0));
  EXPECT_EQ(install.ReadFile(L"WEIGHT_DATA.dat"), "");

  // The log-on dialog: いいえ keeps it open with the value, to be corrected.
  ASSERT_TRUE(install.WriteFile(L"TEMPERATURE_DATA.dat", ""));
  app = install.Launch(L"-startup");
  HWND dialog = app.WaitForDialog(kEntryDialogCaption);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(SetText(GetDlgItem(dialog, kEntryTemperatureId), L"45"));
  box = app.PressAndReadMessage(GetDlgItem(dialog, IDOK));
  EXPECT_EQ(box.text, L"基礎体温 45 ℃ は通常の範囲を外れています\n（35.00～42.00 ℃）。\nこのまま登録しますか？");
  ASSERT_TRUE(box.Answer(IDNO));
  EXPECT_TRUE(IsWindowVisible(dialog));
  ASSERT_TRUE(SetText(GetDlgItem(dialog, kEntryTemperatureId), L"36.45"));
  ASSERT_TRUE(app.PressAndReadMessage(GetDlgItem(dialog, IDOK)).Answer(IDOK));
  EXPECT_EQ(app.WaitForExit(), 0u);
  EXPECT_EQ(install.ReadFile(L"TEMPERATURE_DATA.dat"), TemperatureLine(today, "36.45", 0));
}

// The reading of the curve switched off hides its caption with its value; the legend carries
// the program's icon.
TEST_F(SmallThings, ShiftCaptionGoesWithItsValueAndTheLegendHasTheIcon) {
  Start();
  HWND caption = app.Control(kShiftStateCaptionId);
  EXPECT_TRUE(IsWindowVisible(caption));
  PostCommand(app.MainWindow(), kShowShiftCommand);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(caption); }));
  PostCommand(app.MainWindow(), kShowShiftCommand);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(caption) != FALSE; }));

  PostCommand(app.MainWindow(), kChartLegendCommand);
  HWND legend = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    const auto found = TopLevelWindows(app.Id(), L"TovelaLegend", L"", true);
    legend = found.empty() ? nullptr : found.front();
    return legend != nullptr;
  }));
  EXPECT_EQ(app.IconsOf(legend), L"icons 1 1\n");
  app.Screenshot(legend, L"legend_with_icon.bmp");
  Close();
}

// Each button of the print dialog has a key of its own.
TEST_F(SmallThings, PrintDialogButtonsHaveDifferentAccessKeys) {
  TOVELA_NEED_TEST_PRINTER();
  Start();
  PostCommand(app.MainWindow(), kPrintCommand);
  HWND dialog = app.WaitForDialog(L"グラフ印刷");
  ASSERT_NE(dialog, nullptr);
  std::vector<wchar_t> keys;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    const std::wstring text = GetText(child);
    const std::size_t amp = text.find(L'&');
    if (amp == std::wstring::npos || amp + 1 >= text.size()) continue;
    for (wchar_t key : keys) EXPECT_NE(key, text[amp + 1]) << "a second button with the key of " << text;
    keys.push_back(text[amp + 1]);
  }
  EXPECT_EQ(keys.size(), 3u);  // 印刷, プリンタ設定, キャンセル
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  Close();
}

// Pixels of the chart's text colour (black) in a band across the middle of the plot.
int TextPixelsAcrossThePlot(HWND chart) {
  int width = 0, height = 0;
  std::vector<unsigned char> pixels;
  if (!CaptureWindowPixels(chart, width, height, pixels)) return -1;
  int count = 0;
  const int plotLeft = 60, top = height / 2 - 15, bottom = height / 2 + 15;
  for (int y = top; y < bottom; ++y) {
    const unsigned char* row = pixels.data() + static_cast<std::size_t>(height - 1 - y) * width * 4;
    for (int x = plotLeft; x < width - 10; ++x)
      if (row[4 * x] < 60 && row[4 * x + 1] < 60 && row[4 * x + 2] < 60) ++count;
  }
  return count;
}

// The first start: the chart says how to begin, in one line across its middle, until the first
// temperature is recorded.
TEST_F(FirstStart, ChartSaysHowToBeginUntilTheFirstRecord) {
  Start();
  HWND chart = app.Control(kChartWindowId);
  SetForegroundWindow(app.MainWindow());
  app.Screenshot(app.MainWindow(), L"first_start_hint.bmp");
  const int withHint = TextPixelsAcrossThePlot(chart);
  EXPECT_GT(withHint, 200);
  ASSERT_TRUE(SetText(app.Control(kTemperatureEditId), L"36.50"));
  ASSERT_TRUE(Press(kAddButtonId).Answer(IDOK));
  ASSERT_TRUE(WaitUntil([&] { return Enabled(kUpdateButtonId); }));
  EXPECT_TRUE(WaitUntil([&] { return TextPixelsAcrossThePlot(chart) < withHint / 10; }))
      << TextPixelsAcrossThePlot(chart) << " text pixels remain of " << withHint;
  app.Screenshot(app.MainWindow(), L"first_start_after_the_first_record.bmp");
  Close();
}

}  // namespace
}  // namespace e2e
