// The weight-mode and pregnancy-mode data layers.
#include <gtest/gtest.h>

#include "chart_drawing.h"
#include "chart_marks.h"
#include "support/chart_fixture.h"
#include "support/chart_queries.h"
#include "support/store_builder.h"

using namespace test_support;

namespace {

// Today 16 May; the period started 13 May (three days before); cycle 28: next period 10 June,
// ovulation 27 May. The view opens on 13 May.
void StartWeightCycle(ChartFixture& f, bool withWeights = true) {
  AddTemperatures(f.temperatures, "2007/5/1,36.30; 2007/5/13,36.20,1");
  if (withWeights) AddWeights(f.weights, "2007/5/1,52.0; 2007/5/14,52.4; 2007/5/16,52.2");
  f.Start(kWeightMode);
  f.ScrollTo(12);
  f.Draw();
}

}  // namespace

TEST(WeightChart, PhaseDigitsMarkTheComingDaysOfTheCycle) {
  for (int today : {16, 13}) {  // three days after the period start, and the start day itself
    ChartFixture f(2007, 5, today);
    StartWeightCycle(f);
    const ChartView& v = *f.view;
    const int first = ColumnOf(v, Ymd(2007, 5, today));
    ASSERT_EQ(first, today - 12);
    std::vector<std::string> want;
    for (int k = first; k <= 7; ++k) want.push_back(std::to_string(k) + ":1");  // to 19 May
    for (int k = 8; k <= 15; ++k) want.push_back(std::to_string(k) + ":2");     // 20-27 May
    for (int k = 16; k <= 28; ++k) want.push_back(std::to_string(k) + ":3");    // 28 May-9 June
    EXPECT_EQ(StripTexts(f.canvas, v), want) << today;  // nothing from 10 June, nor before today
    EXPECT_EQ(TextsIn(f.canvas, StripBox(v, first))[0].flags, dt::kSingleLine | dt::kCenter);
    EXPECT_TRUE(FillsWith(f.canvas, v.tools.markBrush).empty());
  }
}

TEST(WeightChart, TodayIsFilledBeforeItsDigit) {
  ChartFixture f(2007, 5, 16);
  StartWeightCycle(f);
  const ChartView& v = *f.view;
  const int fill = FirstOpIndex(f.canvas, [&](const RecordedOp& op) {
    return op.kind == 'F' && f.canvas.Fills()[op.index].brush == v.tools.todayBrush;
  });
  const int digit = FirstOpIndex(f.canvas, [&](const RecordedOp& op) {
    return op.kind == 'T' && f.canvas.Texts()[op.index].rect == StripBox(v, 4);
  });
  ASSERT_GE(fill, 0);
  EXPECT_EQ(f.canvas.Fills()[f.canvas.Ops()[fill].index].rect, ColumnFill(v, 4));
  EXPECT_LT(fill, digit);
}

TEST(WeightChart, GridLiesUnderTheCurveWithASolidLineEveryFiveKilograms) {
  ChartFixture f(2007, 5, 16);
  StartWeightCycle(f);
  const ChartView& v = *f.view;
  std::vector<RecordedLine> grid;
  int lastGridOp = -1;
  for (std::size_t i = 0; i < f.canvas.Ops().size(); ++i) {
    const RecordedOp& op = f.canvas.Ops()[i];
    if (op.kind != 'L') continue;
    const RecordedLine& l = f.canvas.Lines()[op.index];
    if (l.x0 == 51 && l.x1 == 600 && l.y0 == l.y1) {
      grid.push_back(l);
      lastGridOp = static_cast<int>(i);
    }
  }
  ASSERT_EQ(grid.size(), 21u);
  for (std::size_t k = 1; k <= grid.size(); ++k)
    EXPECT_EQ(grid[k - 1].pen, (k - 1) % 10 == 0 ? v.tools.gridPen : v.tools.gridDotPen) << k;
  const int firstText = FirstOpIndex(f.canvas, [](const RecordedOp& op) { return op.kind == 'T'; });
  EXPECT_LT(lastGridOp, firstText);
  ASSERT_EQ(f.canvas.Ellipses().size(), 2u);  // 14 and 16 May
  EXPECT_EQ(LinesWith(f.canvas, v.tools.graphPen).size(), 2u);  // from 1 May's edge, and 14-16
  EXPECT_EQ(f.canvas.Lines().back().pen, v.tools.gridDotPen);  // no average line: a day line ends
}

TEST(WeightChart, PastDaysShowNoDigit) {
  ChartFixture f(2007, 5, 16);
  StartWeightCycle(f);
  for (int k = 1; k <= 3; ++k) EXPECT_TRUE(TextsIn(f.canvas, StripBox(*f.view, k)).empty()) << k;
  // The cycle-day row still counts from the start: 13 May is day 1.
  const auto cell = TextsIn(f.canvas, HeaderCell(*f.view, 1, 31, 45));
  ASSERT_EQ(cell.size(), 1u);
  EXPECT_EQ(cell[0].text, u"1");
}

TEST(WeightChart, EmptyWeightListDrawsEverythingButTheCurve) {
  ChartFixture f(2007, 5, 16);
  StartWeightCycle(f, false);
  EXPECT_TRUE(f.canvas.Ellipses().empty());
  EXPECT_TRUE(LinesWith(f.canvas, f.view->tools.graphPen).empty());
  EXPECT_FALSE(StripTexts(f.canvas, *f.view).empty());
  EXPECT_EQ(LinesWith(f.canvas, f.view->tools.gridPen).size() +
                LinesWith(f.canvas, f.view->tools.gridDotPen).size(),
            21u + 45u);
}

TEST(WeightChart, WeightBelowTheFloorPlotsAtTheBottom) {
  ChartFixture f(2007, 5, 16);
  f.weights.weightCalcType = 1;
  f.weights.minWeight = 50.0;
  AddWeights(f.weights, "2007/5/16,45.0");
  f.Start(kWeightMode);
  f.Draw();
  ASSERT_EQ(f.canvas.Ellipses().size(), 1u);
  EXPECT_EQ(f.canvas.Ellipses()[0].rect.top, 483 - 2);
}

namespace {

// Last period start 1 April 2007; today 16 May.
void StartPregnancy(ChartFixture& f, int cycle, int position) {
  f.temperatures.periodCycle = cycle;
  AddTemperatures(f.temperatures, "2007/4/1,36.30,1; 2007/4/2,36.40");
  AddWeights(f.weights, "2007/4/5,52.0; 2007/4/8,52.5");
  f.Start(kPregnancyMode);
  f.ScrollTo(position);
  f.Draw();
}

std::u16string CellText(const RecordingCanvas& c, const ChartView& v, int k, int top, int bottom) {
  const auto cell = TextsIn(c, HeaderCell(v, k, top, bottom));
  return cell.size() == 1 ? cell[0].text : u"?";
}

}  // namespace

TEST(PregnancyChart, WeeksAndDaysCountFromTheLastPeriodStart) {
  ChartFixture f(2007, 5, 16);
  StartPregnancy(f, 28, 0);
  const ChartView& v = *f.view;
  ASSERT_EQ(v.plotTop, 60);
  EXPECT_EQ(CellText(f.canvas, v, 1, 16, 30), u"1");   // day of month
  EXPECT_EQ(CellText(f.canvas, v, 1, 31, 45), u"0");   // week
  EXPECT_EQ(CellText(f.canvas, v, 1, 46, 60), u"0");   // day of the week
  EXPECT_EQ(CellText(f.canvas, v, 8, 31, 45), u"1");   // 8 April: week 1, day 0
  EXPECT_EQ(CellText(f.canvas, v, 8, 46, 60), u"0");
  EXPECT_EQ(CellText(f.canvas, v, 15, 31, 45), u"2");  // the 14th day after the start
  EXPECT_EQ(CellText(f.canvas, v, 15, 46, 60), u"0");
  EXPECT_EQ(CellText(f.canvas, v, 17, 46, 60), u"2");
  const auto week = TextsIn(f.canvas, HeaderCell(v, 1, 31, 45));
  ASSERT_EQ(week.size(), 1u);
  EXPECT_EQ(week[0].font, v.tools.dayFont);
  EXPECT_EQ(week[0].flags, dt::kSingleLine | dt::kBottom | dt::kCenter);
  EXPECT_EQ(f.canvas.Ellipses().size(), 2u);
  // Day lines start below the year-month row (P / 4 + 1).
  EXPECT_EQ(f.canvas.Lines().back().y0, 16);
}

TEST(PregnancyChart, DueDateIsStarredAndFilled) {
  ChartFixture f(2007, 5, 16);
  StartPregnancy(f, 28, 260);  // 17 December 2007 is column 1
  const ChartView& v = *f.view;
  const int due = ColumnOf(v, Ymd(2008, 1, 6));  // 1 April + 280 days
  ASSERT_EQ(due, 21);
  EXPECT_EQ(StripTexts(f.canvas, v), (std::vector<std::string>{"21:★"}));
  const auto marks = FillsWith(f.canvas, v.tools.markBrush);
  ASSERT_EQ(marks.size(), 1u);
  EXPECT_EQ(marks[0].rect, ColumnFill(v, due));
  EXPECT_TRUE(FillsWith(f.canvas, v.tools.todayBrush).empty());
}

TEST(PregnancyChart, LongerCycleMovesTheDueDateLater) {
  ChartFixture f(2007, 5, 16);
  f.temperatures.periodCalcType = 1;
  StartPregnancy(f, 35, 260);
  EXPECT_EQ(StripTexts(f.canvas, *f.view), (std::vector<std::string>{"28:★"}));
}

// Without a temperature store there is nothing to predict, and the due date takes a 28-day cycle.
TEST(PregnancyChart, WithoutAStoreTheDueDateTakesA28DayCycle) {
  EXPECT_EQ(FromTm(PregnancyDueDate(nullptr, Tm(2007, 4, 1))), Ymd(2008, 1, 6));
  const CyclePredictions none = PredictCycle(nullptr, Tm(2007, 5, 16));
  EXPECT_FALSE(none.inForce);
  EXPECT_EQ(none.nextPeriod, DateYmd{});
}

TEST(PregnancyChart, TodayOnTheDueDateIsFilledAfterItsMarkAndKeepsTheStar) {
  ChartFixture f(2008, 1, 6);  // 280 days after 1 April: the view opens at the range's end
  StartPregnancy(f, 28, 280);
  const ChartView& v = *f.view;
  EXPECT_EQ(StripTexts(f.canvas, v), (std::vector<std::string>{"1:★"}));
  std::vector<DrawTool> fills;
  for (const RecordedFill& fill : f.canvas.Fills())
    if (fill.rect == ColumnFill(v, 1)) fills.push_back(fill.brush);
  EXPECT_EQ(fills, (std::vector<DrawTool>{v.tools.markBrush, v.tools.todayBrush}));
}
