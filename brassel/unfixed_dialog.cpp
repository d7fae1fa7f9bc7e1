// CMyUnfixedDialog and the bitmap-outline region it applies.
#include "unfixed_dialog.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <new>

#include "win_handles.h"

namespace {

// The 32-bit value of a pixel as a 32-bit image gives it (0x00RRGGBB); the unused top byte
// is not part of the colour.
constexpr DWORD kColourBits = 0x00FFFFFF;

struct BitmapSize {
  int width = 0;
  int height = 0;
};

bool ReadBitmapSize(HBITMAP bitmap, BitmapSize& size) {
  BITMAP info{};
  if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info)) return false;
  size.width = info.bmWidth;
  size.height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  return size.width > 0 && size.height > 0;
}

// Calls onRun(left, top, right) for every run of non-key pixels, rows from the top and runs
// from the left. False when the bitmap cannot be read.
template <typename OnRun>
bool ForEachOpaqueRun(HBITMAP bitmap, DWORD key, OnRun&& onRun) {
  BitmapSize size;
  if (!ReadBitmapSize(bitmap, size)) return false;
  win32::CreatedDc memory(CreateCompatibleDC(nullptr));
  if (!memory) return false;
  std::unique_ptr<DWORD[]> row(new (std::nothrow) DWORD[static_cast<std::size_t>(size.width)]);
  if (!row) return false;

  // An uncompressed bottom-up image of the whole bitmap at 32 bits per pixel.
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  format.bmiHeader.biWidth = size.width;
  format.bmiHeader.biHeight = size.height;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;

  const DWORD wanted = key & kColourBits;
  for (int top = 0; top < size.height; ++top) {
    // Scan lines count from the bottom.
    if (!GetDIBits(memory.get(), bitmap, static_cast<UINT>(size.height - 1 - top), 1, row.get(),
                   &format, DIB_RGB_COLORS)) {
      return false;
    }
    int x = 0;
    while (x < size.width) {
      if ((row[x] & kColourBits) == wanted) {
        ++x;
        continue;
      }
      const int left = x;
      while (x < size.width && (row[x] & kColourBits) != wanted) ++x;
      onRun(left, top, x);
    }
  }
  return true;
}

}  // namespace

namespace brassel {

int CollectBitmapRuns(HBITMAP bitmap, DWORD key, RECT* rects, int capacity) {
  int count = 0;
  const bool read = ForEachOpaqueRun(bitmap, key, [&](int left, int top, int right) {
    if (rects && count < capacity) rects[count] = RECT{left, top, right, top + 1};
    ++count;
  });
  return read ? count : -1;
}

HRGN CreateRegionFromBitmap(HBITMAP bitmap, DWORD key) {
  BitmapSize size;
  if (!ReadBitmapSize(bitmap, size)) return nullptr;
  // A row of w pixels holds at most (w + 1) / 2 runs. The region data is a 32-byte header
  // (two RECTs' worth) followed by the rectangles.
  const std::size_t perRow = (static_cast<std::size_t>(size.width) + 1) / 2;
  const std::size_t most = perRow * static_cast<std::size_t>(size.height);
  if (most > (std::numeric_limits<DWORD>::max() / sizeof(RECT)) - 2) return nullptr;
  std::unique_ptr<RECT[]> data(new (std::nothrow) RECT[most + 2]);
  if (!data) return nullptr;

  RECT* rects = data.get() + 2;
  DWORD count = 0;
  const bool read = ForEachOpaqueRun(bitmap, key, [&](int left, int top, int right) {
    if (count < most) rects[count++] = RECT{left, top, right, top + 1};
  });
  if (!read) return nullptr;

  auto* header = reinterpret_cast<RGNDATAHEADER*>(data.get());
  *header = RGNDATAHEADER{};
  header->dwSize = sizeof(RGNDATAHEADER);
  header->iType = RDH_RECTANGLES;
  header->nCount = count;
  header->nRgnSize = count * sizeof(RECT);
  header->rcBound = RECT{0, 0, size.width, size.height};
  const DWORD bytes = static_cast<DWORD>((count + 2) * sizeof(RECT));
  HRGN region = ExtCreateRegion(nullptr, bytes, reinterpret_cast<RGNDATA*>(data.get()));
  if (!region && count == 0) region = CreateRectRgn(0, 0, 0, 0);
  return region;
}

}  // namespace brassel

CMyUnfixedDialog::CMyUnfixedDialog(HINSTANCE instance, HWND window, const wchar_t* bitmapPath,
                                   DWORD key)
    : width_(0), height_(0), key_(key), path_{}, bitmap_(nullptr) {
  instance_ = instance;
  hwnd_ = window;
  if (bitmapPath) lstrcpynW(path_, bitmapPath, PathCapacity);
  if (path_[0]) {
    bitmap_ = static_cast<HBITMAP>(
        LoadImageW(nullptr, path_, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  }
}

CMyUnfixedDialog::~CMyUnfixedDialog() {
  if (bitmap_) DeleteObject(bitmap_);
}

int CMyUnfixedDialog::DrawBitmap() {
  if (!hwnd_ || !bitmap_) return 0;
  BitmapSize size;
  if (!ReadBitmapSize(bitmap_, size)) return 0;
  win32::WindowDc window(hwnd_);
  if (!window) return 0;
  win32::CreatedDc memory(CreateCompatibleDC(window.get()));
  if (!memory) return 0;
  win32::ScopedSelection select(memory.get(), bitmap_);
  BitBlt(window.get(), 0, 0, size.width, size.height, memory.get(), 0, 0, SRCCOPY);
  return 1;
}

int CMyUnfixedDialog::SetWindowRgnFromBitmap() {
  if (!hwnd_) return 0;
  win32::GdiObject<HRGN> region(brassel::CreateRegionFromBitmap(bitmap_, key_));
  if (!region.get()) return 0;
  BitmapSize size;
  RECT frame{};
  if (!ReadBitmapSize(bitmap_, size) || !GetWindowRect(hwnd_, &frame)) return 0;

  // MoveWindow places a child in its parent's client coordinates.
  POINT corner{frame.left, frame.top};
  HWND parent = GetAncestor(hwnd_, GA_PARENT);
  if ((GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_CHILD) && parent) {
    MapWindowPoints(HWND_DESKTOP, parent, &corner, 1);
  }

  MoveWindow(hwnd_, corner.x, corner.y, 0, 0, FALSE);
  if (!SetWindowRgn(hwnd_, region.get(), FALSE)) return 0;
  region.release();  // The window owns the region now.
  MoveWindow(hwnd_, corner.x, corner.y, size.width, size.height, TRUE);
  width_ = size.width;
  height_ = size.height;
  return 1;
}
