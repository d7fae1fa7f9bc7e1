// End-to-end harness: drives the real Tovela.exe as another process under Wine.
//
// A test makes a fresh install folder, puts data files and a settings file into it, starts the
// program there, then works its windows from outside the way a user would: it reads texts with
// WM_GETTEXT, presses buttons with posted BM_CLICK, reads message boxes, sets date pickers through
// memory placed in the target process, and finally closes the program and reads the files back.
//
//   TovelaInstall install;                               // copies Tovela.exe and the DLLs
//   install.WriteFile(L"TEMPERATURE_DATA.dat", "2026/5/1,36.45,1\r\n");
//   TovelaProcess app = install.Launch();                // ordinary run, waits for nothing
//   HWND main = app.WaitForMainWindow();                 // visible "Tovela" window or null
//   SetText(app.Control(kTemperatureEditId), L"36.50");
//   MessageBoxText box = app.PressAndReadMessage(app.Control(kAddButtonId));
//   EXPECT_EQ(box.text, L"...");  box.Answer(IDOK);
//   EXPECT_TRUE(app.CloseAndWait());                     // WM_CLOSE, then the process ends
//   std::string saved = install.ReadFile(L"TEMPERATURE_DATA.dat");
//
// Every wait polls (every 15 ms) up to a timeout and returns an empty or null result when it runs
// out, so a test fails with a readable expectation instead of hanging. The default timeout is
// generous (20 s) for loaded machines; nothing in the harness sleeps for a fixed time.
//
// Paths: the environment variable TOVELA_BIN_DIR names the folder with Tovela.exe, Quillet.dll and
// Brassel.dll; TOVELA_ARTIFACTS the folder for screenshots ("artifacts" beside the test program
// when unset). Both may be Unix paths (they are mapped to Wine's Z: drive).
#pragma once

#include <windows.h>

#include <chrono>
#include <map>
#include <string>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;
using Timeout = std::chrono::milliseconds;
inline constexpr Timeout kDefaultTimeout = 20s;

// Control identifiers of the main window (the side panel and the chart window).
inline constexpr int kChartWindowId = 401;
inline constexpr int kDatePickerId = 402;
inline constexpr int kAverageValueId = 409;
inline constexpr int kCycleValueId = 411;
inline constexpr int kTemperatureEditId = 412;
inline constexpr int kWeightEditId = 413;
inline constexpr int kMemoEditId = 414;
inline constexpr int kPeriodCheckId = 415;
inline constexpr int kAddButtonId = 416;
inline constexpr int kUpdateButtonId = 417;
inline constexpr int kDeleteButtonId = 418;
inline constexpr int kNextPeriodValueId = 424;
inline constexpr int kNextOvulationValueId = 426;
inline constexpr int kShiftStateValueId = 428;  // "体温の状態"
inline constexpr int kMucusListId = 430;           // "おりもの"
inline constexpr int kOvulationTestListId = 432;   // "排卵検査薬"
inline constexpr int kIntercourseCheckId = 433;    // "性交あり"

// Menu and accelerator commands of the main window.
inline constexpr int kExitCommand = 201;
inline constexpr int kEntryDialogCommand = 202;
inline constexpr int kBasicSettingsCommand = 203;
inline constexpr int kColorsCommand = 205;
inline constexpr int kShortcutCommand = 206;
inline constexpr int kTemperatureModeCommand = 207;
inline constexpr int kWeightModeCommand = 208;
inline constexpr int kPregnancyModeCommand = 209;
inline constexpr int kPrintCommand = 210;
inline constexpr int kVersionCommand = 211;
inline constexpr int kCsvExportCommand = 212;
inline constexpr int kCsvImportCommand = 213;
inline constexpr int kShowShiftCommand = 214;
inline constexpr int kCycleListCommand = 215;
inline constexpr int kChartLegendCommand = 216;
inline constexpr int kGuideCommand = 217;
inline constexpr int kSaveImagesCommand = 218;

// The main window's timer that comes just after each local midnight (WM_TIMER's wParam).
inline constexpr UINT_PTR kMidnightTimerId = 1;

// The list of cycles "CYCLE_LIST_DIALOG".
inline constexpr wchar_t kCycleListCaption[] = L"周期の一覧";
inline constexpr int kCycleListId = 801;
inline constexpr int kCycleListCopyId = 802;
inline constexpr int kCycleListNoteId = 803;  // the line on the findings under the table

// The entry dialog "ADD_TEMPE_DIALOG".
inline constexpr wchar_t kEntryDialogCaption[] = L"体調の情報を入力してください";
inline constexpr int kEntryDateId = 301;
inline constexpr int kEntryTemperatureId = 303;
inline constexpr int kEntryWeightId = 305;
inline constexpr int kEntryPeriodId = 307;
inline constexpr int kEntryMemoId = 309;

// The version dialog "VERSION_DIALOG".
inline constexpr wchar_t kVersionDialogCaption[] = L"バージョン情報";

// The window's screen area as bottom-up 32-bit pixels (BGRA, alpha set to 255); false when the
// window has no area or the screen cannot be read.
bool CaptureWindowPixels(HWND window, int& width, int& height, std::vector<unsigned char>& pixels);

// ---- Paths and files --------------------------------------------------------------------------

// A path from the environment as Windows sees it ("/work/x" -> "Z:\work\x"); "" when unset.
std::wstring EnvironmentPath(const wchar_t* name);
// Folder for screenshots: TOVELA_ARTIFACTS, else "artifacts" beside the test program.
std::wstring ArtifactsFolder();
std::string ReadFileBytes(const std::wstring& path);  // "" when missing
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);
// "<the user's Startup folder>\Tovela.lnk", the log-on shortcut (the folder is made when missing).
std::wstring StartupShortcutPath();
// Names of the entries of a folder (files and folders, without "." and ".."), sorted.
std::vector<std::wstring> FolderEntries(const std::wstring& folder);
// UTF-16LE bytes of a text (the memo file's encoding).
std::string Utf16Bytes(const std::wstring& text);

// ---- Windows of another process ---------------------------------------------------------------

// Top-level windows of the process with that class (any when empty) and caption (any when
// empty); only visible ones when visibleOnly.
std::vector<HWND> TopLevelWindows(DWORD processId, const std::wstring& className,
                                  const std::wstring& caption, bool visibleOnly);
// The text of any window or control (WM_GETTEXT through SendMessageTimeoutW).
std::wstring GetText(HWND window);
bool SetText(HWND window, const std::wstring& text);  // WM_SETTEXT
bool IsChecked(HWND button);                          // BM_GETCHECK
// The clipboard's text (CF_UNICODETEXT); "" when there is none.
std::wstring ClipboardText();
// The header of the clipboard's device-independent bitmap (CF_DIB); false when there is none.
bool ClipboardDibHeader(BITMAPINFOHEADER& header);
// Empties the clipboard, so that a copy shows as new; false when it cannot be opened.
bool EmptyTheClipboard();
void SetChecked(HWND button, bool checked);           // BM_SETCHECK
// A drop-down list's selected item (CB_GETCURSEL; -1 for none) and choosing one (CB_SETCURSEL).
int SelectedItem(HWND list);
void SelectItem(HWND list, int item);
// Posts a click (never blocks, so it may open a modal dialog or message box).
void PostClick(HWND button);
// Posts WM_COMMAND with the id to the window (menu items and accelerators).
void PostCommand(HWND window, int id);

// One message box (or any #32770 dialog) as found: its caption and the text of static 0xFFFF.
struct MessageBoxText {
  HWND window = nullptr;
  std::wstring caption;
  std::wstring text;
  explicit operator bool() const { return window != nullptr; }
  // Presses the box's button with that id (IDOK, IDCANCEL, IDYES, IDNO) and waits until the
  // box is gone. false when it stays.
  bool Answer(int buttonId, Timeout timeout = kDefaultTimeout) const;
  // The button drawn as the default one, which Enter presses; 0 when none.
  int DefaultButton() const;
};

// Polls `condition` every 15 ms until it holds or the timeout runs out; its last result.
template <typename Condition>
bool WaitUntil(Condition condition, Timeout timeout = kDefaultTimeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= end) return condition();
    ::Sleep(15);
  }
}

// ---- The program -------------------------------------------------------------------------------

class TovelaProcess;

// What the helper tovela_probe.dll reads inside the running program (another process cannot
// read menus or a window's own scroll bars under Wine).
struct ProbeReport {
  bool ok = false;                      // false when the helper did not answer in time
  std::map<int, bool> checked;          // menu command id -> checked
  std::map<int, std::wstring> itemText; // menu command id -> item text
  std::vector<int> menuOrder;           // command ids in menu order, 0 for a separator
  std::vector<std::wstring> popupText;  // the menus of the menu bar, in order
  bool hasScroll = false;               // the chart window's SB_HORZ bar could be read
  int scrollMin = 0, scrollMax = 0, scrollPos = 0;
  std::vector<int> systemMenu;          // command ids of the main window's system menu
  bool mainVisible = false;
  int dpi = 0;                          // the main window's DPI (0 when unknown)
  struct Control {
    int id = 0;
    std::wstring className;
    RECT place{};      // in the main window's client area
    SIZE text{};       // its text drawn on one line with its own font
    long room = 0;     // an edit's or a date picker's width for its value, and the width the
    long need = 0;     // value shown needs (both 0 for other controls)
  };
  std::vector<Control> controls;        // every child of the main window, in z order
};

// The program's objects and memory as tovela_probe.dll counts them inside it (probe_win.cpp).
struct ResourceCounts {
  bool ok = false;                   // false when the helper did not answer in time
  int gdi = 0, user = 0;             // GDI and USER objects
  std::wstring gdiHow, userHow;      // how they were counted ("system", "table", "handles:<windows>,<menus>,<icons>")
  unsigned long long privateBytes = 0;
};

// A fresh install folder under the temporary folder with Tovela.exe, Quillet.dll and
// Brassel.dll copied from TOVELA_BIN_DIR (and the test helper tovela_probe.dll when it is there). Removed with everything in it on destruction.
class TovelaInstall {
 public:
  TovelaInstall();
  ~TovelaInstall();
  TovelaInstall(const TovelaInstall&) = delete;
  TovelaInstall& operator=(const TovelaInstall&) = delete;

  bool Ready() const { return ready_; }  // false when the program files could not be copied
  const std::wstring& Folder() const { return folder_; }
  std::wstring PathOf(const std::wstring& name) const { return folder_ + L"\\" + name; }

  bool WriteFile(const std::wstring& name, const std::string& bytes) const;
  std::string ReadFile(const std::wstring& name) const;
  bool Exists(const std::wstring& name) const;
  // Sets or clears the read-only attribute.
  bool SetReadOnly(const std::wstring& name, bool readOnly) const;
  // One key of Tovela.ini's section "Tovela" ("" when missing).
  std::wstring IniValue(const std::wstring& key) const;

  // Starts Tovela.exe in the folder with the given argument string ("" for none, "-startup").
  TovelaProcess Launch(const std::wstring& arguments = L"") const;

 private:
  std::wstring folder_;
  bool ready_ = false;
};

// A running Tovela. Ends the process on destruction when a test left it running.
class TovelaProcess {
 public:
  TovelaProcess() = default;
  TovelaProcess(const PROCESS_INFORMATION& info, std::wstring folder)
      : info_(info), folder_(std::move(folder)) {}
  TovelaProcess(TovelaProcess&& other) noexcept;
  TovelaProcess& operator=(TovelaProcess&& other) noexcept;
  ~TovelaProcess();

  bool Started() const { return info_.hProcess != nullptr; }
  DWORD Id() const { return info_.dwProcessId; }
  HANDLE Handle() const { return info_.hProcess; }

  // The main window (class "Tovela"), visible or not, once start-up is complete (the program
  // answers messages); null when it did not appear in time.
  HWND WaitForMainWindow(Timeout timeout = kDefaultTimeout, bool visibleOnly = true);
  HWND MainWindow() const { return main_; }
  // A child of the main window by id (GetDlgItem).
  HWND Control(int id) const;

  // A visible dialog of the process with that caption (any caption when empty).
  HWND WaitForDialog(const std::wstring& caption, Timeout timeout = kDefaultTimeout) const;
  // A visible message box of the process: a #32770 window with a static 0xFFFF.
  MessageBoxText WaitForMessageBox(Timeout timeout = kDefaultTimeout) const;
  // True when no message box of the process shows (checked once).
  bool NoMessageBox() const;
  // Posts a click on the button and reads the message box it opens.
  MessageBoxText PressAndReadMessage(HWND button, Timeout timeout = kDefaultTimeout) const;
  // Posts the command to the main window and reads the message box it opens.
  MessageBoxText CommandAndReadMessage(int command, Timeout timeout = kDefaultTimeout) const;
  // In the common open or save dialog with that caption: types `path` into the file name field
  // and presses OK, again until the dialog is gone. false when it did not appear or stayed.
  bool ChooseFile(const std::wstring& caption, const std::wstring& path,
                  Timeout timeout = kDefaultTimeout) const;

  // Sets a date picker of this process (DTM_SETSYSTEMTIME, sent by tovela_probe.dll on the
  // program's thread). With notifyParent, the helper also posts the DTN_DATETIMECHANGE
  // notification to the picker's parent, as a user's change would (the message does not send it
  // by itself); its memory stays allocated until the process ends.
  bool SetDate(HWND picker, int year, int month, int day, bool notifyParent) const;
  // The picker's date (DTM_GETSYSTEMTIME, read by tovela_probe.dll); false when unreadable.
  bool GetDate(HWND picker, int& year, int& month, int& day) const;

  // Sends the main window WM_DPICHANGED for `dpi` with its own rectangle, from the program's
  // own thread (tovela_probe.dll), as a move to a screen of that scale would.
  bool SendDpiChanged(int dpi) const;

  // Waits for the process to end; its exit code, or STILL_ACTIVE when it did not end in time.
  DWORD WaitForExit(Timeout timeout = kDefaultTimeout);
  bool Exited() const;
  // Posts WM_CLOSE to the main window and waits for the process to end with exit code 0.
  bool CloseAndWait(Timeout timeout = kDefaultTimeout);
  // Ends the process at once (clean-up after a failed test).
  void Kill();

  // Has tovela_probe.dll of the install folder report from the program's own thread (through a
  // message hook, which loads it there the first time) and reads the report; ok is false when
  // no report came within the timeout.
  ProbeReport Probe(Timeout timeout = kDefaultTimeout) const;
  // The dpi and controls of another window of the program (a dialog), as Probe reports them.
  ProbeReport ProbeControls(HWND window, Timeout timeout = kDefaultTimeout) const;

  // Whether a window of the program has its own small and big icons (WM_GETICON, asked on the
  // program's thread); "icons 1 1" when it has both, "" when there was no answer.
  std::wstring IconsOf(HWND window) const;

  // The control that has the keyboard focus on the program's thread; null when none.
  HWND FocusedControl() const;
  // Has tovela_probe.dll count the program's GDI and USER objects and its private memory.
  ResourceCounts CountResources(Timeout timeout = kDefaultTimeout) const;
  // Has tovela_probe.dll make `gdi` GDI and `user` USER objects on the program's thread and never
  // give them back: a leak planted on purpose, to show that CountResources sees one. The number
  // of objects made.
  int PlantLeak(int gdi, int user) const;

  // Brings the window (or `front`, e.g. a dialog over it) to the front and writes a 32-bit BMP
  // of the window's screen area to ArtifactsFolder()\name; the full path, or "" on failure.
  // Other windows of the process on top (a dialog) are included as they appear on screen.
  std::wstring Screenshot(HWND window, const std::wstring& name, HWND front = nullptr) const;
  // Screenshots of every visible top-level window of the running process into
  // ArtifactsFolder()\folder (made when missing), as window1.bmp, window2.bmp, ...; how many.
  int ScreenshotWindows(const std::wstring& folder) const;

 private:
  // Ends the process if it still runs and closes its handles.
  void Release();
  // Hands one request line to tovela_probe.dll inside the program (see probe_request.h) and
  // returns its answer; "" when none came within the timeout.
  std::wstring AskProbe(const std::wstring& request, Timeout timeout) const;

  PROCESS_INFORMATION info_{};
  std::wstring folder_;
  HWND main_ = nullptr;
};

// Starts the Tovela.exe of any folder (an installed copy) there, with the argument string.
TovelaProcess LaunchTovela(const std::wstring& folder, const std::wstring& arguments = L"");

// Today's local date as the program sees it.
void Today(int& year, int& month, int& day);
// A date moved by whole days (negative: back).
void AddDays(int& year, int& month, int& day, int days);
// Sends real key presses (SendInput) to the foreground window after bringing `window` forward
// (null: to whatever window is in front); keys are virtual-key codes held together in order,
// e.g. {VK_CONTROL, 'C'}.
void PressKeys(HWND window, const std::vector<WORD>& keys);
// Types digits and the decimal point as real key presses, one after another, to the window in
// front.
void TypeNumber(const std::wstring& number);

}  // namespace e2e
