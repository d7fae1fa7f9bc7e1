// The print dialog: its context, placement, the default printer's name and the system print
// dialog. The job itself is in print_job_win.cpp.
#include "print_graph_dialog_win.h"

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <winspool.h>

#include <vector>

#include "dialog_placement_win.h"
#include "resources/print_graph_dialog_ids.h"
#include "printer_device_mode_win.h"
#include "system_win.h"

namespace {

constexpr wchar_t kContextProperty[] = L"CPrintGraph";
constexpr INT_PTR kNoPrinter = 0;
constexpr INT_PTR kPrinted = 1;
constexpr INT_PTR kCancelled = 2;
constexpr INT_PTR kRangeChosen = 1;  // "保存(&S)" of the dialog for pictures

// The dialog for pictures: its caption and button, and in the printer's row what is made.
constexpr wchar_t kSaveImagesCaption[] = L"グラフを画像で保存";
constexpr wchar_t kSaveImagesButton[] = L"保存(&S)";
constexpr wchar_t kSaveImagesKind[] = L"PNG画像 (A4横 200dpi)";

CPrintGraph* ContextOf(HWND dialog) {
  return static_cast<CPrintGraph*>(GetPropW(dialog, kContextProperty));
}

void SetPickerDate(HWND dialog, int id, const DateYmd& date) {
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(date.year);
  time.wMonth = static_cast<WORD>(date.month);
  time.wDay = static_cast<WORD>(date.day);
  SendDlgItemMessageW(dialog, id, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

// The dialog turned into the one for pictures: no printer row, the last range chosen.
void ShowAsSaveImagesDialog(HWND dialog, const CPrintGraph& printGraph) {
  SetWindowTextW(dialog, kSaveImagesCaption);
  SetDlgItemTextW(dialog, IDC_PRINT_PRINTER_NAME, kSaveImagesKind);
  ShowWindow(GetDlgItem(dialog, IDC_PRINT_SETUP), SW_HIDE);
  SetDlgItemTextW(dialog, IDOK, kSaveImagesButton);
  if (printGraph.ImageRange) {
    SetPickerDate(dialog, IDC_PRINT_FROM_DATE, printGraph.ImageRange->from);
    SetPickerDate(dialog, IDC_PRINT_TO_DATE, printGraph.ImageRange->to);
  }
}

INT_PTR OnInitDialog(HWND dialog, CPrintGraph& printGraph) {
  printGraph.Dialog = dialog;
  SetPropW(dialog, kContextProperty, &printGraph);
  PlaceDialog(dialog);
  if (printGraph.Purpose == PrintGraphPurpose::SaveImages) {
    ShowAsSaveImagesDialog(dialog, printGraph);
    return TRUE;
  }
  // Checked before anything else can reach the system print dialog: without a printer that
  // dialog stops on a message of its own.
  const std::wstring printer = DefaultPrinterName();
  if (printer.empty()) {
    MessageBoxW(nullptr, kNoPrinterMessage, kPrinterErrorCaption, MB_OK | MB_ICONERROR);
    EndDialog(dialog, kNoPrinter);
    return TRUE;
  }
  SetDlgItemTextW(dialog, IDC_PRINT_PRINTER_NAME, printer.c_str());
  return TRUE;
}

INT_PTR OnCommand(HWND dialog, CPrintGraph& printGraph, int id) {
  switch (id) {
    case IDOK:
      if (printGraph.Purpose == PrintGraphPurpose::SaveImages) {
        printGraph.ImageRange = DialogPrintRange(dialog);
        EndDialog(dialog, kRangeChosen);
        return TRUE;
      }
      RunPrintJob(printGraph);
      EndDialog(dialog, kPrinted);
      return TRUE;
    case IDCANCEL:
      EndDialog(dialog, kCancelled);
      return TRUE;
    case IDC_PRINT_SETUP:
      ChoosePrinter(printGraph);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

std::wstring DefaultPrinterName() {
  DWORD length = 0;
  GetDefaultPrinterW(nullptr, &length);
  if (length == 0) return std::wstring();
  std::vector<wchar_t> name(length + 1, L'\0');
  if (!GetDefaultPrinterW(name.data(), &length)) return std::wstring();
  return std::wstring(name.data());
}

// A chart still held (a job cut short) frees its tools in its own destructor.
CPrintGraph::~CPrintGraph() {
  if (DevMode != nullptr) GlobalFree(DevMode);
}

std::unique_ptr<CPrintGraph> CreatePrintGraph(HWND owner, HINSTANCE instance) {
  auto printGraph = std::make_unique<CPrintGraph>();
  printGraph->Owner = owner;
  printGraph->Instance = instance;
  return printGraph;
}

void SetPrintGraphSource(CPrintGraph& printGraph, const TemperatureStore* temperatures,
                         double floorTemperature, const ColorScheme& colors) {
  printGraph.Temperatures = temperatures;
  printGraph.FloorTemperature = floorTemperature;
  ApplyColors(printGraph.Colors, colors);
}

INT_PTR RunPrintGraphDialog(CPrintGraph& printGraph) {
  return DialogBoxParamW(printGraph.Instance, L"PRINT_GRAPH_DIALOG", printGraph.Owner,
                         PrintGraphDialogProc, reinterpret_cast<LPARAM>(&printGraph));
}

bool RunSaveImagesDialog(CPrintGraph& printGraph) {
  printGraph.Purpose = PrintGraphPurpose::SaveImages;
  const INT_PTR result = RunPrintGraphDialog(printGraph);
  printGraph.Purpose = PrintGraphPurpose::Print;
  return result == kRangeChosen;
}

PrintRange DialogPrintRange(HWND dialog) {
  const auto pickerDate = [dialog](int id) {
    SYSTEMTIME time{};
    SendDlgItemMessageW(dialog, id, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
    return DateYmd{time.wYear, time.wMonth, time.wDay};
  };
  return PrintRange{pickerDate(IDC_PRINT_FROM_DATE), pickerDate(IDC_PRINT_TO_DATE)};
}

INT_PTR CALLBACK PrintGraphDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  CPrintGraph* printGraph = ContextOf(dialog);
  if (printGraph == nullptr) {
    if (message != WM_INITDIALOG) return FALSE;
    if (lParam == 0) {
      // Without its context the dialog could neither print nor be closed.
      EndDialog(dialog, kCancelled);
      return TRUE;
    }
    return OnInitDialog(dialog, *reinterpret_cast<CPrintGraph*>(lParam));
  }
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, *printGraph);
    case WM_COMMAND:
      return OnCommand(dialog, *printGraph, LOWORD(wParam));
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) {
        EndDialog(dialog, kCancelled);
        return TRUE;
      }
      return FALSE;
    case WM_DESTROY:
      RemovePropW(dialog, kContextProperty);
      printGraph->Dialog = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

int ChoosePrinter(CPrintGraph& printGraph) {
  PRINTDLGW choice{};
  choice.lStructSize = sizeof(choice);
  choice.hwndOwner = printGraph.Dialog;
  choice.hDevMode = printGraph.DevMode;
  choice.hDevNames = nullptr;
  choice.Flags = PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE | PD_HIDEPRINTTOFILE;
  choice.nFromPage = 1;
  choice.nToPage = 1;
  choice.nMinPage = 1;
  choice.nMaxPage = 1;
  const BOOL confirmed = PrintDlgW(&choice);
  // The printer's names travel inside the device mode; the names block is not used.
  if (choice.hDevNames != nullptr) GlobalFree(choice.hDevNames);
  if (!confirmed) {
    // Cancelled or failed: the held device mode stays. A block the system dialog made on the way
    // is freed, unless it replaced (and freed) the held one.
    if (choice.hDevMode != nullptr && choice.hDevMode != printGraph.DevMode) {
      if (printGraph.DevMode != nullptr && GlobalSize(printGraph.DevMode) == 0) {
        printGraph.DevMode = choice.hDevMode;
      } else {
        GlobalFree(choice.hDevMode);
      }
    }
    return 1;
  }
  if (choice.hDevMode == nullptr) {
    // The driver keeps no device mode; forget the held one if the system dialog freed it.
    if (printGraph.DevMode != nullptr && GlobalSize(printGraph.DevMode) == 0) {
      printGraph.DevMode = nullptr;
    }
    return 1;
  }
  printGraph.DevMode = choice.hDevMode;
  LockedDevMode devMode(printGraph.DevMode);
  if (devMode) {
    SetDlgItemTextW(printGraph.Dialog, IDC_PRINT_PRINTER_NAME,
                    DevModeDeviceName(*devMode.get()).c_str());
  }
  return 1;
}
