#include "startup_shortcut_win.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cwchar>

#include "command_hooks_win.h"
#include "system_win.h"

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

// COM for the current thread for one scope; uninitialised only when the initialisation
// succeeded (S_OK or S_FALSE), never after a refusal such as a different threading model.
class ScopedComInit {
 public:
  ScopedComInit() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~ScopedComInit() {
    if (initialised_) CoUninitialize();
  }
  ScopedComInit(const ScopedComInit&) = delete;
  ScopedComInit& operator=(const ScopedComInit&) = delete;

 private:
  bool initialised_;
};

}  // namespace

bool WriteStartupShortcut(const wchar_t* shortcutPath, const wchar_t* programFolder) {
  wchar_t target[kPathBuffer];
  if (!JoinPath(target, programFolder, L"Tovela.exe")) return false;

  ScopedComInit com;
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link)))) {
    return false;
  }
  IPersistFile* file = nullptr;
  if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    link->Release();
    return false;
  }
  link->SetPath(target);
  link->SetDescription(L"Tovelaのスタートアップ起動");
  link->SetArguments(L"-startup");
  link->SetWorkingDirectory(programFolder);
  link->SetIconLocation(target, 0);
  link->SetShowCmd(SW_SHOWNORMAL);
  // Saving over an existing shortcut of that name replaces it.
  const bool saved = SUCCEEDED(file->Save(shortcutPath, TRUE));
  file->Release();
  link->Release();
  return saved;
}

void CreateStartupShortcut(HWND owner) {
  wchar_t folder[kPathBuffer] = {};
  if (quillet::GetModulePath(folder) != 1) return;
  wchar_t startup[kPathBuffer] = {};
  if (!SHGetSpecialFolderPathW(owner, startup, CSIDL_STARTUP, TRUE)) return;
  wchar_t shortcut[kPathBuffer];
  if (!JoinPath(shortcut, startup, L"\\Tovela.lnk")) return;
  WriteStartupShortcut(shortcut, folder);
}

int OnShortcutCommand(HWND mainWindow) {
  CreateStartupShortcut(mainWindow);
  return 1;
}
