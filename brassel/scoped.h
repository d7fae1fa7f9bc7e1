// Small holders that give handles back on every path (internal to Brassel).
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace brassel {

// A window's device context, released on scope exit.
class ScopedGetDC {
public:
  explicit ScopedGetDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~ScopedGetDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  ScopedGetDC(const ScopedGetDC&) = delete;
  ScopedGetDC& operator=(const ScopedGetDC&) = delete;
  operator HDC() const { return dc_; }

private:
  HWND window_;
  HDC dc_;
};

// A memory device context compatible with `dc` (the screen for null), deleted on scope exit.
class ScopedMemoryDC {
public:
  explicit ScopedMemoryDC(HDC dc) : dc_(CreateCompatibleDC(dc)) {}
  ~ScopedMemoryDC() {
    if (dc_) DeleteDC(dc_);
  }
  ScopedMemoryDC(const ScopedMemoryDC&) = delete;
  ScopedMemoryDC& operator=(const ScopedMemoryDC&) = delete;
  operator HDC() const { return dc_; }

private:
  HDC dc_;
};

// Selects an object into a context and reselects what it replaced on scope exit.
class ScopedSelectObject {
public:
  ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~ScopedSelectObject() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  ScopedSelectObject(const ScopedSelectObject&) = delete;
  ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A GDI object owned until scope exit, unless released.
template <typename T>
class ScopedGdiObject {
public:
  explicit ScopedGdiObject(T object) : object_(object) {}
  ~ScopedGdiObject() {
    if (object_) DeleteObject(object_);
  }
  ScopedGdiObject(const ScopedGdiObject&) = delete;
  ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
  T get() const { return object_; }
  T release() {
    T object = object_;
    object_ = nullptr;
    return object;
  }

private:
  T object_;
};

// Registers the given common-control classes (cheap when already registered).
inline void InitCommonControlClasses(DWORD classes) {
  INITCOMMONCONTROLSEX init{sizeof(init), classes};
  InitCommonControlsEx(&init);
}

}  // namespace brassel
