// A window shaped like a bitmap: every pixel of the key colour is cut out of its region.
#pragma once

#include <windows.h>

#include "brassel_api.h"
#include "component.h"

namespace brassel {

// Pixels are compared as the 32-bit values of a 32-bit image: blue in the lowest byte, then
// green, then red (0x00RRGGBB), the reverse of a COLORREF. Greys, white, black and magenta
// read the same either way.

// Collects the opaque runs of `bitmap`: one rectangle (left j, top i, right j + n, bottom i + 1)
// per run of pixels that differ from `key`, rows from the top, runs from the left. Writes at
// most `capacity` rectangles into `rects` (which may be null when capacity is 0) and returns
// how many there are; -1 when the bitmap cannot be read.
BRASSEL_API int CollectBitmapRuns(HBITMAP bitmap, DWORD key, RECT* rects, int capacity);

// The region made of those runs, bounded by the bitmap's size; null when it cannot be built
// (no bitmap, unreadable bitmap, out of memory). All key pixels give an empty region.
BRASSEL_API HRGN CreateRegionFromBitmap(HBITMAP bitmap, DWORD key);

}  // namespace brassel

// Wraps an existing window (typically a dialog from a template) and gives it a bitmap's
// outline. The class record stays empty; deleting the object destroys the wrapped window and
// deletes the bitmap.
class BRASSEL_API CMyUnfixedDialog final : public CMyDialog {
public:
  // Loads the bitmap from `bitmapPath` (cut at 259 characters); a failed load leaves no bitmap.
  CMyUnfixedDialog(HINSTANCE instance, HWND window, const wchar_t* bitmapPath, DWORD key);
  ~CMyUnfixedDialog();

  // Paints the whole bitmap at (0, 0) of the window. 1 drawn, 0 otherwise.
  int DrawBitmap();
  // Cuts the key pixels out of the window's region and sizes the window to the bitmap at its
  // current top-left corner. 1 done, 0 when the region cannot be built.
  int SetWindowRgnFromBitmap();

  HBITMAP GetMyBitmap() const { return bitmap_; }
  int GetMyWidth() const { return width_; }
  int GetMyHeight() const { return height_; }

  static constexpr int PathCapacity = 260;

protected:
  int width_;
  int height_;
  DWORD key_;
  wchar_t path_[PathCapacity];
  HBITMAP bitmap_;
};
