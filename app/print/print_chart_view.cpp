// Layout, tools and drawing of one printed temperature-chart page. The page draws through the
// screen chart's pieces (chart_plot.h, chart_columns.h); what is its own are the sizes in
// millimetres of the page, the printer fonts, the centred header cells, the larger points, the
// end date and the upward rounding of the value mapping.
#include "print_chart_view.h"

#include <cmath>

#include "chart_columns.h"
#include "signs_band.h"

namespace {

constexpr char16_t kPrintFace[] = u"MS ゴシック";

// trunc(a + b * scale), the products of the page's millimetre arithmetic.
int ScaledTrunc(int a, double b, double scale) {
  return static_cast<int>(std::trunc(static_cast<long double>(a) +
                                     static_cast<long double>(b) * static_cast<long double>(scale)));
}

// The signs band runs from the plot's bottom to where the plot ended without it.
int SignsBandBottom(const PrintChartView& v) { return v.pageBottom - 10; }

}  // namespace

std::unique_ptr<PrintChartView> CreatePrintChartView(int pageWidth, int pageHeight,
                                                     const TemperatureStore* temperatures,
                                                     double floorTemperature,
                                                     const ColorScheme& colors,
                                                     DrawingToolFactory* toolFactory,
                                                     const SignStore* signs) {
  auto view = std::make_unique<PrintChartView>();
  view->pageLeft = 0;
  view->pageTop = 0;
  view->pageRight = pageWidth;
  view->pageBottom = pageHeight;
  view->pageScale = pageHeight / 210.0;
  view->temperatures = temperatures;
  view->floorTemperature = floorTemperature;
  view->colors = colors;
  view->toolFactory = toolFactory;
  view->signs = signs;
  UpdatePrintLayout(*view);
  return view;
}

void UpdatePrintLayout(PrintChartView& v) {
  v.plotLeft = ScaledTrunc(v.pageLeft, 20.0, v.pageScale);  // 20 mm
  v.plotTop = ScaledTrunc(v.pageTop, 15.0, v.pageScale);    // 15 mm
  v.plotRight = v.pageRight - 10;
  v.signsBand = HasSigns(v.signs);
  v.bandRowHeight = ScaledTrunc(0, 5.0, v.pageScale);  // 5 mm
  v.plotBottom = v.pageBottom - 10 - (v.signsBand ? kSignRows * v.bandRowHeight : 0);
  v.bandTop = v.plotBottom;
  v.rowHeight = (v.plotBottom - v.plotTop) / 22;
  v.dayWidth = v.rowHeight / 2;
}

int DaysPerPrintPage(const PrintChartView& v) {
  if (v.dayWidth <= 0) return 0;
  const long long span = static_cast<long long>(v.plotRight) - v.plotLeft;
  if (span <= 0) return 0;
  return static_cast<int>((span - 1) / v.dayWidth);
}

void CreatePrintDrawingTools(PrintChartView& v, Canvas& canvas) {
  DeletePrintDrawingTools(v);
  const int dpi = canvas.LogPixelsY();
  FontDesc bold;
  bold.fromSystemFont = true;
  bold.height = (-10 * dpi) / 72;  // 10 pt
  bold.width = 0;
  bold.weight = 500;
  bold.face = kPrintFace;
  FontDesc day = bold;
  day.weight = 400;
  day.height = (-9 * dpi) / 72;  // 9 pt
  MakeChartTools(v, bold, day, false);  // no today or mark columns on paper
}

void DeletePrintDrawingTools(PrintChartView& v) { ReleaseChartTools(v); }

void DrawPrintPageFrame(PrintChartView& v, Canvas& canvas) {
  CreatePrintDrawingTools(v, canvas);
  ScopedTextColor text(canvas, v.colors.StringColor);
  ScopedSelect font(canvas, v.tools.boldFont);
  ScopedSelect pen(canvas, v.tools.framePen);
  DrawPlotFrame(v, canvas, DrawRect{v.pageLeft, v.pageTop, v.pageRight, v.pageBottom});
  DrawPrintTemperatureAxes(v, canvas);
}

DateYmd DrawPrintedPage(PrintChartView& v, Canvas& canvas, const DateYmd& firstDay,
                        const DateYmd& endDate) {
  DrawPrintPageFrame(v, canvas);
  return DrawPrintPageData(v, canvas, firstDay, endDate);
}

void DrawPrintTemperatureAxes(PrintChartView& v, Canvas& canvas) {
  // The page has no mark strip: the box under the plot is a line along its bottom. Captions sit
  // 2 mm right and 1 mm down in their boxes.
  const int dx = static_cast<int>(std::trunc(2.0L * v.pageScale));
  const int dy = static_cast<int>(std::trunc(static_cast<long double>(v.pageScale)));
  DrawThreeRowAxes(v, canvas, v.plotBottom, dx, dy);
  if (v.signsBand) DrawSignsBandAxes(v, canvas, SignsBandBottom(v), dx, dy);
  DrawScaleLabels(v, canvas, v.pageLeft, v.floorTemperature - 0.1, 0.1, 2);
}

DateYmd DrawPrintPageData(PrintChartView& v, Canvas& canvas, const DateYmd& firstDay,
                          const DateYmd& endDate) {
  ScopedTextColor text(canvas, v.colors.StringColor);
  ScopedSelect font(canvas, v.tools.boldFont);
  ScopedSelect pen(canvas, v.tools.framePen);
  ScopedSelect brush(canvas, canvas.NullBrush());
  return DrawPrintTemperaturePage(v, canvas, firstDay, endDate);
}

int PrintValueToY(const PrintChartView& v, double temperature) {
  ValueScale scale;
  scale.hasFloor = true;
  scale.floor = v.floorTemperature;
  scale.margin = v.pageScale;
  scale.upward = true;
  return MapValueToY(v, scale, temperature);
}

int PrintChartView::ValueY(double value) const { return PrintValueToY(*this, value); }

int PrintEdgeCrossingY(const PrintChartView& v, const TemperatureRecord& a,
                       const TemperatureRecord& b, const DateYmd& day) {
  return EdgeCrossingY(v, a, b, ToTm(day));
}

DateYmd DrawPrintTemperaturePage(PrintChartView& v, Canvas& canvas, const DateYmd& firstDay,
                                 const DateYmd& endDate) {
  const int P = v.plotTop;
  const TemperatureStore* store = v.temperatures;

  // Grid and average line first, under the curve.
  DrawHorizontalGrid(v, canvas, 5);
  DrawAverageLine(v, canvas, store);
  // So is the reading of the curve, up to the end date.
  const SignReadingDays reading = ShownSignReadingDays(v, store, v.today, firstDay, endDate);
  if (store != nullptr && v.shiftLines.show) {
    DrawShiftLines(v, canvas, ReadCycles(*store, v.today), ToTm(firstDay), DaysPerPrintPage(v),
                   endDate);
    DrawDoubleCheckLines(v, canvas, reading.doubleChecks, ToTm(firstDay), DaysPerPrintPage(v));
  }

  // The year-month label starts 1 pixel into the column and runs 132 mm; header cells are
  // centred; points have a radius of 3 and none is drawn after the end date.
  YearMonthLabelStyle label;
  label.inset = 1;
  label.width = 132.0L * static_cast<long double>(v.pageScale);
  label.flags = dt::kEndEllipsis | dt::kSingleLine | dt::kVCenter;
  const unsigned cell = dt::kSingleLine | dt::kVCenter | dt::kCenter;

  const std::tm first = ToTm(firstDay);
  DateYmd result = firstDay;
  CurveDrawer<TemperatureRecord> curve(v, canvas, first, 3);
  const TemperatureRecord* lastStart = nullptr;
  int previousMonth = 0;
  DayCursor<TemperatureRecord> records(store ? &store->records : nullptr, firstDay);
  DayCursor<SignRecord> signs(v.signsBand ? &v.signs->records : nullptr, firstDay);
  const std::tm dayAfter = ForEachVisibleColumn(v, first, [&](const DayColumn& c) {
    const TemperatureRecord* record = records.At(c.date);
    const SignRecord* daySigns = c.date <= endDate ? signs.At(c.date) : nullptr;
    if (daySigns != nullptr)
      DrawSignCells(v, canvas, DrawRect{c.left + 1, 0, c.right, 0}, SignsBandBottom(v), *daySigns,
                    0, 0, reading.IsMucusPeak(c.date));
    DrawYearMonthLabel(v, canvas, c, previousMonth, P / 3, label);
    {
      ScopedSelect dayFont(canvas, v.tools.dayFont);
      DrawHeaderCell(v, canvas, c, NumberText(c.date.day), P / 3 + 1, P / 3 * 2, cell);
      DrawHeaderCell(v, canvas, c, CycleDayText(store, c, lastStart), P / 3 * 2 + 1, P, cell);
    }
    DrawDayLine(v, canvas, c, P / 3 + 1, v.pageBottom);
    if (record != nullptr) curve.AddPoint(*record, c, c.date <= endDate);
    result = c.date;
    previousMonth = c.date.month;
  });
  // A page that ends after the end date has no line on to the right edge.
  if (result <= endDate) curve.Finish(dayAfter);
  return result;
}
