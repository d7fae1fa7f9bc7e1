// Reading and writing Tovela.ini beside the executable through the profile-string functions.
#pragma once

#include "app_state_win.h"
#include "backups.h"

// Reads the fourteen keys of section "Tovela" into `state`; missing keys and values that do not
// scan take their defaults.
void LoadSettings(AppState& state);
// Writes the fourteen keys: colours and mode from the chart in force, floors and cycle from the
// statistics of the stores, calculation types from the stores. The file as it was is first
// copied into the backup folder when this is the day's first save. Write failures are ignored.
void SaveSettings(const AppState& state, const LocalTime& now = CurrentLocalTime());
