// Quillet's Windows helpers, run in the real DLL under Wine on the test display.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "system_win.h"

namespace {

// A fresh, empty folder under the system's temporary folder, removed with its files afterwards.
class TempFolder {
 public:
  TempFolder() {
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    // Process ids repeat from run to run in a prefix: a folder left by an interrupted run is
    // not reused.
    for (int n = 0; n < 100; ++n) {
      path_ = std::wstring(base) + L"quillet_test_" + std::to_wstring(GetCurrentProcessId()) +
              L"_" + std::to_wstring(GetTickCount64()) + L"_" + std::to_wstring(n);
      if (CreateDirectoryW(path_.c_str(), nullptr)) break;
    }
  }
  ~TempFolder() {
    for (const std::wstring& file : files_) DeleteFileW(file.c_str());
    RemoveDirectoryW(path_.c_str());
  }
  std::wstring File(const std::wstring& name) {
    files_.push_back(path_ + L"\\" + name);
    return files_.back();
  }

 private:
  std::wstring path_;
  std::vector<std::wstring> files_;
};

std::string ReadBytes(const std::wstring& path) {
  std::string bytes;
  FILE* file = _wfopen(path.c_str(), L"rb");
  if (file == nullptr) return bytes;
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, n);
  fclose(file);
  return bytes;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  FILE* file = _wfopen(path.c_str(), L"wb");
  ASSERT_NE(file, nullptr);
  fwrite(bytes.data(), 1, bytes.size(), file);
  fclose(file);
}

}  // namespace

TEST(ModulePath, IsTheTestProgramsFolderWithBackslash) {
  wchar_t folder[MAX_PATH];
  wmemset(folder, L'#', MAX_PATH);
  ASSERT_EQ(quillet::GetModulePath(folder), 1);
  std::wstring path(folder);
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path.back(), L'\\');
  wchar_t module[1024] = {};
  GetModuleFileNameW(nullptr, module, 1024);
  std::wstring expected(module);
  expected.erase(expected.rfind(L'\\') + 1);
  EXPECT_EQ(path, expected);
  EXPECT_EQ(path.substr(1, 2), L":\\");
}

TEST(ModulePath, CompanionsBuildPathsBesideTheProgram) {
  wchar_t folder[MAX_PATH] = {};
  ASSERT_EQ(quillet::GetModulePath(folder), 1);
  EXPECT_EQ(quillet::GetModulePath(), std::wstring(folder));
  // Names that begin with a backslash give a doubled separator, which Windows accepts.
  EXPECT_EQ(quillet::GetModuleFilePath(L"\\TEMPERATURE_DATA.dat"),
            std::wstring(folder) + L"\\TEMPERATURE_DATA.dat");
  wchar_t self[1024] = {};
  GetModuleFileNameW(nullptr, self, 1024);
  std::wstring name(self);
  name = name.substr(name.rfind(L'\\'));
  EXPECT_GT(quillet::GetFileSize(quillet::GetModuleFilePath(name).c_str()), 0);
}

TEST(DesktopRect, IsTheTestScreenSize) {
  POINT size = {-1, -1};
  ASSERT_EQ(quillet::GetDesktopRect(&size), 1);
  EXPECT_EQ(size.x, 1280);
  EXPECT_EQ(size.y, 1024);
  EXPECT_EQ(quillet::GetDesktopRect(nullptr), 0);
}

TEST(FileSize, CountsTheBytesWritten) {
  TempFolder folder;
  std::wstring path = folder.File(L"sized.dat");
  WriteBytes(path, std::string(12345, 'x'));
  EXPECT_EQ(quillet::GetFileSize(path.c_str()), 12345);
  // The system's GetFileSize of the same name stays reachable beside Quillet's.
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD high = 1;
  EXPECT_EQ(::GetFileSize(file, &high), 12345u);
  EXPECT_EQ(high, 0u);
  CloseHandle(file);
  std::wstring empty = folder.File(L"empty.dat");
  WriteBytes(empty, "");
  EXPECT_EQ(quillet::GetFileSize(empty.c_str()), 0);
}

TEST(FileSize, MissingFileGivesMinusOne) {
  TempFolder folder;
  EXPECT_EQ(quillet::GetFileSize(folder.File(L"missing.dat").c_str()), -1);
  EXPECT_EQ(quillet::GetFileSize(L"Z:\\no\\such\\folder\\file.dat"), -1);
  EXPECT_EQ(quillet::GetFileSize(nullptr), -1);
}

TEST(FileSize, SizesBeyondFourGigabytesAreExact) {
  // A sparse file: its length is set without writing the bytes.
  TempFolder folder;
  std::wstring path = folder.File(L"large.dat");
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  LARGE_INTEGER length;
  length.QuadPart = 5LL * 1024 * 1024 * 1024 + 7;
  ASSERT_TRUE(SetFilePointerEx(file, length, nullptr, FILE_BEGIN));
  ASSERT_TRUE(SetEndOfFile(file));
  CloseHandle(file);
  EXPECT_EQ(quillet::GetFileSize(path.c_str()), length.QuadPart);
}

TEST(FileSize, FileOpenForWritingIsRefused) {
  TempFolder folder;
  std::wstring path = folder.File(L"busy.dat");
  WriteBytes(path, "busy");
  HANDLE writer = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  EXPECT_EQ(quillet::GetFileSize(path.c_str()), -1);
  CloseHandle(writer);
  EXPECT_EQ(quillet::GetFileSize(path.c_str()), 4);
}

// The line end "\r\n" goes through the text stream like the line, and the stream turns every
// "\n" it is given into "\r\n": each line lands on disk ending in CR CR LF.
TEST(Log, AppendsLinesThroughATextStream) {
  TempFolder folder;
  std::wstring path = folder.File(L"app.log");
  EXPECT_EQ(quillet::AddLog(path.c_str(), L"first"), 0);
  EXPECT_EQ(quillet::AddLog(path.c_str(), L"second line"), 0);
  EXPECT_EQ(ReadBytes(path), "first\r\r\nsecond line\r\r\n");
}

TEST(Log, AppendsToWhatTheFileHeld) {
  TempFolder folder;
  std::wstring path = folder.File(L"kept.log");
  WriteBytes(path, "kept\r\n");
  EXPECT_EQ(quillet::AddLog(path.c_str(), L""), 0);
  EXPECT_EQ(ReadBytes(path), "kept\r\n\r\r\n");
}

// Japanese text lands in the system's code page, which the test prefix sets to Shift_JIS.
TEST(Log, JapaneseLineLandsInTheSystemCodePage) {
  ASSERT_EQ(GetACP(), 932u);
  TempFolder folder;
  std::wstring path = folder.File(L"jp.log");
  EXPECT_EQ(quillet::AddLog(path.c_str(), L"\u4f53\u6e29 36.5"), 0);  // 体温 36.5
  EXPECT_EQ(ReadBytes(path), "\x91\xcc\x89\xb7 36.5\r\r\n");
}

TEST(Log, UnopenableFileGivesMinusOne) {
  EXPECT_EQ(quillet::AddLog(L"Z:\\no\\such\\folder\\app.log", L"line"), -1);
  EXPECT_EQ(quillet::AddLog(nullptr, L"line"), -1);
}

TEST(OsInfo, WineIsOfTheNtFamily) { EXPECT_EQ(quillet::GetOSInfo(), 1); }
