// Quillet.dll as any program sees it: its functions are found by their plain names and called
// through plain function pointers. This file knows only those names and signatures, and
// deliberately includes none of the project's headers.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

const char* const kDateFunctions[] = {"GetNow", "GetPrevDay", "GetNextDay", "GetMaxDayOfMonth",
                                      "IsLeapYear", "AddYmd", "SubDay", "GetWeekOfDay"};
const char* const kHelperFunctions[] = {
    "GetModulePath", "GetDesktopRect", "IsNumeric", "ToInt", "IsDouble", "ToDouble",
    "ShowError", "OpenFileDialog", "SaveFileDialog", "SaveFileDialogIn", "AddLog", "GetFileSize",
    "ShutDownWindows", "GetOSInfo", "IsKanjiReadByte", "GetRandomString", "GetEncrypt", "IsMatch",
    "IsMatchOf"};

// A name some compiler has decorated: C++ (Itanium or Microsoft) or stdcall.
bool IsDecorated(const std::string& name) {
  return name.rfind("_Z", 0) == 0 || name.find_first_of("?@") != std::string::npos;
}

std::wstring BesideThisProgram(const wchar_t* name) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L"\\/") + 1) + name;
}

class QuilletByName : public ::testing::Test {
 protected:
  void SetUp() override {
    library_ = LoadLibraryW(L"Quillet.dll");
    ASSERT_NE(library_, nullptr);
  }
  void TearDown() override {
    if (library_ != nullptr) FreeLibrary(library_);
  }
  // The function exported as `name`, as a pointer of the documented type.
  template <typename F>
  F Get(const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library_, name)));
  }
  HMODULE library_ = nullptr;
};

std::tm Date(int year, int month, int day) {
  std::tm t = {};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  return t;
}

::testing::AssertionResult IsDate(const std::tm& t, int year, int month, int day) {
  if (t.tm_year == year - 1900 && t.tm_mon == month - 1 && t.tm_mday == day) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << t.tm_year + 1900 << "/" << t.tm_mon + 1 << "/" << t.tm_mday;
}

TEST_F(QuilletByName, EveryDocumentedFunctionIsFoundUnderItsPlainName) {
  for (const char* name : kDateFunctions) EXPECT_NE(GetProcAddress(library_, name), nullptr) << name;
  for (const char* name : kHelperFunctions) EXPECT_NE(GetProcAddress(library_, name), nullptr) << name;
}

// The loader finds a name by binary search, so the table must also be in ascending order.
TEST_F(QuilletByName, ExportTableHoldsOnlyPlainNamesInAscendingOrder) {
  const auto* base = reinterpret_cast<const BYTE*>(library_);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  ASSERT_NE(dir.VirtualAddress, 0u);
  const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
  const auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
  EXPECT_GE(exports->NumberOfNames, std::size(kDateFunctions) + std::size(kHelperFunctions));
  std::string previous;
  for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
    const std::string name = reinterpret_cast<const char*>(base + names[i]);
    EXPECT_FALSE(IsDecorated(name)) << name;
    EXPECT_LT(previous, name);
    previous = name;
  }
}

TEST_F(QuilletByName, DateFunctionsGiveTheDocumentedResults) {
  const auto getNow = Get<std::tm (*)()>("GetNow");
  const auto prevDay = Get<std::tm (*)(std::tm)>("GetPrevDay");
  const auto nextDay = Get<std::tm (*)(std::tm)>("GetNextDay");
  const auto maxDay = Get<int (*)(int, int)>("GetMaxDayOfMonth");
  const auto isLeap = Get<bool (*)(int)>("IsLeapYear");
  const auto addYmd = Get<std::tm (*)(std::tm, int, int, int)>("AddYmd");
  const auto subDay = Get<int (*)(std::tm, std::tm)>("SubDay");
  const auto weekDay = Get<int (*)(int, int, int)>("GetWeekOfDay");
  ASSERT_TRUE(getNow && prevDay && nextDay && maxDay && isLeap && addYmd && subDay && weekDay);

  EXPECT_EQ(maxDay(2024, 1), 29);
  EXPECT_EQ(maxDay(2007, 13), 28);
  EXPECT_EQ(maxDay(2007, 3), 30);
  EXPECT_FALSE(isLeap(1900));
  EXPECT_TRUE(isLeap(2000));
  EXPECT_FALSE(isLeap(2007));
  EXPECT_TRUE(IsDate(nextDay(Date(2007, 12, 31)), 2008, 1, 1));
  EXPECT_TRUE(IsDate(prevDay(Date(2100, 3, 1)), 2100, 2, 28));
  EXPECT_TRUE(IsDate(addYmd(Date(2007, 12, 28), 0, 0, 40), 2008, 2, 6));
  EXPECT_TRUE(IsDate(addYmd(Date(2007, 1, 31), 0, 1, 0), 2007, 3, 3));
  EXPECT_EQ(subDay(Date(2008, 2, 29), Date(2007, 5, 15)), 290);
  EXPECT_EQ(subDay(Date(2007, 5, 15), Date(2008, 2, 29)), -290);
  EXPECT_EQ(weekDay(2007, 5, 15), 2);
  EXPECT_EQ(weekDay(2008, 1, 1), 2);

  // The time fields travel through unchanged.
  std::tm withTime = Date(2007, 5, 15);
  withTime.tm_hour = 7;
  withTime.tm_wday = 5;
  const std::tm next = nextDay(withTime);
  EXPECT_EQ(next.tm_hour, 7);
  EXPECT_EQ(next.tm_wday, 5);

  const std::time_t now = std::time(nullptr);
  const std::tm local = *std::localtime(&now);
  const std::tm reported = getNow();
  EXPECT_LE(std::abs(subDay(reported, local)), 1);  // a day may turn between the two readings
}

TEST_F(QuilletByName, GetFileSizeIsQuilletsOwnAndTakesAPath) {
  const auto fileSize = Get<std::int64_t (*)(const wchar_t*)>("GetFileSize");
  ASSERT_NE(fileSize, nullptr);
  const std::wstring dll = BesideThisProgram(L"Quillet.dll");
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  ASSERT_TRUE(GetFileAttributesExW(dll.c_str(), GetFileExInfoStandard, &data));
  EXPECT_EQ(fileSize(dll.c_str()), static_cast<std::int64_t>(data.nFileSizeLow));
  EXPECT_EQ(fileSize(BesideThisProgram(L"no-such-file.dat").c_str()), -1);
}

TEST_F(QuilletByName, NumberReadersGiveTheDocumentedResults) {
  const auto isNumeric = Get<bool (*)(const wchar_t*)>("IsNumeric");
  const auto toInt = Get<int (*)(const wchar_t*)>("ToInt");
  const auto isDouble = Get<bool (*)(const wchar_t*)>("IsDouble");
  const auto toDouble = Get<double (*)(const wchar_t*)>("ToDouble");
  ASSERT_TRUE(isNumeric && toInt && isDouble && toDouble);

  const struct {
    const wchar_t* text;
    bool numeric;
    int integer;
    bool isDouble;
    double real;
  } cases[] = {
      {L"28", true, 28, true, 28.0},     {L"12abc", true, 12, true, 12.0},
      {L"0", false, 0, false, 0.0},      {L"", false, 0, false, 0.0},
      {L"36.5x", true, 36, true, 36.5},  {L"0.00", false, 0, false, 0.0},
      {L"abc", false, 0, false, 0.0},    {L" -1", true, -1, true, -1.0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(isNumeric(c.text), c.numeric) << c.text;
    EXPECT_EQ(toInt(c.text), c.integer) << c.text;
    EXPECT_EQ(isDouble(c.text), c.isDouble) << c.text;
    EXPECT_EQ(toDouble(c.text), c.real) << c.text;
  }
}

// The names Tovela.exe imports from one DLL, read from the import table of the file on disk.
// Imports by ordinal come back as "#<ordinal>".
std::set<std::string> ImportsOf(const std::wstring& program, const char* dll) {
  std::ifstream in(program.c_str(), std::ios::binary);
  const std::vector<char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::set<std::string> result;
  if (file.size() < sizeof(IMAGE_DOS_HEADER)) return result;
  const char* base = file.data();
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_SECTION_HEADER* sections = IMAGE_FIRST_SECTION(nt);
  // The file offset of a relative virtual address.
  auto at = [&](DWORD rva) -> const char* {
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
      const IMAGE_SECTION_HEADER& s = sections[i];
      if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.SizeOfRawData) {
        return base + s.PointerToRawData + (rva - s.VirtualAddress);
      }
    }
    return nullptr;
  };
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  const auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(at(dir.VirtualAddress));
  for (; entry != nullptr && entry->Name != 0; ++entry) {
    if (_stricmp(at(entry->Name), dll) != 0) continue;
    const auto* thunk = reinterpret_cast<const IMAGE_THUNK_DATA64*>(
        at(entry->OriginalFirstThunk != 0 ? entry->OriginalFirstThunk : entry->FirstThunk));
    for (; thunk->u1.AddressOfData != 0; ++thunk) {
      if (IMAGE_SNAP_BY_ORDINAL64(thunk->u1.Ordinal)) {
        result.insert("#" + std::to_string(IMAGE_ORDINAL64(thunk->u1.Ordinal)));
      } else {
        const auto* byName =
            reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(at(static_cast<DWORD>(thunk->u1.AddressOfData)));
        result.insert(reinterpret_cast<const char*>(byName->Name));
      }
    }
  }
  return result;
}

TEST(QuilletImports, ProgramsImportQuilletByPlainNamesBesideTheSystemsGetFileSize) {
  const std::set<std::string> quillet = ImportsOf(BesideThisProgram(L"Tovela.exe"), "Quillet.dll");
  // Functions the program relies on, each under its documented name.
  for (const char* name : {"GetNow", "GetNextDay", "SubDay", "GetModulePath", "GetDesktopRect", "ToDouble"}) {
    EXPECT_EQ(quillet.count(name), 1u) << name;
  }
  for (const std::string& name : quillet) {
    EXPECT_FALSE(IsDecorated(name) || name[0] == '#') << name;
  }
  // This test program calls both GetFileSize functions (quillet_system_test.cpp): each is bound
  // to its own DLL, so neither name shadows the other.
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  EXPECT_EQ(ImportsOf(self, "Quillet.dll").count("GetFileSize"), 1u);
  EXPECT_EQ(ImportsOf(self, "KERNEL32.dll").count("GetFileSize"), 1u);
}

}  // namespace
