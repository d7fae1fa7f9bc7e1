// Where the Windows tests leave their screenshots, renders and printed pages.
#pragma once

#include <windows.h>

#include <string>

namespace test_support {

// TOVELA_ARTIFACTS (a Unix path is reached through drive Z:), else the folder "artifacts" beside
// the test program, which lies in the build tree: never the current folder, which may be the
// clone itself. Made when missing.
inline std::wstring ArtifactsFolderPath() {
  wchar_t value[1024] = {};
  const DWORD length = GetEnvironmentVariableW(L"TOVELA_ARTIFACTS", value, 1024);
  std::wstring folder;
  if (length > 0 && length < 1024) {
    folder = value;
    if (folder[0] == L'/') {
      for (wchar_t& c : folder)
        if (c == L'/') c = L'\\';
      folder = L"Z:" + folder;
    }
  } else {
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    folder = program;
    folder = folder.substr(0, folder.find_last_of(L'\\')) + L"\\artifacts";
  }
  while (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

}  // namespace test_support
