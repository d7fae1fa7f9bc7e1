#include "dialog_placement_win.h"

#include "system_win.h"

void PlaceDialog(HWND dialog) {
  RECT rect{};
  POINT screen{};
  if (!GetWindowRect(dialog, &rect) || quillet::GetDesktopRect(&screen) != 1) return;
  MoveWindow(dialog, screen.x / 2 - rect.right / 2, screen.y / 2 - rect.bottom / 2,
             rect.right - rect.left, rect.bottom - rect.top, FALSE);
}
