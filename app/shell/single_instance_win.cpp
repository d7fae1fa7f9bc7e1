#include "single_instance_win.h"

#include <chrono>
#include <string>

#include "instance_lock.h"
#include "system_win.h"
#include "win_handles.h"

namespace {

constexpr auto kWindowWait = std::chrono::seconds(3);

// "\\?\C:\..." -> "C:\...", "\\?\UNC\server\share\..." -> "\\server\share\...".
std::wstring WithoutLongPathPrefix(std::wstring path) {
  if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\" + path.substr(7);
  if (path.rfind(L"\\\\?\\", 0) == 0) return path.substr(4);
  return path;
}

// The lock of the program's folder.
const std::wstring& LockName() {
  static const std::wstring name = InstanceLockNameOf(quillet::GetModulePath());
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

std::wstring InstanceLockNameOf(const std::wstring& folder) {
  std::wstring key = folder;
  // A folder opens only with FILE_FLAG_BACKUP_SEMANTICS.
  win32::KernelHandle handle(CreateFileW(
      folder.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  wchar_t path[MAX_PATH * 2] = {};
  const DWORD length = handle.valid()
                           ? GetFinalPathNameByHandleW(handle.get(), path, MAX_PATH * 2,
                                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS)
                           : 0;
  if (length > 0 && length < MAX_PATH * 2) {
    key = WithoutLongPathPrefix(path);
  } else {
    const DWORD longLength = folder.empty() ? 0 : GetLongPathNameW(folder.c_str(), path, MAX_PATH);
    if (longLength > 0 && longLength < MAX_PATH) key = path;
  }
  if (!key.empty()) CharUpperBuffW(key.data(), static_cast<DWORD>(key.size()));
  const std::u16string lock = InstanceLockName(
      std::u16string_view(reinterpret_cast<const char16_t*>(key.data()), key.size()));
  return std::wstring(lock.begin(), lock.end());
}

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
  const DWORD error = GetLastError();
  lock = win32::KernelHandle(mutex);
  // Access denied: the lock exists, made by a run with more rights (started elevated) that this
  // one may not open, so another copy runs. Without a lock for any other reason (the system
  // refused it) the run goes on as the only one.
  if (mutex == nullptr) return error != ERROR_ACCESS_DENIED;
  return error != ERROR_ALREADY_EXISTS;
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
