// The default procedures on real windows: scroll arithmetic, ranges after WM_SIZE, the
// document rectangle, the quit message, and dialogs ended by IDOK and IDCANCEL.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "brassel.h"
#include "brassel_test_support.h"

using brassel_test::Place;
using brassel_test::TakeQuitMessage;

namespace {

// Hands everything but WM_SIZE to MyProc, so ranges set by a test stay as set when a bar
// appears or disappears.
LRESULT CALLBACK ScrollOnlyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SIZE) return DefWindowProcW(window, message, wParam, lParam);
  return CMyMessage::MyProc(window, message, wParam, lParam);
}

ATOM RegisterProcClass(const wchar_t* name, WNDPROC procedure) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = procedure;
  wc.hInstance = brassel_test::ThisModule();
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = name;
  return RegisterClassExW(&wc);
}

// A window of the given class; destroyed (and its quit message taken) with the object.
class ProcWindow {
public:
  ProcWindow(const wchar_t* className, DWORD style, int width, int height) {
    window_ = CreateWindowExW(0, className, L"", style, 0, 0, width, height, nullptr, nullptr,
                              brassel_test::ThisModule(), nullptr);
  }
  ~ProcWindow() {
    if (IsWindow(window_)) DestroyWindow(window_);
    TakeQuitMessage();
  }
  HWND get() const { return window_; }

private:
  HWND window_;
};

class MyProcScrolling : public ::testing::Test {
protected:
  static void SetUpTestSuite() { RegisterProcClass(L"BrasselScrollOnly", ScrollOnlyProc); }

  void SetUp() override {
    window_ = std::make_unique<ProcWindow>(L"BrasselScrollOnly",
                                           WS_POPUP | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 300,
                                           200);
    ASSERT_NE(window_->get(), nullptr);
  }

  void SetBar(int bar, int minimum, int maximum, int position) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_POS | SIF_PAGE | SIF_DISABLENOSCROLL;
    info.nMin = minimum;
    info.nMax = maximum;
    info.nPage = 0;
    info.nPos = position;
    SetScrollInfo(window_->get(), bar, &info, TRUE);
  }

  int Position(int bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_POS;
    GetScrollInfo(window_->get(), bar, &info);
    return info.nPos;
  }

  LRESULT Request(UINT message, WORD code, WORD thumb = 0) {
    return SendMessageW(window_->get(), message, MAKEWPARAM(code, thumb), 0);
  }

  std::unique_ptr<ProcWindow> window_;
};

}  // namespace

TEST_F(MyProcScrolling, PageMovesByOneTwentiethOfTheMaximum) {
  SetBar(SB_VERT, 0, 99, 0);
  EXPECT_EQ(Request(WM_VSCROLL, SB_PAGEDOWN), 1);
  EXPECT_EQ(Position(SB_VERT), 4);
  EXPECT_EQ(Request(WM_VSCROLL, SB_PAGEDOWN), 1);
  EXPECT_EQ(Position(SB_VERT), 8);
  Request(WM_VSCROLL, SB_PAGEUP);
  EXPECT_EQ(Position(SB_VERT), 4);
}

TEST_F(MyProcScrolling, ThumbTrackIsClampedToTheRange) {
  SetBar(SB_VERT, 0, 99, 0);
  Request(WM_VSCROLL, SB_THUMBTRACK, 500);
  EXPECT_EQ(Position(SB_VERT), 99);
  Request(WM_VSCROLL, SB_THUMBPOSITION, 37);
  EXPECT_EQ(Position(SB_VERT), 37);
}

TEST_F(MyProcScrolling, LinesTopBottomAndUnknownCodes) {
  SetBar(SB_HORZ, 10, 60, 10);
  Request(WM_HSCROLL, SB_LINEUP);
  EXPECT_EQ(Position(SB_HORZ), 10) << "clamped at the minimum";
  Request(WM_HSCROLL, SB_LINEDOWN);
  EXPECT_EQ(Position(SB_HORZ), 11);
  Request(WM_HSCROLL, SB_BOTTOM);
  EXPECT_EQ(Position(SB_HORZ), 60);
  Request(WM_HSCROLL, SB_LINEDOWN);
  EXPECT_EQ(Position(SB_HORZ), 60) << "clamped at the maximum";
  Request(WM_HSCROLL, SB_ENDSCROLL);
  EXPECT_EQ(Position(SB_HORZ), 60);
  Request(WM_HSCROLL, SB_TOP);
  EXPECT_EQ(Position(SB_HORZ), 10);
}

TEST_F(MyProcScrolling, PagesDoNotMoveWhenTheMaximumIsBelowTwenty) {
  SetBar(SB_VERT, 0, 19, 5);
  Request(WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_EQ(Position(SB_VERT), 5);
  Request(WM_VSCROLL, SB_PAGEUP);
  EXPECT_EQ(Position(SB_VERT), 5);
}

TEST_F(MyProcScrolling, AScrollBarControlMovesItsOwnBar) {
  CMyCtlScrollBar bar;
  ASSERT_NE(bar.CreateMyWindow(window_->get(), brassel_test::ThisModule(), WS_VISIBLE,
                               Place(0, 0, 200, 16), 30),
            nullptr);
  bar.SetMyScrollRange(0, 200);
  bar.SetMyScrollPos(0);
  SetBar(SB_HORZ, 0, 99, 0);
  SendMessageW(window_->get(), WM_HSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0),
               reinterpret_cast<LPARAM>(bar.GetMyHWnd()));
  EXPECT_EQ(bar.GetMyScrollPos(), 10);
  EXPECT_EQ(Position(SB_HORZ), 0) << "the window's own bar is left alone";
}

TEST(MyProc, SizeSetsTheRangesFromTheDocumentAndThePageFromTheClient) {
  RegisterProcClass(L"BrasselMyProcSize", CMyMessage::MyProc);
  ProcWindow window(L"BrasselMyProcSize", WS_POPUP | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 300,
                    400);
  ASSERT_NE(window.get(), nullptr);
  const RECT document = CMyMessage::GetMyDocumentRect();
  EXPECT_EQ(document.left, 0);
  EXPECT_EQ(document.top, 0);
  EXPECT_GT(document.bottom, 300);
  EXPECT_GT(document.right, 200);

  MoveWindow(window.get(), 0, 0, 250, 200, TRUE);
  RECT client{};
  GetClientRect(window.get(), &client);
  SCROLLINFO vertical{};
  vertical.cbSize = sizeof(vertical);
  vertical.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(window.get(), SB_VERT, &vertical));
  EXPECT_EQ(vertical.nMin, 0);
  EXPECT_EQ(vertical.nMax, document.bottom - 1);
  EXPECT_EQ(static_cast<LONG>(vertical.nPage), client.bottom);

  SCROLLINFO horizontal{};
  horizontal.cbSize = sizeof(horizontal);
  horizontal.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(window.get(), SB_HORZ, &horizontal));
  EXPECT_EQ(horizontal.nMax, document.right - 1);
  EXPECT_EQ(static_cast<LONG>(horizontal.nPage), client.right);
}

TEST(MyProc, DestroyPostsTheQuitMessage) {
  RegisterProcClass(L"BrasselMyProcQuit", CMyMessage::MyProc);
  TakeQuitMessage();
  HWND window = CreateWindowExW(0, L"BrasselMyProcQuit", L"", WS_POPUP, 0, 0, 50, 50, nullptr,
                                nullptr, brassel_test::ThisModule(), nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(TakeQuitMessage()) << "no quit before the destruction";
  DestroyWindow(window);
  WPARAM exitCode = 99;
  EXPECT_TRUE(TakeQuitMessage(&exitCode));
  EXPECT_EQ(exitCode, 0u);
}

TEST(MyProc, PaintValidatesTheWindow) {
  RegisterProcClass(L"BrasselMyProcPaint", CMyMessage::MyProc);
  ProcWindow window(L"BrasselMyProcPaint", WS_POPUP | WS_VISIBLE, 80, 80);
  InvalidateRect(window.get(), nullptr, TRUE);
  RECT dirty{};
  ASSERT_TRUE(GetUpdateRect(window.get(), &dirty, FALSE));
  EXPECT_EQ(SendMessageW(window.get(), WM_PAINT, 0, 0), 1);
  EXPECT_FALSE(GetUpdateRect(window.get(), &dirty, FALSE));
}

// ---------------------------------------------------------------------------------------------
// MyDlgProc on a real modal dialog built from an in-memory template.

namespace {

struct DialogScript {
  WORD endingCommand = IDOK;
  bool sawAppAfterOtherCommand = false;
  std::vector<INT_PTR> commandResults;
};

DialogScript* g_script = nullptr;
constexpr UINT_PTR kSafetyTimer = 99;

INT_PTR CALLBACK ScriptedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      g_script = reinterpret_cast<DialogScript*>(lParam);
      // An unrelated command first: the dialog must still be running afterwards.
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(100, BN_CLICKED), 0);
      PostMessageW(dialog, WM_APP, 0, 0);
      SetTimer(dialog, kSafetyTimer, 10000, nullptr);
      return TRUE;
    case WM_APP:
      g_script->sawAppAfterOtherCommand = true;
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(g_script->endingCommand, BN_CLICKED), 0);
      return TRUE;
    case WM_TIMER:
      if (wParam == kSafetyTimer) EndDialog(dialog, -5);
      return TRUE;
    default:
      break;
  }
  const INT_PTR result = CMyMessage::MyDlgProc(dialog, message, wParam, lParam);
  if (message == WM_COMMAND) g_script->commandResults.push_back(result);
  return result;
}

// A captioned popup dialog with no controls, no menu and the default class.
std::vector<WORD> EmptyDialogTemplate() {
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  auto* header = reinterpret_cast<DLGTEMPLATE*>(words.data());
  header->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
  header->cdit = 0;
  header->x = 10;
  header->y = 10;
  header->cx = 100;
  header->cy = 50;
  words.push_back(0);  // no menu
  words.push_back(0);  // default dialog class
  for (const wchar_t* c = L"test"; *c; ++c) words.push_back(static_cast<WORD>(*c));
  words.push_back(0);
  return words;
}

INT_PTR RunScriptedDialog(DialogScript& script) {
  std::vector<WORD> words = EmptyDialogTemplate();
  return DialogBoxIndirectParamW(brassel_test::ThisModule(),
                                 reinterpret_cast<DLGTEMPLATE*>(words.data()), nullptr,
                                 ScriptedDialogProc, reinterpret_cast<LPARAM>(&script));
}

}  // namespace

TEST(MyDlgProc, OkEndsTheDialogWithOne) {
  DialogScript script;
  script.endingCommand = IDOK;
  EXPECT_EQ(RunScriptedDialog(script), 1);
  EXPECT_TRUE(script.sawAppAfterOtherCommand) << "an unrelated command does not end it";
  ASSERT_EQ(script.commandResults.size(), 2u);
  EXPECT_EQ(script.commandResults[0], 0);
  EXPECT_EQ(script.commandResults[1], 0);
}

TEST(MyDlgProc, CancelEndsTheDialogWithTwo) {
  DialogScript script;
  script.endingCommand = IDCANCEL;
  EXPECT_EQ(RunScriptedDialog(script), 2);
  ASSERT_FALSE(script.commandResults.empty());
  EXPECT_EQ(script.commandResults.back(), 0);
}
