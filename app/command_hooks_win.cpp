// Placeholders until each command's module provides its own handler.
#include "command_hooks_win.h"

int OnBasicSettingsCommand(HWND) { return 1; }
int OnColorsCommand(HWND) { return 1; }
int OnShortcutCommand(HWND) { return 1; }
int OnPrintCommand(HWND) { return 1; }
