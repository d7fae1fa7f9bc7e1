// The component base on real windows: places, own fonts, failure values, subclassing,
// extended styles, bounded text reads, application windows and their classes, timers.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>

#include "brassel.h"
#include "brassel_test_support.h"

using brassel_test::HostWindow;
using brassel_test::Place;
using brassel_test::PumpUntil;
using brassel_test::RectInParent;

namespace {

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
WNDPROC g_previousProc = nullptr;
int g_seenByCountingProc = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP + 1) ++g_seenByCountingProc;
  return CallWindowProcW(g_previousProc, window, message, wParam, lParam);
}

LRESULT CALLBACK TimerCountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static int* counter = nullptr;
  if (message == WM_CREATE) {
    counter = static_cast<int*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
  }
  if (message == WM_TIMER && wParam == 7 && counter) ++*counter;
  if (message == WM_DESTROY) {
    counter = nullptr;
    return 0;  // no quit message from test windows
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool IsFont(HFONT font) { return font && GetObjectType(font) == OBJ_FONT; }

}  // namespace

TEST(BrasselPlaces, PlaceIsXYWidthHeightForChildren) {
  HostWindow host;
  CMyStatic label;
  ASSERT_NE(label.CreateMyWindow(L"text", host.get(), WS_VISIBLE, Place(10, 20, 160, 20), 403),
            nullptr);
  const RECT r = RectInParent(label.GetMyHWnd());
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.right - r.left, 160);
  EXPECT_EQ(r.bottom - r.top, 20);
  EXPECT_EQ(label.GetMyHParentWnd(), host.get());
  EXPECT_EQ(GetDlgCtrlID(label.GetMyHWnd()), 403);
  label.CloseMyWindow();
}

TEST(BrasselPlaces, PlaceIsXYWidthHeightForTopLevelAndMoves) {
  CMyAppView view(DefWindowProcW, brassel_test::ThisModule(), nullptr, nullptr,
                  L"BrasselPlaceView");
  ASSERT_NE(view.RegisterMyClass(), 0);
  ASSERT_NE(view.CreateMyWindow(L"view", WS_POPUP | WS_VISIBLE, Place(10, 20, 160, 20), nullptr,
                                nullptr, nullptr),
            nullptr);
  RECT r{};
  ASSERT_TRUE(view.GetMyWindowRect(&r));
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.right, 170);
  EXPECT_EQ(r.bottom, 40);
  const RECT created = view.GetMyCreatedClientRect();
  EXPECT_EQ(created.right, 160);
  EXPECT_EQ(created.bottom, 20);

  ASSERT_TRUE(view.MoveMyWindow(Place(30, 40, 200, 100)));
  ASSERT_TRUE(view.GetMyWindowRect(&r));
  EXPECT_EQ(r.left, 30);
  EXPECT_EQ(r.top, 40);
  EXPECT_EQ(r.right, 230);
  EXPECT_EQ(r.bottom, 140);
}

TEST(BrasselFonts, EachObjectHasItsOwnCopyOfTheDefaultGuiFont) {
  HostWindow host;
  CMyStatic first;
  auto* second = new CMyStatic;
  ASSERT_NE(first.CreateMyWindow(L"a", host.get(), WS_VISIBLE, Place(0, 0, 50, 20), 1), nullptr);
  ASSERT_NE(second->CreateMyWindow(L"b", host.get(), WS_VISIBLE, Place(0, 30, 50, 20), 2),
            nullptr);
  HFONT firstFont = first.GetMyFont();
  HFONT secondFont = second->GetMyFont();
  ASSERT_TRUE(IsFont(firstFont));
  ASSERT_TRUE(IsFont(secondFont));
  EXPECT_NE(firstFont, secondFont);
  EXPECT_NE(firstFont, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  // The window was given the object's font.
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(first.GetMyHWnd(), WM_GETFONT, 0, 0)),
            firstFont);

  // Same face and size as the stock font.
  LOGFONTW stock{}, copy{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(stock), &stock);
  GetObjectW(firstFont, sizeof(copy), &copy);
  EXPECT_EQ(copy.lfHeight, stock.lfHeight);
  EXPECT_STREQ(copy.lfFaceName, stock.lfFaceName);

  HWND secondWindow = second->GetMyHWnd();
  delete second;
  EXPECT_FALSE(IsFont(secondFont)) << "the deleted object's copy is gone";
  EXPECT_TRUE(IsFont(firstFont)) << "the other object's copy stays";
  EXPECT_TRUE(IsWindow(secondWindow)) << "deleting a control object leaves its window";
  DestroyWindow(secondWindow);
  first.CloseMyWindow();
}

TEST(BrasselNoWindow, OperationsGiveTheirFailureValuesAndChangeNothing) {
  CMyStatic none;
  EXPECT_EQ(none.CloseMyWindow(), 0);
  EXPECT_EQ(none.GetMyHWnd(), nullptr);
  EXPECT_EQ(none.MoveMyWindow(Place(0, 0, 10, 10)), 0);
  EXPECT_EQ(none.EnableDrag(true), 0);
  EXPECT_EQ(none.GetMyDC(), nullptr);
  EXPECT_EQ(none.ReleaseMyDC(nullptr), 0);
  RECT r{};
  EXPECT_EQ(none.GetMyClientRect(&r), 0);
  EXPECT_EQ(none.GetMyWindowRect(&r), 0);
  EXPECT_EQ(none.ShowMyWindow(SW_SHOW), -1);
  EXPECT_EQ(none.SetMyText(L"x"), -1);
  EXPECT_EQ(none.GetMyTextLength(), -1);
  wchar_t buffer[8] = L"keep";
  EXPECT_EQ(none.GetMyText(buffer), -1);
  EXPECT_STREQ(buffer, L"keep");
  EXPECT_EQ(none.ToSubClass(DefWindowProcW), nullptr);
  EXPECT_EQ(none.ToAddExStyle(WS_EX_CLIENTEDGE), -1);
  POINT p{};
  EXPECT_EQ(none.GetMyMousePos(&p), 0);
  EXPECT_EQ(none.GetMyHWnd(), nullptr);
}

TEST(BrasselNoWindow, CloseTwiceGivesZeroTheSecondTime) {
  HostWindow host;
  CMyStatic label;
  ASSERT_NE(label.CreateMyWindow(L"", host.get(), 0, Place(0, 0, 10, 10), 1), nullptr);
  HWND window = label.GetMyHWnd();
  EXPECT_NE(label.CloseMyWindow(), 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(label.GetMyHWnd(), nullptr);
  EXPECT_EQ(label.CloseMyWindow(), 0);
}

TEST(BrasselNoWindow, AWindowDestroyedWithItsParentIsForgotten) {
  auto host = std::make_unique<HostWindow>();
  CMyStatic label;
  ASSERT_NE(label.CreateMyWindow(L"", host->get(), 0, Place(0, 0, 10, 10), 1), nullptr);
  host.reset();
  EXPECT_EQ(label.CloseMyWindow(), 0);
  EXPECT_EQ(label.GetMyHWnd(), nullptr);
}

TEST(BrasselCreation, FailedCreationLeavesNoWindow) {
  CMyAppView view(DefWindowProcW, brassel_test::ThisModule(), nullptr, nullptr,
                  L"BrasselNeverRegistered");
  EXPECT_EQ(view.CreateMyWindow(L"", WS_POPUP, Place(0, 0, 10, 10), nullptr, nullptr, nullptr),
            nullptr);
  EXPECT_EQ(view.GetMyHWnd(), nullptr);
  EXPECT_EQ(view.GetMyHParentWnd(), nullptr);
  EXPECT_EQ(view.GetMyFont(), nullptr);
}

TEST(BrasselText, GetMyTextNeverWritesPastTheBufferAndTerminates) {
  HostWindow host;
  CMyStatic label;
  ASSERT_NE(label.CreateMyWindow(L"abcdef", host.get(), 0, Place(0, 0, 50, 20), 1), nullptr);
  EXPECT_EQ(label.GetMyTextLength(), 6);

  wchar_t small[6] = {L'#', L'#', L'#', L'#', L'#', L'#'};
  EXPECT_EQ(label.GetMyText(small, 4), 3);
  EXPECT_STREQ(small, L"abc");
  EXPECT_EQ(small[4], L'#') << "nothing written past the given capacity";
  EXPECT_EQ(small[5], L'#');

  wchar_t exact[7];
  EXPECT_EQ(label.GetMyText(exact), 6);
  EXPECT_STREQ(exact, L"abcdef");

  wchar_t one[1] = {L'#'};
  EXPECT_EQ(label.GetMyText(one, 1), 0);
  EXPECT_EQ(one[0], L'\0');

  EXPECT_EQ(label.GetMyText(nullptr, 10), -1);
  EXPECT_EQ(label.GetMyText(small, 0), -1);

  EXPECT_NE(label.SetMyText(L"月経周期"), -1);
  wchar_t japanese[16];
  EXPECT_EQ(label.GetMyText(japanese), 4);
  EXPECT_STREQ(japanese, L"月経周期");
  EXPECT_EQ(label.SetMyText(nullptr), -1);
}

TEST(BrasselSubclass, NullProcedureLeavesTheProcedureInPlace) {
  HostWindow host;
  CMyStatic label;
  ASSERT_NE(label.CreateMyWindow(L"", host.get(), 0, Place(0, 0, 10, 10), 1), nullptr);
  const LONG_PTR before = GetWindowLongPtrW(label.GetMyHWnd(), GWLP_WNDPROC);
  EXPECT_EQ(label.ToSubClass(nullptr), nullptr);
  EXPECT_EQ(GetWindowLongPtrW(label.GetMyHWnd(), GWLP_WNDPROC), before);
}

TEST(BrasselSubclass, NewProcedureSeesMessagesAndGetsThePreviousOne) {
  HostWindow host;
  CMyStatic label;
  ASSERT_NE(label.CreateMyWindow(L"", host.get(), 0, Place(0, 0, 10, 10), 1), nullptr);
  const LONG_PTR before = GetWindowLongPtrW(label.GetMyHWnd(), GWLP_WNDPROC);
  g_seenByCountingProc = 0;
  g_previousProc = label.ToSubClass(CountingProc);
  EXPECT_EQ(reinterpret_cast<LONG_PTR>(g_previousProc), before);
  SendMessageW(label.GetMyHWnd(), WM_APP + 1, 0, 0);
  EXPECT_EQ(g_seenByCountingProc, 1);
  // The previous procedure still answers what the new one passes on.
  EXPECT_NE(label.SetMyText(L"passed on"), -1);
  EXPECT_EQ(label.GetMyTextLength(), 9);
  label.CloseMyWindow();
}

TEST(BrasselExStyle, ToAddExStyleClearsTheGivenBits) {
  HostWindow host;
  CMyEdit edit;
  ASSERT_NE(edit.CreateMyWindow(host.get(), WS_VISIBLE, Place(10, 10, 100, 20), 412), nullptr);
  const LONG_PTR before = GetWindowLongPtrW(edit.GetMyHWnd(), GWL_EXSTYLE);
  ASSERT_TRUE(before & WS_EX_CLIENTEDGE);
  EXPECT_EQ(edit.ToAddExStyle(WS_EX_CLIENTEDGE), before);
  const LONG_PTR after = GetWindowLongPtrW(edit.GetMyHWnd(), GWL_EXSTYLE);
  EXPECT_FALSE(after & WS_EX_CLIENTEDGE);
  EXPECT_EQ(after & WS_EX_CONTROLPARENT, before & WS_EX_CONTROLPARENT) << "other bits kept";
}

TEST(BrasselAppView, RegistersCreatesWithClipChildrenAndCleansUpOnDelete) {
  HINSTANCE instance = brassel_test::ThisModule();
  std::optional<CMyAppView> view;
  view.emplace(DefWindowProcW, instance, nullptr, nullptr, L"BrasselAppView");
  EXPECT_EQ(view->GetMyHInstance(), instance);
  ASSERT_NE(view->RegisterMyClass(), 0);
  ASSERT_NE(view->CreateMyWindow(L"表示", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 Place(0, 0, 300, 200), nullptr, nullptr, nullptr),
            nullptr);
  HWND window = view->GetMyHWnd();
  EXPECT_EQ(view->GetHWnd(), window);
  EXPECT_TRUE(GetWindowLongPtrW(window, GWL_STYLE) & WS_CLIPCHILDREN);

  WNDCLASSEXW info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetClassInfoExW(instance, L"BrasselAppView", &info));
  EXPECT_EQ(info.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
  EXPECT_EQ(info.hCursor, LoadCursorW(nullptr, IDC_ARROW));
  ASSERT_NE(info.hbrBackground, nullptr);

  view.reset();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(GetClassInfoExW(instance, L"BrasselAppView", &info));
}

TEST(BrasselAppView, ASecondObjectOfTheSameClassLeavesTheFirstRegistered) {
  HINSTANCE instance = brassel_test::ThisModule();
  CMyAppView first(DefWindowProcW, instance, nullptr, nullptr, L"BrasselSharedName");
  ASSERT_NE(first.RegisterMyClass(), 0);
  {
    CMyAppView second(DefWindowProcW, instance, nullptr, nullptr, L"BrasselSharedName");
    EXPECT_EQ(second.RegisterMyClass(), 0);
  }
  WNDCLASSEXW info{};
  info.cbSize = sizeof(info);
  EXPECT_TRUE(GetClassInfoExW(instance, L"BrasselSharedName", &info));
  EXPECT_NE(first.CreateMyWindow(L"", WS_POPUP, Place(0, 0, 10, 10), nullptr, nullptr, nullptr),
            nullptr);
}

TEST(BrasselAppView, MenuAndZOrderNeedAWindow) {
  CMyAppView empty;
  EXPECT_EQ(empty.RegisterMyClass(), 0);
  EXPECT_EQ(empty.SetMyMenu(nullptr), 0);
  EXPECT_EQ(empty.SetWindowAlwaysOnTop(), -1);
  EXPECT_EQ(empty.SetWindowToBack(), -1);

  CMyAppView view(DefWindowProcW, brassel_test::ThisModule(), nullptr, nullptr,
                  L"BrasselMenuView");
  ASSERT_NE(view.RegisterMyClass(), 0);
  ASSERT_NE(view.CreateMyWindow(L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, Place(0, 0, 300, 200),
                                nullptr, nullptr, nullptr),
            nullptr);
  HMENU menu = CreateMenu();
  AppendMenuW(menu, MF_STRING, 100, L"ファイル(&F)");
  EXPECT_EQ(view.SetMyMenu(menu), 1);
  EXPECT_EQ(GetMenu(view.GetMyHWnd()), menu);
  EXPECT_NE(view.SetWindowAlwaysOnTop(), 0);
  EXPECT_TRUE(GetWindowLongPtrW(view.GetMyHWnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST(BrasselDialogClass, RecordCarriesTheDialogExtraBytes) {
  HINSTANCE instance = brassel_test::ThisModule();
  CMyDialog dialog(DefDlgProcW, instance, L"BrasselDialogClass");
  EXPECT_EQ(dialog.GetMyDialogInstance(), instance);
  ASSERT_NE(dialog.RegisterMyClass(), 0);
  WNDCLASSEXW info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetClassInfoExW(instance, L"BrasselDialogClass", &info));
  EXPECT_EQ(info.cbWndExtra, DLGWINDOWEXTRA);
  EXPECT_EQ(info.hIcon, nullptr);
  EXPECT_EQ(info.lpszMenuName, nullptr);
  ASSERT_NE(dialog.CreateMyWindow(L"dialog", WS_POPUP | WS_CAPTION, Place(5, 5, 120, 80),
                                  nullptr, nullptr, nullptr),
            nullptr);
  EXPECT_FALSE(GetWindowLongPtrW(dialog.GetMyHWnd(), GWL_STYLE) & WS_CLIPCHILDREN)
      << "a dialog window gets no added styles";
}

TEST(BrasselTimers, TimerFiresOnTheWindowAndStops) {
  CMyAppView view(TimerCountingProc, brassel_test::ThisModule(), nullptr, nullptr,
                  L"BrasselTimerView");
  ASSERT_NE(view.RegisterMyClass(), 0);
  int ticks = 0;
  ASSERT_NE(view.CreateMyWindow(L"", WS_POPUP, Place(0, 0, 10, 10), nullptr, nullptr, &ticks),
            nullptr);
  ASSERT_NE(view.SetMyTimer(7, 10), 0u);
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; }));
  EXPECT_NE(view.EndMyTimer(7), 0);
  EXPECT_EQ(view.EndMyTimer(7), 0) << "already stopped";
}

TEST(BrasselTimers, TimersAndTrayNeedAWindow) {
  CMyAppView empty;
  EXPECT_EQ(empty.SetMyTimer(1, 10), 0u);
  EXPECT_EQ(empty.EndMyTimer(1), 0);
  HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
  EXPECT_EQ(empty.AddTaskTray(icon, L"tip"), 0u);
  EXPECT_EQ(empty.DeleteTaskTray(1), 0);
  EXPECT_EQ(empty.ChangeTaskTrayMessage(1, L"tip"), 0);

  CMyAppView view(DefWindowProcW, brassel_test::ThisModule(), nullptr, nullptr,
                  L"BrasselTrayView");
  ASSERT_NE(view.RegisterMyClass(), 0);
  ASSERT_NE(view.CreateMyWindow(L"", WS_POPUP, Place(0, 0, 10, 10), nullptr, nullptr, nullptr),
            nullptr);
  EXPECT_EQ(view.AddTaskTray(nullptr, L"tip"), 0u) << "no icon";
  EXPECT_EQ(view.AddTaskTray(icon, nullptr), 0u) << "no tip";
  EXPECT_EQ(view.ChangeTaskTrayMessage(1, nullptr), 0);
}

TEST(BrasselGraphic, HoldsTheWindowsDeviceContext) {
  HostWindow host;
  CMyGraphic graphic(host.get());
  EXPECT_EQ(graphic.GetMyHWnd(), host.get());
  ASSERT_NE(graphic.GetMyDC(), nullptr);
  EXPECT_EQ(WindowFromDC(graphic.GetMyDC()), host.get());
}

namespace {

// An application object whose window is whatever the test names.
class NamedWindowApplication : public CMyApplication {
public:
  explicit NamedWindowApplication(HWND window) : window_(window) {}
  HWND GetHWnd() override { return window_; }

private:
  HWND window_;
};

}  // namespace

TEST(BrasselTimers, TheBaseApplicationHasNoWindowAndRegistersNothing) {
  CMyApplication application;
  EXPECT_EQ(application.RegisterMyClass(), 0);
  EXPECT_EQ(application.GetHWnd(), nullptr);
  EXPECT_EQ(application.SetMyTimer(3, 10), 0u);
}

TEST(BrasselTimers, TimersReachTheWindowThroughGetHWnd) {
  HostWindow host;
  NamedWindowApplication application(host.get());
  ASSERT_NE(application.SetMyTimer(11, 10), 0u);
  // Only timer messages of the host are taken, so none is dispatched away unseen.
  bool ticked = false;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!ticked && std::chrono::steady_clock::now() < deadline) {
    MSG msg{};
    if (PeekMessageW(&msg, host.get(), WM_TIMER, WM_TIMER, PM_REMOVE)) {
      ticked = msg.wParam == 11;
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_TIMER);
    }
  }
  EXPECT_TRUE(ticked);
  EXPECT_NE(application.EndMyTimer(11), 0);
}
