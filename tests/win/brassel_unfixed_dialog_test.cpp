// The shaped dialog: the runs a bitmap's outline is made of, the region built from them, and a
// real window cut to a bitmap.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "brassel.h"
#include "brassel_test_support.h"

using brassel_test::MakeBitmap;
using brassel_test::Pixels;
using brassel_test::WriteBitmapFile;

namespace {

constexpr uint32_t kMagenta = 0xFF00FF;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlue = 0x0000FF;  // as a 32-bit image pixel: blue in the lowest byte
constexpr uint32_t kRed = 0xFF0000;

// The runs of an in-memory bitmap.
std::vector<RECT> RunsOf(int width, int height, const Pixels& pixels, DWORD key) {
  HBITMAP bitmap = MakeBitmap(width, height, pixels);
  std::vector<RECT> rects(static_cast<std::size_t>(width) * height);
  const int count = brassel::CollectBitmapRuns(bitmap, key, rects.data(),
                                               static_cast<int>(rects.size()));
  DeleteObject(bitmap);
  rects.resize(count < 0 ? 0 : static_cast<std::size_t>(count));
  return rects;
}

bool Same(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

::testing::AssertionResult IsRect(const RECT& r, int left, int top, int right, int bottom) {
  if (Same(r, RECT{left, top, right, bottom})) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "rect (" << r.left << ", " << r.top << ", " << r.right
                                       << ", " << r.bottom << ")";
}

// A bordered popup window at a known place, destroyed unless something else did it.
HWND MakePopup(int x, int y, int width, int height) {
  return CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, x, y, width, height, nullptr,
                         nullptr, brassel_test::ThisModule(), nullptr);
}

}  // namespace

TEST(BitmapOutline, NoKeyPixelGivesOneRectanglePerRow) {
  const std::vector<RECT> runs = RunsOf(4, 3, Pixels(12, kWhite), kMagenta);
  ASSERT_EQ(runs.size(), 3u);
  for (int row = 0; row < 3; ++row) EXPECT_TRUE(IsRect(runs[row], 0, row, 4, row + 1));
}

TEST(BitmapOutline, AllKeyGivesNoRectangleAndAnEmptyRegion) {
  EXPECT_TRUE(RunsOf(3, 2, Pixels(6, kMagenta), kMagenta).empty());
  HBITMAP bitmap = MakeBitmap(3, 2, Pixels(6, kMagenta));
  HRGN region = brassel::CreateRegionFromBitmap(bitmap, kMagenta);
  ASSERT_NE(region, nullptr);
  RECT box{};
  EXPECT_EQ(GetRgnBox(region, &box), NULLREGION);
  DeleteObject(region);
  DeleteObject(bitmap);
}

TEST(BitmapOutline, OneKeyPixelSplitsItsRowInTwo) {
  Pixels pixels(5 * 3, kWhite);
  pixels[1 * 5 + 2] = kMagenta;  // middle of the second row
  const std::vector<RECT> runs = RunsOf(5, 3, pixels, kMagenta);
  ASSERT_EQ(runs.size(), 4u);
  EXPECT_TRUE(IsRect(runs[0], 0, 0, 5, 1));
  EXPECT_TRUE(IsRect(runs[1], 0, 1, 2, 2));
  EXPECT_TRUE(IsRect(runs[2], 3, 1, 5, 2));
  EXPECT_TRUE(IsRect(runs[3], 0, 2, 5, 3));
}

TEST(BitmapOutline, RunsStopAtKeysAndAtTheRowEnd) {
  const Pixels pixels = {kMagenta, kWhite, kWhite, kMagenta, kMagenta, kWhite};
  const std::vector<RECT> runs = RunsOf(6, 1, pixels, kMagenta);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_TRUE(IsRect(runs[0], 1, 0, 3, 1));
  EXPECT_TRUE(IsRect(runs[1], 5, 0, 6, 1));
}

TEST(BitmapOutline, KeyIsComparedInImageByteOrder) {
  // 255 fills the lowest byte, which in a 32-bit image pixel is blue.
  const std::vector<RECT> runs = RunsOf(2, 1, {kBlue, kRed}, 255);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_TRUE(IsRect(runs[0], 1, 0, 2, 1)) << "blue is cut, red stays";
}

TEST(BitmapOutline, UnreadableBitmapGivesNoRunsAndNoRegion) {
  EXPECT_EQ(brassel::CollectBitmapRuns(nullptr, 0, nullptr, 0), -1);
  EXPECT_EQ(brassel::CreateRegionFromBitmap(nullptr, 0), nullptr);
}

TEST(BitmapOutline, CountIsReportedBeyondTheCapacity) {
  HBITMAP bitmap = MakeBitmap(4, 3, Pixels(12, kWhite));
  RECT one[1] = {};
  EXPECT_EQ(brassel::CollectBitmapRuns(bitmap, kMagenta, one, 1), 3);
  EXPECT_TRUE(IsRect(one[0], 0, 0, 4, 1));
  EXPECT_EQ(brassel::CollectBitmapRuns(bitmap, kMagenta, nullptr, 0), 3);
  DeleteObject(bitmap);
}

TEST(BitmapOutline, RegionCoversExactlyTheNonKeyPixels) {
  Pixels pixels(4 * 4, kWhite);
  pixels[0] = kMagenta;           // top-left corner
  pixels[2 * 4 + 3] = kMagenta;   // right end of the third row
  HBITMAP bitmap = MakeBitmap(4, 4, pixels);
  HRGN region = brassel::CreateRegionFromBitmap(bitmap, kMagenta);
  ASSERT_NE(region, nullptr);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      const bool key = pixels[static_cast<std::size_t>(y) * 4 + x] == kMagenta;
      EXPECT_EQ(PtInRegion(region, x, y) != 0, !key) << "pixel " << x << ", " << y;
    }
  }
  DeleteObject(region);
  DeleteObject(bitmap);
}

// ---------------------------------------------------------------------------------------------
// CMyUnfixedDialog on real windows.

class ShapedWindow : public ::testing::Test {
protected:
  void TearDown() override {
    dialog_.reset();
    if (IsWindow(window_)) DestroyWindow(window_);
  }

  // A 16 x 8 bitmap whose left column is the key colour.
  static std::wstring KeyedBitmapFile() {
    Pixels pixels(16 * 8, kWhite);
    for (int y = 0; y < 8; ++y) pixels[static_cast<std::size_t>(y) * 16] = kMagenta;
    return WriteBitmapFile(L"brassel_shape.bmp", 16, 8, pixels);
  }

  HWND window_ = nullptr;
  std::optional<CMyUnfixedDialog> dialog_;
};

TEST_F(ShapedWindow, TakesTheBitmapsSizeAtItsFormerTopLeft) {
  window_ = MakePopup(30, 40, 200, 150);
  ASSERT_NE(window_, nullptr);
  const std::wstring path = KeyedBitmapFile();
  dialog_.emplace(brassel_test::ThisModule(), window_, path.c_str(), kMagenta);
  ASSERT_NE(dialog_->GetMyBitmap(), nullptr);
  EXPECT_EQ(dialog_->GetMyHWnd(), window_);
  EXPECT_EQ(dialog_->GetMyDialogInstance(), brassel_test::ThisModule());

  EXPECT_EQ(dialog_->SetWindowRgnFromBitmap(), 1);
  RECT r{};
  GetWindowRect(window_, &r);
  EXPECT_EQ(r.left, 30);
  EXPECT_EQ(r.top, 40);
  EXPECT_EQ(r.right - r.left, 16);
  EXPECT_EQ(r.bottom - r.top, 8);
  EXPECT_EQ(dialog_->GetMyWidth(), 16);
  EXPECT_EQ(dialog_->GetMyHeight(), 8);

  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(window_, region), ERROR);
  EXPECT_FALSE(PtInRegion(region, 0, 3)) << "key column cut out";
  EXPECT_TRUE(PtInRegion(region, 1, 3));
  EXPECT_TRUE(PtInRegion(region, 15, 7));
  DeleteObject(region);
}

TEST_F(ShapedWindow, AChildStaysAtItsPlaceInTheParent) {
  brassel_test::HostWindow host;
  window_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 25, 35, 100, 100,
                            host.get(), nullptr, brassel_test::ThisModule(), nullptr);
  ASSERT_NE(window_, nullptr);
  const std::wstring path = KeyedBitmapFile();
  dialog_.emplace(brassel_test::ThisModule(), window_, path.c_str(), kMagenta);
  ASSERT_EQ(dialog_->SetWindowRgnFromBitmap(), 1);
  const RECT r = brassel_test::RectInParent(window_);
  EXPECT_EQ(r.left, 25);
  EXPECT_EQ(r.top, 35);
  EXPECT_EQ(r.right - r.left, 16);
  EXPECT_EQ(r.bottom - r.top, 8);
  dialog_.reset();
}

TEST_F(ShapedWindow, AllKeyBitmapLeavesNothingVisible) {
  window_ = MakePopup(10, 10, 50, 50);
  const std::wstring path = WriteBitmapFile(L"brassel_allkey.bmp", 6, 6, Pixels(36, kMagenta));
  dialog_.emplace(brassel_test::ThisModule(), window_, path.c_str(), kMagenta);
  EXPECT_EQ(dialog_->SetWindowRgnFromBitmap(), 1);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(window_, region), NULLREGION);
  DeleteObject(region);
}

TEST_F(ShapedWindow, MissingBitmapBuildsNoRegionAndLeavesTheWindowAlone) {
  window_ = MakePopup(30, 40, 200, 150);
  dialog_.emplace(brassel_test::ThisModule(), window_, L"C:\\no\\such\\shape.bmp", kMagenta);
  EXPECT_EQ(dialog_->GetMyBitmap(), nullptr);
  EXPECT_EQ(dialog_->SetWindowRgnFromBitmap(), 0);
  EXPECT_EQ(dialog_->DrawBitmap(), 0);
  RECT r{};
  GetWindowRect(window_, &r);
  EXPECT_EQ(r.right - r.left, 200);
  EXPECT_EQ(r.bottom - r.top, 150);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(window_, region), ERROR) << "no region set";
  DeleteObject(region);
}

TEST_F(ShapedWindow, DrawBitmapPaintsTheFace) {
  window_ = MakePopup(50, 60, 40, 40);
  Pixels pixels(8 * 8, kWhite);
  for (int i = 0; i < 8; ++i) pixels[static_cast<std::size_t>(3) * 8 + i] = kRed;
  const std::wstring path = WriteBitmapFile(L"brassel_face.bmp", 8, 8, pixels);
  dialog_.emplace(brassel_test::ThisModule(), window_, path.c_str(), kMagenta);
  ASSERT_EQ(dialog_->SetWindowRgnFromBitmap(), 1);
  brassel_test::PumpMessages();
  EXPECT_EQ(dialog_->DrawBitmap(), 1);
  HDC dc = GetDC(window_);
  EXPECT_EQ(GetPixel(dc, 4, 3), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 4, 5), RGB(255, 255, 255));
  ReleaseDC(window_, dc);
}

TEST_F(ShapedWindow, DeletingTheObjectDestroysTheWrappedWindow) {
  window_ = MakePopup(0, 0, 20, 20);
  dialog_.emplace(brassel_test::ThisModule(), window_, L"", kMagenta);
  EXPECT_EQ(dialog_->GetMyBitmap(), nullptr);
  dialog_.reset();
  EXPECT_FALSE(IsWindow(window_));
}

TEST_F(ShapedWindow, LongPathIsCutNotOverrun) {
  window_ = MakePopup(0, 0, 20, 20);
  const std::wstring longPath(1000, L'a');
  dialog_.emplace(brassel_test::ThisModule(), window_, longPath.c_str(), kMagenta);
  EXPECT_EQ(dialog_->GetMyBitmap(), nullptr);
  EXPECT_EQ(dialog_->SetWindowRgnFromBitmap(), 0);
}
