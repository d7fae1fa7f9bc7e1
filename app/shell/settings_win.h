// Reading Tovela.ini beside the executable through the profile-string functions, and writing it
// whole.
#pragma once

#include <string>

#include "app_state_win.h"
#include "backups.h"
#include "settings.h"

// Reads every key of section "Tovela" into `state`; missing keys and values that do not scan take
// their defaults.
void LoadSettings(AppState& state);
// The texts of every key as a save would write them now: colours, mode and the curve's reading
// (its colour and switch) from the chart in force, floors and cycle from the statistics of the
// stores, calculation types from the stores. Empty texts when the chart or the stores are gone.
SettingsTexts SettingsTextsInForce(const AppState& state);
// Writes the texts into the section (SettingsFileText), the whole file at once through a
// temporary file that then replaces it, keeping every other line and the file's encoding. The
// file as it was is first copied into the backup folder when this is the day's first save. false
// when the file could not be read or written; it is then unchanged.
bool WriteSettings(const SettingsTexts& texts, const LocalTime& now = CurrentLocalTime());
// The same for the settings file at `path`.
bool WriteSettingsFile(const std::wstring& path, const SettingsTexts& texts, const LocalTime& now);
