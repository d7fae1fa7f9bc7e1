// What the wrappers look like: a side panel of Brassel controls is drawn on screen, saved as
// a bitmap into the artifacts folder, and checked for visible text and edges.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "brassel.h"
#include "artifacts_folder_win.h"
#include "brassel_test_support.h"
#include <commctrl.h>

using brassel_test::Place;

namespace {

// The window's on-screen pixels as 0x00RRGGBB, top row first.
std::vector<uint32_t> CaptureWindow(HWND window, int* width, int* height) {
  RECT r{};
  GetWindowRect(window, &r);
  *width = r.right - r.left;
  *height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = *width;
  info.bmiHeader.biHeight = -*height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, *width, *height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  std::vector<uint32_t> pixels(static_cast<const uint32_t*>(bits),
                               static_cast<const uint32_t*>(bits) + (*width) * (*height));
  for (auto& p : pixels) p &= 0x00FFFFFF;
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

std::wstring ArtifactPath(const wchar_t* name) {
  return test_support::ArtifactsFolderPath() + L"\\" + name;
}

// Counts pixels inside a client-relative rectangle that differ from `background`.
int InkIn(const std::vector<uint32_t>& pixels, int width, const RECT& area, uint32_t background) {
  int ink = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (pixels[static_cast<std::size_t>(y) * width + x] != background) ++ink;
  return ink;
}

}  // namespace

TEST(BrasselRender, SidePanelControlsDrawTextAndEdges) {
  CMyAppView view(CMyMessage::MyProc, brassel_test::ThisModule(), nullptr, nullptr,
                  L"BrasselRenderView");
  ASSERT_NE(view.RegisterMyClass(), 0);
  ASSERT_NE(view.CreateMyWindow(L"Brassel", WS_POPUP | WS_VISIBLE, Place(0, 0, 200, 500),
                                nullptr, nullptr, nullptr),
            nullptr);
  HWND parent = view.GetMyHWnd();
  CMyDatePicker picker;
  CMyStatic caption, unit;
  CMyEdit temperature, memo;
  CMyButton period, add;
  ASSERT_NE(picker.CreateMyWindow(L"", parent, WS_VISIBLE, Place(10, 10, 160, 20), 402), nullptr);
  SYSTEMTIME date{};
  date.wYear = 2007;
  date.wMonth = 5;
  date.wDay = 15;
  SendMessageW(picker.GetMyHWnd(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&date));
  caption.CreateMyWindow(L"基礎体温", parent, WS_VISIBLE, Place(10, 240, 180, 20), 405);
  temperature.CreateMyWindow(parent, WS_VISIBLE, Place(10, 260, 40, 20), 412);
  temperature.SetMyText(L"36.45");
  unit.CreateMyWindow(L"℃", parent, WS_VISIBLE, Place(60, 260, 80, 20), 421);
  period.CreateMyWindow(L"月経が開始しました。", parent, WS_VISIBLE | BS_AUTOCHECKBOX,
                        Place(10, 360, 180, 20), 415);
  period.SetCheck(1);
  memo.CreateMyWindow(parent, WS_VISIBLE, Place(10, 410, 180, 20), 414);
  memo.SetMyText(L"体調一言メモ");
  add.CreateMyWindow(L"登録(&A)", parent, WS_VISIBLE, Place(10, 450, 50, 25), 416);

  SetForegroundWindow(parent);
  RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN |
                                             RDW_UPDATENOW);
  brassel_test::PumpMessages();

  int width = 0, height = 0;
  const std::vector<uint32_t> pixels = CaptureWindow(parent, &width, &height);
  ASSERT_EQ(width, 200);
  ASSERT_EQ(height, 500);
  const std::wstring bmp = brassel_test::WriteBitmapFile(L"brassel_side_panel.bmp", width,
                                                         height, pixels);
  CopyFileW(bmp.c_str(), ArtifactPath(L"brassel_side_panel.bmp").c_str(), FALSE);

  const uint32_t background = pixels[static_cast<std::size_t>(5) * width + 195];
  EXPECT_GT(InkIn(pixels, width, RECT{12, 242, 188, 258}, background), 20) << "caption text";
  EXPECT_GT(InkIn(pixels, width, RECT{12, 12, 168, 28}, 0xFFFFFF), 40) << "date text";
  // The sunken client edge: the edit's outer frame differs from its white interior.
  EXPECT_NE(pixels[static_cast<std::size_t>(260) * width + 10], 0xFFFFFFu);
  EXPECT_NE(pixels[static_cast<std::size_t>(260) * width + 25], background);
  EXPECT_GT(InkIn(pixels, width, RECT{12, 452, 58, 473}, background), 20) << "button face";
}
