// The print dialog "PRINT_GRAPH_DIALOG" with its context `CPrintGraph`, and the print job.
//
// The dialog shows the default printer's name, offers the system print dialog to choose another
// printer and its settings ("プリンタ設定(&S)"), and takes a from-date and a to-date. "印刷(&P)"
// prints the temperature chart of that range on A4 landscape sheets, a fixed number of days a
// sheet, and closes the dialog.
//
// The device mode chosen once (through the system dialog, or read from the printer by the first
// job) is kept in the context for the rest of the run and used by every later job; each job
// rewrites it to landscape A4.
//
// The same dialog, captioned "グラフを画像で保存" with "保存(&S)" and no printer, takes the range of
// the pages to save as pictures (page_images_win.h).
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "print_chart_view.h"

struct TemperatureStore;
struct SignStore;

// The caption of every printer message, and the messages.
inline constexpr wchar_t kPrinterErrorCaption[] = L"プリンタエラーです。";
inline constexpr wchar_t kNoPrinterMessage[] =
    L"有効なプリンタが見つかりませんでした。\nプリンタの接続を確認して再度実行して下さい。";
inline constexpr wchar_t kPrinterInfoMessage[] =
    L"プリンタ情報の取得に失敗しました。\nプリンタの接続を確認して再度実行して下さい。";
// A job the printer refused part-way (document or page could not be started or ended).
inline constexpr wchar_t kPrintFailedMessage[] =
    L"印刷に失敗しました。\nプリンタの接続を確認して再度実行して下さい。";

// What the dialog is opened for.
enum class PrintGraphPurpose {
  Print,       // print the range on the printer
  SaveImages,  // choose the range of the pages to save as pictures; no printer is needed
};

// The days of a job: from the from-date to the to-date, as the two date pickers give them.
struct PrintRange {
  DateYmd from;
  DateYmd to;
};

class CPrintGraph {
 public:
  // Frees a printed chart still held (with its drawing tools) and the held device mode.
  ~CPrintGraph();

  HWND Owner = nullptr;       // the main window
  HINSTANCE Instance = nullptr;
  HWND Dialog = nullptr;      // while the dialog is open
  HGLOBAL DevMode = nullptr;  // movable block with a DEVMODEW, or null; owned
  const TemperatureStore* Temperatures = nullptr;  // not owned
  const SignStore* Signs = nullptr;                // not owned; the band under the plot
  std::unique_ptr<PrintChartView> PrintedChart;   // only while a job runs
  double FloorTemperature = 0.0;
  ColorScheme Colors;  // the page uses all but the today and mark colours
  ShiftLineStyle ShiftLines;  // the cycles' cover lines and first high days, as the screen shows
  PrintGraphPurpose Purpose = PrintGraphPurpose::Print;  // while the dialog is open
  std::optional<PrintRange> ImageRange;  // the range last chosen for pictures in this run
};

// The context for the run: owner and instance, everything else null.
std::unique_ptr<CPrintGraph> CreatePrintGraph(HWND owner, HINSTANCE instance);

// What the next job prints: the store, its chart floor and the chart's colours (a colour of
// kKeepColor leaves the stored one as it is).
void SetPrintGraphSource(CPrintGraph& printGraph, const TemperatureStore* temperatures,
                         double floorTemperature, const ColorScheme& colors);

// Runs the dialog modally from the context's instance, owned by its owner window. 0 when no
// default printer was found, 1 after "印刷(&P)" (whether or not the job ran), 2 after cancel or
// the close box; -1 when the dialog could not be made.
INT_PTR RunPrintGraphDialog(CPrintGraph& printGraph);

// The dialog for pictures (PrintGraphPurpose::SaveImages): its pickers open on the range last
// chosen for pictures in this run (today when none was), and "保存(&S)" keeps the range in
// ImageRange. true after "保存(&S)", false after cancel, the close box or a dialog that could not
// be made.
bool RunSaveImagesDialog(CPrintGraph& printGraph);

// The printed chart of one page of pageWidth x pageHeight device pixels, drawing what the context
// holds: the store, its floor, the colours and the reading of the curve up to today. The print
// job's sheets and the saved pictures are both made from it.
std::unique_ptr<PrintChartView> CreatePrintedChart(const CPrintGraph& printGraph, int pageWidth,
                                                   int pageHeight);

// The range the dialog's two date pickers show; the time of day is ignored.
PrintRange DialogPrintRange(HWND dialog);

INT_PTR CALLBACK PrintGraphDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// "プリンタ設定(&S)": the system print dialog on the held device mode; a confirmed choice becomes
// the held device mode and its printer's name the label. Cancel changes nothing. Always 1.
int ChoosePrinter(CPrintGraph& printGraph);

// "印刷(&P)": prints the range of the dialog's date pickers to the held device mode's printer
// (making the device mode from the label's printer when none is held yet). 1 when the document
// was printed; 0 when the job was abandoned, after telling the user why.
int RunPrintJob(CPrintGraph& printGraph);

// The name of the spooler's default printer; empty when there is none.
std::wstring DefaultPrinterName();
