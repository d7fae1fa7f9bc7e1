// Reading and writing Tovela.ini beside the executable through the profile-string functions.
#pragma once

#include "app_state_win.h"
#include "backups.h"

// Reads the fourteen keys of section "Tovela" and the two of the curve's reading (CoverLineColor,
// ShowShift) into `state`; missing keys and values that do not scan take their defaults.
void LoadSettings(AppState& state);
// Writes the fourteen keys, then the two of the curve's reading: colours, mode and the reading's
// colour and switch from the chart in force, floors and cycle from the
// statistics of the stores, calculation types from the stores. The file as it was is first
// copied into the backup folder when this is the day's first save. Write failures are ignored.
void SaveSettings(const AppState& state, const LocalTime& now = CurrentLocalTime());
