#include <gtest/gtest.h>

#include <string>

#include "module_path.h"

using quillet::kPathBufferChars;
using quillet::ModuleFolderOf;

namespace {

// The folder of `name`, or "<untouched>" when the buffer kept its content.
std::wstring FolderOf(const std::wstring& name) {
  wchar_t folder[kPathBufferChars] = L"<untouched>";
  int result = ModuleFolderOf(name.c_str(), folder);
  EXPECT_EQ(result == 1, std::wstring(folder) != L"<untouched>");
  return folder;
}

}  // namespace

TEST(ModuleFolder, KeepsDriveAndFolderWithTheirBackslash) {
  EXPECT_EQ(FolderOf(L"C:\\Apps\\Tovela.exe"), L"C:\\Apps\\");
  EXPECT_EQ(FolderOf(L"C:\\Tovela.exe"), L"C:\\");
  EXPECT_EQ(FolderOf(L"C:\\Program Files\\Tovela 1.0\\Tovela.v2.exe"),
            L"C:\\Program Files\\Tovela 1.0\\");
  EXPECT_EQ(FolderOf(L"\\\\server\\share\\tools\\Tovela.exe"), L"\\\\server\\share\\tools\\");
  EXPECT_EQ(FolderOf(L"Z:/work/bin/Tovela.exe"), L"Z:/work/bin/");
  EXPECT_EQ(FolderOf(L"C:\\\u65e5\u8a18\\Tovela.exe"), L"C:\\\u65e5\u8a18\\");
}

TEST(ModuleFolder, NameWithoutFolderLeavesTheBuffer) {
  EXPECT_EQ(FolderOf(L"Tovela.exe"), L"<untouched>");
  EXPECT_EQ(FolderOf(L""), L"<untouched>");
  wchar_t folder[kPathBufferChars] = L"x";
  EXPECT_EQ(ModuleFolderOf(nullptr, folder), -1);
  EXPECT_EQ(ModuleFolderOf(L"C:\\a.exe", nullptr), -1);
}

TEST(ModuleFolder, FolderMustFitTheBufferWithItsTerminator) {
  // 259 characters of folder fit a 260-character buffer; 260 do not.
  std::wstring fits = L"C:\\" + std::wstring(255, L'a') + L"\\";
  ASSERT_EQ(fits.size(), 259u);
  EXPECT_EQ(FolderOf(fits + L"Tovela.exe"), fits);
  std::wstring tooLong = L"C:\\" + std::wstring(256, L'a') + L"\\";
  ASSERT_EQ(tooLong.size(), 260u);
  EXPECT_EQ(FolderOf(tooLong + L"Tovela.exe"), L"<untouched>");
}
