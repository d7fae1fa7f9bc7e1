// The data files: TEMPERATURE_DATA.dat, WEIGHT_DATA.dat, SIGNS_DATA.dat (single-byte text) and
// MEMO_DATA.dat (UTF-16LE, no byte-order mark); one line per record, CR LF line ends on disk.
// The files are byte-identical whichever build writes them.
//
// SIGNS_DATA.dat holds one line per day with at least one sign, "y/m/d,<mucus>,<test>,<intercourse>":
// each field empty (not recorded) or one digit, intercourse "1" or empty ("2026/12/3,4,1,1",
// "2026/12/4,,,1"). It exists only once a sign was recorded: a missing file is an empty store
// and is not created, so a user who records no sign has the same files as before.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "backups.h"
#include "record_stores.h"

// File names appended to the program folder (which ends in a separator).
inline constexpr wchar_t kTemperatureFileName[] = L"\\TEMPERATURE_DATA.dat";
inline constexpr wchar_t kWeightFileName[] = L"\\WEIGHT_DATA.dat";
inline constexpr wchar_t kMemoFileName[] = L"\\MEMO_DATA.dat";
inline constexpr wchar_t kSignsFileName[] = L"\\SIGNS_DATA.dat";

// Load the file's records into the store. A missing file is created empty; an existing file that
// cannot be read is left alone (and the store's records.fileUnread set). Damaged lines (no valid
// calendar date, a missing field, a value that is not finite or out of bounds) are skipped,
// every other line is kept; a repeated date keeps its first line. A line read in part (a memo
// longer than 99 units or holding a zero unit, characters after a value, an extra field) loads
// what was read. Gives the number of lines skipped, repeated or read in part (blank lines do not
// count): what they held is not all in the store and the next save would lose it.
std::size_t LoadTemperatureData(TemperatureStore& store, const std::filesystem::path& file);
std::size_t LoadWeightData(WeightStore& store, const std::filesystem::path& file);
std::size_t LoadMemoData(MemoStore& store, const std::filesystem::path& file);
// The signs file: a missing file is left missing. A field that is not a sign of its kind (a
// mucus level of 7, a letter) is not read: the line loads its other signs and counts as read in
// part; a line with no sign read counts as damaged, one of only empty fields holds nothing.
std::size_t LoadSignsData(SignStore& store, const std::filesystem::path& file);

// Write the store whole, through a temporary file in the same folder that then replaces the old
// file in one step; just before that, the old file is copied into the backup folder when it is
// the first save of the day (`now`, backups.h). false on any failure, or when the file is
// read-only; the old file is then unchanged. A failing backup copy does not fail the save.
// A store whose load could not read its file (records.fileUnread) reads it now and keeps its
// lines for the dates the store has no record of; the save fails while the file still cannot be
// read. Once written, those lines are in the store too and fileUnread is cleared, so the store
// holds what the file holds. Lines of that file a load would count (damaged, repeated, read in
// part) are counted into `damagedLines` when given: the file is first copied into
// backup\damaged as a load's caller copies it, and the save fails, the file untouched, when
// that copy cannot be made. The store's record wins a date both hold; when that replaces a line
// of the file with a different one, the file is first copied into backup\changed (no copy, no
// save), and SaveStore sets `replacedLinesKept`.
bool SaveTemperatureData(TemperatureStore& store, const std::filesystem::path& file,
                         const LocalTime& now = CurrentLocalTime(),
                         std::size_t* damagedLines = nullptr);
bool SaveWeightData(WeightStore& store, const std::filesystem::path& file,
                    const LocalTime& now = CurrentLocalTime(), std::size_t* damagedLines = nullptr);
bool SaveMemoData(MemoStore& store, const std::filesystem::path& file,
                  const LocalTime& now = CurrentLocalTime(), std::size_t* damagedLines = nullptr);
// An empty store whose file does not exist writes nothing (and succeeds).
bool SaveSignsData(SignStore& store, const std::filesystem::path& file,
                   const LocalTime& now = CurrentLocalTime(), std::size_t* damagedLines = nullptr);

// The loads and saves above for any kind of store (the loops over RecordStores use these).
template <typename Store>
std::size_t LoadStore(Store& store, const std::filesystem::path& file);
template <typename Store>
bool SaveStore(Store& store, const std::filesystem::path& file, const LocalTime& now,
               std::size_t* damagedLines, bool* replacedLinesKept = nullptr);

// The same reading and writing between a file's bytes in memory and a store: the loaders and the
// saves above are these plus the file handling. ReadDataBytes adds the records of `bytes` to the
// store with the damaged-line and repeated-date rules above and gives the number of lines counted;
// DataFileBytes gives the file's bytes for the store.
std::size_t ReadDataBytes(std::string_view bytes, TemperatureStore& store);
std::size_t ReadDataBytes(std::string_view bytes, WeightStore& store);
std::size_t ReadDataBytes(std::string_view bytes, MemoStore& store);
std::size_t ReadDataBytes(std::string_view bytes, SignStore& store);
std::string DataFileBytes(const TemperatureStore& store);
std::string DataFileBytes(const WeightStore& store);
std::string DataFileBytes(const MemoStore& store);
std::string DataFileBytes(const SignStore& store);
