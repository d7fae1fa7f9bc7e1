// The save path of the run (saving.h) with the settings file and the messages: every command
// that changes something calls SaveChanges once; the close and the end of the session save
// everything.
#pragma once

#include <windows.h>

#include <vector>

#include "damaged_files.h"
#include "saving.h"

// Each store's data file beside Tovela.exe.
DataFilePaths DataFilesBesideProgram();

// What the start-up read: each data file's stamp and its store's version, the damaged files of
// which no copy could be kept, and the settings as the run would write them now. Called once the
// stores, the chart and the values in force are all in place.
void NoteStartingState(const std::vector<DamagedFile>& damaged);

// Writes the settings file when a setting changed and the data files whose store changed,
// telling the user (once per run each) of a file kept under backup\changed and of a failure,
// which names the files (Tovela.ini among them when it could not be written). A file that failed
// stays pending for the next change and the close (a log-on run leaves telling the failure to
// its close, which follows at once). false when a file failed.
bool SaveChanges(HWND owner);

// The same for a change the user confirmed (an entry of the side panel or the log-on dialog, a
// CSV import): a failure is told every time, naming the files, since the caller shows its
// confirmation only when this gives true.
bool SaveConfirmedChange(HWND owner);

// The close: every file; a failing one shows the save-failed message every time (the window,
// shown first if the start-up run hid it, then stays open). false when a file failed.
bool SaveForClose(HWND owner);

// The end of the Windows session: every file, every one attempted, nothing shown.
bool SaveAtSessionEnd();
