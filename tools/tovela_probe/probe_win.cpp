// Loaded into Tovela.exe as the module of a WH_GETMESSAGE hook that a test sets on the program's
// thread. When that thread takes the test's request (probe_request.h) from its queue, the hook
// writes a report next to the DLL, "tovela_probe_<pid>.txt" (UTF-16LE), on the program's own
// thread, the one that owns the menus and windows it reads. Nothing runs in DllMain.
//   menu <id> <1 checked | 0> <item text>     for every command item of the menu bar
//   separator                                 for every separator of the menu bar, in order
//   scroll <nMin> <nMax> <nPos>               of the chart window's (id 401) horizontal bar
//   sysmenu <id>                              every command item of the window's system menu
//   visible <0|1>                             whether the main window is visible
#include <windows.h>

#include <cwchar>
#include <string>

#include "probe_request.h"

namespace {

HMODULE gSelf = nullptr;

struct Finder {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindMain(HWND window, LPARAM param) {
  auto* finder = reinterpret_cast<Finder*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (pid == finder->pid && std::wcscmp(name, L"Tovela") == 0) {
    finder->found = window;
    return FALSE;
  }
  return TRUE;
}

void ReportMenu(HMENU menu, std::wstring& report) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING | MIIM_FTYPE;
    info.dwTypeData = text;
    info.cch = 255;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    if (info.hSubMenu != nullptr) {
      ReportMenu(info.hSubMenu, report);
    } else if (info.fType & MFT_SEPARATOR) {
      report += L"separator\n";
    } else {
      wchar_t line[320];
      swprintf(line, 320, L"menu %u %d %ls\n", info.wID, (info.fState & MFS_CHECKED) ? 1 : 0, text);
      report += line;
    }
  }
}

void WriteReport() {
  Finder finder{GetCurrentProcessId(), nullptr};
  EnumWindows(FindMain, reinterpret_cast<LPARAM>(&finder));
  std::wstring report;
  if (finder.found != nullptr) {
    ReportMenu(GetMenu(finder.found), report);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_POS;
    if (GetScrollInfo(GetDlgItem(finder.found, 401), SB_HORZ, &info)) {
      wchar_t line[96];
      swprintf(line, 96, L"scroll %d %d %d\n", info.nMin, info.nMax, info.nPos);
      report += line;
    }
    HMENU systemMenu = GetSystemMenu(finder.found, FALSE);
    for (int i = 0, n = GetMenuItemCount(systemMenu); i < n; ++i) {
      const UINT id = GetMenuItemID(systemMenu, i);
      if (id == 0 || id == static_cast<UINT>(-1)) continue;  // separators and submenus
      wchar_t line[48];
      swprintf(line, 48, L"sysmenu %u\n", id);
      report += line;
    }
    report += IsWindowVisible(finder.found) ? L"visible 1\n" : L"visible 0\n";
  }
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(gSelf, path, MAX_PATH);
  std::wstring file = path;
  file = file.substr(0, file.find_last_of(L'\\') + 1);
  wchar_t name[64];
  swprintf(name, 64, L"tovela_probe_%lu.txt", GetCurrentProcessId());
  file += name;
  const std::wstring temporary = file + L".tmp";
  HANDLE out = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (out == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(out, report.data(), static_cast<DWORD>(report.size() * sizeof(wchar_t)), &written, nullptr);
  CloseHandle(out);
  MoveFileExW(temporary.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

// The hook: answers the request once, when it is taken off the queue; every message goes on.
extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeMessageHook(int code, WPARAM removal,
                                                                   LPARAM lParam) {
  const auto* message = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && removal == PM_REMOVE && message->hwnd == nullptr &&
      message->message == WM_NULL && message->wParam == kProbeRequest &&
      static_cast<WPARAM>(message->lParam) == kProbeRequest)
    WriteReport();
  return CallNextHookEx(nullptr, code, removal, lParam);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) gSelf = instance;
  return TRUE;
}
