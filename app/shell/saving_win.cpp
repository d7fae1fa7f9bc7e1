#include "saving_win.h"

#include "app_state_win.h"
#include "chart_view.h"
#include "data_files.h"
#include "entry_editing_win.h"
#include "main_window_win.h"
#include "record_stores.h"
#include "saving.h"
#include "settings_win.h"
#include "system_win.h"

namespace {

// The settings file is written when any key's text changed (or when `scope` asks for every
// file); a failing write stays pending and never fails the save.
void SaveSettingsFile(SaveScope scope, const LocalTime& now) {
  const SettingsFileTexts texts = SettingsTextsInForce(gApp);
  if (scope == SaveScope::Changed && texts == gApp.SavedSettings) return;
  if (WriteSettings(texts, now)) gApp.SavedSettings = texts;
}

// Changes whenever any of the three stores changes.
std::uint64_t StoreVersions() {
  return gApp.TemperatureData->records.version + gApp.WeightData->records.version +
         gApp.MemoData->records.version;
}

bool Save(HWND owner, SaveScope scope, SaveOccasion occasion) {
  // After a successful close released the stores there is nothing left to write.
  if (gApp.TemperatureData == nullptr || gApp.WeightData == nullptr || gApp.MemoData == nullptr ||
      gApp.Chart == nullptr)
    return scope == SaveScope::Changed;
  // One reading of the clock, so the four files' copies of the day land in the same folder.
  const LocalTime now = CurrentLocalTime();
  SaveSettingsFile(scope, now);
  const std::uint64_t versions = StoreVersions();
  const SaveOutcome outcome = SaveDataFiles(gApp.SavedFiles, *gApp.TemperatureData, *gApp.WeightData,
                                            *gApp.MemoData, scope, now);
  // A file unreadable at load was read at this save: its records, some perhaps before the first
  // record the chart's range starts at, are now in the store.
  if (StoreVersions() != versions && occasion != SaveOccasion::SessionEnd) {
    SetChartScrollRange(*gApp.Chart);
    ShowPickerDay();
    RedrawChartNow();
  }
  if (!outcome.damagedAtSave.empty() && occasion != SaveOccasion::SessionEnd)
    ShowMessage(owner, DamagedFilesText(outcome.damagedAtSave), kDamagedFilesCaption,
                MB_OK | MB_ICONINFORMATION);
  const SaveMessages messages = MessagesAfterSave(outcome, occasion, gApp.SaveNotices);
  if (messages.tellChanged)
    ShowMessage(owner, ChangedFilesText(outcome.changedOnDisk), kChangedFilesCaption,
                MB_OK | MB_ICONINFORMATION);
  if (messages.tellFailure) {
    // A start-up run keeps its window hidden; at the close the user must see why it stays.
    if (occasion == SaveOccasion::Close && owner != nullptr && !IsWindowVisible(owner))
      ShowWindow(owner, SW_SHOW);
    ShowMessage(owner, kSaveFailedText, kSaveFailedCaption, MB_OK | MB_ICONERROR);
  }
  return !outcome.failed;
}

}  // namespace

void NoteStartingState(const std::vector<DamagedFile>& damaged) {
  const auto state = [&](const wchar_t* name, std::uint64_t version) {
    const std::filesystem::path path = quillet::GetModuleFilePath(name);
    bool copyMissing = false;
    for (const DamagedFile& file : damaged)
      copyMissing = copyMissing || (!file.copyKept && file.name == path.filename().u16string());
    return LoadedFileState(path, version, copyMissing);
  };
  gApp.SavedFiles.temperature = state(kTemperatureFileName, gApp.TemperatureData->records.version);
  gApp.SavedFiles.weight = state(kWeightFileName, gApp.WeightData->records.version);
  gApp.SavedFiles.memo = state(kMemoFileName, gApp.MemoData->records.version);
  gApp.SavedSettings = SettingsTextsInForce(gApp);
}

bool SaveChanges(HWND owner) {
  return Save(owner, SaveScope::Changed,
              gApp.StartupRun ? SaveOccasion::ChangeBeforeClose : SaveOccasion::Change);
}

bool SaveForClose(HWND owner) { return Save(owner, SaveScope::Everything, SaveOccasion::Close); }

bool SaveAtSessionEnd() { return Save(nullptr, SaveScope::Everything, SaveOccasion::SessionEnd); }
