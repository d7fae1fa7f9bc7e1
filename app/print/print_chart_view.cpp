// Layout, tools and drawing of one printed temperature-chart page.
#include "print_chart_view.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <string>

#include "dates.h"
#include "number_text.h"
#include "statistics.h"

namespace {

constexpr char16_t kPrintFace[] = u"MS ゴシック";
constexpr ColorRef kWhite = MakeRgb(255, 255, 255);

std::u16string Number(int value) { return AsciiText(std::to_string(value).c_str()); }

std::tm DateTm(const DateYmd& d) { return quillet::MakeDate(d.year, d.month, d.day); }
std::tm RecordTm(const TemperatureRecord& r) { return quillet::MakeDate(r.year, r.month, r.day); }

// trunc(a + b * scale), the products of the page's millimetre arithmetic.
int ScaledTrunc(int a, double b, double scale) {
  return static_cast<int>(std::trunc(static_cast<long double>(a) +
                                     static_cast<long double>(b) * static_cast<long double>(scale)));
}

// The chart floor of the store, 35.5 without one.
double StoreFloor(const TemperatureStore* store) {
  return store != nullptr ? ChartFloorTemperature(*store) : 35.5;
}

// Restores the floating-point rounding mode it found when the scope ends.
class ScopedRounding {
 public:
  explicit ScopedRounding(int mode) : saved_(std::fegetround()) { std::fesetround(mode); }
  ~ScopedRounding() { std::fesetround(saved_); }
  ScopedRounding(const ScopedRounding&) = delete;
  ScopedRounding& operator=(const ScopedRounding&) = delete;

 private:
  int saved_;
};

}  // namespace

std::unique_ptr<PrintChartView> CreatePrintChartView(int pageWidth, int pageHeight,
                                                     const TemperatureStore* temperatures,
                                                     double floorTemperature, ColorRef base,
                                                     ColorRef grid, ColorRef graph,
                                                     ColorRef string, ColorRef baseLine,
                                                     DrawingToolFactory* toolFactory) {
  auto view = std::make_unique<PrintChartView>();
  view->pageLeft = 0;
  view->pageTop = 0;
  view->pageRight = pageWidth;
  view->pageBottom = pageHeight;
  view->pageScale = pageHeight / 210.0;
  view->temperatures = temperatures;
  view->floorTemperature = floorTemperature;
  view->baseColor = base;
  view->gridColor = grid;
  view->graphColor = graph;
  view->stringColor = string;
  view->baseLineColor = baseLine;
  view->toolFactory = toolFactory;
  UpdatePrintLayout(*view);
  return view;
}

void UpdatePrintLayout(PrintChartView& v) {
  v.plotLeft = ScaledTrunc(v.pageLeft, 20.0, v.pageScale);  // 20 mm
  v.plotTop = ScaledTrunc(v.pageTop, 15.0, v.pageScale);    // 15 mm
  v.plotRight = v.pageRight - 10;
  v.plotBottom = v.pageBottom - 10;
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
  if (v.toolFactory == nullptr) return;
  DrawingToolFactory& f = *v.toolFactory;
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
  PrintChartTools& t = v.tools;
  t.boldFont = f.MakeFont(bold);
  t.dayFont = f.MakeFont(day);
  t.framePen = f.MakePen(PenDesc{PenStyle::Solid, 1, v.baseColor});
  t.gridPen = f.MakePen(PenDesc{PenStyle::Solid, 1, v.gridColor});
  t.gridDotPen = f.MakePen(PenDesc{PenStyle::Dot, 1, v.gridColor});
  t.graphPen = f.MakePen(PenDesc{PenStyle::Solid, 1, v.graphColor});
  t.baseLinePen = f.MakePen(PenDesc{PenStyle::Dash, 1, v.baseLineColor});
  t.whiteBrush = f.MakeSolidBrush(kWhite);
  t.dotBrush = f.MakeSolidBrush(v.graphColor);
}

void DeletePrintDrawingTools(PrintChartView& v) {
  PrintChartTools& t = v.tools;
  if (v.toolFactory != nullptr) {
    for (DrawTool tool : {t.boldFont, t.dayFont, t.framePen, t.gridPen, t.gridDotPen, t.graphPen,
                          t.baseLinePen, t.whiteBrush, t.dotBrush}) {
      if (tool != nullptr) v.toolFactory->DeleteTool(tool);
    }
  }
  t = PrintChartTools{};
}

namespace {

void Box(Canvas& canvas, DrawTool pen, int left, int top, int right, int bottom) {
  ScopedSelect use(canvas, pen);
  canvas.MoveTo(left, top);
  canvas.LineTo(left, bottom);
  canvas.LineTo(right, bottom);
  canvas.LineTo(right, top);
  canvas.LineTo(left, top);
}

void Caption(PrintChartView& v, Canvas& canvas, const char16_t* text, int top, int bottom) {
  Box(canvas, v.tools.framePen, 0, top, v.plotLeft, bottom);
  const int dx = static_cast<int>(std::trunc(2.0L * v.pageScale));
  const int dy = static_cast<int>(std::trunc(static_cast<long double>(v.pageScale)));
  canvas.DrawTextIn(text, DrawRect{dx, top + dy, v.plotLeft + dx, bottom + dy}, dt::kTopLeft);
}

}  // namespace

void DrawPrintPageFrame(PrintChartView& v, Canvas& canvas) {
  CreatePrintDrawingTools(v, canvas);
  ScopedTextColor text(canvas, v.stringColor);
  ScopedSelect font(canvas, v.tools.boldFont);
  ScopedSelect pen(canvas, v.tools.framePen);
  canvas.FillRect(DrawRect{v.pageLeft, v.pageTop, v.pageRight, v.pageBottom}, v.tools.whiteBrush);
  Box(canvas, v.tools.framePen, v.pageLeft, v.pageTop, v.pageRight, v.pageBottom);
  Box(canvas, v.tools.framePen, v.plotLeft, v.plotTop, v.plotRight, v.plotBottom);
  DrawPrintTemperatureAxes(v, canvas);
}

void DrawPrintTemperatureAxes(PrintChartView& v, Canvas& canvas) {
  const int P = v.plotTop, PL = v.plotLeft, PR = v.plotRight, PB = v.plotBottom;
  const DrawTool pen = v.tools.framePen;
  Box(canvas, pen, PL, 0, PR, P / 3);
  Box(canvas, pen, PL, P / 3, PR, (P / 3) * 2);
  Box(canvas, pen, PL, 0, PR, P);
  Box(canvas, pen, PL, PB, PR, PB);  // the page has no mark strip: a line along the plot bottom
  Box(canvas, pen, 0, 0, PL, PB);
  Caption(v, canvas, u"年月", 0, P / 3);
  Caption(v, canvas, u"日", P / 3, (P / 3) * 2);
  Caption(v, canvas, u"月経周期", (P / 3) * 2, P);

  const int r = v.rowHeight;
  if (r <= 0) return;  // no rows to label (and the loop would not advance)
  double value = StoreFloor(v.temperatures) - 0.1;
  int i = 1;
  for (int y = PB - r; y > P; y -= r) {
    if (i != 1) {
      char buffer[64];
      std::snprintf(buffer, sizeof buffer, "%.2f", value);
      const int top = y + (r / 3) * 2;
      canvas.DrawTextIn(AsciiText(buffer), DrawRect{v.pageLeft, top, PL, top + r}, dt::kRight);
    }
    ++i;
    value += 0.1;
  }
}

DateYmd DrawPrintPageData(PrintChartView& v, Canvas& canvas, const DateYmd& firstDay,
                          const DateYmd& endDate) {
  ScopedTextColor text(canvas, v.stringColor);
  ScopedSelect font(canvas, v.tools.boldFont);
  ScopedSelect pen(canvas, v.tools.framePen);
  ScopedSelect brush(canvas, canvas.NullBrush());
  return DrawPrintTemperaturePage(v, canvas, firstDay, endDate);
}

int PrintValueToY(const PrintChartView& v, double temperature) {
  // The page maps values in upward rounding at 64-bit precision (the product is stored as a
  // double, rounded upward too); the caller's rounding mode comes back when this returns.
  ScopedRounding upward(FE_UPWARD);
  // Volatile loads and stores keep the arithmetic between the two mode switches.
  volatile double floorValue = v.floorTemperature;
  volatile double tenth = 0.1;
  volatile double value = temperature;
  volatile double scale = v.pageScale;
  const long double base = static_cast<long double>(floorValue) - static_cast<long double>(tenth);
  const long double diff = static_cast<long double>(value) - base;
  volatile int y;
  if (diff <= 0.0L) {
    y = static_cast<int>(std::trunc(static_cast<long double>(v.plotBottom) - 2.0L * scale));
    return y;
  }
  volatile double product = static_cast<double>(diff * 100.0L);
  const double hundredths = product;
  const long long r = v.rowHeight;
  long long yy = v.plotTop;  // far above any plot (or not a number): pinned under the top
  if (hundredths < 1e9) {
    const long long h = static_cast<long long>(std::trunc(hundredths));
    yy = v.plotBottom - (h % 10) * (r / 10) - (h / 10) * r;
  }
  if (yy <= v.plotTop)
    yy = static_cast<long long>(std::trunc(static_cast<long double>(v.plotTop) + 3.0L * scale));
  y = static_cast<int>(yy);
  return y;
}

int PrintEdgeCrossingY(const PrintChartView& v, const TemperatureRecord& a,
                       const TemperatureRecord& b, const DateYmd& day) {
  const int yA = PrintValueToY(v, a.temperature);
  const int yB = PrintValueToY(v, b.temperature);
  const int w = v.dayWidth;
  const int m = quillet::SubDay(RecordTm(b), RecordTm(a));
  const int k = quillet::SubDay(RecordTm(b), DateTm(day));
  const long double span = static_cast<long double>(m) * w;
  if (span == 0.0L) return yA;
  const long double offset = (static_cast<long double>(m) * w - static_cast<long double>(k) * w) -
                             static_cast<long double>(w / 2);
  return yA + static_cast<int>(std::trunc(offset * (static_cast<long double>(yB - yA) / span)));
}

DateYmd DrawPrintTemperaturePage(PrintChartView& v, Canvas& canvas, const DateYmd& firstDay,
                                 const DateYmd& endDate) {
  const int P = v.plotTop, PL = v.plotLeft, PR = v.plotRight, PB = v.plotBottom;
  const int r = v.rowHeight, w = v.dayWidth;
  DateYmd result = firstDay;
  const TemperatureStore* store = v.temperatures;

  // Grid and average line first, under the curve.
  if (r > 0) {
    int k = 1;
    for (int y = PB - r; y > P; y -= r, ++k) {
      ScopedSelect use(canvas, (k - 1) % 5 == 0 ? v.tools.gridPen : v.tools.gridDotPen);
      canvas.MoveTo(PL + 1, y);
      canvas.LineTo(PR, y);
    }
  }
  {
    const int y = PrintValueToY(v, store ? AverageTemperature(*store) : 36.5);
    ScopedSelect use(canvas, v.tools.baseLinePen);
    canvas.MoveTo(PL + 1, y);
    canvas.LineTo(PR, y);
  }

  // A day width of 0 leaves no room for a column (and the loop would not advance).
  if (w <= 0 || PL + w >= PR) return result;

  const std::tm first = DateTm(firstDay);
  std::tm day = first;
  int x0 = PL + 1;
  int x1 = PL + w;
  int lastX = 0, lastY = 0;
  const TemperatureRecord* lastFound = nullptr;
  const TemperatureRecord* lastStart = nullptr;
  int previousMonth = 0;
  DayCursor<TemperatureRecord> records(store ? &store->records : nullptr, FromTm(day));
  for (int i = 1; x1 < PR; ++i) {
    const DateYmd date = FromTm(day);
    const TemperatureRecord* record = records.At(date);
    if (record != nullptr) lastFound = record;

    if (i == 1 || date.month != previousMonth) {
      const int labelRight =
          std::min(static_cast<int>(std::trunc(static_cast<long double>(x0 + 1) +
                                               132.0L * static_cast<long double>(v.pageScale))),
                   PR);
      canvas.DrawTextIn(AsciiText(std::to_string(date.year).c_str()) + u"年" + Number(date.month) +
                            u"月",
                        DrawRect{x0 + 1, 1, labelRight, P / 3},
                        dt::kEndEllipsis | dt::kSingleLine | dt::kVCenter);
    }
    {
      ScopedSelect dayFont(canvas, v.tools.dayFont);
      const unsigned flags = dt::kSingleLine | dt::kVCenter | dt::kCenter;
      canvas.DrawTextIn(Number(date.day), DrawRect{x0 + 1, P / 3 + 1, x0 + 1 + w, (P / 3) * 2},
                        flags);
      int a = -999;
      const TemperatureRecord* start =
          store ? LatestPeriodStart(*store, date.year, date.month, date.day) : nullptr;
      if (start != nullptr) {
        a = quillet::SubDay(day, RecordTm(*start));
        lastStart = start;
      } else if (lastStart != nullptr) {
        a = quillet::SubDay(day, RecordTm(*lastStart));
      }
      canvas.DrawTextIn(a >= 0 ? Number(a + 1) : std::u16string(u" "),
                        DrawRect{x0 + 1, (P / 3) * 2 + 1, x0 + 1 + w, P}, flags);
    }
    {
      const bool saturday = quillet::GetWeekOfDay(date.year, date.month, date.day) == 6;
      ScopedSelect use(canvas, saturday ? v.tools.gridPen : v.tools.gridDotPen);
      canvas.MoveTo(x1, P / 3 + 1);
      canvas.LineTo(x1, v.pageBottom);
    }
    if (record != nullptr) {
      const int cx = x1 - w / 2;
      const int cy = PrintValueToY(v, record->temperature);
      ScopedSelect pen(canvas, v.tools.graphPen);
      if (record->prev != nullptr && quillet::SubDay(RecordTm(*record->prev), first) < 0) {
        canvas.MoveTo(PL + 1, PrintEdgeCrossingY(v, *record->prev, *record, firstDay));
        canvas.LineTo(cx, cy);
      }
      if (date <= endDate) {
        if (lastX != 0 && lastY != 0) {
          canvas.MoveTo(lastX, lastY);
          canvas.LineTo(cx, cy);
        }
        lastX = cx;
        lastY = cy;
        ScopedSelect brush(canvas, v.tools.dotBrush);
        canvas.Ellipse(cx - 3, cy - 3, cx + 3, cy + 3);
      }
    }
    result = date;
    previousMonth = date.month;
    day = quillet::GetNextDay(day);
    x0 = x1;
    x1 += w;
  }

  if (lastFound != nullptr && result <= endDate && lastFound->next != nullptr &&
      quillet::SubDay(RecordTm(*lastFound->next), day) >= 0) {
    ScopedSelect pen(canvas, v.tools.graphPen);
    canvas.MoveTo(PR - 1, PrintEdgeCrossingY(v, *lastFound->next, *lastFound, FromTm(day)));
    canvas.LineTo(lastX, lastY);
  }
  return result;
}
