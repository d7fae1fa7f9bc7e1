// Helpers for the Brassel tests: a host window, message pumping with a timeout, and in-memory
// 32-bit bitmaps (as DIB sections or written to .bmp files).
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace brassel_test {

inline HINSTANCE ThisModule() { return GetModuleHandleW(nullptr); }

// Dispatches every queued message of this thread.
inline void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Pumps messages until `done` holds or the timeout passes; the last value of `done`.
inline bool PumpUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return done();
    PumpMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

// Removes a pending WM_QUIT; true when there was one, with its exit code.
inline bool TakeQuitMessage(WPARAM* exitCode = nullptr) {
  MSG msg;
  bool found = false;
  while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    found = true;
    if (exitCode) *exitCode = msg.wParam;
  }
  return found;
}

// A plain visible top-level window that children can live in; destroyed with the object.
class HostWindow {
public:
  HostWindow(int width = 640, int height = 480, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE) {
    static const ATOM atom = [] {
      WNDCLASSEXW wc{};
      wc.cbSize = sizeof(wc);
      wc.lpfnWndProc = DefWindowProcW;
      wc.hInstance = ThisModule();
      wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
      wc.lpszClassName = L"BrasselTestHost";
      return RegisterClassExW(&wc);
    }();
    (void)atom;
    window_ = CreateWindowExW(0, L"BrasselTestHost", L"host", style, 0, 0, width, height,
                              nullptr, nullptr, ThisModule(), nullptr);
  }
  ~HostWindow() {
    if (IsWindow(window_)) DestroyWindow(window_);
  }
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;
  HWND get() const { return window_; }

private:
  HWND window_;
};

// Pixels are given top row first as 0x00RRGGBB values.
using Pixels = std::vector<uint32_t>;

// A 32-bit top-down DIB section holding the pixels; the caller deletes it.
inline HBITMAP MakeBitmap(int width, int height, const Pixels& pixels) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap && bits) {
    auto* out = static_cast<uint32_t*>(bits);
    for (std::size_t i = 0; i < pixels.size(); ++i) out[i] = pixels[i];
    GdiFlush();
  }
  return bitmap;
}

// A 24-bit bottom-up .bmp file holding the pixels, in the temporary folder; returns its path.
inline std::wstring WriteBitmapFile(const wchar_t* name, int width, int height,
                                    const Pixels& pixels) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  std::wstring path = std::wstring(folder) + name;
  const int stride = (width * 3 + 3) & ~3;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(header);
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(stride * height);
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(header);
  file.bfSize = file.bfOffBits + header.biSizeImage;
  std::vector<uint8_t> data(header.biSizeImage, 0);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = data.data() + static_cast<std::size_t>(height - 1 - y) * stride;
    for (int x = 0; x < width; ++x) {
      const uint32_t p = pixels[static_cast<std::size_t>(y) * width + x];
      row[x * 3 + 0] = static_cast<uint8_t>(p);
      row[x * 3 + 1] = static_cast<uint8_t>(p >> 8);
      row[x * 3 + 2] = static_cast<uint8_t>(p >> 16);
    }
  }
  HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) return L"";
  DWORD written = 0;
  WriteFile(out, &file, sizeof(file), &written, nullptr);
  WriteFile(out, &header, sizeof(header), &written, nullptr);
  WriteFile(out, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
  CloseHandle(out);
  return path;
}

// A place: x, y, width, height.
inline RECT Place(int x, int y, int width, int height) { return RECT{x, y, width, height}; }

// A window's rectangle in its parent's client coordinates (screen for a top-level window).
inline RECT RectInParent(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  HWND parent = GetParent(window);
  if (parent && (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)) {
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  }
  return r;
}

}  // namespace brassel_test
