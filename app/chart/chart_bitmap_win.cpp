#include "chart_bitmap_win.h"

#include <cstdio>
#include <cstring>

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
  Clear();
}

void ChartBitmap::Clear() {
  if (bits_ == nullptr) return;
  const RECT all{0, 0, width_, height_};
  FillRect(dc_.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

COLORREF ChartBitmap::Pixel(int x, int y) const {
  if (bits_ == nullptr || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  GdiFlush();
  const unsigned char* p = bits_ + (static_cast<size_t>(y) * width_ + x) * 4;
  return RGB(p[2], p[1], p[0]);
}

const unsigned char* ChartBitmap::Row(int y) const {
  if (bits_ == nullptr || y < 0 || y >= height_) return nullptr;
  GdiFlush();
  return bits_ + static_cast<size_t>(y) * width_ * 4;
}

std::string ChartBitmap::PackedDib() const {
  if (bits_ == nullptr) return std::string();
  const size_t stride = (static_cast<size_t>(width_) * 3 + 3) & ~static_cast<size_t>(3);
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width_;
  header.biHeight = height_;  // bottom-up
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(stride * height_);
  std::string dib(sizeof header + header.biSizeImage, '\0');
  std::memcpy(dib.data(), &header, sizeof header);
  unsigned char* out = reinterpret_cast<unsigned char*>(dib.data()) + sizeof header;
  for (int y = height_ - 1; y >= 0; --y, out += stride) {
    const unsigned char* src = Row(y);
    for (int x = 0; x < width_; ++x) std::memcpy(out + x * 3, src + x * 4, 3);
  }
  return dib;
}

bool ChartBitmap::SaveBmp(const std::wstring& path) const {
  const std::string dib = PackedDib();
  if (dib.empty()) return false;
  BITMAPFILEHEADER fh{};
  fh.bfType = 0x4D42;  // "BM"
  fh.bfOffBits = sizeof fh + sizeof(BITMAPINFOHEADER);
  fh.bfSize = static_cast<DWORD>(sizeof fh + dib.size());
  FILE* f = _wfopen(path.c_str(), L"wb");
  if (f == nullptr) return false;
  const bool ok = fwrite(&fh, sizeof fh, 1, f) == 1 && fwrite(dib.data(), dib.size(), 1, f) == 1;
  return fclose(f) == 0 && ok;
}
