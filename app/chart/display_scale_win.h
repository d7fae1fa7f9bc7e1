// The display scale of a window and of the system, read from Windows.
#pragma once

#include <windows.h>

#include "display_scale.h"

// The window's DPI over 96: GetDpiForWindow where Windows has it (10 1607 and later), else the
// screen's LOGPIXELSX. 96 when neither answers.
DisplayScale WindowScale(HWND window);
// The DPI the stock fonts (DEFAULT_GUI_FONT) are made for: the screen's LOGPIXELSY.
int SystemDpi();
