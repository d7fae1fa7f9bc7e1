// The one save path of the run: after every change (and at the close and the end of the session)
// the data files whose store changed since their last write are written, each through the
// atomic replacement with the day's copy. A file that another program wrote since Tovela last
// read or wrote it is first copied to backup\changed; a file whose load skipped lines and whose
// copy in backup\damaged could not be kept is copied now (beside itself when the backup folder
// still cannot be written) and is not replaced while no copy exists. This part is
// portable; saving_win.cpp adds the settings file and the messages.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "backups.h"
#include "damaged_files.h"
#include "data_file_io.h"
#include "records_bundle.h"

// One data file as its last read or write left it.
struct DataFileState {
  std::filesystem::path path;
  data_file_io::FileStamp stamp;   // size and last-write time on disk then
  std::uint64_t savedVersion = 0;  // the store's records.version then
  bool damagedCopyMissing = false; // skipped lines at load and no copy of the file kept yet
};

// Each store's data file.
using DataFilesState = PerStoreKind<DataFileState>;
// Where each store's data file is.
using DataFilePaths = PerStoreKind<std::filesystem::path>;

enum class SaveScope {
  Changed,     // only the files whose store changed since their last write
  Everything,  // every file (the close, the end of the session)
};

struct SaveOutcome {
  bool failed = false;                        // some file could not be written (others were tried)
  // Files copied to backup\changed, then replaced: changed by another program, or unreadable at
  // load with a line the store's record of its date replaced.
  std::vector<std::u16string> changedOnDisk;
  // Files unreadable at load, read at this save and merged, that had lines a load would count
  // as damaged (their copy is in backup\damaged); their stores now hold the merged records.
  std::vector<DamagedFile> damagedAtSave;
  std::vector<std::u16string> failedFiles;    // the names of the files that could not be written
};

// The state right after a store was loaded from `path`.
DataFileState LoadedFileState(const std::filesystem::path& path, std::uint64_t version,
                              bool damagedCopyMissing);

// Loads every store from its file, in StoreKind order. A file whose load skipped lines is
// copied into backup\damaged at once, before any save can replace it, and is listed.
std::vector<DamagedFile> LoadDataFiles(RecordStores& stores, const DataFilePaths& paths,
                                       const LocalTime& now);
// Every file's state right after the start-up load: a damaged file whose copy could not be
// kept is copied at its first save.
DataFilesState LoadedFilesState(const RecordStores& stores, const DataFilePaths& paths,
                                const std::vector<DamagedFile>& damaged);

// Writes the files `scope` asks for, every one attempted whatever another one did. A store whose
// file was unreadable at load takes in that file's records at its save (data_files.h).
SaveOutcome SaveDataFiles(DataFilesState& files, RecordStores& stores, SaveScope scope,
                          const LocalTime& now);

// When a save happens, which decides what the user is told.
enum class SaveOccasion {
  Change,
  ConfirmedChange,    // a change the user confirmed (an entry, an import), told as saved or not
  ChangeBeforeClose,  // a change in a log-on run, whose close follows at once and tells a failure
  Close,
  SessionEnd,
};

// The messages shown so far in this run.
struct SaveNotices {
  bool failureShown = false;
  bool changedShown = false;
};

struct SaveMessages {
  bool tellChanged = false;
  bool tellFailure = false;
};

// After a change each message comes once per run (a failure not at all before a close that
// follows at once). A confirmed entry tells every failure, since its confirmation is left out
// then, and so does the close, which keeps the window open because of it; the end of the
// session shows nothing. `shown` is updated.
SaveMessages MessagesAfterSave(const SaveOutcome& outcome, SaveOccasion occasion, SaveNotices& shown);

// "<name> がほかのプログラムで変更されていました。\n変更されたファイルを backup\changed フォルダに
// 保存してから、この記録で上書きしました。"; several names are joined by "、".
std::u16string ChangedFilesText(const std::vector<std::u16string>& names);

inline constexpr char16_t kChangedFilesCaption[] = u"Tovela";
inline constexpr char16_t kSaveFailedText[] =
    u"データの保存に失敗しました。\n外部からファイルがアクセスされていないかご確認ください。";
inline constexpr char16_t kSaveFailedCaption[] = u"致命的なエラーが発生しました。";
// kSaveFailedText, then "\n保存できなかったファイル: " with the names joined by "、" (the text alone
// when there are none).
std::u16string SaveFailedText(const std::vector<std::u16string>& names);
