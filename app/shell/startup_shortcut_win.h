// The start-up shortcut (command 206): "Tovela.lnk" in the user's Startup folder, so that every
// log-on runs "Tovela.exe -startup" from the program's folder, which asks for the day's
// temperature when none is recorded and exits.
#pragma once

#include <windows.h>

// Writes (or rewrites) "<Startup folder>\Tovela.lnk" with target "<program folder>\Tovela.exe",
// arguments "-startup", the program folder as working directory, the description
// "Tovelaのスタートアップ起動", icon 0 of the target and the normal show command. The Startup
// folder is created when missing. Reports nothing: whatever fails, the program goes on.
void CreateStartupShortcut(HWND owner);

// True when the shortcut that CreateStartupShortcut writes exists: the user chose to be asked for
// the day's temperature at log-on.
bool StartupShortcutExists();

// The shortcut itself: writes shortcutPath pointing at programFolder (ending in a backslash) +
// "Tovela.exe", with the settings above. Initialises COM for the call and releases it only when
// that succeeded. The new file replaces the old one in a single rename, so a reader sees one
// shortcut or the other, never half of one. true when the file was saved.
bool WriteStartupShortcut(const wchar_t* shortcutPath, const wchar_t* programFolder);
