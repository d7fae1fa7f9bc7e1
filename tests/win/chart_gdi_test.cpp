// The chart drawn by the real GDI implementation into a memory bitmap: pixels only a correct
// drawing gives, the device context left as found, and renders of the three modes and a printed
// page written to the artifacts folder for review.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cfenv>
#include <cstdlib>
#include <string>

#include "artifacts_folder_win.h"
#include "chart_bitmap_win.h"
#include "chart_drawing.h"
#include "chart_view.h"
#include "dates.h"
#include "gdi_canvas_win.h"
#include "print_chart_view.h"
#include "record_stores.h"
#include "statistics.h"

namespace {

constexpr COLORREF kBaseColor = RGB(0, 0, 0);
constexpr COLORREF kGridColor = RGB(0, 0, 200);
constexpr COLORREF kGraphColor = RGB(200, 0, 0);
constexpr COLORREF kTodayColor = RGB(255, 255, 0);
constexpr COLORREF kMarkColor = RGB(255, 200, 200);
constexpr COLORREF kStringColor = RGB(0, 0, 0);
constexpr COLORREF kBaseLineColor = RGB(0, 160, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr ColorScheme kColors{.BaseColor = kBaseColor,
                              .GraphGridColor = kGridColor,
                              .GraphColor = kGraphColor,
                              .TodayBackColor = kTodayColor,
                              .MarkBackColor = kMarkColor,
                              .StringColor = kStringColor,
                              .BaseTempeLineColor = kBaseLineColor};

// A canvas that reports a chosen resolution (a printer's) while drawing into a memory bitmap.
class FixedDpiCanvas : public GdiCanvas {
 public:
  FixedDpiCanvas(HDC dc, int dpi) : GdiCanvas(dc), dpi_(dpi) {}
  int LogPixelsY() override { return dpi_; }

 private:
  int dpi_;
};

void AddDay(TemperatureStore& t, WeightStore& w, const std::tm& day, double temperature,
            bool periodStart, double weight) {
  TemperatureRecord r;
  r.year = day.tm_year + 1900;
  r.month = day.tm_mon + 1;
  r.day = day.tm_mday;
  r.temperature = temperature;
  r.periodStart = periodStart ? 1 : 0;
  InsertTemperature(r, t);
  WeightRecord wr;
  wr.year = r.year;
  wr.month = r.month;
  wr.day = r.day;
  wr.weight = weight;
  InsertWeight(wr, w);
}

// Three 28-day cycles from 5 March 2007 to 15 May: low phase about 36.3, high phase about 36.8
// from the 15th cycle day, a few days missing; weights around 52 kg.
void FillSampleData(TemperatureStore& t, WeightStore& w) {
  std::tm day = quillet::MakeDate(2007, 3, 5);
  for (int i = 0; i < 72; ++i, day = quillet::GetNextDay(day)) {
    const int cycleDay = i % 28;
    if (i == 20 || i == 47) continue;  // forgotten days
    const int wobble = (i * 7) % 5;
    const double temperature =
        cycleDay < 14 ? 36.20 + wobble * 0.04 : 36.70 + ((i * 3) % 4) * 0.05;
    AddDay(t, w, day, temperature, cycleDay == 0, 51.6 + ((i * 5) % 9) * 0.1);
  }
}

struct GdiChart {
  TemperatureStore temperatures;
  WeightStore weights;
  std::tm today = quillet::MakeDate(2007, 5, 16);
  ValueScrollBar* bar = nullptr;
  std::unique_ptr<ChartView> view;

  // The sizes of a chart window at `dpi`, as the program makes them.
  GdiChart(int mode, int width, int height, int dpi = 96) {
    FillSampleData(temperatures, weights);
    auto scroll = std::make_unique<ValueScrollBar>();
    bar = scroll.get();
    view = CreateChartView(0, 0, width, height, nullptr, std::move(scroll), &temperatures,
                           &weights, &GdiDrawingTools(), [this] { return today; },
                           ScreenChartSizesFor(DisplayScale{dpi}));
    SetChartScrollRange(*view);
    SetChartColors(*view, kColors);
    SetChartMode(*view, mode);
  }
  ~GdiChart() { DeleteDrawingTools(*view); }
};

// A printed page of the sample records into a bitmap of the page's size.
struct GdiPage {
  TemperatureStore temperatures;
  WeightStore weights;
  ChartBitmap bitmap;
  std::unique_ptr<PrintChartView> view;

  GdiPage(int width, int height) : bitmap(width, height) {
    FillSampleData(temperatures, weights);
    view = CreatePrintChartView(width, height, &temperatures, ChartFloorTemperature(temperatures),
                                kColors, &GdiDrawingTools());
  }
  ~GdiPage() { DeletePrintDrawingTools(*view); }
};

// The page of 2007/3/20 to 5/10 at 150 dpi: the render kept for review and compared by hash.
constexpr int kPageWidth150 = 1754, kPageHeight150 = 1240;
void DrawSamplePage150(GdiPage& page) {
  FixedDpiCanvas canvas(page.bitmap.dc(), 150);
  DrawPrintPageFrame(*page.view, canvas);
  DrawPrintPageData(*page.view, canvas, DateYmd{2007, 3, 20}, DateYmd{2007, 5, 10});
}

struct DcState {
  HGDIOBJ pen, brush, font;
  COLORREF text;
  explicit DcState(HDC dc)
      : pen(GetCurrentObject(dc, OBJ_PEN)),
        brush(GetCurrentObject(dc, OBJ_BRUSH)),
        font(GetCurrentObject(dc, OBJ_FONT)),
        text(GetTextColor(dc)) {}
  bool operator==(const DcState& o) const {
    return pen == o.pen && brush == o.brush && font == o.font && text == o.text;
  }
};

std::wstring ArtifactPath(const wchar_t* name) {
  return test_support::ArtifactsFolderPath() + L"\\" + name;
}

}  // namespace

TEST(ChartGdi, TemperatureChartPaintsGridTodayMarksAndWhite) {
  GdiChart chart(kTemperatureMode, 600, 516);
  chart.bar->nPos = 57;  // 1 May is the first column; today 16 May the 16th
  ChartBitmap bitmap(600, 516);
  ASSERT_TRUE(bitmap.ok());
  GdiCanvas canvas(bitmap.dc());
  DrawChartFrame(*chart.view, canvas);
  DrawChartData(*chart.view, canvas);

  EXPECT_EQ(bitmap.Pixel(295, 465), kGridColor);   // the floor's solid grid line, 25 May
  EXPECT_EQ(bitmap.Pixel(295, 470), kWhite);       // inside the plot, an unmarked future day
  EXPECT_EQ(bitmap.Pixel(205, 470), kTodayColor);  // today's column
  EXPECT_EQ(bitmap.Pixel(185, 470), kMarkColor);   // 14 May, the predicted ovulation
  EXPECT_EQ(bitmap.Pixel(50, 300), kBaseColor);    // the plot's left box line
  EXPECT_EQ(bitmap.Pixel(240, 500), kGridColor);   // after Saturday 19 May: a solid day line
  EXPECT_EQ(bitmap.Pixel(240, 10), kWhite);        // ... that stays out of the year-month row
  // The point of 15 May: a filled 4 x 4 ellipse in the graph colour at its column centre.
  const TemperatureRecord* last = FindTemperature(chart.temperatures, 2007, 5, 15);
  ASSERT_NE(last, nullptr);
  const int y = ValueToY(*chart.view, last->temperature);
  EXPECT_EQ(bitmap.Pixel(195, y), kGraphColor);
}

TEST(ChartGdi, EveryDrawingCallLeavesTheDeviceContextAsItWas) {
  for (int mode = 1; mode <= 3; ++mode) {
    GdiChart chart(mode, 600, 516);
    ChartBitmap bitmap(600, 516);
    ASSERT_TRUE(bitmap.ok());
    SetTextColor(bitmap.dc(), RGB(1, 2, 3));
    const DcState before(bitmap.dc());
    GdiCanvas canvas(bitmap.dc());
    DrawChartFrame(*chart.view, canvas);
    EXPECT_TRUE(DcState(bitmap.dc()) == before) << "frame, mode " << mode;
    DrawChartData(*chart.view, canvas);
    EXPECT_TRUE(DcState(bitmap.dc()) == before) << "data, mode " << mode;
  }
}

TEST(ChartGdi, FontsArePassedAsDescribed) {
  FontDesc d;
  d.height = 12;
  d.width = 3;
  d.weight = 400;
  d.charSet = 255;
  d.pitchAndFamily = 33;
  d.face = u"MS ゴシック";
  const LOGFONTW lf = LogFontFor(d);
  EXPECT_EQ(lf.lfHeight, 12);
  EXPECT_EQ(lf.lfWidth, 3);
  EXPECT_EQ(lf.lfWeight, 400);
  EXPECT_EQ(lf.lfCharSet, 255);
  EXPECT_EQ(lf.lfPitchAndFamily, 33);
  EXPECT_EQ(std::wstring(lf.lfFaceName), L"MS ゴシック");

  FontDesc s;
  s.fromSystemFont = true;
  s.height = -83;
  s.weight = 500;
  s.face = u"MS ゴシック";
  LOGFONTW system{};
  GetObjectW(GetStockObject(SYSTEM_FONT), sizeof system, &system);
  const LOGFONTW pf = LogFontFor(s);
  EXPECT_EQ(pf.lfHeight, -83);
  EXPECT_EQ(pf.lfWidth, 0);
  EXPECT_EQ(pf.lfWeight, 500);
  EXPECT_EQ(pf.lfCharSet, system.lfCharSet);
  EXPECT_EQ(pf.lfPitchAndFamily, system.lfPitchAndFamily);
  EXPECT_EQ(std::wstring(pf.lfFaceName), L"MS ゴシック");
}

TEST(ChartGdi, PrintedValuesRoundUpwardAndRestoreTheCallersMode) {
  TemperatureStore store;
  auto view = CreatePrintChartView(6814, 4760, &store, 35.4, ColorScheme{}, &GdiDrawingTools());
  ASSERT_EQ(std::fegetround(), FE_TONEAREST);
  EXPECT_EQ(PrintValueToY(*view, 36.83), 4750 - 3 * 20 - 15 * 200);
  EXPECT_EQ(std::fegetround(), FE_TONEAREST);
}

TEST(ChartGdi, PrintedPageLeavesTheDeviceContextAndDrawsItsPoints) {
  GdiPage page(1169, 826);  // A4 landscape at 100 dpi
  ChartBitmap& bitmap = page.bitmap;
  ASSERT_TRUE(bitmap.ok());
  const auto& view = page.view;
  const DcState before(bitmap.dc());
  FixedDpiCanvas canvas(bitmap.dc(), 100);
  DrawPrintPageFrame(*view, canvas);
  EXPECT_TRUE(DcState(bitmap.dc()) == before);
  const DateYmd last = DrawPrintPageData(*view, canvas, DateYmd{2007, 3, 20}, DateYmd{2007, 5, 15});
  EXPECT_TRUE(DcState(bitmap.dc()) == before);
  EXPECT_EQ(last, FromTm(quillet::AddYmd(quillet::MakeDate(2007, 3, 20), 0, 0,
                                         DaysPerPrintPage(*view) - 1)));
  const TemperatureRecord* r = FindTemperature(page.temperatures, 2007, 3, 20);
  ASSERT_NE(r, nullptr);
  const int cx = view->plotLeft + view->dayWidth - view->dayWidth / 2;
  EXPECT_EQ(bitmap.Pixel(cx, PrintValueToY(*view, r->temperature)), kGraphColor);
}

TEST(ChartRender, ThreeModesAndAPrintedPageAreWrittenForReview) {
  const struct {
    int mode;
    int position;  // -1: as opened (today first)
    const wchar_t* file;
  } renders[] = {{kTemperatureMode, 40, L"chart_temperature.bmp"},
                 {kWeightMode, 40, L"chart_weight.bmp"},
                 {kPregnancyMode, 0, L"chart_pregnancy.bmp"}};
  // Each also at 144 and 192 DPI, in a window as much larger (dpi\<name>_<dpi>.bmp).
  CreateDirectoryW(ArtifactPath(L"dpi").c_str(), nullptr);
  for (const auto& r : renders) {
    for (int dpi : {96, 144, 192}) {
      const int width = DisplayScale{dpi}.Px(900), height = DisplayScale{dpi}.Px(516);
      GdiChart chart(r.mode, width, height, dpi);
      if (r.position >= 0) chart.bar->nPos = r.position;
      ChartBitmap bitmap(width, height);
      ASSERT_TRUE(bitmap.ok());
      GdiCanvas canvas(bitmap.dc());
      DrawChartFrame(*chart.view, canvas);
      DrawChartData(*chart.view, canvas);
      std::wstring file = r.file;
      if (dpi != 96) file = L"dpi\\" + file.insert(file.size() - 4, L"_" + std::to_wstring(dpi));
      EXPECT_TRUE(bitmap.SaveBmp(ArtifactPath(file.c_str())));
    }
  }

  GdiPage page(kPageWidth150, kPageHeight150);  // A4 landscape at 150 dpi
  ASSERT_TRUE(page.bitmap.ok());
  DrawSamplePage150(page);
  EXPECT_TRUE(page.bitmap.SaveBmp(ArtifactPath(L"print_page.bmp")));
}

namespace {

// FNV-1a over the colours of every pixel, row by row.
unsigned long long PixelHash(const ChartBitmap& bitmap) {
  unsigned long long hash = 1469598103934665603ULL;
  for (int y = 0; y < bitmap.height(); ++y)
    for (int x = 0; x < bitmap.width(); ++x) {
      const COLORREF c = bitmap.Pixel(x, y);
      for (int shift = 0; shift < 24; shift += 8) {
        hash ^= (c >> shift) & 0xFF;
        hash *= 1099511628211ULL;
      }
    }
  return hash;
}

}  // namespace

// At 96 DPI the chart and the page are what they were before the program followed the display
// scale: hashes of renders made by the program as it was then (the same renders, this machine's
// fonts), but for the calendar header, whose labels no longer overlap: the first column's
// numbers sit in its own cell and a year-month label ends where the next month's begins. A
// paint, then a scroll's data-layer redraw over it, in each mode; and a printed page.
TEST(ChartRender, At96DpiEveryPixelIsAsBefore) {
  const struct {
    int mode, position, scrolledTo;
    unsigned long long paint, scrolled;
  } renders[] = {{kTemperatureMode, 40, 47, 14249400208613587395ULL, 14881920391485723276ULL},
                 {kWeightMode, 40, 33, 2153910845682966064ULL, 839228451490041766ULL},
                 {kPregnancyMode, 0, 30, 6155142090651906217ULL, 8103534834210794113ULL}};
  for (const auto& r : renders) {
    GdiChart chart(r.mode, 900, 516);
    chart.bar->nPos = r.position;
    ChartBitmap bitmap(900, 516);
    ASSERT_TRUE(bitmap.ok());
    GdiCanvas canvas(bitmap.dc());
    DrawChartFrame(*chart.view, canvas);
    DrawChartData(*chart.view, canvas);
    EXPECT_EQ(PixelHash(bitmap), r.paint) << "paint, mode " << r.mode;
    chart.bar->nPos = r.scrolledTo;
    DrawChartData(*chart.view, canvas);
    EXPECT_EQ(PixelHash(bitmap), r.scrolled) << "scrolled, mode " << r.mode;
  }

  GdiPage page(kPageWidth150, kPageHeight150);
  ASSERT_TRUE(page.bitmap.ok());
  DrawSamplePage150(page);
  EXPECT_EQ(PixelHash(page.bitmap), 369023553798770226ULL) << "printed page";
}
