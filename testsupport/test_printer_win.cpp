// The test printer's set-up and its first job (tests/setup.d/pdf-printer.sh), run under the test
// run's Wine prefix:
//
//   tovela_test_printer install NAME PPD PORT   (re)creates printer NAME: Wine's PostScript driver
//                                               with the PPD (a Unix path), printing to PORT
//                                               ("|command": the job's PostScript on its stdin),
//                                               and makes it the default printer
//   tovela_test_printer print NAME              prints one small landscape page on NAME
//
// Each prints one line: what it did, or why it failed (exit status 1).
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <string>

namespace {

constexpr wchar_t kDriverName[] = L"Tovela test PDF";

int Fail(const char* what) {
  std::printf("%s failed (error %lu)\n", what, GetLastError());
  return 1;
}

// "/a/b" -> "Z:\a\b".
std::wstring WindowsPath(std::wstring path) {
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path.size() >= 2 && path[1] == L':' ? path : L"Z:" + path;
}

void DeleteOld(const wchar_t* name) {
  HANDLE printer = nullptr;
  PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (OpenPrinterW(const_cast<wchar_t*>(name), &printer, &access)) {
    DeletePrinter(printer);
    ClosePrinter(printer);
  }
  DeletePrinterDriverExW(nullptr, nullptr, const_cast<wchar_t*>(kDriverName), 0, 0);
}

int Install(const wchar_t* name, const wchar_t* ppd, const wchar_t* port) {
  DeleteOld(name);
  std::wstring dataFile = WindowsPath(ppd);
  wchar_t driver[] = L"wineps.drv", raw[] = L"RAW", processor[] = L"WinPrint", empty[] = L"";
  DRIVER_INFO_3W info{};
  info.cVersion = 3;
  info.pName = const_cast<wchar_t*>(kDriverName);
  info.pDriverPath = driver;
  info.pDataFile = dataFile.data();
  info.pConfigFile = driver;
  info.pDefaultDataType = raw;
  if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&info),
                           APD_COPY_ALL_FILES | APD_COPY_FROM_DIRECTORY)) {
    return Fail("AddPrinterDriverEx");
  }
  // Print processor "WinPrint": with "wineps" (what Wine gives its CUPS printers) Wine never
  // runs a "|command" port and EndDoc fails.
  std::wstring portName = port;
  PRINTER_INFO_2W printer{};
  printer.pPrinterName = const_cast<wchar_t*>(name);
  printer.pPortName = portName.data();
  printer.pDriverName = const_cast<wchar_t*>(kDriverName);
  printer.pPrintProcessor = processor;
  printer.pDatatype = raw;
  printer.pParameters = empty;
  printer.pShareName = empty;
  printer.pSepFile = empty;
  HANDLE added = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
  if (added == nullptr) return Fail("AddPrinter");
  ClosePrinter(added);
  if (!SetDefaultPrinterW(name)) return Fail("SetDefaultPrinter");
  std::printf("printer installed\n");
  return 0;
}

int Print(const wchar_t* name) {
  HDC dc = CreateDCW(nullptr, name, nullptr, nullptr);
  if (dc == nullptr) return Fail("CreateDC");
  DOCINFOW doc{sizeof(doc), L"printer check", nullptr, nullptr, 0};
  int rc = 0;
  if (StartDocW(dc, &doc) <= 0) {
    rc = Fail("StartDoc");
  } else {
    StartPage(dc);
    Rectangle(dc, 100, 100, GetDeviceCaps(dc, HORZRES) - 100, GetDeviceCaps(dc, VERTRES) - 100);
    EndPage(dc);
    if (EndDoc(dc) <= 0) rc = Fail("EndDoc");
  }
  if (rc == 0) {
    std::printf("printed one page of %d x %d pixels at %d dpi\n", GetDeviceCaps(dc, HORZRES),
                GetDeviceCaps(dc, VERTRES), GetDeviceCaps(dc, LOGPIXELSY));
  }
  DeleteDC(dc);
  return rc;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"install" && argc == 5) return Install(argv[2], argv[3], argv[4]);
  if (command == L"print" && argc == 3) return Print(argv[2]);
  std::printf("usage: tovela_test_printer install NAME PPD PORT | print NAME\n");
  return 2;
}
