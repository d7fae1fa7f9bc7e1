// What the save path tells the user and what a close in the middle of a handler does: a failed
// save is never confirmed and is told at every entry, naming its files; Tovela.ini is one of
// them; a close asked while a confirmation or question is open cancels it and completes.
#include <gtest/gtest.h>

#include "app_fixture.h"

namespace e2e {
namespace {

using CloseDuringAQuestion = AppTest;

constexpr wchar_t kSaveFailedCaption[] = L"致命的なエラーが発生しました。";

class FailedSave : public AppTest {
 protected:
  // Presses the button; the save-failed message naming `names` comes instead of the
  // confirmation.
  void ExpectFailureInsteadOfConfirmation(int button, const std::wstring& names) {
    const MessageBoxText box = Press(button);
    EXPECT_EQ(box.caption, kSaveFailedCaption);
    EXPECT_EQ(box.text, SaveFailedNaming(names));
    ASSERT_TRUE(box.Answer(IDOK));
    WaitForPostedMessages();
    EXPECT_TRUE(app.NoMessageBox()) << "no confirmation after a failed save";
  }
};

TEST_F(FailedSave, IsToldAtEveryEntryNamingItsFileAndNeverConfirmed) {
  const Ymd today = TodayYmd();
  ASSERT_TRUE(install.WriteFile(L"MEMO_DATA.dat", ""));
  ASSERT_TRUE(install.SetReadOnly(L"MEMO_DATA.dat", true));
  Start();
  ASSERT_TRUE(SetText(app.Control(kTemperatureEditId), L"36.40"));
  ASSERT_TRUE(SetText(app.Control(kMemoEditId), L"書けない"));
  ExpectFailureInsteadOfConfirmation(kAddButtonId, L"MEMO_DATA.dat");
  // Not only the first failure of the run.
  ASSERT_TRUE(SetText(app.Control(kTemperatureEditId), L"36.45"));
  ExpectFailureInsteadOfConfirmation(kUpdateButtonId, L"MEMO_DATA.dat");
  EXPECT_EQ(install.ReadFile(L"TEMPERATURE_DATA.dat"), TemperatureLine(today, "36.45", 0))
      << "the files that could be written are";

  ASSERT_TRUE(install.SetReadOnly(L"MEMO_DATA.dat", false));
  MessageBoxText box = Press(kUpdateButtonId);
  EXPECT_EQ(box.caption, kDoneCaption);
  EXPECT_EQ(box.text, DoneText(today, L"更新"));
  ASSERT_TRUE(box.Answer(IDOK));
  EXPECT_EQ(install.ReadFile(L"MEMO_DATA.dat"), MemoLine(today, L"書けない"));
  Close();
}

// Tovela.ini is written whole and in one step, keeping the lines of other programs and the keys
// of other versions; a write that fails is told like a data file's, and the close waits for it.
TEST_F(FailedSave, TheSettingsFileIsToldLikeADataFileAndKeepsOtherLines) {
  const std::string ini = "[Other]\r\nKey=1\r\n[Tovela]\r\nNextVersionKey=abc\r\nGraphMode=1\r\n";
  ASSERT_TRUE(install.WriteFile(L"Tovela.ini", ini));
  ASSERT_TRUE(install.SetReadOnly(L"Tovela.ini", true));
  Start();
  MessageBoxText box = app.CommandAndReadMessage(kWeightModeCommand);
  EXPECT_EQ(box.caption, kSaveFailedCaption);
  EXPECT_EQ(box.text, SaveFailedNaming(L"Tovela.ini"));
  ASSERT_TRUE(box.Answer(IDOK));

  PostMessageW(app.MainWindow(), WM_CLOSE, 0, 0);
  box = app.WaitForMessageBox();
  EXPECT_EQ(box.text, SaveFailedNaming(L"Tovela.ini"));
  ASSERT_TRUE(box.Answer(IDOK));
  EXPECT_FALSE(app.Exited());
  EXPECT_EQ(install.ReadFile(L"Tovela.ini"), ini);

  ASSERT_TRUE(install.SetReadOnly(L"Tovela.ini", false));
  Close();
  const std::string written = install.ReadFile(L"Tovela.ini");
  EXPECT_EQ(written.rfind("[Other]\r\nKey=1\r\n[Tovela]\r\nNextVersionKey=abc\r\nGraphMode=2\r\n", 0), 0u)
      << written;
  EXPECT_EQ(install.IniValue(L"GraphMode"), L"2");
  EXPECT_EQ(install.IniValue(L"MinTemperature"), L"35.50");
}

// WM_CLOSE posted while the side panel's confirmation or question is open (taskkill without /F):
// the box is cancelled, the entry is in the file once and the program ends normally.
TEST_F(CloseDuringAQuestion, TheEntryIsSavedOnceAndTheCloseCompletes) {
  const Ymd today = TodayYmd();
  Start();
  ASSERT_TRUE(SetText(app.Control(kTemperatureEditId), L"36.52"));
  MessageBoxText box = Press(kAddButtonId);
  ASSERT_EQ(box.text, DoneText(today, L"追加"));
  PostMessageW(app.MainWindow(), WM_CLOSE, 0, 0);
  EXPECT_EQ(app.WaitForExit(), 0u) << "the close completes without a crash";
  EXPECT_EQ(install.ReadFile(L"TEMPERATURE_DATA.dat"), TemperatureLine(today, "36.52", 0));

  // The delete question: cancelled, so nothing is deleted.
  Start();
  box = Press(kDeleteButtonId);
  ASSERT_EQ(box.caption, L"データの削除が行われます。");
  PostMessageW(app.MainWindow(), WM_CLOSE, 0, 0);
  EXPECT_EQ(app.WaitForExit(), 0u);
  EXPECT_EQ(install.ReadFile(L"TEMPERATURE_DATA.dat"), TemperatureLine(today, "36.52", 0));
}

}  // namespace
}  // namespace e2e
