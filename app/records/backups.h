// Copies of the data files and the settings file, kept in the folder "backup" beside them:
//   backup\YYYY-MM-DD\<file name>               the file as it was before the first save of the day
//   backup\YYYY-MM-DD-N\<file name>             the same, when the clock showed other dates since
//                                               the folder YYYY-MM-DD was made (N = 2, 3, ...)
//   backup\damaged\<file name>.<YYYYMMDD-HHMMSS>  a file whose load skipped lines, as it was on disk
//   backup\changed\<file name>.<YYYYMMDD-HHMMSS>  a file another program wrote since the last
//                                                 read or write, as it was before a save replaced it
// Each dated folder holds made-order.txt, its place in the order the folders were made. Only the
// kDailyBackupsKept folders made most recently are kept, and every folder dated today or later.
// A copy that cannot be made is given up quietly: it never stops a save and never touches the
// file being saved.
#pragma once

#include <cstddef>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>

#include "date_ymd.h"

inline constexpr int kDailyBackupsKept = 30;

// A moment in local time, as the backup names spell it. The program passes the clock's reading
// (CurrentLocalTime); tests pass any moment they like.
struct LocalTime {
  int year = 0, month = 0, day = 0;
  int hour = 0, minute = 0, second = 0;

  DateYmd Date() const { return DateYmd{year, month, day}; }
};

LocalTime LocalTimeFromTm(const std::tm& t);
LocalTime CurrentLocalTime();

// "backup" in the folder that holds `file`.
std::filesystem::path BackupFolderFor(const std::filesystem::path& file);
// True for the files that get daily copies: the data files and Tovela.ini.
bool HasDailyCopies(const std::filesystem::path& file);

// "2026-12-07"; ParseDailyFolderName accepts exactly that form of a real calendar date.
std::string DailyFolderName(const DateYmd& date);
bool ParseDailyFolderName(std::string_view name, DateYmd& date);
// "20261207-142501", the suffix of a damaged file's copy.
std::string DamagedCopyStamp(const LocalTime& time);

enum class DailyCopy {
  Kept,           // the file was copied into today's folder
  AlreadyKept,    // today's folder already holds this file: the day's first state stays
  NothingToKeep,  // no such file yet, or a file that gets no daily copies
  Failed,         // the file or the backup folder could not be read or written
};

// Copies `file` into today's folder unless it holds the file already, then removes the folders
// made earliest beyond kDailyBackupsKept. Today's folder is the folder made most recently when
// it is dated today, else a new one. Called just before `file` is replaced.
DailyCopy KeepDailyCopy(const std::filesystem::path& file, const LocalTime& now);

// Removes the dated folders of `backupFolder` beyond the `kept` made most recently, except those
// dated today or later. Anything whose name is not a date (backup\damaged, the user's own
// files) is never touched.
void RemoveOldDailyFolders(const std::filesystem::path& backupFolder, const DateYmd& today,
                           int kept = kDailyBackupsKept);

// Copies `file` byte for byte to backup\damaged\<file name>.<stamp> (with "-2", "-3", ... when a
// different copy already has that name). false when no copy could be made.
bool KeepDamagedCopy(const std::filesystem::path& file, const LocalTime& now);
// The same beside the file itself (<file name>.<stamp> in its own folder): the last resort for a
// damaged file when backup\damaged cannot be written.
bool KeepDamagedCopyBeside(const std::filesystem::path& file, const LocalTime& now);
// The same into backup\changed. Neither folder is ever pruned.
bool KeepChangedCopy(const std::filesystem::path& file, const LocalTime& now);

// The one way a data file is replaced: writes `bytes` in place of `file` in one step, keeping
// the day's copy of the old file first. false (old file untouched) only when `file` itself could
// not be written; a failing copy does not matter.
bool ReplaceKeepingDailyCopy(const std::filesystem::path& file, std::string_view bytes,
                             const LocalTime& now);
