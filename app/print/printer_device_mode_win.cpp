#include <windows.h>
#include <winspool.h>

#include <cstddef>
#include <cwchar>

#include "printer_device_mode_win.h"

DEVMODEW* LockedDevMode::get() const {
  if (lock_.get() == nullptr) return nullptr;
  // A block too small for the fields this program reads or writes is not a device mode.
  if (GlobalSize(lock_.memory()) < offsetof(DEVMODEW, dmPaperLength)) return nullptr;
  return static_cast<DEVMODEW*>(lock_.get());
}

bool PrinterHandle::Open(const wchar_t* printerName) {
  handle_.reset();
  // Use access is all a job and DocumentPropertiesW need; administering the printer
  // (PRINTER_ALL_ACCESS) is refused to ordinary users and would stop them printing.
  PRINTER_DEFAULTSW defaults{};
  defaults.pDatatype = nullptr;
  defaults.pDevMode = nullptr;
  defaults.DesiredAccess = PRINTER_ACCESS_USE;
  HANDLE handle = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(printerName), &handle, &defaults)) return false;
  handle_ = win32::SpoolerHandle(handle);
  return handle_.valid();
}

HGLOBAL GetPrinterDevMode(HANDLE printer, const wchar_t* printerName) {
  wchar_t* name = const_cast<wchar_t*>(printerName);
  const LONG size = DocumentPropertiesW(nullptr, printer, name, nullptr, nullptr, 0);
  if (size <= 0) return nullptr;
  win32::GlobalMemory memory(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(size));
  if (!memory) return nullptr;
  {
    LockedDevMode locked(memory.get());
    if (!locked) return nullptr;
    DocumentPropertiesW(nullptr, printer, name, locked.get(), nullptr, DM_OUT_BUFFER);
  }
  return memory.release();
}

std::wstring DevModeDeviceName(const DEVMODEW& devMode) {
  const std::size_t length = wcsnlen(devMode.dmDeviceName, CCHDEVICENAME);
  return std::wstring(devMode.dmDeviceName, length);
}

void ForceLandscapeA4(DEVMODEW& devMode) {
  devMode.dmOrientation = DMORIENT_LANDSCAPE;
  devMode.dmPaperSize = DMPAPER_A4;
  devMode.dmFields |= DM_ORIENTATION | DM_PAPERSIZE;
  devMode.dmFields &= ~static_cast<DWORD>(DM_PAPERLENGTH | DM_PAPERWIDTH | DM_FORMNAME);
}
