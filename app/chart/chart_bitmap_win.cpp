#include "chart_bitmap_win.h"

#include <cstdio>
#include <vector>

ChartBitmap::ChartBitmap(int width, int height) : width_(width), height_(height) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dc_ = win32::CreatedDc(CreateCompatibleDC(nullptr));
  bitmap_ = win32::GdiObject<HBITMAP>(
      CreateDIBSection(dc_.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dc_ || !bitmap_ || bits == nullptr) return;
  bits_ = static_cast<unsigned char*>(bits);
  selection_.emplace(dc_.get(), bitmap_.get());
  const RECT all{0, 0, width, height};
  FillRect(dc_.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

COLORREF ChartBitmap::Pixel(int x, int y) const {
  if (bits_ == nullptr || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  GdiFlush();
  const unsigned char* p = bits_ + (static_cast<size_t>(y) * width_ + x) * 4;
  return RGB(p[2], p[1], p[0]);
}

bool ChartBitmap::SaveBmp(const std::wstring& path) const {
  if (bits_ == nullptr) return false;
  GdiFlush();
  const int stride = (width_ * 3 + 3) & ~3;
  BITMAPFILEHEADER fh{};
  BITMAPINFOHEADER ih{};
  ih.biSize = sizeof ih;
  ih.biWidth = width_;
  ih.biHeight = height_;  // bottom-up
  ih.biPlanes = 1;
  ih.biBitCount = 24;
  ih.biCompression = BI_RGB;
  ih.biSizeImage = static_cast<DWORD>(stride) * height_;
  fh.bfType = 0x4D42;  // "BM"
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + ih.biSizeImage;
  FILE* f = _wfopen(path.c_str(), L"wb");
  if (f == nullptr) return false;
  bool ok = fwrite(&fh, sizeof fh, 1, f) == 1 && fwrite(&ih, sizeof ih, 1, f) == 1;
  std::vector<unsigned char> row(static_cast<size_t>(stride), 0);
  for (int y = height_ - 1; ok && y >= 0; --y) {
    const unsigned char* src = bits_ + static_cast<size_t>(y) * width_ * 4;
    for (int x = 0; x < width_; ++x) {
      row[static_cast<size_t>(x) * 3 + 0] = src[x * 4 + 0];
      row[static_cast<size_t>(x) * 3 + 1] = src[x * 4 + 1];
      row[static_cast<size_t>(x) * 3 + 2] = src[x * 4 + 2];
    }
    ok = fwrite(row.data(), row.size(), 1, f) == 1;
  }
  return fclose(f) == 0 && ok;
}
