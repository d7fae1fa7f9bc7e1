#include "startup_shortcut_win.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cwchar>

#include "commands_win.h"
#include "system_win.h"
#include "win_handles.h"

namespace {

constexpr int kPathBuffer = MAX_PATH;  // 260 characters, terminator included

// dest = first + second when it fits the path buffer; false (dest untouched) otherwise.
bool JoinPath(wchar_t (&dest)[kPathBuffer], const wchar_t* first, const wchar_t* second) {
  const std::size_t a = std::wcslen(first);
  const std::size_t b = std::wcslen(second);
  if (a + b >= static_cast<std::size_t>(kPathBuffer)) return false;
  std::wmemcpy(dest, first, a);
  std::wmemcpy(dest + a, second, b + 1);
  return true;
}

// The folder part of `path` (up to, not including, its last separator); false when it has none.
bool FolderOf(wchar_t (&dest)[kPathBuffer], const wchar_t* path) {
  const wchar_t* slash = std::wcsrchr(path, L'\\');
  if (slash == nullptr || slash - path >= kPathBuffer) return false;
  const std::size_t length = static_cast<std::size_t>(slash - path);
  std::wmemcpy(dest, path, length);
  dest[length] = L'\0';
  return true;
}

// Saves the link as `path` so that anyone reading `path` meanwhile sees the old shortcut or the
// new one, never a file still being written: the link goes to a fresh temporary file in the same
// folder first and then takes the shortcut's name in one rename. When the rename is refused (a
// reader holds the old file open), the old shortcut stays as it was and the temporary file is
// removed, so nothing else is ever left in the Startup folder.
bool SaveReplacing(IPersistFile* file, const wchar_t* path) {
  wchar_t folder[kPathBuffer];
  wchar_t temporary[kPathBuffer];
  if (!FolderOf(folder, path) || GetTempFileNameW(folder, L"Tov", 0, temporary) == 0) return false;
  const bool replaced = SUCCEEDED(file->Save(temporary, TRUE)) &&
                        MoveFileExW(temporary, path, MOVEFILE_REPLACE_EXISTING) != 0;
  if (!replaced) DeleteFileW(temporary);
  return replaced;
}

// "<Startup folder>\Tovela.lnk"; false when the Startup folder is unknown (or, with createFolder,
// cannot be made) or the path does not fit.
bool StartupShortcutPath(HWND owner, bool createFolder, wchar_t (&path)[MAX_PATH]) {
  wchar_t startup[kPathBuffer] = {};
  if (!SHGetSpecialFolderPathW(owner, startup, CSIDL_STARTUP, createFolder ? TRUE : FALSE))
    return false;
  return JoinPath(path, startup, L"\\Tovela.lnk");
}

}  // namespace

bool WriteStartupShortcut(const wchar_t* shortcutPath, const wchar_t* programFolder) {
  wchar_t target[kPathBuffer];
  if (!JoinPath(target, programFolder, L"Tovela.exe")) return false;

  win32::ComInit com;
  win32::ComPtr<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              link.put()))) {
    return false;
  }
  win32::ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.put()))) return false;
  link->SetPath(target);
  link->SetDescription(L"Tovelaのスタートアップ起動");
  link->SetArguments(L"-startup");
  link->SetWorkingDirectory(programFolder);
  link->SetIconLocation(target, 0);
  link->SetShowCmd(SW_SHOWNORMAL);
  return SaveReplacing(file.get(), shortcutPath);
}

bool StartupShortcutExists() {
  wchar_t shortcut[kPathBuffer];
  if (!StartupShortcutPath(nullptr, false, shortcut)) return false;
  const DWORD attributes = GetFileAttributesW(shortcut);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void CreateStartupShortcut(HWND owner) {
  wchar_t folder[kPathBuffer] = {};
  if (quillet::GetModulePath(folder) != 1) return;
  wchar_t shortcut[kPathBuffer];
  if (!StartupShortcutPath(owner, true, shortcut)) return;
  WriteStartupShortcut(shortcut, folder);
}

int OnShortcutCommand(HWND mainWindow) {
  CreateStartupShortcut(mainWindow);
  return 1;
}
