// Holders that give Win32 handles back on every path: device contexts, GDI objects and what a
// device context has selected, kernel and spooler handles, COM objects, movable global memory
// and its locks, the wait cursor; and the clipboard, which such memory is handed on to.
// Header only, for Quillet, Brassel and the program alike; nothing here is exported.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <winspool.h>

#include <cstring>
#include <string>
#include <string_view>

namespace win32 {

// A handle owned until scope exit and closed with Traits::Close. Traits::Valid tells a handle
// from "none"; reset() and release() leave Traits::None behind.
template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = other.release();
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle get() const { return handle_; }
  bool valid() const { return Traits::Valid(handle_); }
  explicit operator bool() const { return valid(); }

  // Closes the handle now. False only when the close itself failed.
  bool reset() {
    const Handle handle = handle_;
    handle_ = Traits::None();
    return !Traits::Valid(handle) || Traits::Close(handle);
  }
  // Gives the handle up without closing it.
  Handle release() {
    const Handle handle = handle_;
    handle_ = Traits::None();
    return handle;
  }

 private:
  Handle handle_ = Traits::None();
};

// Traits of a handle that is null when there is none and is closed by `close`.
template <typename H, auto close>
struct NullOrHandle {
  using Handle = H;
  static Handle None() { return nullptr; }
  static bool Valid(Handle handle) { return handle != nullptr; }
  static bool Close(Handle handle) { return close(handle) != FALSE; }
};

// Kernel objects (files, tokens): CloseHandle. Both null and INVALID_HANDLE_VALUE mean none, as
// different functions fail with one or the other.
struct KernelHandleTraits : NullOrHandle<HANDLE, &CloseHandle> {
  static bool Valid(Handle handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
};
using KernelHandle = UniqueHandle<KernelHandleTraits>;

// A printer opened in the spooler (OpenPrinterW).
using SpoolerHandle = UniqueHandle<NullOrHandle<HANDLE, &ClosePrinter>>;

// A device context this code created (CreateCompatibleDC, CreateDCW).
using CreatedDc = UniqueHandle<NullOrHandle<HDC, &DeleteDC>>;

// A menu this code created and did not hand to a window (a context menu).
using MenuHandle = UniqueHandle<NullOrHandle<HMENU, &DestroyMenu>>;

// A pen, brush, font, bitmap or region.
template <typename T>
using GdiObject = UniqueHandle<NullOrHandle<T, &DeleteObject>>;

// A window's device context (GetDC), released with ReleaseDC on scope exit.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// A window's paint device context: BeginPaint, and EndPaint on scope exit (also when BeginPaint
// gave no context), which validates the update region.
class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~PaintDc() { EndPaint(window_, &paint_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// Selects an object into a device context and reselects what it replaced on scope exit. When
// the selection fails nothing is reselected.
class ScopedSelection {
 public:
  ScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~ScopedSelection() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  ScopedSelection(const ScopedSelection&) = delete;
  ScopedSelection& operator=(const ScopedSelection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A lock of a movable global block (GlobalLock), unlocked on scope exit. get() is null when the
// handle is null or the lock failed; nothing is unlocked then.
class GlobalMemoryLock {
 public:
  explicit GlobalMemoryLock(HGLOBAL memory)
      : memory_(memory), data_(memory != nullptr ? GlobalLock(memory) : nullptr) {}
  ~GlobalMemoryLock() {
    if (data_ != nullptr) GlobalUnlock(memory_);
  }
  GlobalMemoryLock(const GlobalMemoryLock&) = delete;
  GlobalMemoryLock& operator=(const GlobalMemoryLock&) = delete;
  HGLOBAL memory() const { return memory_; }
  void* get() const { return data_; }

 private:
  HGLOBAL memory_;
  void* data_;
};

// A movable global block (GlobalAlloc), freed with GlobalFree on scope exit unless release()
// handed it on (to the clipboard, a print dialog). Lock it with GlobalMemoryLock.
struct GlobalMemoryTraits {
  using Handle = HGLOBAL;
  static Handle None() { return nullptr; }
  static bool Valid(Handle handle) { return handle != nullptr; }
  static bool Close(Handle handle) { return GlobalFree(handle) == nullptr; }
};
class GlobalMemory : public UniqueHandle<GlobalMemoryTraits> {
 public:
  GlobalMemory() = default;
  // Allocates `bytes` with `flags` (GMEM_MOVEABLE, GMEM_ZEROINIT); invalid when that failed.
  GlobalMemory(UINT flags, SIZE_T bytes) : UniqueHandle(GlobalAlloc(flags, bytes)) {}
};

// The hourglass for a long step on the window's thread, and the cursor that showed before it
// again at scope exit.
class WaitCursor {
 public:
  WaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
  ~WaitCursor() { SetCursor(previous_); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HCURSOR previous_;
};

// Opens the clipboard for `owner`. Another program that reads the clipboard (a clipboard viewer,
// a paste) holds it open for a moment, so the open is tried again for up to about 200 ms.
inline bool OpenClipboardSoon(HWND owner) {
  for (int attempt = 0; attempt < 40; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(5);
  }
  return false;
}

// Puts `bytes` on the clipboard in `format` (CF_DIB, CF_UNICODETEXT), in place of whatever it
// held; false when the clipboard cannot be opened or the memory cannot be had. The clipboard
// owns the block once it took it.
inline bool CopyToClipboard(HWND owner, UINT format, const void* bytes, SIZE_T size) {
  GlobalMemory block(GMEM_MOVEABLE, size);
  if (!block) return false;
  {
    GlobalMemoryLock lock(block.get());
    if (lock.get() == nullptr) return false;
    std::memcpy(lock.get(), bytes, size);
  }
  if (!OpenClipboardSoon(owner)) return false;
  EmptyClipboard();
  const bool taken = SetClipboardData(format, block.get()) != nullptr;
  if (taken) block.release();
  CloseClipboard();
  return taken;
}

// Puts the text on the clipboard as CF_UNICODETEXT (with its terminator).
inline bool CopyTextToClipboard(HWND owner, std::u16string_view text) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wide characters");
  const std::u16string terminated(text);
  return CopyToClipboard(owner, CF_UNICODETEXT, terminated.c_str(),
                         (terminated.size() + 1) * sizeof(char16_t));
}

// COM for the current thread for one scope; uninitialised only when the initialisation
// succeeded (S_OK or S_FALSE), never after a refusal such as a different threading model.
class ComInit {
 public:
  ComInit() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~ComInit() {
    if (initialised_) CoUninitialize();
  }
  ComInit(const ComInit&) = delete;
  ComInit& operator=(const ComInit&) = delete;

 private:
  bool initialised_;
};

// A COM interface pointer, released on scope exit. put() is the out-parameter of the call that
// fills it (CoCreateInstance, QueryInterface; out() where the parameter has the interface's own
// type); call either on an empty holder only.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() {
    if (object_ != nullptr) object_->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  T* get() const { return object_; }
  T* operator->() const { return object_; }
  void** put() { return reinterpret_cast<void**>(&object_); }
  T** out() { return &object_; }

 private:
  T* object_ = nullptr;
};

}  // namespace win32
