// The print job on the real (virtual) printer: RunPrintJob driven directly with a CPrintGraph, a
// small store and a stand-in for the dialog (the printer label and the two date pickers), printing
// to the test PDF printer. Pages are checked with pdfinfo and rendered with pdftoppm.
#include <windows.h>
#include <commctrl.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "dates.h"
#include "print_chart_view.h"
#include "print_graph_dialog_win.h"
#include "print_pdf_support.h"
#include "printer_device_mode_win.h"
#include "record_stores.h"
#include "statistics.h"
#include "resources/print_graph_dialog_ids.h"

namespace {

using print_test::PdfInfo;

constexpr COLORREF kGraphRed = RGB(255, 0, 0);

DateYmd Plus(const DateYmd& day, int days) {
  return FromTm(quillet::AddYmd(ToTm(day), 0, 0, days));
}

std::wstring LabelOf(HWND host) {
  wchar_t text[256] = {};
  GetDlgItemTextW(host, IDC_PRINT_PRINTER_NAME, text, 256);
  return text;
}

int LockCount(HGLOBAL memory) { return static_cast<int>(GlobalFlags(memory) & GMEM_LOCKCOUNT); }

// Answers the first printer message box of this process with OK and keeps its text. The job
// shows it modally, so it must be answered from another thread.
class PrinterMessageWatcher {
 public:
  PrinterMessageWatcher() : thread_([this] { Watch(); }) {}
  ~PrinterMessageWatcher() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  // Stops watching (a box shown by then has been answered) and gives the box's text.
  std::wstring Text() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return text_;
  }

 private:
  void Watch() {
    while (!stop_) {
      HWND box = FindWindowW(L"#32770", kPrinterErrorCaption);
      DWORD owner = 0;
      if (box != nullptr) GetWindowThreadProcessId(box, &owner);
      if (box != nullptr && owner == GetCurrentProcessId() && IsWindowVisible(box)) {
        wchar_t text[512] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 512);
        text_ = text;
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return;
      }
      Sleep(15);
    }
  }
  std::atomic<bool> stop_{false};
  std::wstring text_;
  std::thread thread_;
};

class PrintJob : public ::testing::Test {
 protected:
  void SetUp() override {
    TOVELA_NEED_TEST_PRINTER();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
    host_ = CreateWindowExW(0, L"STATIC", L"print host", WS_POPUP, 0, 0, 400, 200, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(host_, nullptr);
    CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 200, 20, host_,
                    reinterpret_cast<HMENU>(IDC_PRINT_PRINTER_NAME), nullptr, nullptr);
    for (int id : {IDC_PRINT_FROM_DATE, IDC_PRINT_TO_DATE}) {
      CreateWindowExW(0, DATETIMEPICK_CLASSW, L"", WS_CHILD | DTS_LONGDATEFORMAT, 0, 30, 200, 20,
                      host_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }
    printer_ = DefaultPrinterName();
    ASSERT_FALSE(printer_.empty()) << "the test printer is not the default printer";
    SetDlgItemTextW(host_, IDC_PRINT_PRINTER_NAME, printer_.c_str());

    graph_.Dialog = host_;
    graph_.Temperatures = &store_;
    graph_.FloorTemperature = 36.0;
    graph_.Colors.BaseColor = RGB(0, 0, 0);
    graph_.Colors.GraphGridColor = RGB(160, 160, 160);
    graph_.Colors.GraphColor = kGraphRed;
    graph_.Colors.StringColor = RGB(0, 0, 0);
    graph_.Colors.BaseTempeLineColor = RGB(0, 0, 255);
  }

  void TearDown() override {
    if (graph_.DevMode != nullptr) GlobalFree(graph_.DevMode);
    graph_.DevMode = nullptr;
    if (host_ != nullptr) DestroyWindow(host_);
  }

  void SetRange(const DateYmd& from, const DateYmd& to) {
    SetPicker(IDC_PRINT_FROM_DATE, from);
    SetPicker(IDC_PRINT_TO_DATE, to);
  }
  void SetPicker(int id, const DateYmd& date) {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(date.year);
    time.wMonth = static_cast<WORD>(date.month);
    time.wDay = static_cast<WORD>(date.day);
    time.wHour = 12;
    ASSERT_TRUE(SendDlgItemMessageW(host_, id, DTM_SETSYSTEMTIME, GDT_VALID,
                                    reinterpret_cast<LPARAM>(&time)));
  }

  // A temperature every day from `first` for `days` days, zigzagging between 36.2 and 36.9.
  void FillDays(const DateYmd& first, int days) {
    for (int i = 0; i < days; ++i) {
      const DateYmd d = Plus(first, i);
      TemperatureRecord r{};
      r.year = d.year;
      r.month = d.month;
      r.day = d.day;
      r.temperature = 36.2 + 0.1 * (i % 8);
      r.periodStart = i % 28 == 0 ? 1 : 0;
      ASSERT_TRUE(InsertTemperature(r, store_));
    }
  }

  // The printable size of the test printer's landscape A4 page, in device pixels.
  void PageSize(int& width, int& height) {
    width = height = 0;
    PrinterHandle printer;
    EXPECT_TRUE(printer.Open(printer_.c_str()));
    HGLOBAL memory = GetPrinterDevMode(printer.get(), printer_.c_str());
    EXPECT_NE(memory, nullptr);
    {
      LockedDevMode devMode(memory);
      EXPECT_TRUE(devMode);
      ForceLandscapeA4(*devMode.get());
      HDC dc = CreateDCW(nullptr, printer_.c_str(), nullptr, devMode.get());
      EXPECT_NE(dc, nullptr);
      width = GetDeviceCaps(dc, HORZRES);
      height = GetDeviceCaps(dc, VERTRES);
      DeleteDC(dc);
    }
    GlobalFree(memory);
  }
  // The page layout for that page.
  std::unique_ptr<PrintChartView> PageLayout() {
    int width = 0, height = 0;
    PageSize(width, height);
    return CreatePrintChartView(width, height, &store_, 36.0, ColorScheme{}, nullptr);
  }
  // Day columns per page on the test printer.
  int DaysPerPage() { return DaysPerPrintPage(*PageLayout()); }

  // Runs the job; on success waits for its PDF and reads it.
  std::string PrintAndWait(PdfInfo& info) {
    // As the print command does: the floor of the records to print.
    graph_.FloorTemperature = ChartFloorTemperature(store_);
    print_test::PrinterLock printerLock;
    EXPECT_TRUE(printerLock.Locked()) << "another test run kept the printer";
    const auto before = print_test::PdfFiles();
    const int result = RunPrintJob(graph_);
    EXPECT_EQ(result, 1);
    if (result != 1) return std::string();
    std::string pdf = print_test::WaitForNewPdf(before, info);
    EXPECT_FALSE(pdf.empty()) << "no PDF appeared in " << print_test::PdfFolder();
    return pdf;
  }

  HWND host_ = nullptr;
  std::wstring printer_;
  TemperatureStore store_;
  CPrintGraph graph_;
};

TEST_F(PrintJob, RangeOfExactlyOnePagePrintsOneLandscapeA4Page) {
  const int perPage = DaysPerPage();
  ASSERT_GT(perPage, 10);
  const DateYmd from{2026, 10, 14};
  FillDays(Plus(from, -10), perPage + 20);
  SetRange(from, Plus(from, perPage - 1));
  PdfInfo info;
  const std::string pdf = PrintAndWait(info);
  ASSERT_FALSE(pdf.empty());
  EXPECT_EQ(info.pages, 1) << info.text;
  EXPECT_TRUE(info.IsA4()) << info.text;
  EXPECT_TRUE(info.IsLandscape()) << info.text;
  EXPECT_EQ(info.title, "Tovela") << info.text;
  EXPECT_FALSE(print_test::RenderPagePng(pdf, "print_job_one_page").empty());

  // The job made the device mode from the label's printer, keeps it, and left it unlocked; the
  // printed chart is gone; the label names the device printed to.
  ASSERT_NE(graph_.DevMode, nullptr);
  EXPECT_EQ(LockCount(graph_.DevMode), 0);
  EXPECT_EQ(graph_.PrintedChart, nullptr);
  EXPECT_EQ(LabelOf(host_), printer_);
}

TEST_F(PrintJob, OneDayMoreThanAPagePrintsTwoPages) {
  const int perPage = DaysPerPage();
  const DateYmd from{2026, 12, 20};
  FillDays(from, perPage + 1);
  SetRange(from, Plus(from, perPage));
  PdfInfo info;
  ASSERT_FALSE(PrintAndWait(info).empty());
  EXPECT_EQ(info.pages, 2) << info.text;
  EXPECT_TRUE(info.IsA4()) << info.text;
  EXPECT_TRUE(info.IsLandscape()) << info.text;
}

TEST_F(PrintJob, ToDateBeforeFromDatePrintsOnePage) {
  const DateYmd from{2026, 12, 7};
  FillDays(Plus(from, -40), 80);
  SetRange(from, Plus(from, -30));
  PdfInfo info;
  const std::string pdf = PrintAndWait(info);
  ASSERT_FALSE(pdf.empty());
  EXPECT_EQ(info.pages, 1) << info.text;
  EXPECT_FALSE(print_test::RenderPagePng(pdf, "print_job_to_before_from").empty());
}

TEST_F(PrintJob, PortraitLetterDeviceModeStillPrintsLandscapeA4) {
  {
    PrinterHandle printer;
    ASSERT_TRUE(printer.Open(printer_.c_str()));
    graph_.DevMode = GetPrinterDevMode(printer.get(), printer_.c_str());
    ASSERT_NE(graph_.DevMode, nullptr);
    LockedDevMode devMode(graph_.DevMode);
    ASSERT_TRUE(devMode);
    // As a user's choice of portrait Letter in the system dialog leaves it, with a custom size
    // and form marked as well.
    devMode.get()->dmOrientation = DMORIENT_PORTRAIT;
    devMode.get()->dmPaperSize = DMPAPER_LETTER;
    devMode.get()->dmPaperLength = 2794;
    devMode.get()->dmPaperWidth = 2159;
    devMode.get()->dmFields |= DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH;
  }
  const DateYmd from{2026, 11, 1};
  FillDays(from, 30);
  SetRange(from, Plus(from, 29));
  PdfInfo info;
  const std::string pdf = PrintAndWait(info);
  ASSERT_FALSE(pdf.empty());
  EXPECT_EQ(info.pages, 1) << info.text;
  EXPECT_TRUE(info.IsA4()) << info.text;
  EXPECT_TRUE(info.IsLandscape()) << info.text;
  EXPECT_FALSE(print_test::RenderPagePng(pdf, "print_job_from_portrait_letter").empty());

  LockedDevMode devMode(graph_.DevMode);
  ASSERT_TRUE(devMode);
  EXPECT_EQ(devMode.get()->dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(devMode.get()->dmPaperSize, DMPAPER_A4);
}

// Counts pixels of the curve's colour (pure red, no anti-aliasing) in columns [x0, x1).
int RedPixels(const print_test::PageImage& image, int x0, int x1) {
  int count = 0;
  for (int y = 0; y < image.height; ++y) {
    for (int x = x0; x < x1; ++x) {
      int r, g, b;
      image.At(x, y, r, g, b);
      if (r > 200 && g < 60 && b < 60) ++count;
    }
  }
  return count;
}

TEST_F(PrintJob, NoPointIsDrawnAfterTheEndDate) {
  const int perPage = DaysPerPage();
  const DateYmd from{2026, 9, 1};
  FillDays(Plus(from, -5), perPage + 10);
  constexpr int kDpi = 100;

  // The same page twice: once ending mid-page, once ending on the page's last day.
  const int endColumn = perPage / 3;  // 0-based column of the mid-page end date
  SetRange(from, Plus(from, endColumn));
  PdfInfo midInfo;
  const std::string midPdf = PrintAndWait(midInfo);
  ASSERT_FALSE(midPdf.empty());
  EXPECT_EQ(midInfo.pages, 1);
  SetRange(from, Plus(from, perPage - 1));
  PdfInfo fullInfo;
  const std::string fullPdf = PrintAndWait(fullInfo);
  ASSERT_FALSE(fullPdf.empty());
  EXPECT_EQ(fullInfo.pages, 1);
  print_test::RenderPagePng(midPdf, "print_job_end_mid_page");
  print_test::RenderPagePng(fullPdf, "print_job_end_last_day");

  const print_test::PageImage mid = print_test::RenderPageImage(midPdf, kDpi);
  const print_test::PageImage full = print_test::RenderPageImage(fullPdf, kDpi);
  ASSERT_TRUE(mid.Valid());
  ASSERT_TRUE(full.Valid());
  ASSERT_EQ(mid.width, full.width);
  ASSERT_GT(mid.width, mid.height) << "the page is not shown landscape";

  // Device pixels to image pixels: the printable area is the whole sheet.
  const auto view = PageLayout();
  const double scale = static_cast<double>(mid.width) / view->pageRight;
  // Right of the end day's column (plus the point's radius) there is no red in the mid-page job;
  // the full job has its curve there.
  const int afterEnd =
      static_cast<int>((view->plotLeft + (endColumn + 1) * view->dayWidth + 4) * scale) + 2;
  const int plotRight = static_cast<int>(view->plotRight * scale);
  EXPECT_EQ(RedPixels(mid, afterEnd, plotRight), 0);
  EXPECT_GT(RedPixels(full, afterEnd, plotRight), 100);
  // Up to the last full day before the end, both pages show the same curve.
  const int beforeEnd =
      static_cast<int>((view->plotLeft + (endColumn - 1) * view->dayWidth) * scale);
  const int left = static_cast<int>(view->plotLeft * scale);
  const int midLeftRed = RedPixels(mid, left, beforeEnd);
  EXPECT_GT(midLeftRed, 50);
  EXPECT_EQ(midLeftRed, RedPixels(full, left, beforeEnd));
}

TEST_F(PrintJob, PrinterThatCannotBeOpenedIsReportedAndNothingPrints) {
  SetDlgItemTextW(host_, IDC_PRINT_PRINTER_NAME, L"NoSuchPrinter");
  SetRange(DateYmd{2026, 12, 1}, DateYmd{2026, 12, 31});
  print_test::PrinterLock printerLock;
  EXPECT_TRUE(printerLock.Locked()) << "another test run kept the printer";
  const auto before = print_test::PdfFiles();
  PrinterMessageWatcher watcher;
  EXPECT_EQ(RunPrintJob(graph_), 0);
  EXPECT_EQ(watcher.Text(), kPrinterInfoMessage);
  EXPECT_EQ(graph_.DevMode, nullptr);
  EXPECT_EQ(graph_.PrintedChart, nullptr);
  EXPECT_EQ(print_test::PdfFiles(), before);
}

TEST_F(PrintJob, HeldDeviceModeOfAGonePrinterIsReportedInsteadOfDrawingIntoNothing) {
  // A device mode chosen earlier for a printer that has since gone: no device context results.
  graph_.DevMode = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODEW));
  ASSERT_NE(graph_.DevMode, nullptr);
  {
    LockedDevMode devMode(graph_.DevMode);
    ASSERT_TRUE(devMode);
    lstrcpyW(devMode.get()->dmDeviceName, L"GonePrinter");
    devMode.get()->dmSize = sizeof(DEVMODEW);
    devMode.get()->dmSpecVersion = DM_SPECVERSION;
  }
  SetRange(DateYmd{2026, 12, 1}, DateYmd{2026, 12, 31});
  print_test::PrinterLock printerLock;
  EXPECT_TRUE(printerLock.Locked()) << "another test run kept the printer";
  const auto before = print_test::PdfFiles();
  PrinterMessageWatcher watcher;
  EXPECT_EQ(RunPrintJob(graph_), 0);
  EXPECT_EQ(watcher.Text(), kPrinterInfoMessage);
  EXPECT_EQ(LockCount(graph_.DevMode), 0);
  EXPECT_EQ(graph_.PrintedChart, nullptr);
  EXPECT_EQ(print_test::PdfFiles(), before);
}

TEST(PrinterDeviceMode, FullLengthDeviceNameWithoutTerminatorIsReadWhole) {
  DEVMODEW devMode{};
  for (int i = 0; i < CCHDEVICENAME; ++i) devMode.dmDeviceName[i] = static_cast<wchar_t>(L'A' + i % 26);
  const std::wstring name = DevModeDeviceName(devMode);
  ASSERT_EQ(name.size(), static_cast<std::size_t>(CCHDEVICENAME));
  EXPECT_EQ(name.substr(0, 3), L"ABC");
}

TEST(PrinterDeviceMode, LandscapeA4OverridesCustomPaperAndForm) {
  DEVMODEW devMode{};
  devMode.dmFields = DM_COPIES | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_FORMNAME;
  devMode.dmOrientation = DMORIENT_PORTRAIT;
  devMode.dmPaperSize = DMPAPER_LETTER;
  devMode.dmCopies = 3;
  ForceLandscapeA4(devMode);
  EXPECT_EQ(devMode.dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(devMode.dmPaperSize, DMPAPER_A4);
  EXPECT_EQ(devMode.dmCopies, 3);
  EXPECT_EQ(devMode.dmFields, static_cast<DWORD>(DM_COPIES | DM_ORIENTATION | DM_PAPERSIZE));
}

TEST(PrinterDeviceMode, LockIsReleasedWhenTheScopeEnds) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODEW));
  ASSERT_NE(memory, nullptr);
  {
    LockedDevMode devMode(memory);
    ASSERT_TRUE(devMode);
    EXPECT_EQ(LockCount(memory), 1);
  }
  EXPECT_EQ(LockCount(memory), 0);
  // A block too small for a device mode is refused, and still unlocked afterwards.
  HGLOBAL tiny = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 16);
  {
    LockedDevMode devMode(tiny);
    EXPECT_FALSE(devMode);
  }
  EXPECT_EQ(LockCount(tiny), 0);
  GlobalFree(tiny);
  GlobalFree(memory);
}

}  // namespace
