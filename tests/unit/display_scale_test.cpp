// The display scale: 96-DPI lengths as a window's pixels, the chart and the side panel at a
// scale, and the wheel and keys that scroll the chart.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "chart_drawing.h"
#include "chart_view.h"
#include "side_panel_layout.h"
#include "support/chart_fixture.h"
#include "support/store_builder.h"

namespace {

using test_support::ChartFixture;

TEST(DisplayScale, LengthsRoundHalfAwayFromZeroAndStayAt96) {
  const struct { int dpi, length, px; } cases[] = {
      {96, 45, 45}, {96, -3, -3}, {120, 1, 1}, {120, 2, 3}, {120, 45, 56},
      {144, 1, 2},  {144, 45, 68}, {144, -3, -5}, {192, 12, 24}, {288, 7, 21}};
  for (const auto& c : cases) EXPECT_EQ(DisplayScale{c.dpi}.Px(c.length), c.px) << c.dpi << " " << c.length;
}

TEST(DisplayScale, ChartSizesAreThe96DpiNumbersTimesTheScale) {
  EXPECT_TRUE(ScreenChartSizesFor(DisplayScale{96}) == ScreenChartSizes{});
  const ScreenChartSizes at144 = ScreenChartSizesFor(DisplayScale{144});
  EXPECT_EQ(std::make_tuple(at144.axisWidth, at144.headerHeight, at144.pregnancyHeaderHeight,
                            at144.stripHeight, at144.fontHeight, at144.penWidth,
                            at144.pointRadius, at144.labelWidth),
            std::make_tuple(75, 68, 90, 45, 18, 2, 3, 198));
}

TEST(DisplayScale, SidePanelPlacesAndTheChartAreaGrowWithTheScale) {
  // Each edge scaled: the buttons' row (10, 450)-(60, 475) at 150 %.
  const ChartPlace button = ScalePlace(ChartPlace{10, 450, 50, 25}, DisplayScale{144});
  EXPECT_EQ(std::make_tuple(button.x, button.y, button.width, button.height),
            std::make_tuple(15, 675, 75, 38));
  ChartPlace remembered96, remembered144;
  const ChartPlace at96 = LayoutChartArea(0, 0, 1016, 674, remembered96);
  const ChartPlace at144 = LayoutChartArea(0, 0, 1524, 1011, remembered144, DisplayScale{144});
  EXPECT_EQ(at144.x, 300);
  EXPECT_LE(std::abs(at144.width - at96.width * 3 / 2), 2);
  EXPECT_LE(std::abs(at144.height - at96.height * 3 / 2), 2);
}

TEST(ChartAtScale, LayoutToolsPointsAndClearsFollowTheScale) {
  ChartFixture f(2007, 5, 20);
  test_support::AddTemperatures(f.temperatures, "2007/5/19,36.40; 2007/5/20,36.50");
  f.Start(kTemperatureMode, 900, 774, ScreenChartSizesFor(DisplayScale{144}));
  ChartView& v = *f.view;
  EXPECT_EQ(std::make_tuple(v.plotLeft, v.plotTop, v.plotBottom), std::make_tuple(75, 68, 773 - 45));
  EXPECT_EQ(f.canvas.Info(v.tools.boldFont)->font.height, 18);
  EXPECT_EQ(f.canvas.Info(v.tools.dayFont)->font.width, v.dayWidth / 2 - 3);
  for (DrawTool pen : {v.tools.framePen, v.tools.gridPen, v.tools.gridDotPen, v.tools.graphPen,
                       v.tools.baseLinePen})
    EXPECT_EQ(f.canvas.Info(pen)->pen.width, 2);
  f.ScrollTo(TodayScrollPosition(v) - 1);
  f.Draw();
  ASSERT_EQ(f.canvas.Ellipses().size(), 2u);
  const DrawRect point = f.canvas.Ellipses()[0].rect;
  EXPECT_EQ(point.right - point.left, 6);
  // The plot's clearing stops short of the 2-pixel lines on its right and bottom.
  const DrawRect plot = f.canvas.Fills()[0].rect;
  EXPECT_EQ(plot, (DrawRect{v.plotLeft + 1, v.plotTop + 1, v.plotRight - 1, v.plotBottom - 1}));
  EXPECT_TRUE(f.canvas.HoldsOriginals());
}

TEST(ChartAtScale, PlacingTheViewAgainKeepsTheDayAndRemakesTheTools) {
  ChartFixture f(2007, 5, 20);
  f.Start(kWeightMode);
  f.ScrollTo(123);
  PlaceChartView(*f.view, 0, 0, 900, 774, ScreenChartSizesFor(DisplayScale{144}));
  ChartFixture fresh(2007, 5, 20);
  fresh.Start(kWeightMode, 900, 774, ScreenChartSizesFor(DisplayScale{144}));
  EXPECT_EQ(std::make_tuple(f.view->plotLeft, f.view->plotTop, f.view->plotRight, f.view->plotBottom,
                            f.view->dayWidth, f.view->rowHeight, f.view->clientBottom),
            std::make_tuple(fresh.view->plotLeft, fresh.view->plotTop, fresh.view->plotRight,
                            fresh.view->plotBottom, fresh.view->dayWidth, fresh.view->rowHeight,
                            fresh.view->clientBottom));
  EXPECT_EQ(f.bar->nPos, 123);
  EXPECT_EQ(f.canvas.Info(f.view->tools.boldFont)->font.height, 18);
  EXPECT_EQ(f.canvas.LiveTools(), fresh.canvas.LiveTools());
}

TEST(ChartWheel, NotchesScrollAWeekAndPartsAddUpToWholeDays) {
  WheelDays wheel;
  const struct { bool horizontal; int delta, days; } steps[] = {
      {false, -120, 7},  // toward the user: later
      {false, 240, -14}, // away: earlier
      {true, 120, 7},    // to the right: later
      {true, -120, -7},
      {false, -30, 1},   // a quarter notch is 1.75 days: 1 now, the rest kept
      {false, -30, 2},
      {false, -60, 4},   // the notch is whole: 7 days in all
      {false, -17, 0},   // 119/120 of a day
      {false, -1, 1},
      {false, 18, -1},   // back the other way
  };
  for (const auto& s : steps)
    EXPECT_EQ(s.horizontal ? wheel.Horizontal(s.delta) : wheel.Vertical(s.delta), s.days)
        << s.horizontal << " " << s.delta;
}

TEST(ChartKeys, EachKeyMovesThroughTheScrollBarsRoutineAndStopsAtTheEnds) {
  ChartFixture f(2007, 5, 20);
  test_support::AddTemperatures(f.temperatures, "2007/3/1,36.40");  // today is position 80
  f.Start(kTemperatureMode);
  const int today = 80, last = f.bar->nMax, page = VisibleDayCount(*f.view);
  ASSERT_EQ(f.bar->nPos, today);
  ASSERT_GT(page, 7);
  const struct { int key, from, to; } cases[] = {
      {vk::kLeft, 10, 9},          {vk::kRight, 10, 11},       {vk::kLeft, 0, 0},
      {vk::kRight, last, last},    {vk::kPageDown, 10, 10 + page}, {vk::kPageUp, 10 + page, 10},
      {vk::kPageUp, 3, 0},         {vk::kPageDown, last - 1, last}, {vk::kHome, 50, 0},
      {vk::kEnd, 3, today},        {vk::kEnd, last, today}};
  for (const auto& c : cases) {
    f.ScrollTo(c.from);
    ChartScrollRequest request;
    ASSERT_TRUE(KeyScrollRequest(*f.view, c.key, request)) << c.key;
    ASSERT_TRUE(ScrollChart(*f.view, request.code, request.trackPos));
    EXPECT_EQ(f.bar->nPos, c.to) << "key " << c.key << " from " << c.from;
  }
  ChartScrollRequest request;
  EXPECT_FALSE(KeyScrollRequest(*f.view, 'A', request));
}

}  // namespace
