// Tovela's entry point.
#include <windows.h>

#include "startup_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  return RunTovela(instance, commandLine);
}
