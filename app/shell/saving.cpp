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
  const std::u16string name = file.path.filename().u16string();
  const auto fail = [&] {
    outcome.failed = true;
    outcome.failedFiles.push_back(name);
  };
  if (file.damagedCopyMissing) {
    if (!KeepDamagedCopy(file.path, now) && !KeepDamagedCopyBeside(file.path, now)) return fail();
    file.damagedCopyMissing = false;
  }
  const data_file_io::FileStamp onDisk = data_file_io::ReadFileStamp(file.path);
  // A file that vanished holds nothing to keep; one that changed is kept before it is replaced.
  // A file unreadable at load is read at this save and its lines merged; a line of it the store
  // replaces is kept the same way (SaveStore).
  const bool changed = !store.records.fileUnread && onDisk.exists && onDisk != file.stamp;
  if (changed && !KeepChangedCopy(file.path, now)) return fail();
  std::size_t damagedLines = 0;
  bool replacedLinesKept = false;
  const bool saved = SaveStore(store, file.path, now, &damagedLines, &replacedLinesKept);
  NoteDamagedFileAtSave(file.path, damagedLines, outcome.damagedAtSave);
  if (!saved) return fail();
  file.savedVersion = store.records.version;
  file.stamp = data_file_io::ReadFileStamp(file.path);
  if (changed || replacedLinesKept) outcome.changedOnDisk.push_back(name);
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
    for (const DamagedFile& file : damaged)
      copyMissing = copyMissing || (!file.copyKept && file.name == name);
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
  const bool everyTime =
      occasion == SaveOccasion::Close || occasion == SaveOccasion::ConfirmedChange;
  messages.tellFailure = outcome.failed && occasion != SaveOccasion::ChangeBeforeClose &&
                         (everyTime || !shown.failureShown);
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

std::u16string SaveFailedText(const std::vector<std::u16string>& names) {
  std::u16string text = kSaveFailedText;
  if (names.empty()) return text;
  text += u"\n保存できなかったファイル: ";
  for (std::size_t i = 0; i < names.size(); ++i) text += (i == 0 ? u"" : u"、") + names[i];
  return text;
}
