// A white memory bitmap to draw the chart or a printed page into: a 32-bit top-down DIB section
// selected into a memory device context. The chart's copy to the clipboard, the saved page
// images, the render tool and the Wine tests draw into it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "win_handles.h"

class ChartBitmap {
 public:
  ChartBitmap(int width, int height);

  bool ok() const { return bits_ != nullptr; }
  HDC dc() const { return dc_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  // Paints the whole bitmap white again.
  void Clear();
  // The colour at (x, y) as a COLORREF; CLR_INVALID outside the bitmap.
  COLORREF Pixel(int x, int y) const;
  // Row y (0 at the top) as width() pixels of blue, green, red and an unused byte, with what GDI
  // drew so far; null outside the bitmap.
  const unsigned char* Row(int y) const;
  // The picture as a packed device-independent bitmap (the clipboard's CF_DIB): a
  // BITMAPINFOHEADER, then 24-bit rows bottom-up, each padded to 4 bytes. Empty when the bitmap
  // could not be made.
  std::string PackedDib() const;
  // Writes a 24-bit bottom-up BMP file; false when the file cannot be written.
  bool SaveBmp(const std::wstring& path) const;

 private:
  int width_;
  int height_;
  // Released in reverse: the bitmap is unselected, deleted, then the context deleted.
  win32::CreatedDc dc_;
  win32::GdiObject<HBITMAP> bitmap_;
  std::optional<win32::ScopedSelection> selection_;
  unsigned char* bits_ = nullptr;  // BGRA, top-down
};
