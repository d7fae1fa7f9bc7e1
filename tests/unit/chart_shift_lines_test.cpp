// The reading of the curve on the chart: each cycle's cover line across its columns and the line
// of its first high day, on screen and on the printed page, and nothing of it when switched off.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "chart_drawing.h"
#include "print_chart_view.h"
#include "support/chart_fixture.h"
#include "support/chart_queries.h"
#include "support/store_builder.h"

using namespace test_support;

namespace {

constexpr ColorRef kCover = 0x000009;

// Two cycles: 1 April (shift on 7 April over 36.40) and 29 April (shift on 5 May over 36.50);
// today is 10 May.
constexpr char kTwoCycles[] =
    "2007/4/1,36.30,1; 2007/4/2,36.35; 2007/4/3,36.20; 2007/4/4,36.40; 2007/4/5,36.30;"
    "2007/4/6,36.25; 2007/4/7,36.50; 2007/4/8,36.55; 2007/4/9,36.60; 2007/4/15,36.70;"
    "2007/4/29,36.40,1; 2007/4/30,36.45; 2007/5/1,36.30; 2007/5/2,36.50; 2007/5/3,36.40;"
    "2007/5/4,36.35; 2007/5/5,36.60; 2007/5/6,36.65; 2007/5/7,36.70";

struct ScreenWithShift : ChartFixture {
  explicit ScreenWithShift(bool show) : ChartFixture(2007, 5, 10) {
    AddTemperatures(temperatures, kTwoCycles);
    Start(kTemperatureMode);
    SetShiftLineStyle(*view, ShiftLineStyle{true, kCover});
    if (!show) SetShiftLineStyle(*view, ShiftLineStyle{false, kCover});  // switched on, then off
    ScrollTo(0);  // 1 April in column 1
    Draw();
  }
};

}  // namespace

TEST(ShiftLines, EachCycleHasItsCoverLineAndFirstHighDayOnScreen) {
  ScreenWithShift f(true);
  const ChartView& v = *f.view;
  ASSERT_NE(v.tools.coverLinePen, nullptr);
  EXPECT_EQ(v.tools.doubleCheckPen, nullptr);  // made only beside the signs band
  const int y1 = ValueToY(v, 36.40), y2 = ValueToY(v, 36.50);
  // Cycle 1: columns 1-28 (1-28 April); cycle 2: columns 29-40 (29 April to today).
  EXPECT_EQ(LinesWith(f.canvas, v.tools.coverLinePen),
            (std::vector<RecordedLine>{{51, y1, 330, y1, v.tools.coverLinePen},
                                       {115, 46, 115, 485, v.tools.coverLinePen},
                                       {331, y2, 450, y2, v.tools.coverLinePen},
                                       {395, 46, 395, 485, v.tools.coverLinePen}}));
  // Over the grid, under the average line, which stays the last line drawn.
  const int firstCover = FirstOpIndex(f.canvas, [&](const RecordedOp& op) {
    return op.kind == 'L' && f.canvas.Lines()[op.index].pen == v.tools.coverLinePen;
  });
  const int firstGrid = FirstOpIndex(f.canvas, [&](const RecordedOp& op) {
    return op.kind == 'L' && f.canvas.Lines()[op.index].pen == v.tools.gridPen &&
           f.canvas.Lines()[op.index].y0 == f.canvas.Lines()[op.index].y1;
  });
  EXPECT_GT(firstCover, firstGrid);
  EXPECT_EQ(f.canvas.Lines().back().pen, v.tools.baseLinePen);
  EXPECT_TRUE(f.canvas.HoldsOriginals());
}

TEST(ShiftLines, SwitchedOffTheChartIsDrawnAsWithoutThem) {
  ScreenWithShift off(false);
  ChartFixture never(2007, 5, 10);
  AddTemperatures(never.temperatures, kTwoCycles);
  never.Start(kTemperatureMode);
  never.ScrollTo(0);
  never.Draw();
  EXPECT_EQ(off.view->tools.coverLinePen, nullptr);
  const auto& a = off.canvas.Lines();
  const auto& b = never.canvas.Lines();
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i)
    EXPECT_TRUE(a[i].x0 == b[i].x0 && a[i].y0 == b[i].y0 && a[i].x1 == b[i].x1 && a[i].y1 == b[i].y1)
        << i;
  EXPECT_EQ(off.canvas.Ops().size(), never.canvas.Ops().size());
}

TEST(ShiftLines, PrintedPageDrawsThemUnderTheCurveUpToTheEndDate) {
  TemperatureStore store;
  AddTemperatures(store, kTwoCycles);
  RecordingCanvas canvas{600};
  auto view = CreatePrintChartView(6814, 4760, &store, 35.4, ColorScheme{}, &canvas);
  view->shiftLines = ShiftLineStyle{true, kCover};
  view->today = Ymd(2007, 5, 10);
  DrawPrintPageFrame(*view, canvas);
  canvas.ClearRecord();
  DrawPrintPageData(*view, canvas, Ymd(2007, 4, 1), Ymd(2007, 5, 3));
  const DrawTool pen = view->tools.coverLinePen;
  const int y1 = PrintValueToY(*view, 36.40), y2 = PrintValueToY(*view, 36.50);
  // Cycle 2 ends at the end date (3 May), before its first high day.
  EXPECT_EQ(LinesWith(canvas, pen), (std::vector<RecordedLine>{{454, y1, 3253, y1, pen},
                                                              {1103, 341, 1103, 4750, pen},
                                                              {3254, y2, 3753, y2, pen}}));
  const int lastCover = [&] {
    int last = -1;
    for (std::size_t i = 0; i < canvas.Ops().size(); ++i)
      if (canvas.Ops()[i].kind == 'L' && canvas.Lines()[canvas.Ops()[i].index].pen == pen)
        last = static_cast<int>(i);
    return last;
  }();
  EXPECT_LT(lastCover, FirstOpIndex(canvas, [](const RecordedOp& op) { return op.kind == 'E'; }));
}

namespace {

// A plot of ten-pixel day columns from x 50 between y 40 and 480, where a value's y is ten times
// the value, with the shift lines shown.
struct ShiftLinePlot : ChartPlot {
  explicit ShiftLinePlot(RecordingCanvas& canvas) {
    plotLeft = 50;
    plotTop = 40;
    plotBottom = 480;
    dayWidth = 10;
    toolFactory = &canvas;
    SetShiftLineStyle(*this, ShiftLineStyle{true, kCover});
  }
  int ValueY(double value) const override { return static_cast<int>(std::lround(value * 10)); }
};

CycleReading Cycle(const DateYmd& start, const DateYmd& end, const DateYmd& firstHigh = {},
                   int coverLine = 0) {
  CycleReading c;
  c.start = start;
  c.end = end;
  c.hasShift = coverLine != 0;
  c.firstHigh = firstHigh;
  c.coverLine = coverLine;
  return c;
}

// The lines as "x0-x1@y" (across) and "|x:y0-y1" (down), in drawing order.
std::string DescribeLines(const std::vector<RecordedLine>& lines) {
  std::string out;
  const auto n = [](int v) { return std::to_string(v); };
  for (const RecordedLine& l : lines) {
    out += out.empty() ? "" : " ";
    out += l.y0 == l.y1 ? n(l.x0) + "-" + n(l.x1) + "@" + n(l.y0)
                        : "|" + n(l.x0) + ":" + n(l.y0) + "-" + n(l.y1);
  }
  return out;
}

}  // namespace

// Which part of each cycle lies in the columns: a cycle ending on the first column, one starting
// on the last date, a first high day on the first or the last column or outside them, a single
// column, and a cycle without a shift, which draws nothing.
TEST(ShiftLines, EachCycleIsCutToTheColumnsAndTheLastDate) {
  const std::vector<CycleReading> cycles = {
      Cycle(Ymd(2007, 4, 1), Ymd(2007, 4, 28), Ymd(2007, 4, 7), 3640),
      Cycle(Ymd(2007, 4, 29), Ymd(2007, 5, 12)),
      Cycle(Ymd(2007, 5, 13), Ymd(2007, 5, 31), Ymd(2007, 5, 20), 3650)};
  const struct {
    DateYmd first;
    int columns;
    DateYmd last;
    const char* lines;
  } cases[] = {
      {Ymd(2007, 4, 1), 40, Ymd(2007, 5, 10), "51-330@364 |115:41-480"},
      {Ymd(2007, 4, 28), 20, Ymd(2007, 5, 31), "51-60@364 201-250@365"},
      {Ymd(2007, 4, 20), 30, Ymd(2007, 5, 13), "51-140@364 281-290@365"},
      {Ymd(2007, 5, 1), 20, Ymd(2007, 5, 31), "171-250@365 |245:41-480"},
      {Ymd(2007, 5, 20), 1, Ymd(2007, 5, 31), "51-60@365 |55:41-480"},
      {Ymd(2007, 5, 20), 0, Ymd(2007, 5, 31), ""},
  };
  for (const auto& c : cases) {
    RecordingCanvas canvas;
    ShiftLinePlot plot(canvas);
    DrawShiftLines(plot, canvas, cycles, ToTm(c.first), c.columns, c.last);
    EXPECT_EQ(DescribeLines(LinesWith(canvas, plot.tools.coverLinePen)), c.lines)
        << c.first.month << "/" << c.first.day << ", " << c.columns << " columns";
    // Without the pen (the lines hidden) nothing is drawn at all.
    SetShiftLineStyle(plot, ShiftLineStyle{false, kCover});
    canvas.ClearRecord();
    DrawShiftLines(plot, canvas, cycles, ToTm(c.first), c.columns, c.last);
    EXPECT_TRUE(canvas.Lines().empty());
  }
}
