// The print command of the real program, end to end: the print dialog "グラフ印刷", the printer
// messages, and jobs on the test PDF printer (tests/setup.d/pdf-printer.sh) checked with pdfinfo
// and rendered with pdftoppm into the artifacts folder.
//
// The run without a printer takes the printer out of the Wine prefix (`PrinterAbsence`) before
// the program starts and puts it back, default again, once the program has closed.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "print_pdf_support.h"
#include "app_fixture.h"

namespace e2e {
namespace {

constexpr wchar_t kPrintDialogCaption[] = L"グラフ印刷";
constexpr wchar_t kPrinterErrorCaption[] = L"プリンタエラーです。";
constexpr wchar_t kNoPrinterText[] =
    L"有効なプリンタが見つかりませんでした。\nプリンタの接続を確認して再度実行して下さい。";
constexpr int kPrinterLabelId = 702;
constexpr int kPrinterSetupId = 701;
constexpr int kFromPickerId = 703;
constexpr int kToPickerId = 704;

// The test printer's page: landscape A4 at 300 dpi is 3508 x 2479 device pixels, which the page
// layout turns into a plot from x = 236 with day columns 52 pixels wide, 62 days a page (the Wine
// unit tests check this layout against the printer itself).
constexpr int kPageWidth = 3508;
constexpr int kPlotLeft = 236;
constexpr int kDayWidth = 52;
constexpr int kDaysPerPage = 62;

class PrintCommand : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    TOVELA_NEED_TEST_PRINTER();
    ASSERT_TRUE(install.WriteFile(L"Tovela.ini", kPrintColoursIni));
  }

  // Temperature lines from `first` for `days` days.
  void WriteTemperatures(const Ymd& first, int days) {
    ASSERT_TRUE(install.WriteFile(L"TEMPERATURE_DATA.dat", ZigzagTemperatures(first, days)));
  }

  // Posts the print command and waits for the dialog.
  HWND OpenPrintDialog() {
    PostCommand(app.MainWindow(), kPrintCommand);
    return app.WaitForDialog(kPrintDialogCaption);
  }

  void SetRange(HWND dialog, const Ymd& from, const Ymd& to) {
    ASSERT_TRUE(app.SetDate(GetDlgItem(dialog, kFromPickerId), from.year, from.month, from.day, false));
    ASSERT_TRUE(app.SetDate(GetDlgItem(dialog, kToPickerId), to.year, to.month, to.day, false));
  }

  // Presses "印刷(&P)", waits for the dialog to close and for the job's PDF.
  std::string PrintAndWait(HWND dialog, print_test::PdfInfo& info) {
    print_test::PrinterLock printerLock;
    EXPECT_TRUE(printerLock.Locked()) << "another test run kept the printer";
    const auto before = print_test::PdfFiles();
    PostClick(GetDlgItem(dialog, IDOK));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); })) << "the print dialog stayed open";
    const std::string pdf = print_test::WaitForNewPdf(before, info);
    EXPECT_FALSE(pdf.empty()) << "no PDF appeared in " << print_test::PdfFolder();
    return pdf;
  }

  // Prints the range in a fresh opening of the dialog and gives pdfinfo's view of the job.
  print_test::PdfInfo PrintRange(const Ymd& from, const Ymd& to, std::string* pdfPath = nullptr) {
    HWND dialog = OpenPrintDialog();
    EXPECT_NE(dialog, nullptr);
    if (dialog == nullptr) return print_test::PdfInfo{};
    SetRange(dialog, from, to);
    print_test::PdfInfo info;
    const std::string pdf = PrintAndWait(dialog, info);
    if (pdfPath != nullptr) *pdfPath = pdf;
    return info;
  }
};

// The x range [begin, end) of red pixels in the image; begin > end when there are none.
struct RedSpan {
  int begin = 1 << 30, end = -1, count = 0;
};

RedSpan RedPixelsOf(const print_test::PageImage& image) {
  RedSpan span;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      int r, g, b;
      image.At(x, y, r, g, b);
      if (r > 200 && g < 60 && b < 60) {
        span.begin = std::min(span.begin, x);
        span.end = std::max(span.end, x + 1);
        ++span.count;
      }
    }
  }
  return span;
}

TEST_F(PrintCommand, WithoutAPrinterTheDialogReportsItAndReturnsToTheMainWindow) {
  print_test::PrinterLock printerLock;
  EXPECT_TRUE(printerLock.Locked()) << "another test run kept the printer";
  {
    print_test::PrinterAbsence noPrinter(L"PDF");
    ASSERT_TRUE(noPrinter.Removed()) << "the test printer could not be taken out of the prefix";
    DWORD size = 0;
    ASSERT_FALSE(GetDefaultPrinterW(nullptr, &size)) << "a default printer is left";
    ASSERT_NO_FATAL_FAILURE(Start());
    HWND main = app.MainWindow();

    const auto before = print_test::PdfFiles();
    const MessageBoxText box = app.CommandAndReadMessage(kPrintCommand);
    ASSERT_TRUE(box) << "no message box";
    EXPECT_EQ(box.caption, kPrinterErrorCaption);
    EXPECT_EQ(box.text, kNoPrinterText);
    EXPECT_EQ(GetWindow(box.window, GW_OWNER), nullptr) << "the message has an owner";
    app.Screenshot(box.window, L"print_no_printer_message.bmp");
    ASSERT_TRUE(box.Answer(IDOK));
    // Back at the main window: the print dialog is gone and the program answers.
    EXPECT_TRUE(WaitUntil([&] { return app.WaitForDialog(kPrintDialogCaption, 0ms) == nullptr; }));
    EXPECT_TRUE(app.NoMessageBox());
    DWORD_PTR result = 0;
    EXPECT_NE(SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result), 0);
    EXPECT_EQ(print_test::PdfFiles(), before);
    Close();
  }
  wchar_t name[64] = {};
  DWORD size = 64;
  EXPECT_TRUE(GetDefaultPrinterW(name, &size) && std::wstring(name) == L"PDF")
      << "the test printer is not the default printer again";
}

TEST_F(PrintCommand, DialogShowsTheDefaultPrinterAndTodayAndCancelPrintsNothing) {
  Start();
  HWND dialog = OpenPrintDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(GetText(GetDlgItem(dialog, kPrinterLabelId)), L"PDF");
  EXPECT_EQ(GetText(GetDlgItem(dialog, kPrinterSetupId)), L"プリンタ設定(&S)");
  EXPECT_EQ(GetText(GetDlgItem(dialog, IDOK)), L"印刷(&P)");
  EXPECT_EQ(GetText(GetDlgItem(dialog, IDCANCEL)), L"キャンセル(&C)");
  const Ymd today = TodayYmd();
  for (int id : {kFromPickerId, kToPickerId}) {
    Ymd shown;
    ASSERT_TRUE(app.GetDate(GetDlgItem(dialog, id), shown.year, shown.month, shown.day));
    EXPECT_EQ(DateText(shown), DateText(today)) << id;
  }
  // Placed on the screen, owned by the main window.
  RECT rc{};
  GetWindowRect(dialog, &rc);
  EXPECT_GE(rc.left, 0);
  EXPECT_GE(rc.top, 0);
  EXPECT_LE(rc.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_LE(rc.bottom, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), app.MainWindow());
  app.Screenshot(dialog, L"print_dialog.bmp");

  print_test::PrinterLock printerLock;
  EXPECT_TRUE(printerLock.Locked()) << "another test run kept the printer";
  const auto before = print_test::PdfFiles();
  PostClick(GetDlgItem(dialog, IDCANCEL));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  EXPECT_TRUE(app.NoMessageBox());
  EXPECT_EQ(print_test::PdfFiles(), before);
  Close();
}

TEST_F(PrintCommand, CtrlPOpensTheDialogAndTheCloseBoxClosesIt) {
  Start();
  PressKeys(app.MainWindow(), {VK_CONTROL, 'P'});
  HWND dialog = app.WaitForDialog(kPrintDialogCaption);
  ASSERT_NE(dialog, nullptr) << "Ctrl+P did not open the print dialog";
  print_test::PrinterLock printerLock;
  EXPECT_TRUE(printerLock.Locked()) << "another test run kept the printer";
  const auto before = print_test::PdfFiles();
  PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  EXPECT_TRUE(app.NoMessageBox());
  EXPECT_EQ(print_test::PdfFiles(), before);
  Close();
}

TEST_F(PrintCommand, UntouchedPickersPrintOnePageWhoseFirstColumnIsToday) {
  // Records yesterday, today and tomorrow: only today's point may be drawn, in the first column
  // (yesterday's record only steers the line into it from the left edge).
  WriteTemperatures(DaysFromToday(-1), 3);
  Start();
  HWND dialog = OpenPrintDialog();
  ASSERT_NE(dialog, nullptr);
  print_test::PdfInfo info;
  const std::string pdf = PrintAndWait(dialog, info);
  ASSERT_FALSE(pdf.empty());
  EXPECT_EQ(info.pages, 1) << info.text;
  EXPECT_TRUE(info.IsA4()) << info.text;
  EXPECT_TRUE(info.IsLandscape()) << info.text;
  EXPECT_EQ(info.title, "Tovela") << info.text;
  EXPECT_TRUE(app.NoMessageBox());
  EXPECT_FALSE(print_test::RenderPagePng(pdf, "print_today_only").empty());

  const print_test::PageImage image = print_test::RenderPageImage(pdf, 100);
  ASSERT_TRUE(image.Valid());
  ASSERT_GT(image.width, image.height);
  const double scale = static_cast<double>(image.width) / kPageWidth;
  const RedSpan red = RedPixelsOf(image);
  EXPECT_GT(red.count, 0) << "today's point is missing";
  EXPECT_GE(red.begin, static_cast<int>(kPlotLeft * scale) - 1);
  EXPECT_LE(red.end, static_cast<int>((kPlotLeft + kDayWidth) * scale) + 2)
      << "something red right of the first column";
  Close();
}

TEST_F(PrintCommand, PageCountFollowsTheRange) {
  const Ymd from = DaysFromToday(-100);
  WriteTemperatures(DaysFromToday(-110), 130);
  Start();
  Ymd lastOfPage = from;
  AddDays(lastOfPage.year, lastOfPage.month, lastOfPage.day, kDaysPerPage - 1);
  Ymd firstAfterPage = from;
  AddDays(firstAfterPage.year, firstAfterPage.month, firstAfterPage.day, kDaysPerPage);
  Ymd beforeFrom = from;
  AddDays(beforeFrom.year, beforeFrom.month, beforeFrom.day, -20);

  std::string pdf;
  print_test::PdfInfo exact = PrintRange(from, lastOfPage, &pdf);
  EXPECT_EQ(exact.pages, 1) << exact.text;
  EXPECT_TRUE(exact.IsA4() && exact.IsLandscape()) << exact.text;
  EXPECT_FALSE(print_test::RenderPagePng(pdf, "print_one_full_page").empty());

  print_test::PdfInfo oneMore = PrintRange(from, firstAfterPage, &pdf);
  EXPECT_EQ(oneMore.pages, 2) << oneMore.text;
  EXPECT_TRUE(oneMore.IsA4() && oneMore.IsLandscape()) << oneMore.text;

  print_test::PdfInfo backwards = PrintRange(from, beforeFrom, &pdf);
  EXPECT_EQ(backwards.pages, 1) << backwards.text;
  EXPECT_FALSE(print_test::RenderPagePng(pdf, "print_to_before_from").empty());
  // A range ending before it starts draws no point: only the line coming in from the record
  // before the page reaches into the first column.
  const print_test::PageImage image = print_test::RenderPageImage(pdf, 100);
  ASSERT_TRUE(image.Valid());
  const double scale = static_cast<double>(image.width) / kPageWidth;
  EXPECT_LE(RedPixelsOf(image).end, static_cast<int>((kPlotLeft + kDayWidth) * scale) + 2);
  EXPECT_TRUE(app.NoMessageBox());
  Close();
}

TEST_F(PrintCommand, PrinterSetUpConfirmedKeepsThePrinterAndStillPrintsLandscapeA4) {
  WriteTemperatures(DaysFromToday(-20), 21);
  Start();
  HWND dialog = OpenPrintDialog();
  ASSERT_NE(dialog, nullptr);
  // The system print dialog: cancelled first, then confirmed.
  for (int button : {IDCANCEL, IDOK}) {
    PostClick(GetDlgItem(dialog, kPrinterSetupId));
    HWND system = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
      for (HWND w : TopLevelWindows(app.Id(), L"#32770", L"", true)) {
        if (w != dialog) system = w;
      }
      return system != nullptr;
    })) << "the system print dialog did not open";
    if (button == IDOK) app.Screenshot(system, L"print_system_dialog.bmp");
    PostMessageW(system, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(system); }));
    EXPECT_TRUE(IsWindow(dialog)) << "the print dialog closed with the system dialog";
    EXPECT_EQ(GetText(GetDlgItem(dialog, kPrinterLabelId)), L"PDF");
  }
  print_test::PdfInfo info;
  const std::string pdf = PrintAndWait(dialog, info);
  ASSERT_FALSE(pdf.empty());
  EXPECT_EQ(info.pages, 1) << info.text;
  EXPECT_TRUE(info.IsA4()) << info.text;
  EXPECT_TRUE(info.IsLandscape()) << info.text;
  EXPECT_TRUE(app.NoMessageBox());
  Close();
}

// A visible top-level dialog of the process that is none of `known`; null when none shows in time.
HWND WaitForOtherDialog(const TovelaProcess& app, const std::set<HWND>& known) {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND w : TopLevelWindows(app.Id(), L"#32770", L"", true)) {
      if (known.count(w) == 0) found = w;
    }
    return found != nullptr;
  });
  return found;
}

TEST_F(PrintCommand, PortraitLetterChosenInThePrinterPropertiesStillPrintsLandscapeA4) {
  WriteTemperatures(DaysFromToday(-20), 21);
  Start();
  HWND dialog = OpenPrintDialog();
  ASSERT_NE(dialog, nullptr);
  PostClick(GetDlgItem(dialog, kPrinterSetupId));
  HWND system = WaitForOtherDialog(app, {dialog});
  ASSERT_NE(system, nullptr) << "the system print dialog did not open";
  // "プロパティ(P)": the printer driver's property sheet, with the paper list (100) and the
  // orientation buttons (101 portrait, 102 landscape) on its first page.
  HWND properties = nullptr;
  for (HWND w = FindWindowExW(system, nullptr, L"Button", nullptr); w != nullptr;
       w = FindWindowExW(system, w, L"Button", nullptr)) {
    if (GetText(w).find(L"プロパティ") != std::wstring::npos) properties = w;
  }
  ASSERT_NE(properties, nullptr);
  PostClick(properties);
  HWND sheet = WaitForOtherDialog(app, {dialog, system});
  ASSERT_NE(sheet, nullptr) << "the printer properties did not open";
  HWND page = FindWindowExW(sheet, nullptr, L"#32770", nullptr);
  ASSERT_NE(page, nullptr);
  HWND papers = GetDlgItem(page, 100);
  ASSERT_NE(papers, nullptr);
  DWORD_PTR count = 0;
  SendMessageTimeoutW(papers, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count);
  int letter = -1;
  for (int i = 0; i < static_cast<int>(count) && letter < 0; ++i) {
    wchar_t text[256] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(papers, LB_GETTEXTLEN, i, 0, SMTO_ABORTIFHUNG, 5000, &length);
    if (length >= 256) continue;
    SendMessageTimeoutW(papers, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        5000, &length);
    if (std::wstring(text).find(L"Letter") != std::wstring::npos) letter = i;
  }
  ASSERT_GE(letter, 0) << "no Letter paper among " << count;
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(papers, LB_SETCURSEL, letter, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  PostMessageW(page, WM_COMMAND, MAKEWPARAM(100, LBN_SELCHANGE), reinterpret_cast<LPARAM>(papers));
  HWND portrait = GetDlgItem(page, 101);
  ASSERT_NE(portrait, nullptr);
  PostClick(portrait);
  ASSERT_TRUE(WaitUntil([&] { return IsChecked(portrait); })) << "portrait was not chosen";
  app.Screenshot(sheet, L"print_printer_properties.bmp");
  PostClick(GetDlgItem(sheet, IDOK));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(sheet); }));
  PostClick(GetDlgItem(system, IDOK));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(system); }));
  EXPECT_EQ(GetText(GetDlgItem(dialog, kPrinterLabelId)), L"PDF");

  print_test::PdfInfo info;
  const std::string pdf = PrintAndWait(dialog, info);
  ASSERT_FALSE(pdf.empty());
  EXPECT_EQ(info.pages, 1) << info.text;
  EXPECT_TRUE(info.IsA4()) << info.text;
  EXPECT_TRUE(info.IsLandscape()) << info.text;
  EXPECT_FALSE(print_test::RenderPagePng(pdf, "print_after_portrait_letter_choice").empty());
  EXPECT_TRUE(app.NoMessageBox());
  Close();
}

}  // namespace
}  // namespace e2e
