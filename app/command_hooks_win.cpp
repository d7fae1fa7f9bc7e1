// Placeholders until each command's module provides its own handler.
#include "command_hooks_win.h"

// OnBasicSettingsCommand: forms/basic_setting_dialog_command_win.cpp
// OnColorsCommand: forms/recolor_dialog_command_win.cpp
// OnShortcutCommand: startup_shortcut_win.cpp
// OnPrintCommand: print/print_command_win.cpp
// OnCsvExportCommand, OnCsvImportCommand: csv_commands_win.cpp
