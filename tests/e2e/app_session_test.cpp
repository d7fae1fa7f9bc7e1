// The end of a Windows session and the side panel's keyboard order in the real program.
#include <gtest/gtest.h>

#include "app_fixture.h"

namespace e2e {
namespace {

using SessionEnd = AppTest;
using KeyboardOrder = AppTest;

TEST_F(SessionEnd, SavesSettingsAndEveryFileWithoutAClose) {
  Start();
  ASSERT_TRUE(SetText(app.Control(kTemperatureEditId), L"36.35"));
  ASSERT_TRUE(SetText(app.Control(kWeightEditId), L"49.0"));
  ASSERT_TRUE(SetText(app.Control(kMemoEditId), L"終了前"));
  MessageBoxText box = Press(kAddButtonId);
  ASSERT_TRUE(box.Answer(IDOK));
  PostCommand(app.MainWindow(), kWeightModeCommand);
  WaitForPostedMessages();

  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutW(app.MainWindow(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                                  SMTO_ABORTIFHUNG, 10000, &answer));
  EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
  ASSERT_TRUE(SendMessageTimeoutW(app.MainWindow(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF,
                                  SMTO_ABORTIFHUNG, 10000, &answer));
  // Windows ends the process after WM_ENDSESSION; nothing else is written after this point.
  app.Kill();

  const Ymd today = TodayYmd();
  EXPECT_EQ(install.ReadFile(L"TEMPERATURE_DATA.dat"), TemperatureLine(today, "36.35", 0));
  EXPECT_EQ(install.ReadFile(L"WEIGHT_DATA.dat"), WeightLine(today, "49.0"));
  EXPECT_EQ(install.ReadFile(L"MEMO_DATA.dat"), MemoLine(today, L"終了前"));
  EXPECT_EQ(install.IniValue(L"GraphMode"), L"2");
}

TEST_F(SessionEnd, CancelledEndingWritesNothing) {
  Start();
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutW(app.MainWindow(), WM_ENDSESSION, FALSE, 0, SMTO_ABORTIFHUNG,
                                  10000, &answer));
  EXPECT_FALSE(install.Exists(L"Tovela.ini"));
  Close();
}

HWND FocusOf(const TovelaProcess& app) { return app.FocusedControl(); }

TEST_F(KeyboardOrder, TabFollowsThePanelAndSkipsDisabledButtons) {
  Start();
  HWND temperature = app.Control(kTemperatureEditId);
  // A click into the field gives it the focus (the edit takes it itself).
  PostMessageW(temperature, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(temperature, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(app) == temperature; }));

  // Today has no record: 登録(&A) enabled, 更新(&M) disabled. The Tab key goes to the control
  // that has the focus, as the keyboard would send it.
  const int expected[] = {kWeightEditId,     kPeriodCheckId,       kMemoEditId,
                          kMucusListId,      kOvulationTestListId, kIntercourseCheckId,
                          kAddButtonId,      kDatePickerId,        kTemperatureEditId};
  for (int id : expected) {
    PostMessageW(FocusOf(app), WM_KEYDOWN, VK_TAB, 0);
    HWND target = app.Control(id);
    // The date picker may keep the focus in a child of its own.
    EXPECT_TRUE(WaitUntil([&] {
      HWND focus = FocusOf(app);
      return focus == target || (focus != nullptr && GetParent(focus) == target);
    })) << id;
  }
  Close();
}

TEST_F(KeyboardOrder, FromTheMemoTabGoesToUpdateWhenAddIsDisabled) {
  ASSERT_TRUE(install.WriteFile(L"TEMPERATURE_DATA.dat", TemperatureLine(TodayYmd(), "36.50", 0)));
  Start();
  HWND memo = app.Control(kMemoEditId);
  PostMessageW(memo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(memo, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(app) == memo; }));
  for (int id : {kMucusListId, kOvulationTestListId, kIntercourseCheckId, kUpdateButtonId,
                 kDeleteButtonId}) {
    PostMessageW(FocusOf(app), WM_KEYDOWN, VK_TAB, 0);
    HWND target = app.Control(id);
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(app) == target; })) << id;
  }
  Close();
}

}  // namespace
}  // namespace e2e
