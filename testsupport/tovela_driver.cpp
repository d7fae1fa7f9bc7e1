#include "tovela_driver.h"

#include "artifacts_folder_win.h"
#include "probe_request.h"
#include "win_handles.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <sstream>

namespace e2e {

namespace {

constexpr UINT kSendTimeoutMs = 5000;

std::wstring ClassNameOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

std::wstring CaptionOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

struct EnumFilter {
  DWORD processId;
  const std::wstring* className;
  const std::wstring* caption;
  bool visibleOnly;
  std::vector<HWND>* found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
  auto* filter = reinterpret_cast<EnumFilter*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != filter->processId) return TRUE;
  if (filter->visibleOnly && !IsWindowVisible(window)) return TRUE;
  if (!filter->className->empty() && ClassNameOf(window) != *filter->className) return TRUE;
  if (!filter->caption->empty() && CaptionOf(window) != *filter->caption) return TRUE;
  filter->found->push_back(window);
  return TRUE;
}

std::string BmpFile(int width, int height, const std::vector<unsigned char>& pixels) {
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  info.biSizeImage = static_cast<DWORD>(pixels.size());
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + info.biSizeImage;
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
  bytes.append(reinterpret_cast<const char*>(pixels.data()), pixels.size());
  return bytes;
}

// Calls visit(name, attributes) for each entry of the folder but "." and "..".
template <typename Visit>
void ForEachEntry(const std::wstring& folder, Visit visit) {
  WIN32_FIND_DATAW found{};
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") visit(name, found.dwFileAttributes);
  } while (FindNextFileW(find, &found));
  FindClose(find);
}

void ClearAttributesAndDelete(const std::wstring& folder) {
  ForEachEntry(folder, [&](const std::wstring& name, DWORD attributes) {
    const std::wstring path = folder + L"\\" + name;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
      ClearAttributesAndDelete(path);
    } else {
      DeleteFileW(path.c_str());
    }
  });
  RemoveDirectoryW(folder.c_str());
}

}  // namespace

bool CaptureWindowPixels(HWND window, int& width, int& height, std::vector<unsigned char>& pixels) {
  RECT rect{};
  if (!GetWindowRect(window, &rect)) return false;
  width = rect.right - rect.left;
  height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as a BMP file stores it
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  win32::WindowDc screen(nullptr);
  win32::CreatedDc memory(CreateCompatibleDC(screen.get()));
  win32::GdiObject<HBITMAP> bitmap(
      CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!screen || !memory || !bitmap || bits == nullptr) return false;
  {
    win32::ScopedSelection selected(memory.get(), bitmap.get());
    if (!BitBlt(memory.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY))
      return false;
    GdiFlush();
  }
  const size_t size = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
  pixels.assign(static_cast<const unsigned char*>(bits), static_cast<const unsigned char*>(bits) + size);
  for (size_t i = 3; i < size; i += 4) pixels[i] = 255;
  return true;
}

// ---- Paths and files --------------------------------------------------------------------------

std::wstring EnvironmentPath(const wchar_t* name) {
  wchar_t value[1024] = {};
  const DWORD length = GetEnvironmentVariableW(name, value, 1024);
  if (length == 0 || length >= 1024) return L"";
  std::wstring path = value;
  if (!path.empty() && path[0] == L'/') {
    for (wchar_t& c : path)
      if (c == L'/') c = L'\\';
    path = L"Z:" + path;
  }
  while (path.size() > 3 && path.back() == L'\\') path.pop_back();
  return path;
}

std::wstring ArtifactsFolder() { return test_support::ArtifactsFolderPath(); }

std::string ReadFileBytes(const std::wstring& path) {
  win32::KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return "";
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  return bytes;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  win32::KernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  const bool complete =
      bytes.empty() ||
      (::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
       written == bytes.size());
  return complete;
}

std::wstring StartupShortcutPath() {
  wchar_t startup[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, startup, CSIDL_STARTUP, TRUE)) return L"";
  return std::wstring(startup) + L"\\Tovela.lnk";
}

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::wstring> FolderEntries(const std::wstring& folder) {
  std::vector<std::wstring> names;
  ForEachEntry(folder, [&](const std::wstring& name, DWORD) { names.push_back(name); });
  std::sort(names.begin(), names.end());
  return names;
}

std::string Utf16Bytes(const std::wstring& text) {
  std::string bytes;
  for (wchar_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
  }
  return bytes;
}

// ---- Windows of another process ---------------------------------------------------------------

std::vector<HWND> TopLevelWindows(DWORD processId, const std::wstring& className,
                                  const std::wstring& caption, bool visibleOnly) {
  std::vector<HWND> found;
  EnumFilter filter{processId, &className, &caption, visibleOnly, &found};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&filter));
  return found;
}

std::wstring ClipboardText() {
  if (!OpenClipboard(nullptr)) return L"";
  std::wstring text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    win32::GlobalMemoryLock lock(data);
    if (lock.get() != nullptr) text = static_cast<const wchar_t*>(lock.get());
  }
  CloseClipboard();
  return text;
}

bool ClipboardDibHeader(BITMAPINFOHEADER& header) {
  if (!OpenClipboard(nullptr)) return false;
  bool found = false;
  if (HANDLE data = GetClipboardData(CF_DIB)) {
    win32::GlobalMemoryLock lock(data);
    if (lock.get() != nullptr && GlobalSize(data) >= sizeof header) {
      std::memcpy(&header, lock.get(), sizeof header);
      found = true;
    }
  }
  CloseClipboard();
  return found;
}

bool EmptyTheClipboard() {
  if (!OpenClipboard(nullptr)) return false;
  const bool emptied = EmptyClipboard() != FALSE;
  CloseClipboard();
  return emptied;
}

std::wstring GetText(HWND window) {
  if (window == nullptr) return L"";
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length))
    return L"";
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied))
    return L"";
  text.resize(copied);
  return text;
}

bool SetText(HWND window, const std::wstring& text) {
  DWORD_PTR result = 0;
  return window != nullptr &&
         SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                             SMTO_ABORTIFHUNG, kSendTimeoutMs, &result) &&
         result != 0;
}

bool IsChecked(HWND button) {
  DWORD_PTR state = 0;
  SendMessageTimeoutW(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &state);
  return state == BST_CHECKED;
}

void SetChecked(HWND button, bool checked) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0,
                      SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
}

int SelectedItem(HWND list) {
  DWORD_PTR item = static_cast<DWORD_PTR>(-1);
  SendMessageTimeoutW(list, CB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &item);
  return static_cast<int>(static_cast<LRESULT>(item));
}

void SelectItem(HWND list, int item) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(list, CB_SETCURSEL, static_cast<WPARAM>(item), 0, SMTO_ABORTIFHUNG,
                      kSendTimeoutMs, &result);
}

void PostClick(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

void PostCommand(HWND window, int id) { PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

bool MessageBoxText::Answer(int buttonId, Timeout timeout) const {
  if (window == nullptr) return false;
  HWND button = GetDlgItem(window, buttonId);
  if (button != nullptr) {
    PostClick(button);
  } else {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
  }
  const HWND box = window;
  return WaitUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); }, timeout);
}

int MessageBoxText::DefaultButton() const {
  if (window == nullptr) return 0;
  for (int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
    HWND button = GetDlgItem(window, id);
    if (button != nullptr && (GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
      return id;
  }
  return 0;
}

// ---- Install folder ---------------------------------------------------------------------------

TovelaInstall::TovelaInstall() {
  static std::atomic<int> counter{0};
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  // Process ids repeat from run to run in a prefix: a folder an interrupted run left behind is
  // never taken over, the next name is tried instead.
  bool made = false;
  for (int attempt = 0; attempt < 100 && !made; ++attempt) {
    wchar_t name[96];
    swprintf(name, 96, L"tovela_e2e_%lu_%lu_%d", GetCurrentProcessId(), GetTickCount(), counter++);
    folder_ = std::wstring(temp) + name;
    made = CreateDirectoryW(folder_.c_str(), nullptr) != FALSE;
    if (!made && GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  if (!made) {
    folder_.clear();
    return;
  }
  const std::wstring bin = EnvironmentPath(L"TOVELA_BIN_DIR");
  if (bin.empty()) return;
  ready_ = true;
  for (const wchar_t* file : {L"Tovela.exe", L"Quillet.dll", L"Brassel.dll"})
    ready_ = CopyFileW((bin + L"\\" + file).c_str(), PathOf(file).c_str(), FALSE) && ready_;
  CopyFileW((bin + L"\\tovela_probe.dll").c_str(), PathOf(L"tovela_probe.dll").c_str(), FALSE);
}

TovelaInstall::~TovelaInstall() {
  if (!folder_.empty()) ClearAttributesAndDelete(folder_);
}

bool TovelaInstall::WriteFile(const std::wstring& name, const std::string& bytes) const {
  return WriteFileBytes(PathOf(name), bytes);
}

std::string TovelaInstall::ReadFile(const std::wstring& name) const { return ReadFileBytes(PathOf(name)); }

bool TovelaInstall::Exists(const std::wstring& name) const { return FileExists(PathOf(name)); }

bool TovelaInstall::SetReadOnly(const std::wstring& name, bool readOnly) const {
  return SetFileAttributesW(PathOf(name).c_str(),
                            readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL) != 0;
}

std::wstring TovelaInstall::IniValue(const std::wstring& key) const {
  wchar_t value[256] = {};
  GetPrivateProfileStringW(L"Tovela", key.c_str(), L"", value, 256, PathOf(L"Tovela.ini").c_str());
  return value;
}

TovelaProcess TovelaInstall::Launch(const std::wstring& arguments) const {
  return LaunchTovela(folder_, arguments);
}

TovelaProcess LaunchTovela(const std::wstring& folder, const std::wstring& arguments) {
  const std::wstring exe = folder + L"\\Tovela.exe";
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &info))
    return TovelaProcess();
  return TovelaProcess(info, folder);
}

// ---- Process ----------------------------------------------------------------------------------

TovelaProcess::TovelaProcess(TovelaProcess&& other) noexcept
    : info_(other.info_), folder_(std::move(other.folder_)), main_(other.main_) {
  other.info_ = PROCESS_INFORMATION{};
  other.main_ = nullptr;
}

TovelaProcess& TovelaProcess::operator=(TovelaProcess&& other) noexcept {
  if (this != &other) {
    Release();
    info_ = other.info_;
    folder_ = std::move(other.folder_);
    main_ = other.main_;
    other.info_ = PROCESS_INFORMATION{};
    other.main_ = nullptr;
  }
  return *this;
}

TovelaProcess::~TovelaProcess() { Release(); }

void TovelaProcess::Release() {
  if (info_.hProcess != nullptr) {
    if (!Exited()) Kill();
    CloseHandle(info_.hProcess);
  }
  if (info_.hThread != nullptr) CloseHandle(info_.hThread);
  info_ = PROCESS_INFORMATION{};
  main_ = nullptr;
}

HWND TovelaProcess::WaitForMainWindow(Timeout timeout, bool visibleOnly) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        const auto windows = TopLevelWindows(Id(), L"Tovela", L"", visibleOnly);
        found = windows.empty() ? nullptr : windows.front();
        return found != nullptr;
      },
      timeout);
  main_ = found;
  // The window shows before start-up has filled it; a sent message is answered only once the
  // program reaches its message loop (or a dialog's), when start-up is complete.
  DWORD_PTR result = 0;
  if (found != nullptr &&
      !SendMessageTimeoutW(found, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(timeout.count()), &result))
    return nullptr;
  // Under Wine a sent message can also be answered while start-up still creates windows, so the
  // answer alone does not prove start-up complete. Showing today in the side panel is its last
  // step: wait until the date picker shows a date, so a test starts on a program that is set up.
  if (found != nullptr)
    WaitUntil([&] { return !GetText(GetDlgItem(found, kDatePickerId)).empty(); }, timeout);
  return found;
}

HWND TovelaProcess::Control(int id) const { return main_ == nullptr ? nullptr : GetDlgItem(main_, id); }

HWND TovelaProcess::WaitForDialog(const std::wstring& caption, Timeout timeout) const {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        const auto windows = TopLevelWindows(Id(), L"#32770", caption, true);
        found = windows.empty() ? nullptr : windows.front();
        return found != nullptr;
      },
      timeout);
  return found;
}

bool TovelaProcess::ChooseFile(const std::wstring& caption, const std::wstring& path,
                              Timeout timeout) const {
  HWND dialog = WaitForDialog(caption, timeout);
  if (dialog == nullptr) return false;
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (IsWindow(dialog) && std::chrono::steady_clock::now() < end) {
    // The name field is the edit "edt1" or, in the newer template, the combo box "cmb13"; a
    // dialog still filling itself in may reset it, so it is typed again on every attempt.
    for (int field : {0x480, 0x47C}) {
      if (HWND control = GetDlgItem(dialog, field)) SetText(control, path);
    }
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    WaitUntil([&] { return !IsWindow(dialog); }, 2s);
  }
  return !IsWindow(dialog);
}

MessageBoxText TovelaProcess::WaitForMessageBox(Timeout timeout) const {
  MessageBoxText box;
  WaitUntil(
      [&] {
        for (HWND window : TopLevelWindows(Id(), L"#32770", L"", true)) {
          HWND text = GetDlgItem(window, 0xFFFF);
          if (text == nullptr) continue;
          box.window = window;
          box.caption = CaptionOf(window);
          box.text = GetText(text);
          return true;
        }
        return false;
      },
      timeout);
  return box;
}

bool TovelaProcess::NoMessageBox() const {
  for (HWND window : TopLevelWindows(Id(), L"#32770", L"", true))
    if (GetDlgItem(window, 0xFFFF) != nullptr) return false;
  return true;
}

MessageBoxText TovelaProcess::PressAndReadMessage(HWND button, Timeout timeout) const {
  PostClick(button);
  return WaitForMessageBox(timeout);
}

MessageBoxText TovelaProcess::CommandAndReadMessage(int command, Timeout timeout) const {
  PostCommand(main_, command);
  return WaitForMessageBox(timeout);
}

bool TovelaProcess::SetDate(HWND picker, int year, int month, int day, bool notifyParent) const {
  wchar_t request[128];
  swprintf(request, 128, L"setdate %llu %d %d %d %d",
           static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(picker)), year, month, day,
           notifyParent ? 1 : 0);
  return AskProbe(request, kDefaultTimeout) == L"setdate 1\n";
}

bool TovelaProcess::GetDate(HWND picker, int& year, int& month, int& day) const {
  wchar_t request[64];
  swprintf(request, 64, L"getdate %llu",
           static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(picker)));
  const std::wstring answer = AskProbe(request, kDefaultTimeout);
  int valid = 0, y = 0, m = 0, d = 0;
  if (swscanf(answer.c_str(), L"getdate %d %d %d %d", &valid, &y, &m, &d) != 4 || valid != 1)
    return false;
  year = y;
  month = m;
  day = d;
  return true;
}

DWORD TovelaProcess::WaitForExit(Timeout timeout) {
  if (info_.hProcess == nullptr) return STILL_ACTIVE;
  if (WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
    return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

bool TovelaProcess::Exited() const {
  return info_.hProcess == nullptr || WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0;
}

bool TovelaProcess::CloseAndWait(Timeout timeout) {
  if (main_ == nullptr) return false;
  PostMessageW(main_, WM_CLOSE, 0, 0);
  return WaitForExit(timeout) == 0;
}

void TovelaProcess::Kill() {
  if (info_.hProcess == nullptr) return;
  TerminateProcess(info_.hProcess, 99);
  WaitForSingleObject(info_.hProcess, 10000);
}

std::wstring TovelaProcess::AskProbe(const std::wstring& request, Timeout timeout) const {
  const std::wstring dll = folder_ + L"\\tovela_probe.dll";
  wchar_t name[64];
  swprintf(name, 64, L"\\tovela_probe_%lu", info_.dwProcessId);
  const std::wstring answerFile = folder_ + name + L".txt";
  const std::wstring requestFile = folder_ + name + L".req";
  DeleteFileW(answerFile.c_str());
  if (!FileExists(dll) || info_.hProcess == nullptr) return L"";
  if (!WriteFileBytes(requestFile, Utf16Bytes(request))) return L"";
  // The helper answers on the program's own thread, inside a message hook on it: Wine loads the
  // hook's DLL into the program when the hook is first called there, and the request is a thread
  // message the hook recognises. Nothing here waits on the program (installing a hook and
  // posting a message return at once; the answer is waited for with the timeout). Reaching into
  // the program from outside would not do: Wine starts a remote thread and reserves remote
  // memory inside the target and waits for both without a limit.
  HMODULE local = LoadLibraryW(dll.c_str());
  const auto hookProc = local != nullptr
      ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(local, "ProbeMessageHook")))
      : nullptr;
  HHOOK hook = hookProc != nullptr
      ? SetWindowsHookExW(WH_GETMESSAGE, hookProc, local, info_.dwThreadId)
      : nullptr;
  const bool answered =
      hook != nullptr &&
      PostThreadMessageW(info_.dwThreadId, WM_NULL, kProbeRequest, kProbeRequest) &&
      WaitUntil([&] { return FileExists(answerFile); }, timeout);
  if (hook != nullptr) UnhookWindowsHookEx(hook);
  if (local != nullptr) FreeLibrary(local);
  DeleteFileW(requestFile.c_str());
  if (!answered) return L"";
  const std::string raw = ReadFileBytes(answerFile);
  std::wstring text(raw.size() / sizeof(wchar_t), L'\0');
  std::memcpy(text.data(), raw.data(), text.size() * sizeof(wchar_t));
  return text;
}

std::wstring TovelaProcess::IconsOf(HWND window) const {
  return AskProbe(L"icons " + std::to_wstring(reinterpret_cast<UINT_PTR>(window)), kDefaultTimeout);
}

HWND TovelaProcess::FocusedControl() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (info_.dwThreadId == 0 || !GetGUIThreadInfo(info_.dwThreadId, &info)) return nullptr;
  return info.hwndFocus;
}

bool TovelaProcess::SendDpiChanged(int dpi) const {
  return AskProbe(L"dpichanged " + std::to_wstring(dpi), kDefaultTimeout) == L"dpichanged 1\n";
}

namespace {

ProbeReport ParseReport(const std::wstring& text) {
  ProbeReport report;
  if (text.empty()) return report;
  std::wistringstream lines(text);
  std::wstring line;
  while (std::getline(lines, line)) {
    std::wistringstream fields(line);
    std::wstring kind;
    fields >> kind;
    if (kind == L"menu") {
      int id = 0, checked = 0;
      fields >> id >> checked;
      std::wstring itemText;
      std::getline(fields, itemText);
      if (!itemText.empty() && itemText[0] == L' ') itemText.erase(0, 1);
      report.checked[id] = checked != 0;
      report.itemText[id] = itemText;
      report.menuOrder.push_back(id);
    } else if (kind == L"separator") {
      report.menuOrder.push_back(0);
    } else if (kind == L"popup") {
      std::wstring popupText;
      std::getline(fields, popupText);
      if (!popupText.empty() && popupText[0] == L' ') popupText.erase(0, 1);
      report.popupText.push_back(popupText);
    } else if (kind == L"scroll") {
      fields >> report.scrollMin >> report.scrollMax >> report.scrollPos;
      report.hasScroll = true;
    } else if (kind == L"sysmenu") {
      int id = 0;
      fields >> id;
      report.systemMenu.push_back(id);
    } else if (kind == L"dpi") {
      fields >> report.dpi;
    } else if (kind == L"control") {
      ProbeReport::Control c;
      fields >> c.id >> c.className >> c.place.left >> c.place.top >> c.place.right >>
          c.place.bottom >> c.text.cx >> c.text.cy >> c.room >> c.need;
      c.place.right += c.place.left;
      c.place.bottom += c.place.top;
      report.controls.push_back(c);
    } else if (kind == L"visible") {
      int visible = 0;
      fields >> visible;
      report.mainVisible = visible != 0;
    }
  }
  report.ok = true;
  return report;
}

}  // namespace

ProbeReport TovelaProcess::Probe(Timeout timeout) const { return ParseReport(AskProbe(L"report", timeout)); }

ProbeReport TovelaProcess::ProbeControls(HWND window, Timeout timeout) const {
  return ParseReport(AskProbe(L"controls " + std::to_wstring(reinterpret_cast<UINT_PTR>(window)), timeout));
}

ResourceCounts TovelaProcess::CountResources(Timeout timeout) const {
  ResourceCounts counts;
  std::wistringstream lines(AskProbe(L"resources", timeout));
  std::wstring line;
  int found = 0;
  while (std::getline(lines, line)) {
    std::wistringstream fields(line);
    std::wstring kind;
    fields >> kind;
    if (kind == L"gdi" && (fields >> counts.gdi >> counts.gdiHow)) ++found;
    if (kind == L"user" && (fields >> counts.user >> counts.userHow)) ++found;
    if (kind == L"private" && (fields >> counts.privateBytes)) ++found;
  }
  counts.ok = found == 3;
  return counts;
}

int TovelaProcess::PlantLeak(int gdi, int user) const {
  const std::wstring answer =
      AskProbe(L"plant " + std::to_wstring(gdi) + L" " + std::to_wstring(user), kDefaultTimeout);
  int made = -1;
  return swscanf(answer.c_str(), L"plant %d", &made) == 1 ? made : -1;
}

std::wstring TovelaProcess::Screenshot(HWND window, const std::wstring& name, HWND front) const {
  if (window == nullptr) return L"";
  if (front == nullptr) front = window;
  // Under Wine, SetWindowPos and RedrawWindow(RDW_UPDATENOW) on another process's window send to
  // its thread and wait without a time limit. A program that no longer answers (the picture is
  // wanted most when a test failed) is therefore taken as it stands, without being brought
  // forward and repainted.
  DWORD_PTR ignored = 0;
  if (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &ignored)) {
    SetWindowPos(front, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(front);
    for (HWND painted : {window, front})
      RedrawWindow(painted, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  // The target paints on its own thread: take pictures until two in a row agree.
  int width = 0, height = 0;
  std::vector<unsigned char> previous, current;
  bool stable = WaitUntil(
      [&] {
        if (!CaptureWindowPixels(window, width, height, current)) return false;
        const bool same = !previous.empty() && current == previous;
        previous.swap(current);
        return same;
      },
      10s);
  if (!stable || previous.empty()) return L"";
  const std::wstring path = ArtifactsFolder() + L"\\" + name;
  return WriteFileBytes(path, BmpFile(width, height, previous)) ? path : L"";
}

int TovelaProcess::ScreenshotWindows(const std::wstring& folder) const {
  if (!Started() || Exited()) return 0;
  const std::wstring artifacts = ArtifactsFolder();
  for (std::size_t at = 0; at != std::wstring::npos;) {  // each level of `folder`
    const std::size_t next = folder.find(L'\\', at);
    CreateDirectoryW((artifacts + L"\\" + folder.substr(0, next)).c_str(), nullptr);
    at = next == std::wstring::npos ? next : next + 1;
  }
  int written = 0;
  for (HWND window : TopLevelWindows(Id(), L"", L"", true)) {
    const std::wstring name = folder + L"\\window" + std::to_wstring(written + 1) + L".bmp";
    if (!Screenshot(window, name).empty()) ++written;
  }
  return written;
}

// ---- Dates and keys ---------------------------------------------------------------------------

void Today(int& year, int& month, int& day) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  year = now.wYear;
  month = now.wMonth;
  day = now.wDay;
}

void AddDays(int& year, int& month, int& day, int days) {
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(year);
  time.wMonth = static_cast<WORD>(month);
  time.wDay = static_cast<WORD>(day);
  FILETIME file{};
  SystemTimeToFileTime(&time, &file);
  ULARGE_INTEGER ticks{};
  ticks.LowPart = file.dwLowDateTime;
  ticks.HighPart = file.dwHighDateTime;
  ticks.QuadPart += static_cast<long long>(days) * 24LL * 3600LL * 10000000LL;
  file.dwLowDateTime = ticks.LowPart;
  file.dwHighDateTime = ticks.HighPart;
  FileTimeToSystemTime(&file, &time);
  year = time.wYear;
  month = time.wMonth;
  day = time.wDay;
}

void TypeNumber(const std::wstring& number) {
  for (const wchar_t c : number) PressKeys(nullptr, {c == L'.' ? WORD{VK_DECIMAL} : static_cast<WORD>(c)});
}

void PressKeys(HWND window, const std::vector<WORD>& keys) {
  if (window != nullptr) SetForegroundWindow(window);
  std::vector<INPUT> inputs;
  for (WORD key : keys) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key;
    inputs.push_back(in);
  }
  for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = *it;
    in.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(in);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace e2e
