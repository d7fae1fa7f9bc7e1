#include "saving_win.h"

#include "app_state_win.h"
#include "chart_view.h"
#include "data_files.h"
#include "entry_editing_win.h"
#include "main_window_win.h"
#include "records_bundle.h"
#include "saving.h"
#include "settings_win.h"
#include "system_win.h"

namespace {

// The settings file is written when any key's text changed (or when `scope` asks for every
// file). A failing write stays pending and fails the save as a data file's does. false then.
bool SaveSettingsFile(SaveScope scope, const LocalTime& now) {
  const SettingsTexts texts = SettingsTextsInForce(gApp);
  if (scope == SaveScope::Changed && texts == gApp.SavedSettings) return true;
  if (!WriteSettings(texts, now)) return false;
  gApp.SavedSettings = texts;
  return true;
}

bool Save(HWND owner, SaveScope scope, SaveOccasion occasion) {
  // After a successful close released the stores there is nothing left to write.
  if (gApp.Records == nullptr || gApp.Chart == nullptr) return scope == SaveScope::Changed;
  // One reading of the clock, so the four files' copies of the day land in the same folder.
  const LocalTime now = CurrentLocalTime();
  const bool settingsSaved = SaveSettingsFile(scope, now);
  const std::uint64_t versions = StoresVersion(*gApp.Records);
  SaveOutcome outcome = SaveDataFiles(gApp.SavedFiles, *gApp.Records, scope, now);
  if (!settingsSaved) {
    outcome.failed = true;
    outcome.failedFiles.insert(outcome.failedFiles.begin(), kSettingsFileName);
  }
  // A file unreadable at load was read at this save: its records, some perhaps before the first
  // record the chart's range starts at, are now in the store.
  if (StoresVersion(*gApp.Records) != versions && occasion != SaveOccasion::SessionEnd) {
    SetChartScrollRange(*gApp.Chart);
    ShowPickerDay();
    RedrawChartAndHelp();
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
    ShowMessage(owner, SaveFailedText(outcome.failedFiles), kSaveFailedCaption,
                MB_OK | MB_ICONERROR);
  }
  return !outcome.failed;
}

}  // namespace

DataFilePaths DataFilesBesideProgram() {
  DataFilePaths paths;
  for (std::size_t kind = 0; kind < kStoreKindCount; ++kind)
    paths.values[kind] = quillet::GetModuleFilePath(kDataFileNames[kind]);
  return paths;
}

void NoteStartingState(const std::vector<DamagedFile>& damaged) {
  gApp.SavedFiles = LoadedFilesState(*gApp.Records, DataFilesBesideProgram(), damaged);
  gApp.SavedSettings = SettingsTextsInForce(gApp);
}

bool SaveChanges(HWND owner) {
  return Save(owner, SaveScope::Changed,
              gApp.StartupRun ? SaveOccasion::ChangeBeforeClose : SaveOccasion::Change);
}

bool SaveConfirmedChange(HWND owner) {
  return Save(owner, SaveScope::Changed,
              gApp.StartupRun ? SaveOccasion::ChangeBeforeClose : SaveOccasion::ConfirmedChange);
}

bool SaveForClose(HWND owner) { return Save(owner, SaveScope::Everything, SaveOccasion::Close); }

bool SaveAtSessionEnd() { return Save(nullptr, SaveScope::Everything, SaveOccasion::SessionEnd); }
