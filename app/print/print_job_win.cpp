// The print job of the print dialog: the printer's device mode forced to landscape A4, the
// printer device context, the document "Tovela" and its pages.
#include <windows.h>

#include "dates.h"
#include "gdi_canvas_win.h"
#include "print_document.h"
#include "print_graph_dialog_win.h"
#include "printer_device_mode_win.h"
#include "record_stores.h"
#include "resources/print_graph_dialog_ids.h"
#include "win_handles.h"

namespace {

constexpr int kLabelCapacity = 100;  // the printer label is read into 100 characters
constexpr wchar_t kDocumentName[] = L"Tovela";

void ShowPrinterError(const wchar_t* message) {
  MessageBoxW(nullptr, message, kPrinterErrorCaption, MB_OK | MB_ICONERROR);
}

// The document steps on a printer device context.
class GdiPrintDocument : public PrintDocumentDevice {
 public:
  explicit GdiPrintDocument(HDC dc) : dc_(dc) {}
  bool BeginDocument() override {
    DOCINFOW info{};
    info.cbSize = sizeof(info);
    info.lpszDocName = kDocumentName;
    info.lpszOutput = nullptr;
    info.lpszDatatype = nullptr;
    info.fwType = 0;
    return StartDocW(dc_, &info) > 0;
  }
  bool BeginPage() override { return StartPage(dc_) > 0; }
  bool FinishPage() override { return EndPage(dc_) > 0; }
  bool FinishDocument() override { return EndDoc(dc_) > 0; }
  void AbortDocument() override { AbortDoc(dc_); }

 private:
  HDC dc_;
};

// The held device mode, made from the named printer's defaults when none is held yet. false
// when the printer cannot be opened or its device mode cannot be read.
bool EnsureDevMode(CPrintGraph& printGraph, const wchar_t* printerName) {
  if (printGraph.DevMode != nullptr) return true;
  PrinterHandle printer;
  if (!printer.Open(printerName)) return false;
  HGLOBAL devMode = GetPrinterDevMode(printer.get(), printerName);
  if (devMode == nullptr) return false;
  printGraph.DevMode = devMode;
  return true;
}

// Forces the held device mode to landscape A4, shows its printer in the label and makes the
// printer device context from it. Null when the device mode cannot be locked or the context
// cannot be made.
HDC CreatePrinterDc(CPrintGraph& printGraph) {
  LockedDevMode devMode(printGraph.DevMode);
  if (!devMode) return nullptr;
  ForceLandscapeA4(*devMode.get());
  const std::wstring device = DevModeDeviceName(*devMode.get());
  SetDlgItemTextW(printGraph.Dialog, IDC_PRINT_PRINTER_NAME, device.c_str());
  return CreateDCW(nullptr, device.c_str(), nullptr, devMode.get());
}

}  // namespace

std::unique_ptr<PrintChartView> CreatePrintedChart(const CPrintGraph& printGraph, int pageWidth,
                                                   int pageHeight) {
  static const TemperatureStore kNoRecords;
  auto chart = CreatePrintChartView(
      pageWidth, pageHeight,
      printGraph.Temperatures != nullptr ? printGraph.Temperatures : &kNoRecords,
      printGraph.FloorTemperature, printGraph.Colors, &GdiDrawingTools(), printGraph.Signs);
  chart->shiftLines = printGraph.ShiftLines;
  chart->today = FromTm(quillet::GetNow());
  return chart;
}

int RunPrintJob(CPrintGraph& printGraph) {
  wchar_t label[kLabelCapacity] = {};
  GetDlgItemTextW(printGraph.Dialog, IDC_PRINT_PRINTER_NAME, label, kLabelCapacity);

  if (!EnsureDevMode(printGraph, label)) {
    ShowPrinterError(kPrinterInfoMessage);
    return 0;
  }
  win32::CreatedDc dc(CreatePrinterDc(printGraph));
  if (dc.get() == nullptr) {
    // The printer is gone or refused the device mode: nothing to draw into.
    ShowPrinterError(kPrinterInfoMessage);
    return 0;
  }

  const PrintRange range = DialogPrintRange(printGraph.Dialog);
  printGraph.PrintedChart = CreatePrintedChart(printGraph, GetDeviceCaps(dc.get(), HORZRES),
                                               GetDeviceCaps(dc.get(), VERTRES));
  PrintChartView& chart = *printGraph.PrintedChart;

  GdiCanvas canvas(dc.get());
  GdiPrintDocument document(dc.get());
  const PrintDocumentResult result =
      PrintDocumentPages(document, range.from, range.to, [&](const DateYmd& firstDay) {
        return DrawPrintedPage(chart, canvas, firstDay, range.to);
      });

  dc.reset();
  DeletePrintDrawingTools(chart);
  printGraph.PrintedChart.reset();

  if (result != PrintDocumentResult::Printed) {
    ShowPrinterError(kPrintFailedMessage);
    return 0;
  }
  return 1;
}
