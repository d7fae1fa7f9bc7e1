// Loaded into Tovela.exe as the module of a WH_GETMESSAGE hook that a test sets on the program's
// thread. When that thread takes the test's request (probe_request.h) from its queue, the hook
// carries it out on the program's own thread, the one that owns the menus, windows and date
// pickers it reads or sets, and writes the answer next to the DLL. Nothing runs in DllMain.
// The report ("report" request):
//   popup <text>                              for every menu of the menu bar, before its items
//   menu <id> <1 checked | 0> <item text>     for every command item of the menu bar
//   separator                                 for every separator of the menu bar, in order
//   scroll <nMin> <nMax> <nPos>               of the chart window's (id 401) horizontal bar
//   sysmenu <id>                              every command item of the window's system menu
//   visible <0|1>                             whether the main window is visible
//   dpi <n>                                   the main window's DPI
//   control <id> <class> <x> <y> <w> <h> <tw> <th> <room> <need>
//                                             every child of the main window: its place in the
//                                             client area, the size of its text drawn with its
//                                             own font (one line), and for an edit or a date
//                                             picker the width its value has and needs (below)
// The "controls <hwnd>" request reports the dpi and control lines of any window (a dialog).
// The counts ("resources" request), one line each:
//   gdi <n> <how>        GDI objects of the process; <how> "system" when GetGuiResources gives
//                        them, else "table": the live entries of the process's GDI handle table
//                        (Wine keeps it in the process and its GetGuiResources gives 0)
//   user <n> <how>       USER objects: "system" as above, else "handles:<w>,<m>,<i>": the
//                        process's windows (every top-level, child and message-only one), its
//                        menus and accelerator tables, and its icons and cursors, each found by
//                        its handle
//   private <bytes>      private memory (GetProcessMemoryInfo's PrivateUsage; under Wine, which
//                        leaves it 0, the committed private regions of the address space)
// "plant <gdi> <user>" leaks on purpose, to prove the counts see it: <gdi> brushes and <user>
// menus made and never given back (the program itself never leaks; only this test helper does).
#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <cwchar>
#include <string>

#include "probe_request.h"
#include "win_handles.h"

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
      report += L"popup " + std::wstring(text) + L"\n";
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

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

int WindowDpi(HWND window) {
  const auto forWindow = reinterpret_cast<GetDpiForWindowFunction>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  return forWindow != nullptr ? static_cast<int>(forWindow(window)) : 0;
}

// The width a value has in its control and the width it needs to show whole: for an edit, the
// room between its margins and its text's width with the caret after it; for a date picker, its
// width and the ideal width of the date it shows (DTM_GETIDEALSIZE). 0 and 0 for the rest.
SIZE ValueRoomAndNeed(HWND control, const wchar_t* className, const RECT& textExtent) {
  if (lstrcmpiW(className, L"Edit") == 0) {
    RECT client{};
    GetClientRect(control, &client);
    const DWORD margins = static_cast<DWORD>(SendMessageW(control, EM_GETMARGINS, 0, 0));
    return SIZE{client.right - LOWORD(margins) - HIWORD(margins),
                textExtent.right - textExtent.left + 1};
  }
  if (lstrcmpiW(className, DATETIMEPICK_CLASSW) == 0) {
    RECT window{};
    GetWindowRect(control, &window);
    SIZE ideal{};
    SendMessageW(control, DTM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal));
    return SIZE{window.right - window.left, ideal.cx};
  }
  return SIZE{0, 0};
}

void ReportControls(HWND parent, std::wstring& report) {
  wchar_t line[512];
  swprintf(line, 512, L"dpi %d\n", WindowDpi(parent));
  report += line;
  win32::WindowDc screen(nullptr);
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[64] = {}, text[256] = {};
    GetClassNameW(child, name, 64);
    GetWindowTextW(child, text, 256);
    RECT place{};
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    RECT extent{};
    {
      win32::ScopedSelection font(screen.get(),
                                  reinterpret_cast<HGDIOBJ>(SendMessageW(child, WM_GETFONT, 0, 0)));
      if (text[0] != L'\0') DrawTextW(screen.get(), text, -1, &extent, DT_CALCRECT | DT_SINGLELINE);
    }
    const SIZE value = ValueRoomAndNeed(child, name, extent);
    swprintf(line, 512, L"control %d %ls %ld %ld %ld %ld %ld %ld %ld %ld\n", GetDlgCtrlID(child),
             name, place.left, place.top, place.right - place.left, place.bottom - place.top,
             extent.right - extent.left, extent.bottom - extent.top, value.cx, value.cy);
    report += line;
  }
}

std::wstring ReportControlsOf(HWND window) {
  std::wstring report = L"report\n";
  if (IsWindow(window)) ReportControls(window, report);
  return report;
}

// As if the main window had moved to a screen of `dpi`: WM_DPICHANGED with its own rectangle.
std::wstring SendDpiChanged(int dpi) {
  Finder finder{GetCurrentProcessId(), nullptr};
  EnumWindows(FindMain, reinterpret_cast<LPARAM>(&finder));
  if (finder.found == nullptr) return L"dpichanged 0\n";
  RECT place{};
  GetWindowRect(finder.found, &place);
  SendMessageW(finder.found, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&place));
  return L"dpichanged 1\n";
}

std::wstring Report() {
  Finder finder{GetCurrentProcessId(), nullptr};
  EnumWindows(FindMain, reinterpret_cast<LPARAM>(&finder));
  std::wstring report = L"report\n";
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
    ReportControls(finder.found, report);
  }
  return report;
}

// ---- Counting objects ------------------------------------------------------------------------

// GDI handles are 16-bit indices into the process's handle table (the high word a generation
// count). Wine's GetObjectType takes a bare index for the live object at that index.
constexpr unsigned kGdiHandleCount = 0x10000;
// USER handles: 0x0020 + 2 * index, below 0xFFF0; Wine takes a bare one for the live object.
constexpr unsigned kFirstUserHandle = 0x0020, kLastUserHandle = 0xFFEF;

int CountGdiObjects() {
  int count = 0;
  for (unsigned index = 1; index < kGdiHandleCount; ++index)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(static_cast<ULONG_PTR>(index))) != 0) ++count;
  return count;
}

BOOL CALLBACK CountWindowAndChildren(HWND window, LPARAM param) {
  auto* count = reinterpret_cast<int*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != GetCurrentProcessId()) return TRUE;
  ++*count;
  EnumChildWindows(
      window, [](HWND, LPARAM p) -> BOOL { return ++*reinterpret_cast<int*>(p), TRUE; }, param);
  return TRUE;
}

using CursorFrameInfo = HCURSOR(WINAPI*)(HCURSOR, DWORD, DWORD, DWORD*, DWORD*);

// The USER objects by kind: windows, menus and accelerator tables, icons and cursors.
struct UserObjects {
  int windows = 0, menus = 0, icons = 0;
  int Total() const { return windows + menus + icons; }
};

UserObjects CountUserObjects() {
  UserObjects count;
  EnumWindows(CountWindowAndChildren, reinterpret_cast<LPARAM>(&count.windows));
  for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window != nullptr;
       window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr))
    CountWindowAndChildren(window, reinterpret_cast<LPARAM>(&count.windows));
  // An icon or cursor answers for its first frame without anything being made for the question.
  const auto frameInfo = reinterpret_cast<CursorFrameInfo>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetCursorFrameInfo")));
  for (unsigned value = kFirstUserHandle; value <= kLastUserHandle; value += 2) {
    const auto handle = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(value));
    DWORD rate = 0, steps = 0;
    if (IsMenu(static_cast<HMENU>(handle)) ||
        CopyAcceleratorTableW(static_cast<HACCEL>(handle), nullptr, 0) > 0)
      ++count.menus;
    else if (frameInfo != nullptr && frameInfo(static_cast<HCURSOR>(handle), 0, 0, &rate, &steps) != nullptr)
      ++count.icons;
  }
  return count;
}

// The committed private memory of the process, region by region of its address space.
unsigned long long CountPrivateBytes() {
  unsigned long long bytes = 0;
  MEMORY_BASIC_INFORMATION region{};
  for (auto* at = static_cast<char*>(nullptr); VirtualQuery(at, &region, sizeof region) == sizeof region;
       at = static_cast<char*>(region.BaseAddress) + region.RegionSize) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) bytes += region.RegionSize;
    if (region.RegionSize == 0) break;
  }
  return bytes;
}

std::wstring Resources() {
  const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                       sizeof memory);
  // Wine leaves PrivateUsage at 0: the regions are summed instead.
  const unsigned long long privateBytes =
      memory.PrivateUsage != 0 ? memory.PrivateUsage : CountPrivateBytes();
  // Counted by kind, "handles:<windows>,<menus>,<icons>", so that a leak shows its kind.
  const UserObjects objects = user != 0 ? UserObjects{} : CountUserObjects();
  const std::wstring userHow = user != 0 ? L"system"
                                         : L"handles:" + std::to_wstring(objects.windows) + L"," +
                                               std::to_wstring(objects.menus) + L"," +
                                               std::to_wstring(objects.icons);
  wchar_t text[256];
  swprintf(text, 256, L"resources\ngdi %d %ls\nuser %d %ls\nprivate %llu\n",
           gdi != 0 ? static_cast<int>(gdi) : CountGdiObjects(), gdi != 0 ? L"system" : L"table",
           user != 0 ? static_cast<int>(user) : objects.Total(), userHow.c_str(), privateBytes);
  return text;
}

// The test's planted leak: made here, on the program's thread, and never given back.
std::wstring Plant(int gdi, int user) {
  int made = 0;
  for (int i = 0; i < gdi; ++i) made += CreateSolidBrush(RGB(i, 0, 0)) != nullptr ? 1 : 0;
  for (int i = 0; i < user; ++i) made += CreatePopupMenu() != nullptr ? 1 : 0;
  return L"plant " + std::to_wstring(made) + L"\n";
}

// Sets the picker's date; with `notify`, posts the DTN_DATETIMECHANGE notification a user's
// change would send to the picker's parent (the message alone does not). The notification's
// memory is read when the parent takes it and is never freed.
std::wstring SetDate(HWND picker, int year, int month, int day, bool notify) {
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(year);
  time.wMonth = static_cast<WORD>(month);
  time.wDay = static_cast<WORD>(day);
  bool done = SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time)) != 0;
  if (done && notify) {
    auto* change = new NMDATETIMECHANGE{};
    change->nmhdr.hwndFrom = picker;
    change->nmhdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(picker));
    change->nmhdr.code = DTN_DATETIMECHANGE;
    change->dwFlags = GDT_VALID;
    change->st = time;
    done = PostMessageW(GetParent(picker), WM_NOTIFY, change->nmhdr.idFrom,
                        reinterpret_cast<LPARAM>(change)) != 0;
  }
  return done ? L"setdate 1\n" : L"setdate 0\n";
}

std::wstring GetDate(HWND picker) {
  SYSTEMTIME time{};
  const bool valid =
      SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) == GDT_VALID;
  wchar_t line[64];
  swprintf(line, 64, L"getdate %d %d %d %d\n", valid ? 1 : 0, time.wYear, time.wMonth, time.wDay);
  return line;
}

// "<folder of this DLL>tovela_probe_<pid><extension>".
std::wstring ExchangeFile(const wchar_t* extension) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(gSelf, path, MAX_PATH);
  std::wstring file = path;
  file = file.substr(0, file.find_last_of(L'\\') + 1);
  wchar_t name[64];
  swprintf(name, 64, L"tovela_probe_%lu%ls", GetCurrentProcessId(), extension);
  return file + name;
}

std::wstring ReadRequest() {
  win32::KernelHandle in(CreateFileW(ExchangeFile(L".req").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, 0, nullptr));
  if (!in) return L"";
  wchar_t text[256] = {};
  DWORD read = 0;
  ReadFile(in.get(), text, sizeof text - sizeof(wchar_t), &read, nullptr);
  return text;
}

// Written under a temporary name and then renamed, so the test never reads half an answer.
void WriteAnswer(const std::wstring& answer) {
  const std::wstring file = ExchangeFile(L".txt");
  const std::wstring temporary = file + L".tmp";
  {
    win32::KernelHandle out(
        CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!out) return;
    DWORD written = 0;
    WriteFile(out.get(), answer.data(), static_cast<DWORD>(answer.size() * sizeof(wchar_t)), &written,
              nullptr);
  }
  MoveFileExW(temporary.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING);
}

void Answer(const std::wstring& request) {
  unsigned long long window = 0;
  int year = 0, month = 0, day = 0, notify = 0;
  if (request.rfind(L"report", 0) == 0) {
    WriteAnswer(Report());
  } else if (swscanf(request.c_str(), L"setdate %llu %d %d %d %d", &window, &year, &month, &day,
                     &notify) == 5) {
    WriteAnswer(SetDate(reinterpret_cast<HWND>(static_cast<UINT_PTR>(window)), year, month, day,
                        notify != 0));
  } else if (swscanf(request.c_str(), L"dpichanged %d", &year) == 1) {
    WriteAnswer(SendDpiChanged(year));
  } else if (swscanf(request.c_str(), L"icons %llu", &window) == 1) {
    const HWND target = reinterpret_cast<HWND>(static_cast<UINT_PTR>(window));
    const bool small = SendMessageW(target, WM_GETICON, ICON_SMALL, 0) != 0;
    const bool big = SendMessageW(target, WM_GETICON, ICON_BIG, 0) != 0;
    WriteAnswer(std::wstring(L"icons ") + (small ? L"1 " : L"0 ") + (big ? L"1\n" : L"0\n"));
  } else if (swscanf(request.c_str(), L"controls %llu", &window) == 1) {
    WriteAnswer(ReportControlsOf(reinterpret_cast<HWND>(static_cast<UINT_PTR>(window))));
  } else if (request.rfind(L"resources", 0) == 0) {
    WriteAnswer(Resources());
  } else if (swscanf(request.c_str(), L"plant %d %d", &year, &month) == 2) {
    WriteAnswer(Plant(year, month));
  } else if (swscanf(request.c_str(), L"getdate %llu", &window) == 1) {
    WriteAnswer(GetDate(reinterpret_cast<HWND>(static_cast<UINT_PTR>(window))));
  } else {
    WriteAnswer(L"unknown\n");
  }
}

}  // namespace

// The hook: answers a request once, when it is taken off the queue; every message goes on.
extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeMessageHook(int code, WPARAM removal,
                                                                   LPARAM lParam) {
  const auto* message = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && removal == PM_REMOVE && message->hwnd == nullptr &&
      message->message == WM_NULL && message->wParam == kProbeRequest &&
      static_cast<WPARAM>(message->lParam) == kProbeRequest)
    Answer(ReadRequest());
  return CallNextHookEx(nullptr, code, removal, lParam);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) gSelf = instance;
  return TRUE;
}
