// The chart's layout, start dates, scroll range, scrolling, click mapping and value mapping.
#include <gtest/gtest.h>

#include <cmath>

#include "chart_view.h"
#include "dates.h"
#include "support/chart_fixture.h"
#include "support/store_builder.h"

using test_support::AddTemperatures;
using test_support::AddWeights;
using test_support::ChartFixture;
using test_support::Ymd;

namespace {

DateYmd FirstVisible(const ChartFixture& f) { return FromTm(FirstVisibleDate(*f.view)); }

}  // namespace

TEST(ChartLayout, EachModeDividesTheClientAreaIntoHeaderPlotAndStrip) {
  ChartFixture f(2007, 5, 20);
  f.Start(kTemperatureMode);
  const ChartView& v = *f.view;
  EXPECT_EQ(v.clientBottom, 515);  // one less than given
  EXPECT_EQ(v.plotLeft, 50);
  EXPECT_EQ(v.plotTop, 45);
  EXPECT_EQ(v.plotRight, 600);
  EXPECT_EQ(v.plotBottom, 485);
  EXPECT_EQ(v.rowHeight, 20);
  EXPECT_EQ(v.dayWidth, 10);
  EXPECT_EQ(VisibleDayCount(v), 54);

  SetChartMode(*f.view, kWeightMode);
  EXPECT_EQ(v.plotTop, 45);
  EXPECT_EQ(v.rowHeight, 20);
  EXPECT_EQ(v.dayWidth, 12);

  SetChartMode(*f.view, kPregnancyMode);
  EXPECT_EQ(v.plotTop, 60);
  EXPECT_EQ(v.plotBottom, 485);
  EXPECT_EQ(v.rowHeight, 19);
  EXPECT_EQ(v.dayWidth, 12);
}

TEST(ChartLayout, UnknownModeKeepsTheLayout) {
  ChartFixture f(2007, 5, 20);
  f.Start(kWeightMode);
  SetChartMode(*f.view, 7);
  EXPECT_EQ(f.view->plotTop, 45);
  EXPECT_EQ(f.view->dayWidth, 12);
}

TEST(ChartLayout, FirstLayoutUsesTheUnreducedBottom) {
  ChartFixture f(2007, 5, 20);
  // 515: at creation (515 - 30 - 45) / 22 = 20; from the stored 514 it is 19.
  f.view = CreateChartView(0, 0, 600, 515, nullptr, std::make_unique<test_support::FakeScrollBar>(),
                           &f.temperatures, &f.weights, &f.canvas, [&] { return f.today; });
  EXPECT_EQ(f.view->rowHeight, 20);
  EXPECT_EQ(f.view->clientBottom, 514);
  UpdateChartLayout(*f.view);
  EXPECT_EQ(f.view->rowHeight, 19);
}

TEST(ChartStart, EmptyStoresOpenAtTodayWithAYearAhead) {
  for (int mode : {kTemperatureMode, kWeightMode}) {
    ChartFixture f(2007, 5, 20);
    f.Start(mode);
    EXPECT_EQ(f.bar->nMin, 0);
    EXPECT_EQ(f.bar->nMax, 365);
    EXPECT_EQ(f.bar->nPos, 0);
    EXPECT_EQ(FirstVisible(f), Ymd(2007, 5, 20));
  }
}

TEST(ChartStart, FirstRecordStartsTheTimelineAndTodayIsTheFirstColumn) {
  ChartFixture f(2007, 5, 20);
  AddTemperatures(f.temperatures, "2007/3/1,36.40; 2007/4/2,36.50");
  AddWeights(f.weights, "2007/5/10,52.0");
  f.Start(kTemperatureMode);
  EXPECT_EQ(FromTm(ChartStartDate(*f.view)), Ymd(2007, 3, 1));
  EXPECT_EQ(f.bar->nMax, 365 + 80);
  EXPECT_EQ(f.bar->nPos, 80);
  EXPECT_EQ(FirstVisible(f), Ymd(2007, 5, 20));

  SetChartMode(*f.view, kWeightMode);
  EXPECT_EQ(FromTm(ChartStartDate(*f.view)), Ymd(2007, 5, 10));
  EXPECT_EQ(f.bar->nMax, 375);
  EXPECT_EQ(f.bar->nPos, 10);
  EXPECT_EQ(FirstVisible(f), Ymd(2007, 5, 20));
}

TEST(ChartStart, RecordLaterThisYearStillStartsButOneInALaterYearDoesNot) {
  ChartFixture later(2007, 5, 20);
  AddTemperatures(later.temperatures, "2007/8/1,36.40");
  later.Start(kTemperatureMode);
  EXPECT_EQ(FromTm(ChartStartDate(*later.view)), Ymd(2007, 8, 1));
  EXPECT_EQ(later.bar->nPos, 0);  // before the start: the bar keeps its position in range
  EXPECT_EQ(FirstVisible(later), Ymd(2007, 8, 1));

  ChartFixture nextYear(2007, 5, 20);
  AddTemperatures(nextYear.temperatures, "2008/1/5,36.40");
  nextYear.Start(kTemperatureMode);
  EXPECT_EQ(FromTm(ChartStartDate(*nextYear.view)), Ymd(2007, 5, 20));
  EXPECT_EQ(nextYear.bar->nMax, 365);
}

TEST(ChartStart, PregnancyCountsFromTheLastPeriodStart) {
  ChartFixture none(2007, 5, 20);
  AddTemperatures(none.temperatures, "2007/5/1,36.40; 2007/5/2,36.50");
  none.Start(kPregnancyMode);
  EXPECT_EQ(FromTm(ChartStartDate(*none.view)), Ymd(2007, 5, 20));
  EXPECT_EQ(none.bar->nMax, 280);
  EXPECT_EQ(none.bar->nPos, 0);

  ChartFixture f(2007, 5, 20);
  AddTemperatures(f.temperatures, "2007/3/3,36.40,1; 2007/4/1,36.40,1; 2007/4/2,36.50");
  f.Start(kPregnancyMode);
  EXPECT_EQ(FromTm(ChartStartDate(*f.view)), Ymd(2007, 4, 1));
  EXPECT_EQ(f.bar->nMax, 280);
  EXPECT_EQ(f.bar->nPos, 49);
  EXPECT_EQ(FirstVisible(f), Ymd(2007, 5, 20));
}

TEST(ChartStart, PregnancyUsesTheLastRecordWhenNoStartPrecedesToday) {
  ChartFixture f(2007, 5, 20);
  AddTemperatures(f.temperatures, "2007/6/1,36.40,1; 2007/6/2,36.50");
  f.Start(kPregnancyMode);
  EXPECT_EQ(FromTm(ChartStartDate(*f.view)), Ymd(2007, 6, 1));
  EXPECT_EQ(f.bar->nPos, 0);
}

TEST(ChartStart, PregnancyOlderThanTheRangeOpensAtItsEnd) {
  ChartFixture f(2007, 5, 20);
  AddTemperatures(f.temperatures, "2006/1/1,36.40,1");
  f.Start(kPregnancyMode);
  EXPECT_EQ(f.bar->nMax, 280);
  EXPECT_EQ(f.bar->nPos, 280);
}

TEST(ChartScrolling, PositionFollowsTheScrollCodeAndStaysInRange) {
  EXPECT_EQ(ScrollPositionAfter(sb::kLineLeft, 0, 400, 100, 0), 99);
  EXPECT_EQ(ScrollPositionAfter(sb::kLineRight, 0, 400, 100, 0), 101);
  // A page is a thirtieth of the whole range: 400 / 30 = 13 days.
  EXPECT_EQ(ScrollPositionAfter(sb::kPageRight, 0, 400, 100, 0), 113);
  EXPECT_EQ(ScrollPositionAfter(sb::kPageLeft, 0, 400, 100, 0), 87);
  EXPECT_EQ(ScrollPositionAfter(sb::kThumbTrack, 0, 400, 100, 250), 250);
  EXPECT_EQ(ScrollPositionAfter(sb::kThumbPosition, 0, 400, 100, 37), 37);
  EXPECT_EQ(ScrollPositionAfter(sb::kLeft, 0, 400, 100, 0), 0);
  EXPECT_EQ(ScrollPositionAfter(sb::kRight, 0, 400, 100, 0), 400);
  EXPECT_EQ(ScrollPositionAfter(sb::kEndScroll, 0, 400, 100, 0), 100);
  EXPECT_EQ(ScrollPositionAfter(sb::kLineLeft, 0, 400, 0, 0), 0);
  EXPECT_EQ(ScrollPositionAfter(sb::kLineRight, 0, 400, 400, 0), 400);
  EXPECT_EQ(ScrollPositionAfter(sb::kPageLeft, 0, 400, 5, 0), 0);
  EXPECT_EQ(ScrollPositionAfter(sb::kPageRight, 0, 400, 395, 0), 400);
  EXPECT_EQ(ScrollPositionAfter(sb::kThumbTrack, 0, 400, 100, 65535), 400);
}

TEST(ChartScrolling, ScrollChartMovesTheBarOrDoesNothingWhenItCannotBeRead) {
  ChartFixture f(2007, 5, 20);
  f.Start(kTemperatureMode);
  ASSERT_TRUE(ScrollChart(*f.view, sb::kLineRight, 0));
  EXPECT_EQ(f.bar->nPos, 1);
  EXPECT_EQ(FirstVisible(f), Ymd(2007, 5, 21));

  f.bar->readable = false;
  const int writes = f.bar->writes;
  EXPECT_FALSE(ScrollChart(*f.view, sb::kLineRight, 0));
  EXPECT_EQ(f.bar->writes, writes);
  EXPECT_EQ(f.bar->nPos, 1);
  // An unreadable bar counts as position 0.
  EXPECT_EQ(FirstVisible(f), Ymd(2007, 5, 20));
}

TEST(ChartNewDay, RangeFollowsTheNewTodayWhileTheShownDaysStay) {
  struct Row {
    const char* what;
    int mode;
    const char* temperatures;
    DateYmd today;
    int scrolledDays;  // from the opening position
    DateYmd newToday;
    int nMax;
    DateYmd firstVisible;
  };
  const Row rows[] = {
      {"midnight at the opening place", kTemperatureMode, "2007/3/1,36.40", Ymd(2007, 5, 20), 0,
       Ymd(2007, 5, 21), 446, Ymd(2007, 5, 20)},
      {"midnight, scrolled back", kTemperatureMode, "2007/3/1,36.40", Ymd(2007, 5, 20), -30,
       Ymd(2007, 5, 21), 446, Ymd(2007, 4, 20)},
      {"clock set back a day", kTemperatureMode, "2007/3/1,36.40", Ymd(2007, 5, 20), 0,
       Ymd(2007, 5, 19), 444, Ymd(2007, 5, 20)},
      {"set back at the range's end", kTemperatureMode, "2007/3/1,36.40", Ymd(2007, 5, 20), 365,
       Ymd(2007, 5, 19), 444, Ymd(2008, 5, 18)},
      {"a record of the new year starts", kTemperatureMode, "2008/1/5,36.40", Ymd(2007, 12, 31),
       0, Ymd(2008, 1, 1), 361, Ymd(2008, 1, 5)},
      {"set back before that record's year", kTemperatureMode, "2008/1/5,36.40", Ymd(2008, 1, 1),
       0, Ymd(2007, 12, 31), 365, Ymd(2008, 1, 5)},
      {"pregnancy mode", kPregnancyMode, "2007/4/1,36.40,1", Ymd(2007, 5, 20), 0,
       Ymd(2007, 5, 21), 280, Ymd(2007, 5, 20)},
  };
  for (const Row& r : rows) {
    ChartFixture f(r.today.year, r.today.month, r.today.day);
    AddTemperatures(f.temperatures, r.temperatures);
    f.Start(r.mode);
    f.bar->nPos += r.scrolledDays;
    const std::tm oldToday = f.today;
    f.today = ToTm(r.newToday);
    KeepChartOnNewDay(*f.view, oldToday);
    EXPECT_EQ(f.bar->nMax, r.nMax) << r.what;
    EXPECT_EQ(FirstVisible(f), r.firstVisible) << r.what;
  }
}

TEST(ChartClick, ColumnInteriorsGiveTheirDatesAndLinesOrTheRestGiveNone) {
  ChartFixture f(2007, 5, 20);
  f.Start(kTemperatureMode);  // columns from x 50, 10 wide, the 54th ends at 590
  EXPECT_EQ(DateAtX(*f.view, 51), Ymd(2007, 5, 20));
  EXPECT_EQ(DateAtX(*f.view, 59), Ymd(2007, 5, 20));
  EXPECT_EQ(DateAtX(*f.view, 61), Ymd(2007, 5, 21));
  EXPECT_EQ(DateAtX(*f.view, 585), Ymd(2007, 7, 12));
  EXPECT_EQ(DateAtX(*f.view, 50), DateYmd{});   // the plot's left line
  EXPECT_EQ(DateAtX(*f.view, 60), DateYmd{});   // a day line
  EXPECT_EQ(DateAtX(*f.view, 595), DateYmd{});  // the partial column at the right
  EXPECT_EQ(DateAtX(*f.view, 20), DateYmd{});   // the axis column
  EXPECT_EQ(DateAtX(*f.view, -3), DateYmd{});
}

TEST(ChartClick, PlotWithoutRoomForAColumnGivesNoDateInsteadOfHanging) {
  ChartFixture f(2007, 5, 20);
  f.Start(kTemperatureMode, 600, 100);  // row height 1, day width 0
  ASSERT_EQ(f.view->dayWidth, 0);
  EXPECT_EQ(DateAtX(*f.view, 55), DateYmd{});
  EXPECT_EQ(VisibleDayCount(*f.view), 0);
}

TEST(ChartValues, TemperaturesMapToHundredthsOfTheRowAboveTheBase) {
  ChartFixture f(2007, 5, 20);
  f.temperatures.temperatureCalcType = 1;
  f.temperatures.minTemperature = 35.4;
  f.Start(kTemperatureMode);
  const ChartView& v = *f.view;
  EXPECT_EQ(ValueToY(v, 35.4), 465);  // the floor: one row above the plot bottom
  EXPECT_EQ(ValueToY(v, 35.9), 365);  // 0.5 degC higher: five rows
  // 36.83 over the base 35.3 counts 152 hundredths in round-to-nearest.
  EXPECT_EQ(ValueToY(v, 36.83), 485 - 2 * 2 - 15 * 20);
  EXPECT_EQ(ValueToY(v, 35.0), 483);   // below the base: plot bottom - 2
  EXPECT_EQ(ValueToY(v, 35.3), 483);   // at the base
  EXPECT_EQ(ValueToY(v, 40.0), 48);    // above the plot: plot top + 3
  EXPECT_EQ(ValueToY(v, 37.5), 48);    // exactly on the plot top counts as above
  // Values no record can hold still land inside the plot, without integer overflow.
  EXPECT_EQ(ValueToY(v, 1e300), 48);
  EXPECT_EQ(ValueToY(v, std::nan("")), 48);
}

TEST(ChartValues, AutomaticFloorFollowsTheMeanTemperature) {
  ChartFixture f(2007, 5, 20);
  AddTemperatures(f.temperatures, "2007/5/1,36.47");  // floor trunc(354.7) / 10 = 35.4
  f.Start(kTemperatureMode);
  EXPECT_EQ(ValueToY(*f.view, 35.4), 465);
}

TEST(ChartValues, WeightsMapToTenthsOfHalfKilogramRows) {
  ChartFixture f(2007, 5, 20);
  f.weights.weightCalcType = 1;
  f.weights.minWeight = 50.0;
  f.Start(kWeightMode);
  EXPECT_EQ(ValueToY(*f.view, 50.0), 465);  // the floor: one row above the plot bottom
  EXPECT_EQ(ValueToY(*f.view, 50.2), 485 - 2 * 4 - 1 * 20);
  EXPECT_EQ(ValueToY(*f.view, 49.5), 483);  // at the base
  EXPECT_EQ(ValueToY(*f.view, 80.0), 48);
}

TEST(ChartValues, EdgeCrossingMeetsTheColumnsLeftEdgeOnTheSegment) {
  ChartFixture f(2007, 5, 20);
  f.temperatures.temperatureCalcType = 1;
  f.temperatures.minTemperature = 35.4;
  AddTemperatures(f.temperatures, "2007/5/1,36.40; 2007/5/3,36.60");
  f.Start(kTemperatureMode);
  const TemperatureRecord& a = *f.temperatures.head();
  const TemperatureRecord& b = *a.next;
  const int yA = ValueToY(*f.view, a.temperature);
  const int yB = ValueToY(*f.view, b.temperature);
  // m = 2 days, w = 10: the left edge of 5/2 lies 5 pixels right of A's centre.
  EXPECT_EQ(EdgeCrossingY(*f.view, a, b, quillet::MakeDate(2007, 5, 2)),
            yA + static_cast<int>(std::trunc(5.0 * (yB - yA) / 20.0)));
  // The left edge of 5/3 lies 15 pixels right of A's centre.
  EXPECT_EQ(EdgeCrossingY(*f.view, a, b, quillet::MakeDate(2007, 5, 3)),
            yA + static_cast<int>(std::trunc(15.0 * (yB - yA) / 20.0)));
}
