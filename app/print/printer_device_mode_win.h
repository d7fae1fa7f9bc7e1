// The printer's device mode (a DEVMODEW in movable global memory) and the handles around it.
//
// Every lock of a device mode goes through `LockedDevMode`, so each GlobalLock is paired with its
// GlobalUnlock whatever path the caller leaves by; the spooler handle opened to read a printer's
// defaults is closed by `PrinterHandle` the same way.
#pragma once

#include <windows.h>

#include <string>

#include "win_handles.h"

// Locks a device mode's movable block for the life of the scope. get() is null when the handle
// is null or the lock failed; nothing is unlocked then.
class LockedDevMode {
 public:
  explicit LockedDevMode(HGLOBAL memory) : lock_(memory) {}

  // The device mode, or null when the block is missing, cannot be locked or is too small to hold
  // the fields up to the paper size.
  DEVMODEW* get() const;
  explicit operator bool() const { return get() != nullptr; }

 private:
  win32::GlobalMemoryLock lock_;
};

// A spooler handle from OpenPrinterW, closed at the end of the scope.
class PrinterHandle {
 public:
  // Opens the named printer with the access a job needs (using it, reading its defaults).
  bool Open(const wchar_t* printerName);
  HANDLE get() const { return handle_.get(); }

 private:
  win32::SpoolerHandle handle_;
};

// The printer's default device mode in a new movable block (GMEM_MOVEABLE | GMEM_ZEROINIT) the
// caller owns, or null when its size cannot be read or the block cannot be made or locked.
HGLOBAL GetPrinterDevMode(HANDLE printer, const wchar_t* printerName);

// The device name a device mode carries (its 32 characters need not end with a terminator).
std::wstring DevModeDeviceName(const DEVMODEW& devMode);

// Rewrites the device mode to landscape A4, whatever was chosen before: orientation and paper
// size are set and marked as set, and any custom paper length, width or form name that would
// take precedence over the paper size is unmarked. Copies and the rest stay as they are.
void ForceLandscapeA4(DEVMODEW& devMode);
