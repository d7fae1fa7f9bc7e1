// Where every dialog of the program puts itself when it opens: the middle of the primary screen
// as Quillet measures it. Header-only, so the forms and the print dialog share it without a new
// export of Quillet.dll.
#pragma once

#include <windows.h>

#include "system_win.h"

// Moves the dialog to x = screen width / 2 - its window rectangle's right / 2,
// y = screen height / 2 - its bottom / 2 (integer divisions), keeping its size, without repainting.
inline void PlaceDialog(HWND dialog) {
  RECT rect{};
  POINT screen{};
  if (!GetWindowRect(dialog, &rect) || quillet::GetDesktopRect(&screen) != 1) return;
  MoveWindow(dialog, screen.x / 2 - rect.right / 2, screen.y / 2 - rect.bottom / 2,
             rect.right - rect.left, rect.bottom - rect.top, FALSE);
}
