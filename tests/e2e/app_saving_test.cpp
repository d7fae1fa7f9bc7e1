// Every confirmed change is on disk before the user gets control back, and one copy of the
// program runs per folder: a killed process keeps every entry, a second start hands over.
#include <gtest/gtest.h>

#include "app_fixture.h"
#include "instance_lock.h"

namespace e2e {
namespace {

using SavedAtOnce = AppTest;
using SecondStart = AppTest;

// Reads the confirmation a change shows, then ends the process hard while the box is still open:
// whatever the program still meant to write after the confirmation is never written.
void KillAtConfirmation(TovelaProcess& app, const std::wstring& text) {
  const MessageBoxText box = app.WaitForMessageBox();
  EXPECT_EQ(box.text, text);
  app.Kill();
  EXPECT_TRUE(app.Exited());
}

TEST_F(SavedAtOnce, AKilledProcessKeepsTheLogOnEntryThePanelsAndAnImport) {
  const Ymd today = TodayYmd(), yesterday = DaysFromToday(-1);

  // The log-on entry dialog.
  app = install.Launch(L"-startup");
  HWND dialog = app.WaitForDialog(kEntryDialogCaption);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(SetText(GetDlgItem(dialog, kEntryTemperatureId), L"36.55"));
  ASSERT_TRUE(SetText(GetDlgItem(dialog, kEntryWeightId), L"52.5"));
  PostClick(GetDlgItem(dialog, IDOK));
  KillAtConfirmation(app, DoneText(today, L"追加"));
  EXPECT_EQ(install.ReadFile(L"TEMPERATURE_DATA.dat"), TemperatureLine(today, "36.55", 0));
  EXPECT_EQ(install.ReadFile(L"WEIGHT_DATA.dat"), WeightLine(today, "52.5"));

  // The side panel's update, after a restart that shows the day.
  Start();
  EXPECT_EQ(Text(kTemperatureEditId), L"36.55");
  ASSERT_TRUE(SetText(app.Control(kTemperatureEditId), L"36.61"));
  ASSERT_TRUE(SetText(app.Control(kMemoEditId), L"更新"));
  PostClick(app.Control(kUpdateButtonId));
  KillAtConfirmation(app, DoneText(today, L"更新"));

  // A CSV import.
  Start();
  EXPECT_EQ(Text(kTemperatureEditId), L"36.61");
  EXPECT_EQ(Text(kMemoEditId), L"更新");
  ASSERT_TRUE(install.WriteFile(L"import.csv", "日付,基礎体温\n" + DateText(yesterday) + ",36.20\n"));
  PostCommand(app.MainWindow(), kCsvImportCommand);
  ASSERT_TRUE(app.ChooseFile(L"ファイルオープン！", install.PathOf(L"import.csv")));
  KillAtConfirmation(app, L"1日分の記録を読み込みました。");

  Start();
  PickDay(yesterday);
  EXPECT_EQ(Text(kTemperatureEditId), L"36.20");
  Close();
  EXPECT_EQ(install.ReadFile(L"TEMPERATURE_DATA.dat"),
            TemperatureLine(yesterday, "36.20", 0) + TemperatureLine(today, "36.61", 0));
}

// Waits for a second start to end, checking meanwhile that it never shows a window; its exit code.
DWORD ExitWithoutAWindow(TovelaProcess& second) {
  bool sawWindow = false;
  WaitUntil([&] {
    sawWindow = sawWindow || !TopLevelWindows(second.Id(), L"", L"", true).empty();
    return second.Exited();
  }, 5s);
  EXPECT_FALSE(sawWindow);
  return second.WaitForExit(0ms);
}

TEST_F(SecondStart, BringsTheRunningWindowForwardAndAnotherFolderRunsBeside) {
  Start();
  HWND main = app.MainWindow();
  // Typed but not confirmed: the first window must keep it.
  ASSERT_TRUE(SetText(app.Control(kTemperatureEditId), L"36.77"));
  PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(main) != FALSE; }));

  TovelaProcess second = install.Launch();
  ASSERT_TRUE(second.Started());
  EXPECT_EQ(ExitWithoutAWindow(second), 0u);
  EXPECT_TRUE(WaitUntil([&] { return !IsIconic(main) && GetForegroundWindow() == main; }, 5s));
  EXPECT_EQ(Text(kTemperatureEditId), L"36.77");
  app.Screenshot(main, L"second_start_first_window.bmp");

  TovelaProcess logOn = install.Launch(L"-startup");
  ASSERT_TRUE(logOn.Started());
  EXPECT_EQ(ExitWithoutAWindow(logOn), 0u);
  EXPECT_TRUE(app.NoMessageBox());

  TovelaInstall other;
  ASSERT_TRUE(other.Ready());
  TovelaProcess beside = other.Launch();
  ASSERT_NE(beside.WaitForMainWindow(), nullptr);
  EXPECT_TRUE(beside.CloseAndWait());
  // The typed value is asked about at the close; dropped, nothing is stored.
  CloseAnswering(IDNO);
  EXPECT_EQ(install.ReadFile(L"TEMPERATURE_DATA.dat"), "") << "nothing was confirmed";
}

// The folder's Unix path as Wine's Z: drive spells it ("Z:\home\..."): the same folder under
// another name, as a subst drive or a mapped drive and its UNC path would be on Windows.
std::wstring ThroughTheRootDrive(const std::wstring& folder) {
  using UnixName = char*(CDECL*)(LPCWSTR);
  const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (unixName == nullptr) return L"";
  char* name = unixName(folder.c_str());
  if (name == nullptr) return L"";
  std::wstring path = L"Z:";
  for (const char* c = name; *c != '\0'; ++c)
    path += *c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*c));
  HeapFree(GetProcessHeap(), 0, name);
  return path;
}

TEST_F(SecondStart, TheSameFolderUnderAnotherNameIsTheSameCopy) {
  const std::wstring other = ThroughTheRootDrive(install.Folder());
  ASSERT_NE(other, L"");
  ASSERT_NE(other, install.Folder());
  Start();
  TovelaProcess second = LaunchTovela(other);
  ASSERT_TRUE(second.Started());
  EXPECT_EQ(ExitWithoutAWindow(second), 0u) << "it runs the files of the first copy";
  Close();
}

// The lock's name of a plain folder (no other name of it on the way), as the program makes it.
std::wstring LockNameOf(std::wstring folder) {
  wchar_t full[MAX_PATH] = {};
  const DWORD length = GetLongPathNameW(folder.c_str(), full, MAX_PATH);
  if (length > 0 && length < MAX_PATH) folder = full;
  CharUpperBuffW(folder.data(), static_cast<DWORD>(folder.size()));
  const std::u16string name = InstanceLockName(
      std::u16string_view(reinterpret_cast<const char16_t*>(folder.data()), folder.size()));
  return std::wstring(name.begin(), name.end());
}

// A first copy started as administrator makes its lock with a security that lets an ordinary
// run not even open it (the test makes such a lock): access denied means that copy runs.
TEST_F(SecondStart, ALockItMayNotOpenMeansAnotherCopyRuns) {
  SECURITY_DESCRIPTOR security{};
  ASSERT_TRUE(InitializeSecurityDescriptor(&security, SECURITY_DESCRIPTOR_REVISION));
  ACL noAccess{};  // a list without entries: nobody is let in
  ASSERT_TRUE(InitializeAcl(&noAccess, sizeof noAccess, ACL_REVISION));
  ASSERT_TRUE(SetSecurityDescriptorDacl(&security, TRUE, &noAccess, FALSE));
  SECURITY_ATTRIBUTES attributes{sizeof attributes, &security, FALSE};
  const std::wstring name = LockNameOf(install.Folder());
  HANDLE held = CreateMutexW(&attributes, FALSE, name.c_str());
  ASSERT_NE(held, nullptr);
  HANDLE opened = CreateMutexW(nullptr, FALSE, name.c_str());
  const DWORD error = GetLastError();
  if (opened != nullptr) CloseHandle(opened);
  EXPECT_EQ(opened, nullptr) << "the lock could be opened after all";
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_ACCESS_DENIED));

  TovelaProcess second = install.Launch();
  ASSERT_TRUE(second.Started());
  EXPECT_EQ(ExitWithoutAWindow(second), 0u) << "it would write the files of the running copy";
  CloseHandle(held);
  EXPECT_FALSE(install.Exists(L"Tovela.ini"));
}

// A log-on run asking for the day's entry: an ordinary start shows its main window, which then
// stays open as an ordinary run once the entry dialog is done.
TEST_F(SecondStart, TurnsALogOnRunIntoAnOrdinaryOne) {
  app = install.Launch(L"-startup");
  HWND dialog = app.WaitForDialog(kEntryDialogCaption);
  ASSERT_NE(dialog, nullptr);
  TovelaProcess second = install.Launch();
  EXPECT_EQ(ExitWithoutAWindow(second), 0u);
  ASSERT_NE(app.WaitForMainWindow(), nullptr) << "the hidden main window must show";
  PostClick(GetDlgItem(dialog, IDCANCEL));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  EXPECT_FALSE(app.Exited());
  Close();
}

}  // namespace
}  // namespace e2e
