// Tovela.ini as the Windows build writes it: whole and in one step, in the file's own encoding
// (or UTF-16 when that cannot hold a text), read back by the system's profile functions.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "../unit/support/temp_folder.h"
#include "settings_win.h"

using test_support::ReadBytes;
using test_support::TempFolder;
using test_support::WriteBytes;

namespace {

int KeyIndex(const char* name) {
  for (int i = 0; i < kSettingsKeyCount; ++i)
    if (std::string(kSettingsKeys[i].name) == name) return i;
  ADD_FAILURE() << "no key " << name;
  return 0;
}

std::wstring ProfileText(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
  wchar_t value[256] = {};
  GetPrivateProfileStringW(section, key, L"(none)", value, 256, file.c_str());
  return value;
}

// The file's identity on its volume: a file replaced by another gets a new one, a file written
// over keeps its own.
unsigned long long FileIndex(const std::wstring& file) {
  HANDLE handle = CreateFileW(file.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  BY_HANDLE_FILE_INFORMATION info{};
  const bool got = handle != INVALID_HANDLE_VALUE && GetFileInformationByHandle(handle, &info);
  if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  return got ? (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow : 0;
}

}  // namespace

TEST(SettingsFileOnWindows, IsReplacedInOneStepKeepingOtherLinesAndReadsBack) {
  TempFolder folder;
  const std::wstring file = folder.path().native() + L"\\Tovela.ini";
  const std::string before = "[Other]\r\nKey=1\r\n[Tovela]\r\nGraphMode=3\r\nNextVersionKey=x\r\n";
  WriteBytes(folder / "Tovela.ini", before);
  const unsigned long long oldIndex = FileIndex(file);
  ASSERT_NE(oldIndex, 0u);
  SettingsTexts texts = FormatSettings(SettingsValues{});
  texts[KeyIndex("GraphMode")] = "2";
  texts[KeyIndex("ImageFolder")] = "D:\\写真";
  ASSERT_TRUE(WriteSettingsFile(file, texts, LocalTime{2026, 12, 7, 10, 0, 0}));
  // Replaced in one step by a file written whole beside it, not written over key by key.
  EXPECT_NE(FileIndex(file), oldIndex);
  EXPECT_EQ(ProfileText(file, L"Tovela", L"GraphMode"), L"2");
  EXPECT_EQ(ProfileText(file, L"Tovela", L"ImageFolder"), L"D:\\写真");
  EXPECT_EQ(ProfileText(file, L"Tovela", L"MinTemperature"), L"35.50");
  EXPECT_EQ(ProfileText(file, L"Tovela", L"NextVersionKey"), L"x");
  EXPECT_EQ(ProfileText(file, L"Other", L"Key"), L"1");
  EXPECT_EQ(ReadBytes(folder / "backup" / "2026-12-07" / "Tovela.ini"), before);
  EXPECT_EQ(ReadBytes(folder / "Tovela.ini").substr(0, 2), "[O") << "still in the code page";

  // A text the code page cannot hold: the file becomes UTF-16, which the profile functions read.
  texts[KeyIndex("ImageFolder")] = "C:\\Caf\xC3\xA9\\\xF0\x9F\x93\xB7";
  ASSERT_TRUE(WriteSettingsFile(file, texts, LocalTime{2026, 12, 7, 10, 0, 1}));
  EXPECT_EQ(ReadBytes(folder / "Tovela.ini").substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(ProfileText(file, L"Tovela", L"ImageFolder"), L"C:\\Caf\u00E9\\\U0001F4F7");
  EXPECT_EQ(ProfileText(file, L"Other", L"Key"), L"1");
  texts[KeyIndex("GraphMode")] = "3";
  ASSERT_TRUE(WriteSettingsFile(file, texts, LocalTime{2026, 12, 7, 10, 0, 2}));
  EXPECT_EQ(ProfileText(file, L"Tovela", L"GraphMode"), L"3") << "a UTF-16 file stays one";

  // A read-only file is left as it is, and the write says it failed.
  const std::string written = ReadBytes(folder / "Tovela.ini");
  ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
  texts[KeyIndex("GraphMode")] = "1";
  EXPECT_FALSE(WriteSettingsFile(file, texts, LocalTime{2026, 12, 7, 10, 0, 3}));
  EXPECT_EQ(ReadBytes(folder / "Tovela.ini"), written);
  SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}
