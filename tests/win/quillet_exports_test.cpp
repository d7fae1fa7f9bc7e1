// Quillet.dll exports every function of its interface under its C++ name (namespace quillet),
// which is how the program links to it.
#include <gtest/gtest.h>

#include <windows.h>

TEST(QuilletExports, EveryFunctionIsExportedByItsMangledName) {
  const char* const names[] = {
      // Dates
      "_ZN7quillet6GetNowEv", "_ZN7quillet10GetPrevDayE2tm", "_ZN7quillet10GetNextDayE2tm",
      "_ZN7quillet16GetMaxDayOfMonthEii", "_ZN7quillet10IsLeapYearEi",
      "_ZN7quillet6AddYmdE2tmiii", "_ZN7quillet6SubDayE2tmS0_", "_ZN7quillet12GetWeekOfDayEiii",
      // Helpers
      "_ZN7quillet13GetModulePathEPw", "_ZN7quillet14GetDesktopRectEP8tagPOINT",
      "_ZN7quillet9IsNumericEPKw", "_ZN7quillet5ToIntEPKw", "_ZN7quillet8IsDoubleEPKw",
      "_ZN7quillet8ToDoubleEPKw", "_ZN7quillet9ShowErrorEPw",
      "_ZN7quillet14OpenFileDialogEP6HWND__PwPKw",
      "_ZN7quillet14SaveFileDialogEP6HWND__PwPKwS4_", "_ZN7quillet6AddLogEPKwS1_",
      "_ZN7quillet11GetFileSizeEPKw", "_ZN7quillet15ShutDownWindowsEi",
      "_ZN7quillet9GetOSInfoEv", "_ZN7quillet15IsKanjiReadByteEw",
      "_ZN7quillet15GetRandomStringEPwi", "_ZN7quillet10GetEncryptEPwPKw",
      "_ZN7quillet7IsMatchEPKwS1_", "_ZN7quillet9IsMatchOfEPKwS1_",
  };
  HMODULE library = LoadLibraryW(L"Quillet.dll");  // its entry point reports success
  ASSERT_NE(library, nullptr);
  for (const char* name : names) {
    EXPECT_NE(GetProcAddress(library, name), nullptr) << name;
  }
  FreeLibrary(library);
}
