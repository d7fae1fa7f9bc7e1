#include "saving.h"

#include "data_files.h"

namespace {

// One file: written when `scope` asks for it; a file changed on disk is copied first, and a file
// that cannot be copied (changed or damaged) is not replaced. A damaged file goes to
// backup\damaged, or beside itself when that folder cannot be written (a file named "backup" in
// the way), so such an obstacle does not stop the close.
template <typename Store>
void SaveDataFile(DataFileState& file, Store& store, SaveScope scope, const LocalTime& now,
                  SaveOutcome& outcome) {
  if (scope == SaveScope::Changed && store.records.version == file.savedVersion) return;
  if (file.damagedCopyMissing) {
    if (!KeepDamagedCopy(file.path, now) && !KeepDamagedCopyBeside(file.path, now)) {
      outcome.failed = true;
      return;
    }
    file.damagedCopyMissing = false;
  }
  const data_file_io::FileStamp onDisk = data_file_io::ReadFileStamp(file.path);
  // A file that vanished holds nothing to keep; one that changed is kept before it is replaced.
  // A file unreadable at load is read at this save and its lines merged, so whatever it holds
  // now is kept in the file itself.
  const bool changed = !store.records.fileUnread && onDisk.exists && onDisk != file.stamp;
  if (changed && !KeepChangedCopy(file.path, now)) {
    outcome.failed = true;
    return;
  }
  std::size_t damagedLines = 0;
  const bool saved = SaveStore(store, file.path, now, &damagedLines);
  NoteDamagedFileAtSave(file.path, damagedLines, outcome.damagedAtSave);
  if (!saved) {
    outcome.failed = true;
    return;
  }
  file.savedVersion = store.records.version;
  file.stamp = data_file_io::ReadFileStamp(file.path);
  if (changed) outcome.changedOnDisk.push_back(file.path.filename().u16string());
}

}  // namespace

DataFileState LoadedFileState(const std::filesystem::path& path, std::uint64_t version,
                              bool damagedCopyMissing) {
  return DataFileState{path, data_file_io::ReadFileStamp(path), version, damagedCopyMissing};
}

std::vector<DamagedFile> LoadDataFiles(RecordStores& stores, const DataFilePaths& paths,
                                       const LocalTime& now) {
  std::vector<DamagedFile> damaged;
  ForEachStore(stores, [&](StoreKind kind, auto& store) {
    NoteDamagedFile(paths[kind], LoadStore(store, paths[kind]), now, damaged);
  });
  return damaged;
}

DataFilesState LoadedFilesState(const RecordStores& stores, const DataFilePaths& paths,
                                const std::vector<DamagedFile>& damaged) {
  DataFilesState files;
  ForEachStore(stores, [&](StoreKind kind, const auto& store) {
    const std::u16string name = paths[kind].filename().u16string();
    bool copyMissing = false;
    for (const DamagedFile& file : damaged) copyMissing = copyMissing || (!file.copyKept && file.name == name);
    files[kind] = LoadedFileState(paths[kind], store.records.version, copyMissing);
  });
  return files;
}

SaveOutcome SaveDataFiles(DataFilesState& files, RecordStores& stores, SaveScope scope,
                          const LocalTime& now) {
  SaveOutcome outcome;
  ForEachStore(stores, [&](StoreKind kind, auto& store) {
    SaveDataFile(files[kind], store, scope, now, outcome);
  });
  return outcome;
}

SaveMessages MessagesAfterSave(const SaveOutcome& outcome, SaveOccasion occasion, SaveNotices& shown) {
  SaveMessages messages;
  if (occasion == SaveOccasion::SessionEnd) return messages;
  messages.tellChanged = !outcome.changedOnDisk.empty() && !shown.changedShown;
  messages.tellFailure = outcome.failed && occasion != SaveOccasion::ChangeBeforeClose &&
                         (occasion == SaveOccasion::Close || !shown.failureShown);
  shown.changedShown = shown.changedShown || messages.tellChanged;
  shown.failureShown = shown.failureShown || messages.tellFailure;
  return messages;
}

std::u16string ChangedFilesText(const std::vector<std::u16string>& names) {
  std::u16string text;
  for (const std::u16string& name : names) text += (text.empty() ? u"" : u"、") + name;
  return text + u" がほかのプログラムで変更されていました。\n"
                u"変更されたファイルを backup\\changed フォルダに保存してから、この記録で上書きしました。";
}
