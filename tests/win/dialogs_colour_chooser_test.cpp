// The colour dialog's chooser record works with the system colour dialog: it opens fully
// expanded at the preset colour, and a colour added to the custom colours stays in the context.
#include <gtest/gtest.h>

#include <windows.h>
#include <colordlg.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "recolor_dialog_win.h"

namespace {

struct ChooserView {
  bool found = false;
  bool rgbEditsVisible = false;
  bool mixButtonEnabled = true;
  std::wstring red, green, blue;
};

std::wstring TextOf(HWND window) {
  wchar_t text[64] = {};
  GetWindowTextW(window, text, 64);
  return text;
}

// The visible system colour dialog of this process, or null after the timeout.
HWND WaitForChooser() {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < end) {
    struct Search {
      HWND found = nullptr;
    } search;
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
          DWORD pid = 0;
          GetWindowThreadProcessId(w, &pid);
          wchar_t cls[16] = {};
          GetClassNameW(w, cls, 16);
          if (pid == GetCurrentProcessId() && std::wstring(cls) == L"#32770" && IsWindowVisible(w) &&
              GetDlgItem(w, COLOR_RED) != nullptr) {
            reinterpret_cast<Search*>(p)->found = w;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    Sleep(15);
  }
  return nullptr;
}

const ColorScheme kStartup{.BaseColor = RGB(255, 128, 128),
                           .GraphGridColor = RGB(128, 255, 128),
                           .GraphColor = RGB(0, 0, 0),
                           .TodayBackColor = RGB(255, 224, 224),
                           .MarkBackColor = RGB(255, 255, 224),
                           .StringColor = RGB(0, 0, 0),
                           .BaseTempeLineColor = RGB(128, 128, 255)};

}  // namespace

TEST(ColourChooser, OpensExpandedAtThePresetAndKeepsAddedCustomColours) {
  const std::unique_ptr<CRecolor> recolor =
      CreateRecolor(nullptr, GetModuleHandleW(nullptr), kStartup);
  ASSERT_NE(recolor, nullptr);
  for (COLORREF custom : recolor->CustomColors) EXPECT_EQ(custom, 0xFFFFFFFFu);
  recolor->Chooser.rgbResult = RGB(10, 20, 30);

  ChooserView view;
  std::thread driver([&view] {
    HWND chooser = WaitForChooser();
    if (chooser == nullptr) return;
    view.found = true;
    view.rgbEditsVisible = IsWindowVisible(GetDlgItem(chooser, COLOR_RED)) != FALSE;
    view.mixButtonEnabled = IsWindowEnabled(GetDlgItem(chooser, COLOR_MIX)) != FALSE;
    view.red = TextOf(GetDlgItem(chooser, COLOR_RED));
    view.green = TextOf(GetDlgItem(chooser, COLOR_GREEN));
    view.blue = TextOf(GetDlgItem(chooser, COLOR_BLUE));
    SendMessageW(GetDlgItem(chooser, COLOR_RED), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"200"));
    SendMessageW(GetDlgItem(chooser, COLOR_ADD), BM_CLICK, 0, 0);
    PostMessageW(GetDlgItem(chooser, IDOK), BM_CLICK, 0, 0);
  });
  const BOOL chosen = ChooseColorW(&recolor->Chooser);
  driver.join();

  ASSERT_TRUE(view.found) << "ChooseColorW accepts the context's record";
  EXPECT_TRUE(chosen);
  EXPECT_TRUE(view.rgbEditsVisible) << "opened fully expanded";
  EXPECT_FALSE(view.mixButtonEnabled);
  EXPECT_EQ(view.red, L"10");
  EXPECT_EQ(view.green, L"20");
  EXPECT_EQ(view.blue, L"30");
  EXPECT_EQ(recolor->Chooser.rgbResult, RGB(200, 20, 30));
  bool kept = false;
  for (COLORREF custom : recolor->CustomColors) kept = kept || custom == RGB(200, 20, 30);
  EXPECT_TRUE(kept) << "the added custom colour stays in the context for the next opening";
}
