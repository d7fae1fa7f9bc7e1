// The display scale of a window and of the system.
#include "display_scale_win.h"

#include "win_handles.h"

namespace {

// Looked up at run time: the program also starts on Windows 7 and 8, whose user32 lacks it.
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

GetDpiForWindowFunction DpiForWindowFunction() {
  static const auto function = reinterpret_cast<GetDpiForWindowFunction>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  return function;
}

int ScreenDpi(int which) {
  win32::WindowDc screen(nullptr);
  return screen ? GetDeviceCaps(screen.get(), which) : kBaseDpi;
}

}  // namespace

DisplayScale WindowScale(HWND window) {
  int dpi = 0;
  if (const auto forWindow = DpiForWindowFunction(); forWindow != nullptr && window != nullptr)
    dpi = static_cast<int>(forWindow(window));
  if (dpi <= 0) dpi = ScreenDpi(LOGPIXELSX);
  return DisplayScale{dpi > 0 ? dpi : kBaseDpi};
}

int SystemDpi() {
  const int dpi = ScreenDpi(LOGPIXELSY);
  return dpi > 0 ? dpi : kBaseDpi;
}
