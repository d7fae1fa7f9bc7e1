// The per-user installer's life cycle, run by tests/install/run_install_test.sh in a Wine prefix
// made fresh for the run: silent install, the installed program storing a record, an install
// over it, the silent uninstaller, and a second install that finds the records again.
// TOVELA_SETUP names the installer (a Unix path is mapped to Z:).
#include <shlobj.h>

#include <cwchar>
#include <vector>

#include "app_fixture.h"
#include "shortcut_reader_win.h"
#include "tovela_version.h"

namespace e2e {
namespace {

constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tovela";
constexpr Timeout kInstallTimeout = 120s;

std::wstring ShellFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

// A value of the uninstall entry as text (REG_SZ as is, REG_DWORD in decimal); "" when missing.
std::wstring UninstallValue(const wchar_t* name) {
  BYTE data[2048] = {};
  DWORD size = sizeof data - sizeof(wchar_t), type = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_SZ | RRF_RT_REG_DWORD, &type, data,
                   &size) != ERROR_SUCCESS)
    return L"";
  if (type == REG_DWORD) return std::to_wstring(*reinterpret_cast<DWORD*>(data));
  return reinterpret_cast<wchar_t*>(data);
}

bool UninstallEntryExists() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kUninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// "FileVersion (a.b.c.d)": the text and the numbers of a binary's version resource.
std::wstring VersionOf(const std::wstring& path) {
  DWORD ignored = 0;
  std::vector<BYTE> block(GetFileVersionInfoSizeW(path.c_str(), &ignored));
  if (block.empty() || !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()))
    return L"";
  // The strings are under the first language and code page the resource lists.
  WORD* translation = nullptr;
  wchar_t* text = nullptr;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) ||
      length < 2 * sizeof(WORD))
    return L"";
  wchar_t key[64];
  swprintf(key, 64, L"\\StringFileInfo\\%04x%04x\\FileVersion", translation[0], translation[1]);
  if (!VerQueryValueW(block.data(), key, reinterpret_cast<void**>(&text), &length) ||
      !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length))
    return L"";
  return std::wstring(text) + L" (" + std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
         std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." + std::to_wstring(HIWORD(fixed->dwFileVersionLS)) +
         L"." + std::to_wstring(LOWORD(fixed->dwFileVersionLS)) + L")";
}

// Runs a program and waits for its end; its exit code, or STILL_ACTIVE when it did not end.
DWORD RunAndWait(const std::wstring& exe, const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info))
    return static_cast<DWORD>(-1);
  WaitForSingleObject(info.hProcess, static_cast<DWORD>(kInstallTimeout.count()));
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info.hProcess, &code);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return code;
}

class Installer : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(FileExists(setup_)) << "installer not found: set TOVELA_SETUP";
    ASSERT_FALSE(FileExists(Installed(L"Tovela.exe"))) << "the prefix is not fresh";
  }

  std::wstring Installed(const std::wstring& name) const { return folder_ + L"\\" + name; }

  void Install() const {
    ASSERT_EQ(RunAndWait(setup_, L"/S"), 0u) << "silent install failed";
    for (const wchar_t* file : {L"Tovela.exe", L"Quillet.dll", L"Brassel.dll", L"uninstall.exe"})
      EXPECT_TRUE(FileExists(Installed(file))) << "not installed: " << std::wstring(file);
  }

  // The uninstaller copies itself to the temporary folder, starts the copy and ends at once; the
  // copy's last step removes the uninstall entry, so that is what the wait watches.
  void Uninstall() const {
    ASSERT_EQ(RunAndWait(Installed(L"uninstall.exe"), L"/S"), 0u);
    ASSERT_TRUE(WaitUntil([] { return !UninstallEntryExists(); }, kInstallTimeout))
        << "the uninstall entry stayed";
  }

  // Starts the installed program and waits for its main window.
  void Start() {
    app_ = LaunchTovela(folder_);
    ASSERT_TRUE(app_.Started());
    ASSERT_NE(app_.WaitForMainWindow(), nullptr) << "main window did not appear";
  }

  std::string Read(const std::wstring& name) const { return ReadFileBytes(Installed(name)); }

  const std::wstring setup_ = EnvironmentPath(L"TOVELA_SETUP");
  const std::wstring folder_ = ShellFolder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Tovela";
  const std::wstring menuShortcut_ = ShellFolder(CSIDL_PROGRAMS) + L"\\Tovela.lnk";
  const std::wstring guideShortcut_ = ShellFolder(CSIDL_PROGRAMS) + L"\\Tovela の使い方.lnk";
  const std::wstring desktopShortcut_ = ShellFolder(CSIDL_DESKTOPDIRECTORY) + L"\\Tovela.lnk";
  const std::wstring startupShortcut_ = ShellFolder(CSIDL_STARTUP) + L"\\Tovela.lnk";
  TovelaProcess app_;
};

TEST_F(Installer, InstallsForTheUserWithShortcutsAndAnUninstallEntry) {
  Install();
  EXPECT_TRUE(FileExists(menuShortcut_));
  EXPECT_TRUE(FileExists(desktopShortcut_));
  // The user's guide beside the program, with its pictures, and its shortcut in the Start menu.
  const std::wstring guide = Installed(L"Tovela-guide.html");
  const std::wstring picture = Installed(L"Tovela-guide-files\\main-temperature.png");
  EXPECT_GT(ReadFileBytes(guide).size(), 1000u);
  EXPECT_TRUE(FileExists(picture));
  EXPECT_EQ(test_support::ReadShortcut(guideShortcut_).target, guide);
  // Every binary carries the project version, and so does the installer.
  const std::wstring version = TOVELA_VERSION_WIDE L" (" + std::to_wstring(TOVELA_VERSION_MAJOR) + L"." +
                               std::to_wstring(TOVELA_VERSION_MINOR) + L"." +
                               std::to_wstring(TOVELA_VERSION_PATCH) + L".0)";
  for (const std::wstring& binary : {Installed(L"Tovela.exe"), Installed(L"Quillet.dll"), Installed(L"Brassel.dll"), setup_})
    EXPECT_EQ(VersionOf(binary), version) << binary;

  const std::wstring quotedUninstaller = L"\"" + Installed(L"uninstall.exe") + L"\"";
  const struct {
    const wchar_t* name;
    std::wstring value;
  } entry[] = {
      {L"DisplayName", L"Tovela"},
      {L"DisplayVersion", TOVELA_VERSION_WIDE},
      {L"Publisher", L"Tovela 開発チーム"},
      {L"DisplayIcon", Installed(L"Tovela.exe") + L",0"},
      {L"InstallLocation", folder_},
      {L"UninstallString", quotedUninstaller},
      {L"QuietUninstallString", quotedUninstaller + L" /S"},
      {L"NoModify", L"1"},
      {L"NoRepair", L"1"},
  };
  for (const auto& value : entry) EXPECT_EQ(UninstallValue(value.name), value.value) << value.name;
  // The size in KiB: at least the three program files.
  EXPECT_GT(_wtoi(UninstallValue(L"EstimatedSize").c_str()), 100);

  Uninstall();
  for (const std::wstring& gone : {Installed(L"Tovela.exe"), Installed(L"Quillet.dll"),
                                   Installed(L"Brassel.dll"), Installed(L"uninstall.exe"),
                                   menuShortcut_, desktopShortcut_, guide, picture, guideShortcut_})
    EXPECT_FALSE(FileExists(gone)) << gone;
  // Nothing of the user's was there, so nothing is left.
  EXPECT_FALSE(FileExists(folder_));
}

TEST_F(Installer, KeepsTheRecordsThroughAnUpdateAnUninstallAndAReinstall) {
  Install();
  const SampleRecords sample = SampleCycles(40, 1);
  ASSERT_TRUE(WriteFileBytes(Installed(L"TEMPERATURE_DATA.dat"), sample.temperatures));
  ASSERT_TRUE(WriteFileBytes(Installed(L"WEIGHT_DATA.dat"), sample.weights));

  // The installed program stores today's temperature and makes its log-on shortcut.
  Start();
  ASSERT_TRUE(SetText(app_.Control(kTemperatureEditId), L"36.55"));
  MessageBoxText box = app_.PressAndReadMessage(app_.Control(kAddButtonId));
  EXPECT_EQ(box.text, DoneText(TodayYmd(), L"追加"));
  ASSERT_TRUE(box.Answer(IDOK));
  // While it runs, a silent install stops (exit code 2) instead of replacing its files.
  EXPECT_EQ(RunAndWait(setup_, L"/S"), 2u);
  PostCommand(app_.MainWindow(), kShortcutCommand);
  EXPECT_TRUE(WaitUntil([&] { return FileExists(startupShortcut_); }));
  // The picture of the main window for the read-me: the recorded weeks, scrolled back a month.
  for (int i = 0; i < 30; ++i) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(app_.Control(kChartWindowId), WM_HSCROLL, SB_LINELEFT, 0, SMTO_NORMAL, 5000, &result);
  }
  EXPECT_FALSE(app_.Screenshot(app_.MainWindow(), L"installed_main_window.bmp").empty());
  ASSERT_TRUE(app_.CloseAndWait());
  const std::string temperatures = sample.temperatures + TemperatureLine(TodayYmd(), "36.55", 0);
  ASSERT_EQ(Read(L"TEMPERATURE_DATA.dat"), temperatures);

  // What the user has beside the program: the records, the settings and the backups.
  ASSERT_TRUE(CreateDirectoryW(Installed(L"backup").c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  ASSERT_TRUE(WriteFileBytes(Installed(L"backup\\TEMPERATURE_DATA.dat"), sample.temperatures));
  std::map<std::wstring, std::string> kept;
  for (const wchar_t* name : {L"TEMPERATURE_DATA.dat", L"WEIGHT_DATA.dat", L"MEMO_DATA.dat", L"Tovela.ini",
                              L"backup\\TEMPERATURE_DATA.dat"}) {
    ASSERT_TRUE(FileExists(Installed(name))) << name;
    kept[name] = Read(name);
  }
  const auto expectKept = [&](const char* when) {
    for (const auto& [name, bytes] : kept) EXPECT_EQ(Read(name), bytes) << when << ": " << name;
  };

  Install();  // over the installed program: an update
  expectKept("after an update");

  Uninstall();
  for (const std::wstring& gone : {Installed(L"Tovela.exe"), Installed(L"Quillet.dll"),
                                   Installed(L"Brassel.dll"), Installed(L"uninstall.exe"),
                                   menuShortcut_, desktopShortcut_, startupShortcut_})
    EXPECT_FALSE(FileExists(gone)) << gone;
  expectKept("after the uninstall");

  // A new install finds today's record.
  Install();
  Start();
  EXPECT_EQ(GetText(app_.Control(kTemperatureEditId)), L"36.55");
  ASSERT_TRUE(app_.CloseAndWait());
  EXPECT_EQ(Read(L"TEMPERATURE_DATA.dat"), temperatures);
  Uninstall();
}

}  // namespace
}  // namespace e2e
