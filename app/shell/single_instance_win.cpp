#include "single_instance_win.h"

#include <chrono>
#include <string>

#include "instance_lock.h"
#include "system_win.h"
#include "win_handles.h"

namespace {

constexpr auto kWindowWait = std::chrono::seconds(3);

// The lock's name for the program's folder: its long full path in upper case.
const std::wstring& LockName() {
  static const std::wstring name = [] {
    std::wstring folder = quillet::GetModulePath();
    wchar_t full[MAX_PATH] = {};
    const DWORD length = folder.empty() ? 0 : GetLongPathNameW(folder.c_str(), full, MAX_PATH);
    if (length > 0 && length < MAX_PATH) folder = full;
    if (!folder.empty()) CharUpperBuffW(folder.data(), static_cast<DWORD>(folder.size()));
    const std::u16string lock =
        InstanceLockName(std::u16string_view(reinterpret_cast<const char16_t*>(folder.data()), folder.size()));
    return std::wstring(lock.begin(), lock.end());
  }();
  return name;
}

// The main window of the run holding the lock: the top-level window carrying the lock's name as
// a property.
HWND FindRunningWindow() {
  HWND found = nullptr;
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        if (GetPropW(window, LockName().c_str()) == nullptr) return TRUE;
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

void BringRunningWindowForward() {
  const auto end = std::chrono::steady_clock::now() + kWindowWait;
  HWND window = FindRunningWindow();
  while (window == nullptr && std::chrono::steady_clock::now() < end) {
    Sleep(50);
    window = FindRunningWindow();
  }
  if (window == nullptr) return;
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  // This process was just started by the user and may give the foreground away.
  AllowSetForegroundWindow(process);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, BringToFrontMessage(), 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
}

bool TakeInstanceLock() {
  // Never closed: the lock is given back by the end of the process.
  static win32::KernelHandle lock;
  HANDLE mutex = CreateMutexW(nullptr, FALSE, LockName().c_str());
  const bool heldElsewhere = mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
  lock = win32::KernelHandle(mutex);
  // Without a lock at all (the system refused it) the run goes on as the only one.
  return !heldElsewhere;
}

void MarkMainWindow(HWND window, bool marked) {
  if (marked)
    SetPropW(window, LockName().c_str(), reinterpret_cast<HANDLE>(1));
  else
    RemovePropW(window, LockName().c_str());
}

UINT BringToFrontMessage() {
  static const UINT message = RegisterWindowMessageW(L"Tovela.BringToFront");
  return message;
}
