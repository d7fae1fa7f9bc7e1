// Adding, updating and deleting a day through the side panel and the entry dialog of the real
// program, with the message boxes it shows and the files it writes.
#include <gtest/gtest.h>

#include "app_fixture.h"

namespace e2e {
namespace {

using SidePanel = AppTest;
using EntryDialog = AppTest;

TEST_F(SidePanel, AddUpdateAndDeleteADayWithTheirMessages) {
  const Ymd day = DaysFromToday(-2);
  const Ymd other = DaysFromToday(-40);
  ASSERT_TRUE(install.WriteFile(L"TEMPERATURE_DATA.dat", TemperatureLine(other, "36.30", 1)));
  Start();
  PickDay(day);
  EXPECT_TRUE(Enabled(kAddButtonId));
  EXPECT_FALSE(Enabled(kUpdateButtonId));

  // Add.
  ASSERT_TRUE(SetText(app.Control(kTemperatureEditId), L"36.70"));
  ASSERT_TRUE(SetText(app.Control(kWeightEditId), L"50.2"));
  ASSERT_TRUE(SetText(app.Control(kMemoEditId), L"よく眠れた"));
  SetChecked(app.Control(kPeriodCheckId), true);
  MessageBoxText box = Press(kAddButtonId);
  EXPECT_EQ(box.caption, kDoneCaption);
  EXPECT_EQ(box.text, DoneText(day, L"追加"));
  ASSERT_TRUE(box.Answer(IDOK));
  // The panel is refreshed field by field, its delete button last: wait for that one.
  ASSERT_TRUE(WaitUntil([&] { return Enabled(kDeleteButtonId); }));
  EXPECT_FALSE(Enabled(kAddButtonId));
  EXPECT_TRUE(Enabled(kUpdateButtonId));
  EXPECT_EQ(Text(kTemperatureEditId), L"36.70");
  EXPECT_EQ(Text(kAverageValueId), L"36.50");  // (36.30 + 36.70) / 2

  // Update: weight and memo emptied remove their records, the temperature changes.
  ASSERT_TRUE(SetText(app.Control(kTemperatureEditId), L"36.80"));
  ASSERT_TRUE(SetText(app.Control(kWeightEditId), L""));
  ASSERT_TRUE(SetText(app.Control(kMemoEditId), L""));
  box = Press(kUpdateButtonId);
  EXPECT_EQ(box.caption, kDoneCaption);
  EXPECT_EQ(box.text, DoneText(day, L"更新"));
  ASSERT_TRUE(box.Answer(IDOK));
  ASSERT_TRUE(WaitUntil([&] { return Text(kAverageValueId) == L"36.55"; }));
  EXPECT_EQ(Text(kWeightEditId), L"");
  EXPECT_EQ(Text(kMemoEditId), L"");

  // Delete answered No changes nothing.
  box = Press(kDeleteButtonId);
  EXPECT_EQ(box.caption, L"データの削除が行われます。");
  EXPECT_EQ(box.text, WideText(DateText(day)) + L"のデータを削除します。\n宜しいですか？");
  ASSERT_TRUE(box.Answer(IDNO));
  EXPECT_TRUE(app.NoMessageBox());
  EXPECT_EQ(Text(kTemperatureEditId), L"36.80");

  // Close and look at the files, then start again for the delete.
  Close();
  EXPECT_EQ(install.ReadFile(L"TEMPERATURE_DATA.dat"),
            TemperatureLine(other, "36.30", 1) + TemperatureLine(day, "36.80", 1));
  EXPECT_EQ(install.ReadFile(L"WEIGHT_DATA.dat"), "");
  EXPECT_EQ(install.ReadFile(L"MEMO_DATA.dat"), "");

  ASSERT_TRUE(install.WriteFile(L"WEIGHT_DATA.dat", WeightLine(day, "50.0")));
  ASSERT_TRUE(install.WriteFile(L"MEMO_DATA.dat", MemoLine(day, L"メモ")));
  Start();
  PickDay(day);
  EXPECT_EQ(Text(kWeightEditId), L"50.0");
  EXPECT_EQ(Text(kMemoEditId), L"メモ");
  box = Press(kDeleteButtonId);
  ASSERT_TRUE(box.Answer(IDYES));
  box = app.WaitForMessageBox();
  EXPECT_EQ(box.caption, kDoneCaption);
  EXPECT_EQ(box.text, DoneText(day, L"削除"));
  ASSERT_TRUE(box.Answer(IDOK));
  ASSERT_TRUE(WaitUntil([&] { return Enabled(kAddButtonId); }));
  EXPECT_EQ(Text(kTemperatureEditId), L"");
  Close();
  EXPECT_EQ(install.ReadFile(L"TEMPERATURE_DATA.dat"), TemperatureLine(other, "36.30", 1));
  EXPECT_EQ(install.ReadFile(L"WEIGHT_DATA.dat"), "");
  EXPECT_EQ(install.ReadFile(L"MEMO_DATA.dat"), "");
}

TEST_F(SidePanel, FutureDayAndCommaAreRefusedWithTheirMessages) {
  Start();
  PickDay(DaysFromToday(1));
  ASSERT_TRUE(SetText(app.Control(kTemperatureEditId), L"36.50"));
  MessageBoxText box = Press(kAddButtonId);
  EXPECT_EQ(box.caption, kInputErrorCaption);
  EXPECT_EQ(box.text, L"未来の日付に対する入力は出来ません。\n正しく入力してください。");
  ASSERT_TRUE(box.Answer(IDOK));

  // The refused value is still in the panel: dropped at the question.
  PickDay(TodayYmd(), IDNO);
  ASSERT_TRUE(SetText(app.Control(kTemperatureEditId), L"36.50"));
  ASSERT_TRUE(SetText(app.Control(kMemoEditId), L"a,b"));
  box = Press(kAddButtonId);
  EXPECT_EQ(box.text, L"基礎体温の入力に誤りがあります。\n「,」（半角カンマ）は入力できません。\n正しく入力してください。");
  ASSERT_TRUE(box.Answer(IDOK));
  EXPECT_TRUE(Enabled(kAddButtonId));
  CloseAnswering(IDNO);
  EXPECT_EQ(install.ReadFile(L"TEMPERATURE_DATA.dat"), "");
}

TEST_F(SidePanel, NumbersThatCannotBeStoredAreRefusedAndTheFilesReloadIdentically) {
  const Ymd day = DaysFromToday(-1);
  const std::string temperatures = TemperatureLine(DaysFromToday(-3), "36.45", 1);
  const std::string weights = WeightLine(DaysFromToday(-3), "48.5");
  const std::string memos = MemoLine(DaysFromToday(-3), L"記録");
  ASSERT_TRUE(install.WriteFile(L"TEMPERATURE_DATA.dat", temperatures));
  ASSERT_TRUE(install.WriteFile(L"WEIGHT_DATA.dat", weights));
  ASSERT_TRUE(install.WriteFile(L"MEMO_DATA.dat", memos));
  Start();
  PickDay(day);
  for (const wchar_t* text : {L"inf", L"150", L"-36.5", L"nan", L"1e999", L""}) {
    ASSERT_TRUE(SetText(app.Control(kTemperatureEditId), text));
    const MessageBoxText box = Press(kAddButtonId);
    EXPECT_EQ(box.caption, kInputErrorCaption) << text;
    EXPECT_EQ(box.text, kTemperatureError) << text;
    ASSERT_TRUE(box.Answer(IDOK));
  }
  ASSERT_TRUE(SetText(app.Control(kTemperatureEditId), L"36.5"));
  for (const wchar_t* text : {L"-50", L"1000", L"inf"}) {
    ASSERT_TRUE(SetText(app.Control(kWeightEditId), text));
    const MessageBoxText box = Press(kAddButtonId);
    EXPECT_EQ(box.text, kWeightError) << text;
    ASSERT_TRUE(box.Answer(IDOK));
  }
  EXPECT_TRUE(Enabled(kAddButtonId));
  CloseAnswering(IDNO);
  EXPECT_EQ(install.ReadFile(L"TEMPERATURE_DATA.dat"), temperatures);
  EXPECT_EQ(install.ReadFile(L"WEIGHT_DATA.dat"), weights);
  EXPECT_EQ(install.ReadFile(L"MEMO_DATA.dat"), memos);

  // The next start loads the same records back and the next close writes the same bytes.
  Start();
  PickDay(DaysFromToday(-3));
  EXPECT_EQ(Text(kTemperatureEditId), L"36.45");
  EXPECT_EQ(Text(kWeightEditId), L"48.5");
  EXPECT_EQ(Text(kMemoEditId), L"記録");
  EXPECT_TRUE(IsChecked(app.Control(kPeriodCheckId)));
  Close();
  EXPECT_EQ(install.ReadFile(L"TEMPERATURE_DATA.dat"), temperatures);
  EXPECT_EQ(install.ReadFile(L"WEIGHT_DATA.dat"), weights);
  EXPECT_EQ(install.ReadFile(L"MEMO_DATA.dat"), memos);
}

TEST_F(SidePanel, MemoFieldTakesAtMost99Characters) {
  Start();
  // A pasted or typed text stops at the limit; WM_SETTEXT is not limited, so type it.
  HWND memo = app.Control(kMemoEditId);
  for (int i = 0; i < 120; ++i) PostMessageW(memo, WM_CHAR, L'あ', 0);
  ASSERT_TRUE(WaitUntil([&] { return GetText(memo).size() >= 99; }));
  PostMessageW(memo, WM_CHAR, L'x', 0);
  ASSERT_TRUE(SetText(app.Control(kTemperatureEditId), L"36.5"));
  const MessageBoxText box = Press(kAddButtonId);
  EXPECT_EQ(box.caption, kDoneCaption);
  ASSERT_TRUE(box.Answer(IDOK));
  EXPECT_EQ(GetText(memo).size(), 99u);
  Close();
  const Ymd today = TodayYmd();
  EXPECT_EQ(install.ReadFile(L"MEMO_DATA.dat"), MemoLine(today, std::wstring(99, L'あ')));
}

TEST_F(SidePanel, ClickOnADayColumnShowsThatDayAndADayLineChangesNothing) {
  const Ymd today = TodayYmd();
  const Ymd tomorrow = DaysFromToday(1);
  ASSERT_TRUE(install.WriteFile(L"TEMPERATURE_DATA.dat", TemperatureLine(today, "36.66", 0)));
  Start();
  HWND chart = app.Control(kChartWindowId);
  ASSERT_NE(chart, nullptr);
  // Today is the first column: plot left is 50; each column is a day width wide. Find the day
  // width from two clicks: the first column's middle shows today.
  EXPECT_EQ(Text(kTemperatureEditId), L"36.66");
  PickDay(DaysFromToday(-10));
  EXPECT_EQ(Text(kTemperatureEditId), L"");

  RECT client{};
  GetClientRect(chart, &client);
  // Row height = (bottom - 1 - 30 - 45) / 22 in temperature mode, day width half of it.
  const int rowHeight = ((client.bottom - 1) - 30 - 45) / 22;
  const int dayWidth = rowHeight / 2;
  ASSERT_GT(dayWidth, 2);
  // Showing a day rewrites the average's label: a mark there tells that it happened.
  HWND edit = app.Control(kTemperatureEditId), mark = app.Control(kAverageValueId);
  ASSERT_TRUE(SetText(mark, L"#"));
  PostMessageW(chart, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50 + dayWidth / 2, 200));
  PostMessageW(chart, WM_LBUTTONUP, 0, MAKELPARAM(50 + dayWidth / 2, 200));
  ASSERT_TRUE(WaitUntil([&] { return GetText(edit) == L"36.66"; }));
  int y = 0, m = 0, d = 0;
  ASSERT_TRUE(app.GetDate(app.Control(kDatePickerId), y, m, d));
  EXPECT_EQ(d, today.day);

  // The second column (tomorrow) empties the fields.
  ASSERT_TRUE(SetText(mark, L"#"));
  PostMessageW(chart, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50 + dayWidth + dayWidth / 2, 200));
  ASSERT_TRUE(WaitUntil([&] { return GetText(mark) != L"#"; }));
  EXPECT_EQ(GetText(edit), L"");
  ASSERT_TRUE(app.GetDate(app.Control(kDatePickerId), y, m, d));
  EXPECT_EQ(d, tomorrow.day);

  // The line between them hits no column: the panel keeps what it shows.
  ASSERT_TRUE(SetText(mark, L"#"));
  PostMessageW(chart, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50 + dayWidth, 200));
  // Then a click left of the plot: no column either. The picker must still show tomorrow.
  PostMessageW(chart, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 200));
  WaitForPostedMessages();
  EXPECT_EQ(GetText(mark), L"#");
  ASSERT_TRUE(app.GetDate(app.Control(kDatePickerId), y, m, d));
  EXPECT_EQ(d, tomorrow.day);
  Close();
}

TEST_F(EntryDialog, RefusesTemperaturesThatCannotBeStoredAndStoresNothing) {
  app = install.Launch(L"-startup");
  ASSERT_TRUE(app.Started());
  HWND dialog = app.WaitForDialog(kEntryDialogCaption);
  ASSERT_NE(dialog, nullptr);
  for (const wchar_t* text : {L"inf", L"150", L"0", L"abc", L"1e999", L"-36"}) {
    ASSERT_TRUE(SetText(GetDlgItem(dialog, kEntryTemperatureId), text));
    const MessageBoxText box = app.PressAndReadMessage(GetDlgItem(dialog, IDOK));
    EXPECT_EQ(box.caption, kInputErrorCaption) << text;
    EXPECT_EQ(box.text, kTemperatureError) << text;
    ASSERT_TRUE(box.Answer(IDOK));
    EXPECT_TRUE(IsWindowVisible(dialog));
  }
  ASSERT_TRUE(SetText(GetDlgItem(dialog, kEntryTemperatureId), L"36.5"));
  ASSERT_TRUE(SetText(GetDlgItem(dialog, kEntryWeightId), L"-5"));
  MessageBoxText box = app.PressAndReadMessage(GetDlgItem(dialog, IDOK));
  EXPECT_EQ(box.text, kWeightError);
  ASSERT_TRUE(box.Answer(IDOK));

  // The close box cancels: nothing is stored, the run saves and ends.
  PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(app.WaitForExit(), 0u);
  EXPECT_EQ(install.ReadFile(L"TEMPERATURE_DATA.dat"), "");
  EXPECT_EQ(install.ReadFile(L"WEIGHT_DATA.dat"), "");
}

TEST_F(EntryDialog, ReadsFiveCharactersOfTheTemperatureAndAcceptsAFullWidthComma) {
  app = install.Launch(L"-startup");
  ASSERT_TRUE(app.Started());
  HWND dialog = app.WaitForDialog(kEntryDialogCaption);
  ASSERT_NE(dialog, nullptr);
  app.Screenshot(dialog, L"entry_dialog.bmp");
  // The memo field stops at the 99 characters a memo holds.
  HWND memo = GetDlgItem(dialog, kEntryMemoId);
  for (int i = 0; i < 105; ++i) PostMessageW(memo, WM_CHAR, L'm', 0);
  // Posted messages are handled in order: once this selection shows, every character was typed.
  PostMessageW(memo, EM_SETSEL, 0, 2);
  ASSERT_TRUE(WaitUntil([&] {
    DWORD_PTR selection = 0;
    SendMessageTimeoutW(memo, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 5000, &selection);
    return LOWORD(selection) == 0 && HIWORD(selection) == 2;
  }));
  EXPECT_EQ(GetText(memo), std::wstring(99, L'm'));
  ASSERT_TRUE(SetText(GetDlgItem(dialog, kEntryTemperatureId), L"36.555"));
  ASSERT_TRUE(SetText(GetDlgItem(dialog, kEntryWeightId), L"100.5"));
  ASSERT_TRUE(SetText(GetDlgItem(dialog, kEntryMemoId), L"a,b"));
  MessageBoxText box = app.PressAndReadMessage(GetDlgItem(dialog, IDOK));
  EXPECT_EQ(box.text, L"基礎体温の入力に誤りがあります。\n「,」（半角カンマ）は入力できません。\n正しく入力してください。");
  ASSERT_TRUE(box.Answer(IDOK));
  ASSERT_TRUE(SetText(GetDlgItem(dialog, kEntryMemoId), L"a，b"));
  box = app.PressAndReadMessage(GetDlgItem(dialog, IDOK));
  EXPECT_EQ(box.caption, kDoneCaption);
  ASSERT_TRUE(box.Answer(IDOK));
  EXPECT_EQ(app.WaitForExit(), 0u);
  const Ymd today = TodayYmd();
  EXPECT_EQ(install.ReadFile(L"TEMPERATURE_DATA.dat"), TemperatureLine(today, "36.55", 0));
  EXPECT_EQ(install.ReadFile(L"WEIGHT_DATA.dat"), WeightLine(today, "100.0"));
  EXPECT_EQ(install.ReadFile(L"MEMO_DATA.dat"), MemoLine(today, L"a，b"));
}

}  // namespace
}  // namespace e2e

namespace e2e {
namespace {

using CycleLength = AppTest;

TEST_F(CycleLength, PickerShowsTheCycleInForceWhileEntriesShowItAfresh) {
  ASSERT_TRUE(install.WriteFile(L"TEMPERATURE_DATA.dat", TemperatureLine(DaysFromToday(-70), "36.30", 1) +
                                                             TemperatureLine(DaysFromToday(-40), "36.30", 1)));
  Start();
  EXPECT_EQ(Text(kCycleValueId), L"30");
  PickDay(DaysFromToday(-12));
  ASSERT_TRUE(SetText(app.Control(kTemperatureEditId), L"36.30"));
  SetChecked(app.Control(kPeriodCheckId), true);
  const MessageBoxText box = Press(kAddButtonId);
  ASSERT_TRUE(box.Answer(IDOK));
  // After the entry the day is shown with the cycle computed afresh: (30 + 28) / 2.
  ASSERT_TRUE(WaitUntil([&] { return Text(kCycleValueId) == L"29"; }));
  // Picking a day shows the cycle in force since start-up.
  PickDay(DaysFromToday(-5));
  EXPECT_EQ(Text(kCycleValueId), L"30");
  Close();
  EXPECT_EQ(install.IniValue(L"PeriodCycle"), L"29");
}

}  // namespace
}  // namespace e2e
