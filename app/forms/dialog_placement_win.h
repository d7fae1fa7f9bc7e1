// Where every dialog of the program puts itself when it opens.
#pragma once

#include <windows.h>

// Moves the dialog to x = screen width / 2 - its window rectangle's right / 2,
// y = screen height / 2 - its bottom / 2 (integer divisions), keeping its size, without repainting.
void PlaceDialog(HWND dialog);
