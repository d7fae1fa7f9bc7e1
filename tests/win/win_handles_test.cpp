// The handle holders of win_handles.h where they do more than call one function: a selection
// gives back what it replaced, a lock is undone once, a moved handle is closed once, a block is
// freed unless handed on; and the clipboard's text.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>

#include "win_handles.h"

namespace {

bool IsOpen(HANDLE handle) {
  DWORD flags = 0;
  return GetHandleInformation(handle, &flags) != FALSE;
}

int LockCount(HGLOBAL memory) { return static_cast<int>(GlobalFlags(memory) & GMEM_LOCKCOUNT); }

}  // namespace

TEST(WinHandles, NestedSelectionsGiveBackWhatEachReplaced) {
  win32::CreatedDc dc(CreateCompatibleDC(nullptr));
  ASSERT_TRUE(dc);
  win32::GdiObject<HPEN> red(CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
  win32::GdiObject<HPEN> blue(CreatePen(PS_SOLID, 1, RGB(0, 0, 255)));
  win32::GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(dc.get(), 4, 4));
  ASSERT_TRUE(red && blue && bitmap);
  const HGDIOBJ firstPen = GetCurrentObject(dc.get(), OBJ_PEN);
  const HGDIOBJ firstBitmap = GetCurrentObject(dc.get(), OBJ_BITMAP);
  {
    win32::ScopedSelection outer(dc.get(), red.get());
    win32::ScopedSelection image(dc.get(), bitmap.get());
    {
      win32::ScopedSelection inner(dc.get(), blue.get());
      EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PEN), blue.get());
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PEN), red.get());
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), bitmap.get());
  }
  EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PEN), firstPen);
  EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), firstBitmap);
}

TEST(WinHandles, GlobalLockIsUndoneOnceAndNeverForANullBlock) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 16);
  ASSERT_NE(memory, nullptr);
  {
    win32::GlobalMemoryLock lock(memory);
    EXPECT_NE(lock.get(), nullptr);
    EXPECT_EQ(LockCount(memory), 1);
  }
  EXPECT_EQ(LockCount(memory), 0);
  win32::GlobalMemoryLock none(nullptr);
  EXPECT_EQ(none.get(), nullptr);
  GlobalFree(memory);
}

TEST(WinHandles, MovedKernelHandleIsClosedOnceByItsLastHolder) {
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(event, nullptr);
  {
    win32::KernelHandle first(event);
    win32::KernelHandle second(std::move(first));
    EXPECT_FALSE(first.valid());
    EXPECT_EQ(second.get(), event);
    win32::KernelHandle third;
    third = std::move(second);
    EXPECT_TRUE(IsOpen(event));
    EXPECT_TRUE(third.reset());
    EXPECT_FALSE(IsOpen(event));
    EXPECT_TRUE(third.reset()) << "nothing left to close";
  }
  // A released handle is the caller's again.
  HANDLE other = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(other, nullptr);
  { EXPECT_EQ(win32::KernelHandle(other).release(), other); }
  EXPECT_TRUE(IsOpen(other));
  CloseHandle(other);
}

// A block is freed by its holder unless it was handed on; a handed-on block stays the caller's.
TEST(WinHandles, GlobalMemoryIsFreedUnlessReleased) {
  HGLOBAL kept = nullptr;
  {
    win32::GlobalMemory block(GMEM_MOVEABLE | GMEM_ZEROINIT, 16);
    ASSERT_TRUE(block);
    EXPECT_EQ(GlobalSize(block.get()), 16u);
    kept = block.release();
    EXPECT_FALSE(block);
  }
  EXPECT_EQ(GlobalSize(kept), 16u) << "a released block outlives its holder";
  EXPECT_TRUE(win32::GlobalMemory(GMEM_MOVEABLE, 8).reset());
  EXPECT_EQ(GlobalFree(kept), nullptr);
}

// The text lands on the clipboard whole, characters outside the BMP and an empty text included.
TEST(WinHandles, ClipboardTakesTheTextWhole) {
  for (const std::u16string& text : {std::u16string(u"開始日\t周期\r\n😀"), std::u16string()}) {
    ASSERT_TRUE(win32::CopyTextToClipboard(nullptr, text));
    ASSERT_TRUE(OpenClipboard(nullptr));
    std::u16string back = u"(none)";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
      win32::GlobalMemoryLock lock(data);
      if (lock.get() != nullptr) back = static_cast<const char16_t*>(lock.get());
    }
    CloseClipboard();
    EXPECT_EQ(back, text);
  }
}
