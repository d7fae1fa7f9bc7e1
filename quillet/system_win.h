// Windows helpers of Quillet: the executable's folder, the screen size, file dialogs, logging,
// file size, shutdown, OS family and random strings.
//
// Buffers belong to the caller and their sizes are part of the contract: path buffers hold 260
// characters (MAX_PATH), the file dialogs' result buffer 520, ShowError's buffer 256.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "quillet_api.h"

namespace quillet {

// Writes the drive and folder of the running executable, ending with its backslash
// ("C:\Apps\" for C:\Apps\Tovela.exe), into `path` (260 characters). 1 on success; -1, leaving
// the buffer untouched, when the module file name cannot be read or the folder does not fit.
QUILLET_API int GetModulePath(wchar_t* path);

// The executable's folder with its trailing backslash, or "" when it cannot be read.
inline std::wstring GetModulePath() {
  wchar_t folder[MAX_PATH] = {};
  return GetModulePath(folder) == 1 ? std::wstring(folder) : std::wstring();
}

// The executable's folder followed by `name` as given: GetModuleFilePath(L"\\Tovela.ini").
// "" when the folder cannot be read.
inline std::wstring GetModuleFilePath(std::wstring_view name) {
  std::wstring folder = GetModulePath();
  if (folder.empty()) return folder;
  return folder.append(name);
}

// The primary screen's width (x) and height (y) in pixels, task bar included. 1 on success; 0,
// leaving `size` untouched, when either metric is 0.
QUILLET_API int GetDesktopRect(POINT* size);

// Fills `message` (256 characters, cleared first) with the system's text for the calling
// thread's last error code; it stays empty when the system has none. Shows nothing.
QUILLET_API void ShowError(wchar_t* message);

// The system's open-file dialog, titled "ファイルオープン！", for an existing file. On OK the
// full path goes into `path` (520 characters) and the result is 1; on cancel -1. -1 without a
// dialog when `owner` or `filter` is missing.
QUILLET_API int OpenFileDialog(HWND owner, wchar_t* path, const wchar_t* filter);

// The system's save-file dialog, titled "ファイルを保存！", asking before it overwrites a file
// and adding `defaultExtension` to a bare name. Results as OpenFileDialog.
QUILLET_API int SaveFileDialog(HWND owner, wchar_t* path, const wchar_t* filter,
                               const wchar_t* defaultExtension);

// The save-file dialog as SaveFileDialog, opening in `folder` (the system's choice when null or
// empty) with the file name that `path` (520 characters, terminated) holds on entry suggested.
// With `askOverwrite` 0 it does not ask before an existing file is chosen: for a caller that
// writes other files than the one chosen and asks about those itself. Results as SaveFileDialog.
QUILLET_API int SaveFileDialogIn(HWND owner, wchar_t* path, const wchar_t* filter,
                                 const wchar_t* defaultExtension, const wchar_t* folder,
                                 int askOverwrite);

// Appends `line`, in the system's ANSI code page, and a line end to the file `path` in text
// mode; the stream's newline translation makes the line end CR CR LF on disk. -1 when the file
// cannot be opened or the line or its end cannot be written, else the result of closing the
// file (0 on success).
QUILLET_API int AddLog(const wchar_t* path, const wchar_t* line);

// The size in bytes of the file `path`, or -1 when it cannot be opened for reading.
QUILLET_API std::int64_t GetFileSize(const wchar_t* path);

// Enables the shutdown privilege (NT family) and then hibernates (flags 1000) or hands `flags`
// to ExitWindowsEx. 1 on success, 0 on failure.
QUILLET_API int ShutDownWindows(int flags);

// 1 for the NT family, 2 for the Windows 95/98/Me family, -1 otherwise or when unknown.
QUILLET_API int GetOSInfo();

// Writes `count` characters drawn from A-Z, a-z, 0-9 with the system's cryptographic random
// source. No terminator is written; a count of 0 or less writes nothing.
QUILLET_API void GetRandomString(wchar_t* buffer, int count);

}  // namespace quillet
