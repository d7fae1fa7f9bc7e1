// The end of a Windows session and the side panel's keyboard order in the real program.
#include <gtest/gtest.h>

#include "support/app_fixture.h"

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

// The control that has the keyboard focus in the program's thread.
HWND FocusOf(const TovelaProcess& app) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(app.MainWindow(), nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

// A real click in the middle of a control (the cursor moves there).
void ClickOn(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, input, sizeof(INPUT));
}

TEST_F(KeyboardOrder, TabFollowsThePanelAndSkipsDisabledButtons) {
  Start();
  HWND temperature = app.Control(kTemperatureEditId);
  SetForegroundWindow(app.MainWindow());
  ClickOn(temperature);
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(app) == temperature; }));

  // Today has no record: 登録(&A) enabled, 更新(&M) disabled.
  const int expected[] = {kWeightEditId, kPeriodCheckId, kMemoEditId, kAddButtonId, kDatePickerId};
  for (int id : expected) {
    PressKeys(app.MainWindow(), {VK_TAB});
    HWND target = app.Control(id);
    // The date picker keeps the focus in a child of its own.
    EXPECT_TRUE(WaitUntil([&] {
      HWND focus = FocusOf(app);
      return focus == target || (focus != nullptr && GetParent(focus) == target);
    })) << id;
  }
  Close();
}

}  // namespace
}  // namespace e2e
