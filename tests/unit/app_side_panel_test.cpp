// The main window's arithmetic: the chart window's place, the Tab order and the panel's content.
#include <gtest/gtest.h>

#include <vector>

#include "side_panel_layout.h"

TEST(ChartArea, LargestA4PlaceInsideTheClientArea) {
  ChartPlace remembered;
  const ChartPlace p = LayoutChartArea(0, 0, 1016, 674, remembered);
  EXPECT_EQ(p.x, 200);
  EXPECT_EQ(p.y, 0);
  EXPECT_EQ(p.width, 813);
  EXPECT_EQ(p.height, 635);
  EXPECT_EQ(remembered.width, 813);
  EXPECT_EQ(remembered.height, 635);
}

TEST(ChartArea, TopOfTheClientRectangleIsKept) {
  ChartPlace remembered;
  const ChartPlace p = LayoutChartArea(0, 7, 1016, 681, remembered);
  EXPECT_EQ(p.y, 7);
  EXPECT_EQ(p.height, 635);
}

TEST(ChartArea, NarrowAreaKeepsWidth297) {
  ChartPlace remembered;
  ChartPlace p = LayoutChartArea(0, 0, 497, 800, remembered);  // available width exactly 297
  EXPECT_EQ(p.width, 297);
  EXPECT_EQ(p.height, 0);
  p = LayoutChartArea(0, 0, 300, 800, remembered);
  EXPECT_EQ(p.width, 297);
}

TEST(ChartArea, TooLowForTheFirstStepKeepsTheRememberedSize) {
  ChartPlace remembered;
  LayoutChartArea(0, 0, 1016, 674, remembered);
  const ChartPlace p = LayoutChartArea(0, 0, 1016, 200, remembered);
  EXPECT_EQ(p.width, 813);
  EXPECT_EQ(p.height, 635);
}

TEST(ChartArea, HeightLimitsTheScale) {
  ChartPlace remembered;
  const ChartPlace p = LayoutChartArea(0, 0, 2000, 481, remembered);
  // 60 + 210 s < 481 holds up to s = 2.00, where 210 s = 420 is reached only at 2.005.
  EXPECT_LT(p.height, 481);
  EXPECT_GE(p.height, 479);
  EXPECT_NEAR(p.width, 594, 1);
}

TEST(PanelTabOrder, FollowsTheFormAndSkipsDisabledButtons) {
  EXPECT_EQ(NextPanelStop(PanelStop::DatePicker, true, false), PanelStop::TemperatureEdit);
  EXPECT_EQ(NextPanelStop(PanelStop::TemperatureEdit, true, false), PanelStop::WeightEdit);
  EXPECT_EQ(NextPanelStop(PanelStop::WeightEdit, true, false), PanelStop::PeriodCheck);
  EXPECT_EQ(NextPanelStop(PanelStop::PeriodCheck, true, false), PanelStop::MemoEdit);
  // The signs under the memo, then the buttons.
  EXPECT_EQ(NextPanelStop(PanelStop::MemoEdit, true, false), PanelStop::MucusList);
  EXPECT_EQ(NextPanelStop(PanelStop::MucusList, true, false), PanelStop::OvulationTestList);
  EXPECT_EQ(NextPanelStop(PanelStop::OvulationTestList, true, false), PanelStop::IntercourseCheck);
  EXPECT_EQ(NextPanelStop(PanelStop::IntercourseCheck, true, false), PanelStop::AddButton);
  EXPECT_EQ(NextPanelStop(PanelStop::IntercourseCheck, false, true), PanelStop::UpdateButton);
  EXPECT_EQ(NextPanelStop(PanelStop::AddButton, true, false), PanelStop::DatePicker);
  EXPECT_EQ(NextPanelStop(PanelStop::AddButton, true, true), PanelStop::UpdateButton);
  EXPECT_EQ(NextPanelStop(PanelStop::UpdateButton, false, true), PanelStop::DeleteButton);
  EXPECT_EQ(NextPanelStop(PanelStop::DeleteButton, false, true), PanelStop::DatePicker);
}

namespace {

TemperatureRecord Temperature(double t, int period) {
  TemperatureRecord r;
  r.year = 2026; r.month = 5; r.day = 10; r.temperature = t; r.periodStart = static_cast<unsigned char>(period);
  return r;
}

}  // namespace

TEST(PanelContent, DayWithRecordsShowsThemAndOffersUpdateAndDelete) {
  const TemperatureRecord t = Temperature(36.456, 1);
  WeightRecord w;
  w.weight = 52.34;
  MemoRecord m;
  std::u16string text = u"眠い，少し頭痛";
  std::copy(text.begin(), text.end(), m.text);
  const PanelContent c = MakePanelContent(29, {2026, 5, 10}, &t, &w, &m, 36.5, {2026, 6, 7},
                                          {2026, 5, 13}, {2026, 5, 20});
  EXPECT_EQ(c.temperature, u"36.46");
  EXPECT_EQ(c.weight, u"52.3");
  EXPECT_EQ(c.memo, text);
  EXPECT_TRUE(c.periodStart);
  EXPECT_FALSE(c.addEnabled);
  EXPECT_TRUE(c.updateEnabled);
  EXPECT_TRUE(c.deleteEnabled);
  EXPECT_EQ(c.average, u"36.50");
  EXPECT_EQ(c.cycle, u"29");
  EXPECT_EQ(c.nextPeriod, u"6月7日");
  EXPECT_EQ(c.nextOvulation, u"未定");  // 13 May is before today
}

TEST(PanelContent, FutureDayEmptiesTheFieldsButKeepsStatistics) {
  const TemperatureRecord t = Temperature(36.4, 0);
  const PanelContent c = MakePanelContent(28, {2026, 5, 21}, &t, nullptr, nullptr, 36.47, {},
                                          {}, {2026, 5, 20});
  EXPECT_TRUE(c.addEnabled);
  EXPECT_FALSE(c.updateEnabled);
  EXPECT_FALSE(c.deleteEnabled);
  EXPECT_EQ(c.temperature, u"");
  EXPECT_EQ(c.average, u"36.47");
  EXPECT_EQ(c.nextPeriod, u"未定");
  EXPECT_EQ(c.nextOvulation, u"未定");
}

// A weight or memo without a temperature (a partial delete cut short, a damaged temperature
// line) is shown and makes the day one to update: an add there would drop what is typed for a
// store that already holds the day.
TEST(PanelContent, DayWithoutTemperatureShowsItsWeightAndMemoForUpdate) {
  WeightRecord w;
  w.weight = 50;
  MemoRecord m;
  m.text[0] = u'a';
  for (const bool withWeight : {true, false}) {
    const PanelContent c = MakePanelContent(28, {2026, 5, 1}, nullptr, withWeight ? &w : nullptr,
                                            withWeight ? nullptr : &m, 36.5, {2026, 5, 20},
                                            {2026, 5, 20}, {2026, 5, 20});
    EXPECT_FALSE(c.addEnabled) << withWeight;
    EXPECT_TRUE(c.updateEnabled && c.deleteEnabled) << withWeight;
    EXPECT_EQ(c.weight, withWeight ? u"50.0" : u"");
    EXPECT_EQ(c.memo, withWeight ? u"" : u"a");
    EXPECT_EQ(c.temperature, u"");
    EXPECT_EQ(c.nextPeriod, u"5月20日");  // a prediction of today is shown, not "未定"
  }
  const PanelContent none = MakePanelContent(28, {2026, 5, 1}, nullptr, nullptr, nullptr, 36.5,
                                             {}, {}, {2026, 5, 20});
  EXPECT_TRUE(none.addEnabled && !none.updateEnabled && !none.deleteEnabled);
}

// A day of signs alone shows them and offers update and delete; a day with a temperature shows
// its signs beside it; the items are the drop-down lists' (0 the empty one).
TEST(PanelContent, SignsShowInTheirListsAndMakeADayOfTheirOwn) {
  SignRecord signs;
  signs.mucus = 4;
  signs.intercourse = 1;
  const PanelContent alone = MakePanelContent(28, {2026, 5, 1}, nullptr, nullptr, nullptr, 36.5,
                                              {}, {}, {2026, 5, 20}, &signs);
  EXPECT_EQ((std::vector<int>{alone.mucusItem, alone.ovulationTestItem, alone.intercourse}),
            (std::vector<int>{5, 0, 1}));
  EXPECT_FALSE(alone.addEnabled);
  EXPECT_TRUE(alone.updateEnabled && alone.deleteEnabled);
  EXPECT_EQ(alone.temperature, u"");
  signs.mucus = 0;
  signs.ovulationTest = 2;
  const TemperatureRecord t = Temperature(36.4, 0);
  const PanelContent both = MakePanelContent(28, {2026, 5, 10}, &t, nullptr, nullptr, 36.5, {}, {},
                                             {2026, 5, 20}, &signs);
  EXPECT_EQ((std::vector<int>{both.mucusItem, both.ovulationTestItem}), (std::vector<int>{1, 3}));
  EXPECT_EQ(both.temperature, u"36.40");
  EXPECT_EQ(SignOfItem(both.mucusItem), 0);
  EXPECT_EQ(SignOfItem(0), kNoSign);
  const PanelContent future = MakePanelContent(28, {2026, 5, 21}, nullptr, nullptr, nullptr, 36.5,
                                               {}, {}, {2026, 5, 20}, &signs);
  EXPECT_TRUE(future.addEnabled);
  EXPECT_EQ(future.mucusItem, 0);
}

TEST(PanelContent, HugeNumbersAreCutNotOverflowed) {
  EXPECT_EQ(FormatPanelNumber("%.2f", 1e300).size(), 8u);
}
