// The handle holders of win_handles.h where they do more than call one function: a selection
// gives back what it replaced, a lock is undone once, a moved handle is closed once.
#include <gtest/gtest.h>

#include <windows.h>

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
