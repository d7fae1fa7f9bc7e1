#include "system_win.h"

#include <bcrypt.h>
#include <commdlg.h>
#include <powrprof.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "module_path.h"
#include "text.h"
#include "win_handles.h"

namespace quillet {

using win32::KernelHandle;

namespace {

constexpr int kPathChars = MAX_PATH;        // 260: a path buffer
constexpr int kModuleNameChars = 520;       // the module file name as read
constexpr int kDialogResultChars = 520;     // the file dialogs' result buffer
constexpr int kErrorTextChars = 256;        // ShowError's buffer

// Runs one of the common file dialogs; `open` chooses between the open and the save dialog. The
// save dialog opens in `folder` when one is given, with `suggested` as the file name, and asks
// before an existing file is chosen when `askOverwrite`.
int RunFileDialog(bool open, HWND owner, wchar_t* path, const wchar_t* filter,
                  const wchar_t* defaultExtension, const wchar_t* folder = nullptr,
                  const wchar_t* suggested = nullptr, bool askOverwrite = true) {
  if (owner == nullptr || filter == nullptr || path == nullptr) return -1;
  wchar_t name[kPathChars] = {};
  if (suggested != nullptr) wcsncpy(name, suggested, kPathChars - 1);
  OPENFILENAMEW ofn = {};
  // The structure in its older, smaller form (no places bar): the size the dialogs have always
  // been given. On a 64-bit build it is 136 bytes, not the 88 of a 32-bit one.
  ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter;
  ofn.lpstrFile = name;
  ofn.nMaxFile = kPathChars;
  if (open) {
    ofn.lpstrTitle = L"ファイルオープン！";
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&ofn)) return -1;
  } else {
    ofn.lpstrTitle = L"ファイルを保存！";
    ofn.Flags = (askOverwrite ? OFN_OVERWRITEPROMPT : 0) | OFN_HIDEREADONLY;
    ofn.lpstrDefExt = defaultExtension;
    if (folder != nullptr && *folder != L'\0') ofn.lpstrInitialDir = folder;
    if (!GetSaveFileNameW(&ofn)) return -1;
  }
  name[kPathChars - 1] = L'\0';
  wcsncpy(path, name, kDialogResultChars - 1);
  path[kDialogResultChars - 1] = L'\0';
  return 1;
}

// Enables the shutdown privilege in the process's token. False when the token cannot be opened
// or the privilege cannot be enabled.
bool EnableShutdownPrivilege() {
  HANDLE rawToken = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &rawToken)) {
    return false;
  }
  KernelHandle token(rawToken);
  TOKEN_PRIVILEGES privileges = {};
  if (!LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)) {
    return false;
  }
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  // AdjustTokenPrivileges succeeds even when it could not enable the privilege; that case is
  // told only by the last error.
  SetLastError(ERROR_SUCCESS);
  if (!AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr)) return false;
  return GetLastError() == ERROR_SUCCESS;
}

}  // namespace

int GetModulePath(wchar_t* path) {
  if (path == nullptr) return -1;
  wchar_t module[kModuleNameChars] = {};
  DWORD length = GetModuleFileNameW(nullptr, module, kModuleNameChars);
  // 0 is a failure; a full buffer means the name was cut short.
  if (length == 0 || length >= static_cast<DWORD>(kModuleNameChars)) return -1;
  return ModuleFolderOf(module, path);
}

int GetDesktopRect(POINT* size) {
  if (size == nullptr) return 0;
  int width = GetSystemMetrics(SM_CXSCREEN);
  int height = GetSystemMetrics(SM_CYSCREEN);
  if (width == 0 || height == 0) return 0;
  size->x = width;
  size->y = height;
  return 1;
}

void ShowError(wchar_t* message) {
  DWORD code = GetLastError();
  if (message == nullptr) return;
  wmemset(message, L'\0', kErrorTextChars);
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), message,
                                kErrorTextChars, nullptr);
  if (length == 0) message[0] = L'\0';
  message[kErrorTextChars - 1] = L'\0';
}

int OpenFileDialog(HWND owner, wchar_t* path, const wchar_t* filter) {
  return RunFileDialog(true, owner, path, filter, nullptr);
}

int SaveFileDialog(HWND owner, wchar_t* path, const wchar_t* filter,
                   const wchar_t* defaultExtension) {
  return RunFileDialog(false, owner, path, filter, defaultExtension);
}

int SaveFileDialogIn(HWND owner, wchar_t* path, const wchar_t* filter,
                     const wchar_t* defaultExtension, const wchar_t* folder, int askOverwrite) {
  if (path == nullptr) return -1;
  const std::wstring suggested(path);
  return RunFileDialog(false, owner, path, filter, defaultExtension, folder, suggested.c_str(),
                       askOverwrite != 0);
}

// The line is written in the system's ANSI code page (Shift_JIS on a Japanese system): the C
// runtime's own wide output would convert in the "C" locale, which drops every line holding a
// character beyond Latin-1 without a word. A line that cannot be converted or written gives -1.
// The line end goes through the text stream like the line itself, so the stream's newline
// translation applies to it: the "\n" of "\r\n" becomes "\r\n" on disk.
int AddLog(const wchar_t* path, const wchar_t* line) {
  if (path == nullptr) return -1;
  std::string narrow;
  if (line != nullptr && *line != L'\0') {
    int bytes = WideCharToMultiByte(CP_ACP, 0, line, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return -1;
    narrow.resize(static_cast<size_t>(bytes));
    if (WideCharToMultiByte(CP_ACP, 0, line, -1, narrow.data(), bytes, nullptr, nullptr) <= 0) {
      return -1;
    }
    narrow.resize(static_cast<size_t>(bytes) - 1);  // without the terminator
  }
  FILE* file = _wfopen(path, L"at");
  if (file == nullptr) return -1;
  if ((!narrow.empty() && fputs(narrow.c_str(), file) < 0) || fputs("\r\n", file) < 0) {
    fclose(file);
    return -1;
  }
  return fclose(file);
}

std::int64_t GetFileSize(const wchar_t* path) {
  if (path == nullptr) return -1;
  KernelHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return -1;
  LARGE_INTEGER size = {};
  if (!GetFileSizeEx(file.get(), &size)) return -1;
  return size.QuadPart;
}

int ShutDownWindows(int flags) {
  if (GetOSInfo() == 1 && !EnableShutdownPrivilege()) return 0;
  constexpr int kHibernate = 1000;
  if (flags == kHibernate) {
    return SetSuspendState(TRUE, FALSE, FALSE) ? 1 : 0;
  }
  return ExitWindowsEx(static_cast<UINT>(flags), 0) ? 1 : 0;
}

int GetOSInfo() {
  OSVERSIONINFOW version = {};
  version.dwOSVersionInfoSize = sizeof(version);
  if (!GetVersionExW(&version)) return -1;
  switch (version.dwPlatformId) {
    case VER_PLATFORM_WIN32_NT: return 1;
    case VER_PLATFORM_WIN32_WINDOWS: return 2;
    default: return -1;
  }
}

// Random values are drawn in blocks so that any count needs only a small fixed buffer. When the
// system's random source fails, nothing more is written.
void GetRandomString(wchar_t* buffer, int count) {
  if (buffer == nullptr || count <= 0) return;
  constexpr int kBlock = 64;
  ULONG values[kBlock];
  for (int written = 0; written < count;) {
    int block = count - written < kBlock ? count - written : kBlock;
    if (!BCRYPT_SUCCESS(BCryptGenRandom(nullptr, reinterpret_cast<PUCHAR>(values),
                                        static_cast<ULONG>(block * sizeof(ULONG)),
                                        BCRYPT_USE_SYSTEM_PREFERRED_RNG))) {
      return;
    }
    for (int i = 0; i < block; ++i) {
      buffer[written + i] = kPlainAlphabet[values[i] % kAlphabetSize];
    }
    written += block;
  }
}

}  // namespace quillet
