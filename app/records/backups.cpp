// Daily copies and copies of damaged files, through the same whole-file reads and one-step
// replacements as the data files themselves, so a copy is either complete or absent.
#include "backups.h"

#include <algorithm>
#include <cstdio>
#include <system_error>
#include <utility>
#include <vector>

#include "data_file_io.h"
#include "data_files.h"
#include "dates.h"

namespace fs = std::filesystem;

namespace {

constexpr char kBackupFolderName[] = "backup";
constexpr char kDamagedFolderName[] = "damaged";
constexpr char kChangedFolderName[] = "changed";

// The folder exists as a folder afterwards (made with its parents when missing).
bool MakeFolder(const fs::path& folder) {
  std::error_code error;
  fs::create_directories(folder, error);
  return !error && fs::is_directory(folder, error);
}

// The name as printable ASCII text; false for any other character (no date is spelled with one).
bool AsciiName(const fs::path& name, std::string& text) {
  text.clear();
  for (const auto c : name.native()) {
    if (c < 0x20 || c > 0x7E) return false;
    text.push_back(static_cast<char>(c));
  }
  return true;
}

// Exactly `count` decimal digits from text[at]; false on any other character.
bool ReadDigits(std::string_view text, std::size_t at, std::size_t count, int& value) {
  value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

}  // namespace

LocalTime LocalTimeFromTm(const std::tm& t) {
  return LocalTime{t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}

LocalTime CurrentLocalTime() { return LocalTimeFromTm(quillet::GetNow()); }

fs::path BackupFolderFor(const fs::path& file) { return file.parent_path() / kBackupFolderName; }

bool HasDailyCopies(const fs::path& file) {
  // The data file names are kept with the leading separator the program appends them with.
  const fs::path name = file.filename();
  return name == fs::path(kTemperatureFileName + 1) || name == fs::path(kWeightFileName + 1) ||
         name == fs::path(kMemoFileName + 1) || name == fs::path("Tovela.ini");
}

std::string DailyFolderName(const DateYmd& date) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
  return text;
}

bool ParseDailyFolderName(std::string_view name, DateYmd& date) {
  if (name.size() != 10 || name[4] != '-' || name[7] != '-') return false;
  DateYmd parsed;
  if (!ReadDigits(name, 0, 4, parsed.year) || !ReadDigits(name, 5, 2, parsed.month) ||
      !ReadDigits(name, 8, 2, parsed.day) ||
      !quillet::IsValidDate(parsed.year, parsed.month, parsed.day))
    return false;
  date = parsed;
  return true;
}

std::string DamagedCopyStamp(const LocalTime& t) {
  char text[48];
  std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return text;
}

DailyCopy KeepDailyCopy(const fs::path& file, const LocalTime& now) {
  if (!HasDailyCopies(file)) return DailyCopy::NothingToKeep;
  const fs::path backupFolder = BackupFolderFor(file);
  const fs::path todayFolder = backupFolder / DailyFolderName(now.Date());
  const fs::path copy = todayFolder / file.filename();
  std::error_code error;
  if (fs::exists(fs::symlink_status(copy, error))) return DailyCopy::AlreadyKept;

  std::string bytes;
  switch (data_file_io::ReadWholeFile(file, bytes)) {
    case data_file_io::ReadResult::Read: break;
    case data_file_io::ReadResult::Missing: return DailyCopy::NothingToKeep;
    case data_file_io::ReadResult::Unreadable: return DailyCopy::Failed;
  }
  if (!MakeFolder(todayFolder) || !data_file_io::ReplaceFileContents(copy, bytes))
    return DailyCopy::Failed;
  RemoveOldDailyFolders(backupFolder, now.Date());
  return DailyCopy::Kept;
}

void RemoveOldDailyFolders(const fs::path& backupFolder, const DateYmd& today, int kept) {
  std::vector<std::pair<DateYmd, fs::path>> dated;
  std::error_code error;
  for (fs::directory_iterator it(backupFolder, error), end; !error && it != end; it.increment(error)) {
    std::string name;
    DateYmd date;
    if (!AsciiName(it->path().filename(), name) || !ParseDailyFolderName(name, date)) continue;
    std::error_code typeError;
    if (it->is_symlink(typeError) || !it->is_directory(typeError)) continue;
    dated.emplace_back(date, it->path());
  }
  // Newest first, today's ahead of all: a clock set back must not make today's copy the oldest.
  std::sort(dated.begin(), dated.end(), [&](const auto& a, const auto& b) {
    if ((a.first == today) != (b.first == today)) return a.first == today;
    return a.first > b.first;
  });
  for (std::size_t i = kept > 0 ? static_cast<std::size_t>(kept) : 0; i < dated.size(); ++i) {
    std::error_code ignored;
    fs::remove_all(dated[i].second, ignored);
  }
}

namespace {

// `file` byte for byte into <folder>\<file name>.<stamp>.
bool KeepStampedCopy(const fs::path& file, const fs::path& folder, const LocalTime& now) {
  std::string bytes;
  if (data_file_io::ReadWholeFile(file, bytes) != data_file_io::ReadResult::Read) return false;
  if (!MakeFolder(folder)) return false;
  fs::path base = folder / file.filename();
  base += "." + DamagedCopyStamp(now);
  // Two starts within one second: an identical copy is already kept, a different one gets the
  // next free name.
  for (int n = 1; n < 100; ++n) {
    fs::path name = base;
    if (n > 1) name += "-" + std::to_string(n);
    std::string existing;
    switch (data_file_io::ReadWholeFile(name, existing)) {
      case data_file_io::ReadResult::Missing: return data_file_io::ReplaceFileContents(name, bytes);
      case data_file_io::ReadResult::Read:
        if (existing == bytes) return true;
        break;
      case data_file_io::ReadResult::Unreadable: break;
    }
  }
  return false;
}

}  // namespace

bool KeepDamagedCopy(const fs::path& file, const LocalTime& now) {
  return KeepStampedCopy(file, BackupFolderFor(file) / kDamagedFolderName, now);
}

bool KeepDamagedCopyBeside(const fs::path& file, const LocalTime& now) {
  return KeepStampedCopy(file, file.parent_path(), now);
}

bool KeepChangedCopy(const fs::path& file, const LocalTime& now) {
  return KeepStampedCopy(file, BackupFolderFor(file) / kChangedFolderName, now);
}

bool ReplaceKeepingDailyCopy(const fs::path& file, std::string_view bytes, const LocalTime& now) {
  return data_file_io::ReplaceFileContents(file, bytes, [&] { KeepDailyCopy(file, now); });
}
