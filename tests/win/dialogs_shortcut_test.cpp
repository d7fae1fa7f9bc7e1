// The start-up shortcut, read back through the system's shell-link object.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <atomic>
#include <string>
#include <thread>

#include "shortcut_reader_win.h"
#include "startup_shortcut_win.h"
#include "system_win.h"

namespace {

using test_support::ReadShortcut;
using test_support::ShortcutFields;

std::wstring Lower(std::wstring s) {
  for (wchar_t& c : s) c = static_cast<wchar_t>(towlower(c));
  return s;
}

// A fresh, empty folder under the temporary folder, removed with its files afterwards.
class ScratchFolder {
 public:
  ScratchFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    // Process ids repeat from run to run in a prefix: a folder left by an interrupted run is
    // not reused.
    for (int n = 0; n < 100; ++n) {
      path_ = std::wstring(temp) + L"tovela-shortcut-" + std::to_wstring(GetCurrentProcessId()) +
              L"-" + std::to_wstring(n);
      if (CreateDirectoryW(path_.c_str(), nullptr)) break;
    }
  }
  ~ScratchFolder() {
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW((path_ + L"\\*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
          DeleteFileW((path_ + L"\\" + found.cFileName).c_str());
        }
      } while (FindNextFileW(h, &found));
      FindClose(h);
    }
    RemoveDirectoryW(path_.c_str());
  }
  const std::wstring& Path() const { return path_; }
  int FileCount() const {
    int count = 0;
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW((path_ + L"\\*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return 0;
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
    } while (FindNextFileW(h, &found));
    FindClose(h);
    return count;
  }

 private:
  std::wstring path_;
};

std::wstring StartupShortcutPath() {
  wchar_t startup[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, startup, CSIDL_STARTUP, TRUE)) return L"";
  return std::wstring(startup) + L"\\Tovela.lnk";
}

}  // namespace

TEST(StartupShortcut, StartsTheProgramFromItsFolderWithTheStartupArgument) {
  ScratchFolder folder;
  const std::wstring lnk = folder.Path() + L"\\Tovela.lnk";
  const std::wstring program = L"C:\\Tovela Test\\";
  ASSERT_TRUE(WriteStartupShortcut(lnk.c_str(), program.c_str()));

  const ShortcutFields f = ReadShortcut(lnk);
  ASSERT_TRUE(f.loaded);
  EXPECT_EQ(Lower(f.target), Lower(program + L"Tovela.exe"));
  EXPECT_EQ(f.arguments, L"-startup");
  EXPECT_EQ(Lower(f.workingDirectory), Lower(program));
  EXPECT_EQ(f.description, L"Tovelaのスタートアップ起動");
  EXPECT_EQ(Lower(f.iconPath), Lower(program + L"Tovela.exe"));
  EXPECT_EQ(f.iconIndex, 0);
  EXPECT_EQ(f.showCommand, SW_SHOWNORMAL);
}

TEST(StartupShortcut, WritingTwiceLeavesOneShortcutPointingAtTheLatestFolder) {
  ScratchFolder folder;
  const std::wstring lnk = folder.Path() + L"\\Tovela.lnk";
  ASSERT_TRUE(WriteStartupShortcut(lnk.c_str(), L"C:\\First\\"));
  ASSERT_TRUE(WriteStartupShortcut(lnk.c_str(), L"C:\\Second\\"));
  EXPECT_EQ(folder.FileCount(), 1);
  const ShortcutFields f = ReadShortcut(lnk);
  ASSERT_TRUE(f.loaded);
  EXPECT_EQ(Lower(f.target), Lower(std::wstring(L"C:\\Second\\Tovela.exe")));
}

// The number of bytes in the file, or -1 when it cannot be opened (a writer may refuse readers
// for a moment).
long long BytesIn(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return -1;
  char buffer[4096];
  DWORD got = 0;
  long long total = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) total += got;
  CloseHandle(file);
  return total;
}

TEST(StartupShortcut, AReaderDuringRewritesSeesAWholeShortcutOrNone) {
  ScratchFolder folder;
  const std::wstring lnk = folder.Path() + L"\\Tovela.lnk";
  // Two program folders of one length, so every whole shortcut has the same size.
  const wchar_t* const folders[] = {L"C:\\Aaaaa\\", L"C:\\Bbbbb\\"};
  ASSERT_TRUE(WriteStartupShortcut(lnk.c_str(), folders[0]));
  const long long whole = BytesIn(lnk);
  ASSERT_GT(whole, 0);

  std::atomic<bool> done{false};
  std::thread writer([&] {
    for (int i = 0; i < 30; ++i) WriteStartupShortcut(lnk.c_str(), folders[i % 2]);
    done = true;
  });
  int partial = 0;
  while (!done) {
    const long long size = BytesIn(lnk);
    if (size != -1 && size != whole) ++partial;
  }
  writer.join();
  EXPECT_EQ(partial, 0) << "reads of a shortcut still being written";
  EXPECT_EQ(folder.FileCount(), 1);
}

TEST(StartupShortcut, ARewriteRefusedWhileTheShortcutIsOpenKeepsTheOldOneWhole) {
  ScratchFolder folder;
  const std::wstring lnk = folder.Path() + L"\\Tovela.lnk";
  ASSERT_TRUE(WriteStartupShortcut(lnk.c_str(), L"C:\\First\\"));
  // A reader that does not let the file be replaced under it.
  HANDLE reader = CreateFileW(lnk.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(WriteStartupShortcut(lnk.c_str(), L"C:\\Second\\"));
  CloseHandle(reader);
  EXPECT_EQ(folder.FileCount(), 1) << "no temporary file is left behind";
  const ShortcutFields f = ReadShortcut(lnk);
  ASSERT_TRUE(f.loaded);
  EXPECT_EQ(Lower(f.target), Lower(std::wstring(L"C:\\First\\Tovela.exe")));
}

TEST(StartupShortcut, AProgramFolderTooLongForAPathWritesNothing) {
  ScratchFolder folder;
  const std::wstring lnk = folder.Path() + L"\\Tovela.lnk";
  const std::wstring longFolder = L"C:\\" + std::wstring(250, L'a') + L"\\";
  EXPECT_FALSE(WriteStartupShortcut(lnk.c_str(), longFolder.c_str()));
  EXPECT_EQ(folder.FileCount(), 0);
}

TEST(StartupShortcut, LeavesComUsableWhenTheThreadAlreadyUsesAnotherModel) {
  // The thread is in the multi-threaded apartment, so the shortcut's own CoInitialize is refused;
  // it must not uninitialise the caller's COM.
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
  ScratchFolder folder;
  const std::wstring lnk = folder.Path() + L"\\Tovela.lnk";
  EXPECT_TRUE(WriteStartupShortcut(lnk.c_str(), L"C:\\Tovela\\"));
  IShellLinkW* link = nullptr;
  EXPECT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_IShellLinkW, reinterpret_cast<void**>(&link))))
      << "COM is still initialised for this thread";
  if (link != nullptr) link->Release();
  CoUninitialize();
}

TEST(StartupShortcut, CommandWritesIntoTheUsersStartupFolder) {
  const std::wstring lnk = StartupShortcutPath();
  ASSERT_FALSE(lnk.empty());
  DeleteFileW(lnk.c_str());
  CreateStartupShortcut(nullptr);
  CreateStartupShortcut(nullptr);
  const ShortcutFields f = ReadShortcut(lnk);
  // Never leave a log-on entry behind in the test prefix.
  DeleteFileW(lnk.c_str());
  ASSERT_TRUE(f.loaded);
  const std::wstring folder = quillet::GetModulePath();
  EXPECT_EQ(Lower(f.target), Lower(folder + L"Tovela.exe"));
  EXPECT_EQ(f.arguments, L"-startup");
  EXPECT_EQ(Lower(f.workingDirectory), Lower(folder));
  EXPECT_EQ(f.description, L"Tovelaのスタートアップ起動");
}
