// Daily copies before a save, their rotation, copies of damaged files and the notice about them,
// on a temporary folder with moments chosen by the test.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "backups.h"
#include "damaged_files.h"
#include "data_files.h"
#include "dates.h"
#include "support/store_builder.h"
#include "support/temp_folder.h"

using test_support::AddTemperatures;
using test_support::AddWeights;
using test_support::ReadBytes;
using test_support::TempFolder;
using test_support::Utf16;
using test_support::Utf16LeBytes;
using test_support::WriteBytes;

namespace fs = std::filesystem;

namespace {

LocalTime At(int year, int month, int day, int hour = 12, int minute = 0, int second = 0) {
  return LocalTime{year, month, day, hour, minute, second};
}

// The moment `days` days after 2026-11-20, at noon.
LocalTime DayNumber(int days) {
  int year = 0, month = 0, day = 0;
  quillet::CivilFromDays(quillet::DaysFromCivil(2026, 11, 20) + days, year, month, day);
  return At(year, month, day);
}

// Names of the folder's entries, sorted, joined by ' ' ("" when it does not exist).
std::string ListingOf(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    names.push_back(it->path().filename().string());
  std::sort(names.begin(), names.end());
  std::string out;
  for (const auto& n : names) out += (out.empty() ? "" : " ") + n;
  return out;
}

// Saves a store holding one temperature line, the line's value telling the saves apart.
bool SaveTemperature(const fs::path& file, const char* value, const LocalTime& now) {
  TemperatureStore store;
  AddTemperatures(store, std::string("2026/11/1,") + value + ",0");
  return SaveTemperatureData(store, file, now);
}

std::string TemperatureBytes(const char* value) { return std::string("2026/11/1,") + value + ",0\r\n"; }

}  // namespace

TEST(Backups, NamesOfDatedFoldersAndDamagedCopies) {
  EXPECT_EQ(DailyFolderName(DateYmd{2026, 12, 7}), "2026-12-07");
  EXPECT_EQ(DamagedCopyStamp(At(2026, 3, 4, 5, 6, 7)), "20260304-050607");
  std::tm clock = test_support::Tm(2026, 3, 4);
  clock.tm_hour = 5, clock.tm_min = 6, clock.tm_sec = 7;
  EXPECT_EQ(DamagedCopyStamp(LocalTimeFromTm(clock)), "20260304-050607");
  const struct {
    const char* name;
    bool isDate;
  } cases[] = {{"2026-12-07", true},  {"2024-02-29", true},   {"2026-02-29", false},
               {"2026-13-01", false}, {"2026-1-07", false},   {"2026-12-07x", false},
               {"damaged", false},    {"2026_12_07", false},  {"+026-12-07", false},
               {"2026-1/-07", false}, {"2026-0:-07", false},  // '/' and ':' are next to the digits
               {"2026-12_07", false}};
  for (const auto& c : cases) {
    DateYmd date;
    EXPECT_EQ(ParseDailyFolderName(c.name, date), c.isDate) << c.name;
  }
  DateYmd date;
  ASSERT_TRUE(ParseDailyFolderName("2024-02-29", date));
  EXPECT_EQ(date, (DateYmd{2024, 2, 29}));
}

TEST(Backups, OnlyTheDataFilesAndTheSettingsFileGetDailyCopies) {
  TempFolder folder;
  for (const char* name : {"TEMPERATURE_DATA.dat", "WEIGHT_DATA.dat", "MEMO_DATA.dat", "Tovela.ini",
                           "t.dat", "Tovela.exe"}) {
    WriteBytes(folder / name, name);
    const bool copied = KeepDailyCopy(folder / name, At(2026, 12, 7)) == DailyCopy::Kept;
    EXPECT_EQ(copied, HasDailyCopies(folder / name)) << name;
    if (copied) {
      EXPECT_EQ(ReadBytes(folder / "backup" / "2026-12-07" / name), name);
    }
  }
  EXPECT_EQ(ListingOf(folder / "backup" / "2026-12-07"),
            "MEMO_DATA.dat TEMPERATURE_DATA.dat Tovela.ini WEIGHT_DATA.dat made-order.txt");
  // A file that does not exist yet has nothing to keep, and no folder is made for it.
  fs::remove(folder / "WEIGHT_DATA.dat");
  EXPECT_EQ(KeepDailyCopy(folder / "WEIGHT_DATA.dat", At(2026, 12, 8)), DailyCopy::NothingToKeep);
  EXPECT_EQ(KeepDailyCopy(folder / "MEMO_DATA.dat", At(2026, 12, 7)), DailyCopy::AlreadyKept);
  EXPECT_EQ(ListingOf(folder / "backup"), "2026-12-07");
}

TEST(Backups, FirstSaveOfTheDayKeepsTheDaysStartingState) {
  TempFolder folder;
  const fs::path file = folder / "TEMPERATURE_DATA.dat";
  WriteBytes(file, TemperatureBytes("36.10"));
  ASSERT_TRUE(SaveTemperature(file, "36.20", At(2026, 12, 7, 9)));
  ASSERT_TRUE(SaveTemperature(file, "36.30", At(2026, 12, 7, 21)));
  EXPECT_EQ(ReadBytes(folder / "backup" / "2026-12-07" / "TEMPERATURE_DATA.dat"), TemperatureBytes("36.10"));
  EXPECT_EQ(ReadBytes(file), TemperatureBytes("36.30"));
  // The next day starts from what the last save of the day before left.
  ASSERT_TRUE(SaveTemperature(file, "36.40", At(2026, 12, 8, 0, 0, 1)));
  EXPECT_EQ(ReadBytes(folder / "backup" / "2026-12-08" / "TEMPERATURE_DATA.dat"), TemperatureBytes("36.30"));
  EXPECT_EQ(ListingOf(folder / "backup"), "2026-12-07 2026-12-08");
  EXPECT_EQ(ReadBytes(folder / "backup" / "2026-12-08" / "made-order.txt"), "2\r\n");
  // A first save with no file yet keeps nothing; a refused save (read-only file) keeps nothing.
  TempFolder other;
  ASSERT_TRUE(SaveTemperature(other / "TEMPERATURE_DATA.dat", "36.50", At(2026, 12, 7)));
  EXPECT_EQ(other.Listing(), "TEMPERATURE_DATA.dat");
  fs::permissions(other / "TEMPERATURE_DATA.dat", fs::perms::owner_write | fs::perms::group_write |
                      fs::perms::others_write, fs::perm_options::remove);
  EXPECT_FALSE(SaveTemperature(other / "TEMPERATURE_DATA.dat", "36.60", At(2026, 12, 7)));
  EXPECT_EQ(other.Listing(), "TEMPERATURE_DATA.dat");
}

TEST(Backups, AThirtyFirstDayRemovesTheOldestAndNothingElse) {
  TempFolder folder;
  const fs::path file = folder / "WEIGHT_DATA.dat";
  fs::create_directories(folder / "backup" / "damaged");
  fs::create_directories(folder / "backup" / "2020-02-30");  // not a date
  fs::create_directories(folder / "backup" / "notes");
  WriteBytes(folder / "backup" / "2020-01-01", "a file named like a date");
  WriteBytes(folder / "backup" / "damaged" / "WEIGHT_DATA.dat.20200101-000000", "kept");
  WriteBytes(file, "");
  for (int day = 0; day < 31; ++day) {
    WeightStore store;
    AddWeights(store, "2026/11/1," + std::to_string(50 + day));
    ASSERT_TRUE(SaveWeightData(store, file, DayNumber(day)));
    std::size_t dated = 0;
    for (const auto& entry : fs::directory_iterator(folder / "backup")) {
      DateYmd date;
      if (entry.is_directory() && ParseDailyFolderName(entry.path().filename().string(), date)) ++dated;
    }
    EXPECT_EQ(dated, static_cast<std::size_t>(std::min(day + 1, kDailyBackupsKept))) << day;
  }
  const std::string oldest = DailyFolderName(DayNumber(0).Date());
  const std::string secondOldest = DailyFolderName(DayNumber(1).Date());
  EXPECT_FALSE(fs::exists(folder / "backup" / oldest));
  EXPECT_EQ(ReadBytes(folder / "backup" / DailyFolderName(DayNumber(30).Date()) / "made-order.txt"), "31\r\n");
  EXPECT_EQ(ReadBytes(folder / "backup" / secondOldest / "WEIGHT_DATA.dat"), "2026/11/1,50.0\r\n");
  EXPECT_EQ(ReadBytes(folder / "backup" / "2020-01-01"), "a file named like a date");
  EXPECT_EQ(ReadBytes(folder / "backup" / "damaged" / "WEIGHT_DATA.dat.20200101-000000"), "kept");
  EXPECT_TRUE(fs::is_directory(folder / "backup" / "2020-02-30"));
  EXPECT_TRUE(fs::is_directory(folder / "backup" / "notes"));
}

// A folder whose mark cannot be read (damaged, missing, not a plain number below 10^9) ranks by
// its dated name among the others: the newest day's folder is not the first removed, and a save
// on the next day makes one new folder, which the day's later saves use.
TEST(Backups, AFolderWithAnUnreadableMarkRanksByItsDate) {
  const char* const marks[] = {"",   "x\r\n", "12x\r\n", "-3\r\n", "1000000000\r\n",
                               "9999999999999999999\r\n", nullptr};
  for (const char* mark : marks) {
    SCOPED_TRACE(mark == nullptr ? "no mark" : mark);
    TempFolder folder;
    const fs::path file = folder / "WEIGHT_DATA.dat";
    const auto save = [&](int day, int value) {
      WeightStore store;
      AddWeights(store, "2026/11/1," + std::to_string(value));
      return SaveWeightData(store, file, DayNumber(day));
    };
    WriteBytes(file, "");
    for (int day = 0; day < kDailyBackupsKept; ++day) ASSERT_TRUE(save(day, 50 + day));
    const fs::path newest = folder / "backup" / DailyFolderName(DayNumber(kDailyBackupsKept - 1).Date());
    if (mark == nullptr)
      fs::remove(newest / "made-order.txt");
    else
      WriteBytes(newest / "made-order.txt", mark);

    ASSERT_TRUE(save(kDailyBackupsKept, 90));
    ASSERT_TRUE(save(kDailyBackupsKept, 91));
    const fs::path next = folder / "backup" / DailyFolderName(DayNumber(kDailyBackupsKept).Date());
    EXPECT_TRUE(fs::is_directory(newest));
    EXPECT_FALSE(fs::exists(folder / "backup" / DailyFolderName(DayNumber(0).Date())));
    EXPECT_TRUE(fs::exists(folder / "backup" / DailyFolderName(DayNumber(1).Date())));
    // One more than the highest mark read (the damaged one was the highest).
    EXPECT_EQ(ReadBytes(next / "made-order.txt"), std::to_string(kDailyBackupsKept) + "\r\n");
    EXPECT_EQ(ReadBytes(next / "WEIGHT_DATA.dat"), "2026/11/1,79.0\r\n");
    EXPECT_FALSE(fs::exists(fs::path(next.string() + "-2"))) << "one folder for the day";
  }
}

// Folders dated after today are never removed: the clock may be the one that is wrong.
TEST(Backups, TodaysFolderStaysEvenWhenTheClockWasSetBack) {
  TempFolder folder;
  for (int day = 1; day <= 3; ++day) fs::create_directories(folder / "backup" / ("2030-01-0" + std::to_string(day)));
  fs::create_directories(folder / "backup" / "2026-12-07");
  fs::create_directories(folder / "backup" / "2026-12-01");
  RemoveOldDailyFolders(folder / "backup", DateYmd{2026, 12, 7}, 2);
  EXPECT_EQ(ListingOf(folder / "backup"), "2026-12-07 2030-01-01 2030-01-02 2030-01-03");
}

// A day's folder is named by its date, or by the date and the "-N" (2 to 99, no leading zero)
// of a second folder of that day; nothing else in the backup folder is ever removed. Folders
// without a mark (made before marks were written) take their places by their dates.
TEST(Backups, OnlyDatedFoldersAreRemovedAndUnmarkedOnesRankByTheirDates) {
  TempFolder folder;
  for (const char* name : {"2026-12-01", "2026-12-01-2", "2026-12-01-99", "2026-12-01-1", "2026-12-01-0",
                           "2026-12-01-02", "2026-12-01-100", "2026-12-01-", "2026-12-01x2", "2026-12-01-2x"})
    fs::create_directories(folder / "backup" / name);
  RemoveOldDailyFolders(folder / "backup", DateYmd{2026, 12, 8}, 0);
  EXPECT_EQ(ListingOf(folder / "backup"), "2026-12-01- 2026-12-01-0 2026-12-01-02 2026-12-01-1 "
                                          "2026-12-01-100 2026-12-01-2x 2026-12-01x2");

  fs::create_directories(folder / "marks" / "2026-11-30");
  WriteBytes(folder / "marks" / "2026-11-30" / "made-order.txt", "1\r\n");
  for (const char* name : {"2026-12-04", "2026-12-06", "2026-12-05-2", "2026-12-05"})
    fs::create_directories(folder / "marks" / name);
  RemoveOldDailyFolders(folder / "marks", DateYmd{2026, 12, 8}, 3);
  EXPECT_EQ(ListingOf(folder / "marks"), "2026-12-05 2026-12-05-2 2026-12-06");
  RemoveOldDailyFolders(folder / "marks", DateYmd{2026, 12, 8}, 1);
  EXPECT_EQ(ListingOf(folder / "marks"), "2026-12-06");
}

// The folder the rotation keeps when it keeps one, by the marks: a lost or unreadable mark places
// its folder just after the one made last of those dated on or before it, never as if it bore
// another mark.
TEST(Backups, MarksDecideWhichFoldersAreKept) {
  const struct {
    const char* folders;  // "name" or "name:mark"
    const char* kept;
  } cases[] = {
      // The day's first folder lost its mark: its second folder is still the newer one.
      {"2026-11-30:1 2026-12-05 2026-12-05-2:2", "2026-12-05-2"},
      // A lost or unreadable mark on the newest date: the newest folder still, not the oldest.
      {"2026-12-01:1 2026-12-02:2 2026-12-03", "2026-12-03"},
      {"2026-12-01:1 2026-12-02:2 2026-12-03:x", "2026-12-03"},
      {"2026-12-01:1 2026-12-02:2 2026-12-03:1x", "2026-12-03"},
      {"2026-12-01:1 2026-12-02:2 2026-12-03:1000000000", "2026-12-03"},
      // The highest mark there can be.
      {"2026-12-01:999999999 2026-12-05:1", "2026-12-01"},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    std::istringstream items(c.folders);
    for (std::string item; items >> item;) {
      const std::string name = item.substr(0, item.find(':'));
      fs::create_directories(folder / name);
      if (name.size() < item.size())
        WriteBytes(folder / name / "made-order.txt", item.substr(name.size() + 1) + "\r\n");
    }
    RemoveOldDailyFolders(folder.path(), DateYmd{2026, 12, 8}, 1);
    EXPECT_EQ(ListingOf(folder.path()), c.kept) << c.folders;
  }
}

// A day has 99 folders at most: with all of them there no copy is made, and the save goes
// through all the same. (The clock was set back: 8 December's folder was made last.)
TEST(Backups, ADayHasNinetyNineFoldersAtMost) {
  for (const int there : {98, 99}) {
    TempFolder folder;
    fs::create_directories(folder / "backup" / "2026-12-07");
    for (int n = 2; n <= there; ++n) fs::create_directories(folder / "backup" / ("2026-12-07-" + std::to_string(n)));
    fs::create_directories(folder / "backup" / "2026-12-08");
    WriteBytes(folder / "backup" / "2026-12-08" / "made-order.txt", "1\r\n");
    WriteBytes(folder / "TEMPERATURE_DATA.dat", TemperatureBytes("36.10"));
    EXPECT_TRUE(SaveTemperature(folder / "TEMPERATURE_DATA.dat", "36.20", At(2026, 12, 7)));
    EXPECT_EQ(fs::exists(folder / "backup" / "2026-12-07-99" / "TEMPERATURE_DATA.dat"), there == 98);
    EXPECT_FALSE(fs::exists(folder / "backup" / "2026-12-07-100"));
  }
}

// Whatever stands in the way of the copy, the save itself goes through and the obstacle is left
// as it was.
TEST(Backups, AFailingBackupStillSaves) {
  const struct {
    const char* what;
    void (*arrange)(const TempFolder&);
    const char* obstacle;  // path (under the folder) that must keep its bytes, if a file
  } cases[] = {
      {"a file named backup", [](const TempFolder& f) { WriteBytes(f / "backup", "mine"); }, "backup"},
      {"a file named like today's folder",
       [](const TempFolder& f) {
         fs::create_directories(f / "backup");
         WriteBytes(f / "backup" / "2026-12-07", "mine");
       },
       "backup/2026-12-07"},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    c.arrange(folder);
    const fs::path file = folder / "TEMPERATURE_DATA.dat";
    WriteBytes(file, TemperatureBytes("36.10"));
    EXPECT_TRUE(SaveTemperature(file, "36.20", At(2026, 12, 7))) << c.what;
    EXPECT_EQ(ReadBytes(file), TemperatureBytes("36.20")) << c.what;
    EXPECT_EQ(ReadBytes(folder / c.obstacle), "mine") << c.what;
    EXPECT_EQ(KeepDamagedCopy(file, At(2026, 12, 7)), std::string(c.obstacle) != "backup") << c.what;
  }
}

TEST(Backups, DamagedCopyKeepsTheBytesAndNeverOverwritesAnother) {
  TempFolder folder;
  const fs::path file = folder / "MEMO_DATA.dat";
  const fs::path damaged = folder / "backup" / "damaged";
  WriteBytes(file, "first");
  ASSERT_TRUE(KeepDamagedCopy(file, At(2026, 12, 7, 14, 25, 1)));
  ASSERT_TRUE(KeepDamagedCopy(file, At(2026, 12, 7, 14, 25, 1)));  // the same bytes: kept once
  WriteBytes(file, "second");
  ASSERT_TRUE(KeepDamagedCopy(file, At(2026, 12, 7, 14, 25, 1)));
  EXPECT_EQ(ListingOf(damaged), "MEMO_DATA.dat.20261207-142501 MEMO_DATA.dat.20261207-142501-2");
  EXPECT_EQ(ReadBytes(damaged / "MEMO_DATA.dat.20261207-142501"), "first");
  EXPECT_EQ(ReadBytes(damaged / "MEMO_DATA.dat.20261207-142501-2"), "second");
  // 99 different copies in one second are the most.
  for (int n = 3; n <= 98; ++n) WriteBytes(damaged / ("MEMO_DATA.dat.20261207-142501-" + std::to_string(n)), "");
  for (const char* bytes : {"third", "fourth"}) {
    WriteBytes(file, bytes);
    EXPECT_EQ(KeepDamagedCopy(file, At(2026, 12, 7, 14, 25, 1)), bytes == std::string("third"));
  }
  EXPECT_EQ(ReadBytes(damaged / "MEMO_DATA.dat.20261207-142501-99"), "third");
  EXPECT_FALSE(KeepDamagedCopy(folder / "absent.dat", At(2026, 12, 7)));
}

// The loaders count the lines that held something but gave no record.
TEST(Backups, LoadersCountTheLinesTheySkipped) {
  TempFolder folder;
  const struct {
    const char* name;
    std::string bytes;
    std::size_t (*load)(const fs::path&);
    std::size_t skipped;
  } cases[] = {
      {"clean temperatures", "2026/2/1,36.50,0\r\n\r\n  \r\n2026/2/2,36.60,1", [](const fs::path& f) {
         TemperatureStore s;
         return LoadTemperatureData(s, f);
       }, 0},
      {"damaged temperatures", "2026/2/30,36.50,0\r\n2026/3/1,102.5,0\r\n2026/3/2\r\n2026/3/3,36.5,0\r\n"
                               "2026/3/3,36.9,0\r\n", [](const fs::path& f) {
         TemperatureStore s;
         return LoadTemperatureData(s, f);
       }, 4},
      {"damaged weights", "2026/3/1,52.0\r\n2026/3/1\r\nx\r\n", [](const fs::path& f) {
         WeightStore s;
         return LoadWeightData(s, f);
       }, 2},
      {"damaged memos", Utf16LeBytes(u"2026/3/1,眠い\r\n\r\n1/1/1,x\r\n2026/2/30,頭痛\r\nno comma here\r\n"),
       [](const fs::path& f) {
         MemoStore s;
         return LoadMemoData(s, f);
       }, 3},
      {"missing file", "", [](const fs::path& f) {
         fs::remove(f);
         WeightStore s;
         return LoadWeightData(s, f);
       }, 0},
  };
  for (const auto& c : cases) {
    WriteBytes(folder / "f.dat", c.bytes);
    EXPECT_EQ(c.load(folder / "f.dat"), c.skipped) << c.name;
  }
}

TEST(Backups, DamagedFilesAreCopiedAndListedInOneNotice) {
  TempFolder folder;
  WriteBytes(folder / "TEMPERATURE_DATA.dat", "bad\r\n");
  WriteBytes(folder / "WEIGHT_DATA.dat", "2026/3/1,52.0\r\n");
  std::vector<DamagedFile> damaged;
  NoteDamagedFile(folder / "TEMPERATURE_DATA.dat", 2, At(2026, 12, 7, 8, 9, 10), damaged);
  NoteDamagedFile(folder / "WEIGHT_DATA.dat", 0, At(2026, 12, 7, 8, 9, 10), damaged);
  ASSERT_EQ(damaged.size(), 1u);
  EXPECT_EQ(ListingOf(folder / "backup" / "damaged"), "TEMPERATURE_DATA.dat.20261207-080910");
  EXPECT_EQ(DamagedFilesText(damaged),
            Utf16("TEMPERATURE_DATA.dat に読み込めない行が 2 行ありました。\n"
                  "元のファイルを backup\\damaged フォルダに保存しました。"));

  damaged.push_back(DamagedFile{u"MEMO_DATA.dat", 12, false});
  EXPECT_EQ(DamagedFilesText(damaged),
            Utf16("TEMPERATURE_DATA.dat に読み込めない行が 2 行ありました。\n"
                  "元のファイルを backup\\damaged フォルダに保存しました。\n\n"
                  "MEMO_DATA.dat に読み込めない行が 12 行ありました。\n"
                  "元のファイルを backup\\damaged フォルダに保存できませんでした。"));
}

namespace {

// "2026-11-09 2026-11-10 ... 2026-11-30": the folder names of days first..last of a month.
std::string Days(int year, int month, int first, int last) {
  std::string out;
  for (int day = first; day <= last; ++day)
    out += (out.empty() ? "" : " ") + DailyFolderName(DateYmd{year, month, day});
  return out;
}

}  // namespace

// The clock set back or forward between saves: the copies are ranked by the order they were
// made, not by the dates in their names, no folder dated after today goes, and a real day
// whose folder was made early (the clock was ahead) still gets its own starting state.
TEST(Backups, ClockSetBackOrForwardLosesNoDaysStartingState) {
  const auto november = [] {
    std::vector<LocalTime> saves;
    for (int day = 1; day <= 30; ++day) saves.push_back(At(2026, 11, day));
    return saves;
  };
  const auto then = [](std::vector<LocalTime> saves, std::vector<LocalTime> more) {
    saves.insert(saves.end(), more.begin(), more.end());
    return saves;
  };
  const struct {
    const char* what;
    std::vector<LocalTime> saves;  // save i writes the value 36.(10 + i)
    std::string listing;
    const char* folder;            // holds the value of the save before its first save
    const char* value;
  } cases[] = {
      {"set back", then(november(), {At(2025, 1, 1), At(2025, 1, 2), At(2025, 1, 3)}),
       Days(2025, 1, 1, 3) + " " + Days(2026, 11, 1, 30), "2025-01-01", "36.39"},
      {"set forward, then back",
       then(november(), {At(2030, 1, 1), At(2030, 1, 2), At(2030, 1, 3), At(2026, 12, 1),
                         At(2026, 12, 2), At(2026, 12, 3), At(2026, 12, 4), At(2026, 12, 5)}),
       Days(2026, 11, 9, 30) + " " + Days(2026, 12, 1, 5) + " " + Days(2030, 1, 1, 3),
       "2026-12-04", "36.45"},
      {"the real day of a folder made ahead",
       {At(2026, 12, 1), At(2026, 12, 3), At(2026, 12, 2), At(2026, 12, 3, 8), At(2026, 12, 3, 9)},
       "2026-12-01 2026-12-02 2026-12-03 2026-12-03-2", "2026-12-03-2", "36.12"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    const fs::path file = folder / "TEMPERATURE_DATA.dat";
    WriteBytes(file, TemperatureBytes("36.09"));
    for (std::size_t i = 0; i < c.saves.size(); ++i)
      ASSERT_TRUE(SaveTemperature(file, ("36." + std::to_string(10 + i)).c_str(), c.saves[i]));
    EXPECT_EQ(ListingOf(folder / "backup"), c.listing);
    EXPECT_EQ(ReadBytes(folder / "backup" / c.folder / "TEMPERATURE_DATA.dat"), TemperatureBytes(c.value));
  }
}
