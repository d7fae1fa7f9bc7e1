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
#include "records_bundle.h"
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

constexpr char kMadeOrderFileName[] = "made-order.txt";
constexpr int kMaxCopiesOfADay = 99;

// A dated folder of the backup folder: "2026-12-07", or "2026-12-07-2" for a second folder of
// the same date (made when the clock had shown other dates since the first one was made).
struct DatedFolder {
  DateYmd date;
  int copy = 1;                 // the "-N" of the name; 1 without one
  unsigned long long made = 0;  // its place in the order of making; 0 when it has no mark
  fs::path path;
};

bool ParseDatedFolderName(std::string_view name, DateYmd& date, int& copy) {
  copy = 1;
  if (name.size() > 10) {
    if (name.size() < 12 || name.size() > 13 || name[10] != '-' || name[11] == '0' ||
        !ReadDigits(name, 11, name.size() - 11, copy) || copy < 2)
      return false;
    name = name.substr(0, 10);
  }
  return ParseDailyFolderName(name, date);
}

// Marks are numbers below this; a larger one cannot be one the program wrote.
constexpr unsigned long long kMadeOrderLimit = 1000000000ull;

// The number written in the folder's mark: 0 when there is none or it cannot be read. A mark is
// read only in the form the program writes it, a plain number below kMadeOrderLimit and then
// nothing but a line end; anything else (a damaged file, letters, a huge number) is no mark.
unsigned long long MadeOrderOf(const fs::path& folder) {
  std::string bytes;
  if (data_file_io::ReadWholeFile(folder / kMadeOrderFileName, bytes) != data_file_io::ReadResult::Read)
    return 0;
  unsigned long long value = 0;
  std::size_t digits = 0;
  for (; digits < bytes.size() && bytes[digits] >= '0' && bytes[digits] <= '9'; ++digits) {
    value = value * 10 + static_cast<unsigned long long>(bytes[digits] - '0');
    if (value >= kMadeOrderLimit) return 0;
  }
  if (digits == 0) return 0;
  for (std::size_t i = digits; i < bytes.size(); ++i)
    if (bytes[i] != '\r' && bytes[i] != '\n' && bytes[i] != ' ' && bytes[i] != '\t') return 0;
  return value;
}

// The dated folders, the most recently made first. Each folder the program makes carries a mark
// with the next number of a count (made-order.txt): the order of making does not depend on the
// clock, which may have been set back or forward between two saves. A folder without a mark that
// can be read (made before marks were written, or its mark damaged) ranks by its dated name
// among the others: just after the folder made last of those dated on or before it, so losing
// its mark never makes the newest copy the first to be removed.
std::vector<DatedFolder> DatedFoldersNewestMadeFirst(const fs::path& backupFolder) {
  std::vector<DatedFolder> dated;
  std::error_code error;
  for (fs::directory_iterator it(backupFolder, error), end; !error && it != end; it.increment(error)) {
    std::string name;
    DatedFolder folder;
    if (!AsciiName(it->path().filename(), name) ||
        !ParseDatedFolderName(name, folder.date, folder.copy))
      continue;
    std::error_code typeError;
    if (it->is_symlink(typeError) || !it->is_directory(typeError)) continue;
    folder.path = it->path();
    folder.made = MadeOrderOf(folder.path);
    dated.push_back(std::move(folder));
  }
  // Twice the mark for a marked folder; for one without, one more than twice the mark of the
  // folder it follows (0 when it follows none).
  const auto onOrBefore = [](const DatedFolder& a, const DatedFolder& b) {
    return a.date < b.date || (a.date == b.date && a.copy <= b.copy);
  };
  std::vector<unsigned long long> rank(dated.size());
  for (std::size_t i = 0; i < dated.size(); ++i) {
    if (dated[i].made != 0) {
      rank[i] = 2 * dated[i].made;
      continue;
    }
    unsigned long long follows = 0;
    for (const DatedFolder& other : dated)
      if (other.made > follows && onOrBefore(other, dated[i])) follows = other.made;
    rank[i] = 2 * follows + 1;
  }
  std::vector<std::size_t> order(dated.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    if (rank[a] != rank[b]) return rank[a] > rank[b];
    if (dated[a].date != dated[b].date) return dated[a].date > dated[b].date;
    return dated[a].copy > dated[b].copy;
  });
  std::vector<DatedFolder> sorted;
  sorted.reserve(dated.size());
  for (const std::size_t i : order) sorted.push_back(std::move(dated[i]));
  return sorted;
}

// The number the next folder's mark gets: one more than the highest mark.
unsigned long long NextMadeOrder(const std::vector<DatedFolder>& dated) {
  unsigned long long highest = 0;
  for (const DatedFolder& folder : dated) highest = std::max(highest, folder.made);
  return highest + 1;
}

// The folder that holds the start of today: the most recently made folder when it is dated
// today. Otherwise (no folder yet, or the clock has shown another date since today's folder was
// made) a new folder: today's name, or the next "-N" of it, marked as made after all others.
// Empty when none can be made.
fs::path TodaysFolder(const fs::path& backupFolder, const DateYmd& today) {
  const std::vector<DatedFolder> dated = DatedFoldersNewestMadeFirst(backupFolder);
  if (!dated.empty() && dated.front().date == today) return dated.front().path;
  const unsigned long long made = NextMadeOrder(dated);
  for (int copy = 1; copy <= kMaxCopiesOfADay; ++copy) {
    fs::path folder = backupFolder / DailyFolderName(today);
    if (copy > 1) folder += "-" + std::to_string(copy);
    std::error_code error;
    if (fs::exists(fs::symlink_status(folder, error))) continue;
    if (!MakeFolder(folder) ||
        !data_file_io::ReplaceFileContents(folder / kMadeOrderFileName, std::to_string(made) + "\r\n"))
      return {};
    return folder;
  }
  return {};
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
  for (const wchar_t* dataFile : kDataFileNames)
    if (name == fs::path(dataFile + 1)) return true;
  return name == fs::path("Tovela.ini");
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
  const std::vector<DatedFolder> dated = DatedFoldersNewestMadeFirst(backupFolder);
  std::error_code error;
  if (!dated.empty() && dated.front().date == now.Date() &&
      fs::exists(fs::symlink_status(dated.front().path / file.filename(), error)))
    return DailyCopy::AlreadyKept;

  std::string bytes;
  switch (data_file_io::ReadWholeFile(file, bytes)) {
    case data_file_io::ReadResult::Read: break;
    case data_file_io::ReadResult::Missing: return DailyCopy::NothingToKeep;
    case data_file_io::ReadResult::Unreadable: return DailyCopy::Failed;
  }
  MakeFolder(backupFolder);
  const fs::path todayFolder = TodaysFolder(backupFolder, now.Date());
  if (todayFolder.empty() || !data_file_io::ReplaceFileContents(todayFolder / file.filename(), bytes))
    return DailyCopy::Failed;
  RemoveOldDailyFolders(backupFolder, now.Date());
  return DailyCopy::Kept;
}

// Kept: the `kept` folders made most recently, every folder of today and every folder dated
// after today. A clock set back thus removes neither the copies made while it shows the wrong
// date nor the ones made before, and a clock set forward and back again does not make the
// folders of the real days the oldest.
void RemoveOldDailyFolders(const fs::path& backupFolder, const DateYmd& today, int kept) {
  const std::vector<DatedFolder> dated = DatedFoldersNewestMadeFirst(backupFolder);
  for (std::size_t i = kept > 0 ? static_cast<std::size_t>(kept) : 0; i < dated.size(); ++i) {
    if (!(dated[i].date < today)) continue;
    std::error_code ignored;
    fs::remove_all(dated[i].path, ignored);
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
