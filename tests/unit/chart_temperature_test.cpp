// The temperature-mode data layer: header texts, marks, today, day lines, curve, grid, average.
#include <gtest/gtest.h>

#include <cmath>

#include "chart_drawing.h"
#include "support/chart_fixture.h"
#include "support/chart_queries.h"
#include "support/store_builder.h"

using namespace test_support;

namespace {

constexpr unsigned kCell = dt::kSingleLine | dt::kBottom | dt::kCenter;

// One period start on 30 April and the manual 28-day cycle: next period 28 May, ovulation 14 May.
// The view opens on Saturday 28 April (column 1).
void StartCycle(ChartFixture& f) {
  AddTemperatures(f.temperatures,
                  "2007/4/28,36.30; 2007/4/30,36.20,1; 2007/5/1,36.25; 2007/5/16,36.70");
  f.Start(kTemperatureMode);
  f.ScrollTo(0);
  f.Draw();
}

}  // namespace

TEST(TemperatureChart, OvulationStripAndPredictedPeriodAreMarkedAndFilled) {
  ChartFixture f(2007, 5, 16);
  StartCycle(f);
  const ChartView& v = *f.view;
  ASSERT_EQ(ColumnOf(v, Ymd(2007, 5, 9)), 12);
  EXPECT_EQ(StripTexts(f.canvas, v),
            (std::vector<std::string>{"12:△", "13:△", "14:○", "15:○", "16:○", "17:◎", "18:○",
                                      "19:△", "20:△", "31:■"}));
  for (const RecordedText& t : f.canvas.Texts()) {
    if (t.rect.top == v.plotBottom + 1) {
      EXPECT_EQ(t.flags, dt::kSingleLine | dt::kCenter);
      EXPECT_EQ(t.font, v.tools.boldFont);
      EXPECT_EQ(t.color, kString);
    }
  }
  const auto marks = FillsWith(f.canvas, v.tools.markBrush);
  ASSERT_EQ(marks.size(), 10u);
  for (int k = 12; k <= 20; ++k) EXPECT_EQ(marks[static_cast<std::size_t>(k - 12)].rect, ColumnFill(v, k));
  EXPECT_EQ(marks[9].rect, ColumnFill(v, 31));
  EXPECT_EQ(ColumnFill(v, 12), (DrawRect{161, 46, 171, 485}));
  EXPECT_EQ(StripBox(v, 12), (DrawRect{161, 486, 171, 515}));
}

TEST(TemperatureChart, TodaysFillComesAfterItsMarkAndKeepsTheSymbol) {
  ChartFixture f(2007, 5, 16);
  StartCycle(f);
  const ChartView& v = *f.view;
  const int today = ColumnOf(v, Ymd(2007, 5, 16));
  ASSERT_EQ(today, 19);
  const auto todays = FillsWith(f.canvas, v.tools.todayBrush);
  ASSERT_EQ(todays.size(), 1u);
  EXPECT_EQ(todays[0].rect, ColumnFill(v, today));
  const int markFill = FirstOpIndex(f.canvas, [&](const RecordedOp& op) {
    return op.kind == 'F' && f.canvas.Fills()[op.index].brush == v.tools.markBrush &&
           f.canvas.Fills()[op.index].rect == ColumnFill(v, today);
  });
  const int todayFill = FirstOpIndex(f.canvas, [&](const RecordedOp& op) {
    return op.kind == 'F' && f.canvas.Fills()[op.index].brush == v.tools.todayBrush;
  });
  ASSERT_GE(markFill, 0);
  EXPECT_GT(todayFill, markFill);
  EXPECT_EQ(TextsIn(f.canvas, StripBox(v, today)).size(), 1u);
}

TEST(TemperatureChart, NoPredictionMarksOnceThePredictedPeriodIsPast) {
  ChartFixture f(2007, 6, 10);  // the predicted 28 May is past
  StartCycle(f);
  EXPECT_TRUE(StripTexts(f.canvas, *f.view).empty());
  EXPECT_TRUE(FillsWith(f.canvas, f.view->tools.markBrush).empty());
  const auto todays = FillsWith(f.canvas, f.view->tools.todayBrush);
  ASSERT_EQ(todays.size(), 1u);
  EXPECT_EQ(todays[0].rect, ColumnFill(*f.view, ColumnOf(*f.view, Ymd(2007, 6, 10))));
}

TEST(TemperatureChart, LikelyPregnancyIsMarkedOnRecordedDaysFromToday) {
  ChartFixture f(2007, 5, 6);
  // Start 1 April, cycle 28: predicted ovulation 15 April. From it, 21 high days up to today.
  std::string literal = "2007/4/1,36.00,1";
  for (int d = 2; d <= 14; ++d) literal += "; 2007/4/" + std::to_string(d) + ",36.00";
  for (int d = 15; d <= 30; ++d) literal += "; 2007/4/" + std::to_string(d) + ",36.80";
  for (int d = 1; d <= 6; ++d) literal += "; 2007/5/" + std::to_string(d) + ",36.80";
  AddTemperatures(f.temperatures, literal);
  f.Start(kTemperatureMode);
  f.ScrollTo(30);  // 1 May is column 1
  f.Draw();
  const ChartView& v = *f.view;
  const int today = ColumnOf(v, Ymd(2007, 5, 6));
  EXPECT_EQ(StripTexts(f.canvas, v), (std::vector<std::string>{std::to_string(today) + ":！"}));
  EXPECT_EQ(TextsIn(f.canvas, StripBox(v, today))[0].flags, dt::kCenter);
  const auto marks = FillsWith(f.canvas, v.tools.markBrush);
  ASSERT_EQ(marks.size(), 1u);
  EXPECT_EQ(marks[0].rect, ColumnFill(v, today));
}

TEST(TemperatureChart, HeaderShowsYearMonthDayAndCycleDay) {
  ChartFixture f(2007, 5, 16);
  StartCycle(f);
  const ChartView& v = *f.view;
  std::vector<RecordedText> labels;
  for (const RecordedText& t : f.canvas.Texts()) {
    if (t.flags == dt::kEndEllipsis) labels.push_back(t);
  }
  ASSERT_EQ(labels.size(), 3u);
  // The first column, mid-month: the room before May's label takes only the month.
  EXPECT_EQ(labels[0].text, u"4月");
  EXPECT_EQ(labels[0].rect, (DrawRect{53, 1, 80, 15}));
  EXPECT_EQ(labels[1].text, u"2007年5月");  // 1 May: column 4
  EXPECT_EQ(labels[1].rect, (DrawRect{82, 1, 214, 15}));
  EXPECT_EQ(labels[2].text, u"2007年6月");  // 1 June: column 35
  EXPECT_EQ(labels[2].rect, (DrawRect{392, 1, 524, 15}));
  EXPECT_EQ(labels[0].font, v.tools.boldFont);

  const auto day1 = TextsIn(f.canvas, DrawRect{51, 16, 61, 30});
  ASSERT_EQ(day1.size(), 1u);
  EXPECT_EQ(day1[0].text, u"28");
  EXPECT_EQ(day1[0].flags, kCell);
  EXPECT_EQ(day1[0].font, v.tools.dayFont);

  auto cycleCell = [&](int k) {
    const auto cell = TextsIn(f.canvas, HeaderCell(v, k, 31, 45));
    EXPECT_EQ(cell.size(), 1u) << k;
    if (cell.empty()) return std::string("?");
    EXPECT_EQ(cell[0].font, v.tools.dayFont);
    return Utf8(cell[0].text);
  };
  EXPECT_EQ(cycleCell(1), " ");  // before any period start
  EXPECT_EQ(cycleCell(2), " ");
  EXPECT_EQ(cycleCell(3), "1");  // the period-start day
  EXPECT_EQ(cycleCell(4), "2");
  EXPECT_EQ(cycleCell(30), "28");
  // A recorded period start has no mark of its own.
  EXPECT_TRUE(TextsIn(f.canvas, StripBox(v, 3)).empty());
}

TEST(TemperatureChart, DayLinesAreSolidAfterSaturdaysAndDottedElsewhere) {
  ChartFixture f(2007, 5, 16);
  StartCycle(f);  // 28 April 2007 is a Saturday
  const ChartView& v = *f.view;
  const auto solid = LinesWith(f.canvas, v.tools.gridPen);
  const auto dotted = LinesWith(f.canvas, v.tools.gridDotPen);
  auto has = [](const std::vector<RecordedLine>& lines, RecordedLine want) {
    return std::find(lines.begin(), lines.end(), want) != lines.end();
  };
  EXPECT_TRUE(has(solid, {60, 16, 60, 515, v.tools.gridPen}));
  EXPECT_TRUE(has(dotted, {70, 16, 70, 515, v.tools.gridDotPen}));
  EXPECT_TRUE(has(solid, {130, 16, 130, 515, v.tools.gridPen}));  // 5 May
  int dayLines = 0;
  for (const auto& l : f.canvas.Lines()) dayLines += (l.y0 == 16 && l.y1 == 515);
  EXPECT_EQ(dayLines, 54);
}

TEST(TemperatureChart, CurveRunsOffBothEdgesTowardsRecordsOutsideTheView) {
  ChartFixture f(2007, 5, 16);
  f.temperatures.temperatureCalcType = 1;
  f.temperatures.minTemperature = 35.4;
  AddTemperatures(f.temperatures,
                  "2007/5/1,36.40; 2007/5/10,36.50; 2007/5/20,36.60; 2007/6/30,36.70");
  f.Start(kTemperatureMode);
  f.ScrollTo(4);  // 5 May .. 27 June
  f.Draw();
  const ChartView& v = *f.view;
  const TemperatureRecord* r1 = f.temperatures.head();
  const TemperatureRecord* r10 = r1->next;
  const TemperatureRecord* r20 = r10->next;
  const TemperatureRecord* r30 = r20->next;
  const int y10 = ValueToY(v, 36.50), y20 = ValueToY(v, 36.60);
  const auto curve = LinesWith(f.canvas, v.tools.graphPen);
  ASSERT_EQ(curve.size(), 3u);
  EXPECT_EQ(curve[0], (RecordedLine{51, EdgeCrossingY(v, *r1, *r10, quillet::MakeDate(2007, 5, 5)),
                                    105, y10, v.tools.graphPen}));
  EXPECT_EQ(curve[1], (RecordedLine{105, y10, 205, y20, v.tools.graphPen}));
  EXPECT_EQ(curve[2],
            (RecordedLine{599, EdgeCrossingY(v, *r30, *r20, quillet::MakeDate(2007, 6, 28)), 205,
                          y20, v.tools.graphPen}));
  // The left crossing lies on the segment: 5 May's left edge is 35 pixels right of 1 May's
  // centre, and 10 May's centre 90.
  const int yA = ValueToY(v, 36.40);
  EXPECT_EQ(curve[0].y0, yA + static_cast<int>(std::trunc(35.0 * (y10 - yA) / 90.0)));

  ASSERT_EQ(f.canvas.Ellipses().size(), 2u);
  EXPECT_EQ(f.canvas.Ellipses()[0].rect, (DrawRect{103, y10 - 2, 107, y10 + 2}));
  EXPECT_EQ(f.canvas.Ellipses()[0].pen, v.tools.graphPen);
  EXPECT_EQ(f.canvas.Ellipses()[0].brush, v.tools.dotBrush);
}

TEST(TemperatureChart, NoEdgeLinesWhenTheNeighboursAreInView) {
  ChartFixture f(2007, 5, 16);
  AddTemperatures(f.temperatures, "2007/5/1,36.40; 2007/5/3,36.50");
  f.Start(kTemperatureMode);
  f.ScrollTo(0);
  f.Draw();
  EXPECT_EQ(LinesWith(f.canvas, f.view->tools.graphPen).size(), 1u);
}

TEST(TemperatureChart, GridAndAverageLineAreDrawnOverTheCurve) {
  ChartFixture f(2007, 5, 16);
  StartCycle(f);
  const ChartView& v = *f.view;
  std::vector<RecordedLine> grid;
  for (const auto& l : f.canvas.Lines()) {
    if (l.x0 == 51 && l.x1 == 600 && l.y0 == l.y1 && l.pen != v.tools.baseLinePen) grid.push_back(l);
  }
  ASSERT_EQ(grid.size(), 21u);
  for (std::size_t k = 1; k <= grid.size(); ++k) {
    EXPECT_EQ(grid[k - 1].y0, 485 - static_cast<int>(k) * 20);
    EXPECT_EQ(grid[k - 1].pen, (k - 1) % 5 == 0 ? v.tools.gridPen : v.tools.gridDotPen) << k;
  }
  const int lastEllipse = [&] {
    int last = -1;
    for (std::size_t i = 0; i < f.canvas.Ops().size(); ++i)
      if (f.canvas.Ops()[i].kind == 'E') last = static_cast<int>(i);
    return last;
  }();
  const int firstGrid = FirstOpIndex(f.canvas, [&](const RecordedOp& op) {
    return op.kind == 'L' && f.canvas.Lines()[op.index] == grid[0];
  });
  EXPECT_GT(firstGrid, lastEllipse);

  const RecordedLine& average = f.canvas.Lines().back();
  const int y = ValueToY(v, (36.30 + 36.20 + 36.25 + 36.70) / 4);
  EXPECT_EQ(average, (RecordedLine{51, y, 600, y, v.tools.baseLinePen}));
}

TEST(TemperatureChart, ValuesOffTheScaleArePinnedInsideThePlot) {
  ChartFixture f(2007, 5, 16);
  f.temperatures.temperatureCalcType = 1;
  f.temperatures.minTemperature = 35.4;
  AddTemperatures(f.temperatures, "2007/5/1,35.00; 2007/5/2,41.00");
  f.Start(kTemperatureMode);
  f.ScrollTo(0);
  f.Draw();
  ASSERT_EQ(f.canvas.Ellipses().size(), 2u);
  EXPECT_EQ(f.canvas.Ellipses()[0].rect.top, 483 - 2);  // plot bottom - 2
  EXPECT_EQ(f.canvas.Ellipses()[1].rect.top, 48 - 2);   // plot top + 3
}

TEST(TemperatureChart, GridDoesNotDependOnWidthOrScroll) {
  ChartFixture narrow(2007, 5, 16), wide(2007, 5, 16);
  StartCycle(narrow);
  AddTemperatures(wide.temperatures, "2007/4/28,36.30; 2007/4/30,36.20,1; 2007/5/1,36.25; 2007/5/16,36.70");
  wide.Start(kTemperatureMode, 900);
  wide.ScrollTo(7);
  wide.Draw();
  auto ys = [](const ChartFixture& f) {
    std::vector<std::pair<int, DrawTool>> out;
    for (const auto& l : f.canvas.Lines())
      if (l.x0 == 51 && l.y0 == l.y1 && l.pen != f.view->tools.baseLinePen && l.pen != f.view->tools.graphPen)
        out.push_back({l.y0, l.pen == f.view->tools.gridPen ? nullptr : l.pen});
    return out;
  };
  const auto a = ys(narrow), b = ys(wide);
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].first, b[i].first);
    EXPECT_EQ(a[i].second == nullptr, b[i].second == nullptr);
  }
}
