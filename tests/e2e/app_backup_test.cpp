// Backups in the real program: files with damaged lines are copied and reported at start, and
// the close keeps the day's copy of every file it replaces.
#include <gtest/gtest.h>

#include <cwchar>

#include "app_fixture.h"

namespace e2e {
namespace {

using Backups = AppTest;

constexpr wchar_t kCaption[] = L"Tovela";

// The notice's paragraph for one file.
std::wstring Notice(const std::wstring& file, int lines, bool kept = true) {
  return file + L" に読み込めない行が " + std::to_wstring(lines) + L" 行ありました。\n" +
         (kept ? L"元のファイルを backup\\damaged フォルダに保存しました。"
               : L"元のファイルを backup\\damaged フォルダに保存できませんでした。");
}

// "backup\2026-12-07" for today.
std::wstring TodaysFolder() {
  const Ymd today = TodayYmd();
  wchar_t name[32];
  std::swprintf(name, 32, L"backup\\%04d-%02d-%02d", today.year, today.month, today.day);
  return name;
}

// The one copy of `file` in backup\damaged, named "<file>.YYYYMMDD-HHMMSS"; "" when there is not
// exactly one.
std::wstring DamagedCopyOf(const TovelaInstall& install, const std::wstring& file) {
  std::wstring found;
  int count = 0;
  for (const std::wstring& name : FolderEntries(install.PathOf(L"backup\\damaged"))) {
    if (name.rfind(file + L".", 0) != 0) continue;
    ++count;
    found = name;
  }
  if (count != 1) return L"";
  EXPECT_EQ(found.size(), file.size() + 16) << "a stamp YYYYMMDD-HHMMSS after the name";
  return L"backup\\damaged\\" + found;
}

TEST_F(Backups, DamagedLinesAreKeptAndReportedAndTheCloseKeepsTheDaysCopies) {
  const Ymd day = DaysFromToday(-3);
  const std::string goodTemperature = TemperatureLine(day, "36.45", 0);
  const std::string temperatures =
      goodTemperature + "2026/2/30,36.50,0\r\n" + TemperatureLine(DaysFromToday(-2), "102.5", 0);
  const std::string weights = WeightLine(day, "50.0") + DateText(DaysFromToday(-2)) + "\r\n";
  const std::string memos = MemoLine(day, L"記録");
  const std::string ini = "[Tovela]\r\nGraphMode=2\r\n";
  ASSERT_TRUE(install.WriteFile(L"TEMPERATURE_DATA.dat", temperatures));
  ASSERT_TRUE(install.WriteFile(L"WEIGHT_DATA.dat", weights));
  ASSERT_TRUE(install.WriteFile(L"MEMO_DATA.dat", memos));
  ASSERT_TRUE(install.WriteFile(L"Tovela.ini", ini));

  Start();
  const MessageBoxText box = app.WaitForMessageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box.caption, kCaption);
  EXPECT_EQ(box.text, Notice(L"TEMPERATURE_DATA.dat", 2) + L"\n\n" + Notice(L"WEIGHT_DATA.dat", 1));
  app.Screenshot(box.window, L"damaged_lines_notice.bmp");
  ASSERT_TRUE(box.Answer(IDOK));
  // Copied at start, before any save.
  EXPECT_EQ(install.ReadFile(DamagedCopyOf(install, L"TEMPERATURE_DATA.dat")), temperatures);
  Close();

  EXPECT_EQ(install.ReadFile(DamagedCopyOf(install, L"WEIGHT_DATA.dat")), weights);
  EXPECT_EQ(DamagedCopyOf(install, L"MEMO_DATA.dat"), L"");  // loaded cleanly: no copy
  const std::wstring today = TodaysFolder();
  EXPECT_EQ(install.ReadFile(today + L"\\TEMPERATURE_DATA.dat"), temperatures);
  EXPECT_EQ(install.ReadFile(today + L"\\WEIGHT_DATA.dat"), weights);
  EXPECT_EQ(install.ReadFile(today + L"\\MEMO_DATA.dat"), memos);
  EXPECT_EQ(install.ReadFile(today + L"\\Tovela.ini"), ini);
  EXPECT_EQ(install.ReadFile(L"TEMPERATURE_DATA.dat"), goodTemperature);
}

// A data file another program held at start (a folder stands in its place here): a CSV import is
// refused before any dialog, and the close, once the file can be read, keeps its lines beside
// the records in memory and copies and reports its damaged line as a start would.
TEST_F(Backups, FileUnreadableAtStartBlocksCsvImportAndIsMergedAtTheClose) {
  const Ymd day = DaysFromToday(-3), later = DaysFromToday(-2);
  ASSERT_TRUE(CreateDirectoryW(install.PathOf(L"WEIGHT_DATA.dat").c_str(), nullptr));
  Start();
  MessageBoxText box = app.CommandAndReadMessage(kCsvImportCommand);
  EXPECT_EQ(box.caption, kCaption);
  EXPECT_EQ(box.text,
            L"WEIGHT_DATA.dat を起動時に読み込めなかったため、CSVファイルを読み込みません"
            L"（読み込めなかった記録を上書きしないためです）。\n"
            L"ほかのプログラムがファイルを使っていないかご確認のうえ、Tovela を起動し直してください。");
  ASSERT_TRUE(box.Answer(IDOK));

  ASSERT_TRUE(RemoveDirectoryW(install.PathOf(L"WEIGHT_DATA.dat").c_str()));
  const std::string weights = WeightLine(day, "50.0") + WeightLine(later, "51.0kg");
  ASSERT_TRUE(install.WriteFile(L"WEIGHT_DATA.dat", weights));
  PostMessageW(app.MainWindow(), WM_CLOSE, 0, 0);
  box = app.WaitForMessageBox();
  EXPECT_EQ(box.text, Notice(L"WEIGHT_DATA.dat", 1));
  ASSERT_TRUE(box.Answer(IDOK));
  EXPECT_EQ(app.WaitForExit(), 0u);
  EXPECT_EQ(install.ReadFile(DamagedCopyOf(install, L"WEIGHT_DATA.dat")), weights);
  EXPECT_EQ(install.ReadFile(L"WEIGHT_DATA.dat"), WeightLine(day, "50.0") + WeightLine(later, "51.0"));
}

TEST_F(Backups, StartupRunTellsBeforeItAsksForTheDay) {
  const std::string memos = MemoLine(DaysFromToday(-1), L"昨日") + Utf16Bytes(L"2026/2/30,壊れた\r\n");
  ASSERT_TRUE(install.WriteFile(L"MEMO_DATA.dat", memos));
  app = install.Launch(L"-startup");
  ASSERT_TRUE(app.Started());
  const MessageBoxText box = app.WaitForMessageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box.caption, kCaption);
  EXPECT_EQ(box.text, Notice(L"MEMO_DATA.dat", 1));
  EXPECT_TRUE(TopLevelWindows(app.Id(), L"#32770", kEntryDialogCaption, true).empty());
  ASSERT_TRUE(box.Answer(IDOK));
  HWND dialog = app.WaitForDialog(kEntryDialogCaption);
  ASSERT_NE(dialog, nullptr);
  PostClick(GetDlgItem(dialog, IDCANCEL));
  EXPECT_EQ(app.WaitForExit(), 0u);
  EXPECT_EQ(install.ReadFile(DamagedCopyOf(install, L"MEMO_DATA.dat")), memos);
  EXPECT_EQ(install.ReadFile(L"MEMO_DATA.dat"), MemoLine(DaysFromToday(-1), L"昨日"));
}

// A file named "backup" leaves no room for any copy: the notice says the copy was not made, and
// the close still saves everything.
TEST_F(Backups, AFileInTheWayOfTheBackupFolderNeverStopsTheClose) {
  const std::string temperatures = TemperatureLine(DaysFromToday(-1), "36.40", 0) + "x\r\n";
  ASSERT_TRUE(install.WriteFile(L"TEMPERATURE_DATA.dat", temperatures));
  ASSERT_TRUE(install.WriteFile(L"backup", "mine"));
  Start();
  const MessageBoxText box = app.WaitForMessageBox();
  EXPECT_EQ(box.text, Notice(L"TEMPERATURE_DATA.dat", 1, false));
  ASSERT_TRUE(box.Answer(IDOK));
  Close();
  EXPECT_EQ(install.ReadFile(L"TEMPERATURE_DATA.dat"), TemperatureLine(DaysFromToday(-1), "36.40", 0));
  EXPECT_EQ(install.ReadFile(L"backup"), "mine");
  EXPECT_FALSE(install.IniValue(L"GraphMode").empty());
  // The damaged line is not lost: with no backup folder the file was kept beside itself.
  std::vector<std::wstring> copies;
  for (const std::wstring& name : FolderEntries(install.Folder()))
    if (name.rfind(L"TEMPERATURE_DATA.dat.", 0) == 0) copies.push_back(name);
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(install.ReadFile(copies[0]), temperatures);
}

}  // namespace
}  // namespace e2e
