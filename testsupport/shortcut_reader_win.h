// Reads a shortcut (.lnk) back through the system's shell-link object, for the tests of the
// start-up shortcut (Wine unit tests and end-to-end tests alike).
#pragma once

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>

namespace test_support {

struct ShortcutFields {
  bool loaded = false;
  std::wstring target, arguments, workingDirectory, description, iconPath;
  int iconIndex = -1;
  int showCommand = -1;
};

inline ShortcutFields ReadShortcut(const std::wstring& path) {
  ShortcutFields f;
  const bool com = SUCCEEDED(CoInitialize(nullptr));
  IShellLinkW* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      if (SUCCEEDED(file->Load(path.c_str(), STGM_READ))) {
        f.loaded = true;
        wchar_t text[MAX_PATH] = {};
        // The target as the link's item list names it: Wine hands back the raw path through the
        // ANSI code page, which changes characters it lacks ("é" under code page 932).
        PIDLIST_ABSOLUTE items = nullptr;
        if (SUCCEEDED(link->GetIDList(&items)) && items != nullptr) {
          if (SHGetPathFromIDListW(items, text)) f.target = text;
          CoTaskMemFree(items);
        }
        text[0] = 0;
        if (f.target.empty() && SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH)))
          f.target = text;
        text[0] = 0;
        if (SUCCEEDED(link->GetArguments(text, MAX_PATH))) f.arguments = text;
        text[0] = 0;
        if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH))) f.workingDirectory = text;
        text[0] = 0;
        if (SUCCEEDED(link->GetDescription(text, MAX_PATH))) f.description = text;
        text[0] = 0;
        int icon = -1;
        if (SUCCEEDED(link->GetIconLocation(text, MAX_PATH, &icon))) {
          f.iconPath = text;
          f.iconIndex = icon;
        }
        int show = -1;
        if (SUCCEEDED(link->GetShowCmd(&show))) f.showCommand = show;
      }
      file->Release();
    }
    link->Release();
  }
  if (com) CoUninitialize();
  return f;
}

}  // namespace test_support
