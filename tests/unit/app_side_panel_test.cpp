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

namespace {

// The panel's stops at their 96-DPI places, listed out of screen order on purpose (the memo
// before the check box, the signs after the buttons, as the controls are made); the drop-down
// lists' heights hold their dropped lists. The buttons' states vary per case.
enum Stop : std::size_t {
  kPicker, kTemperature, kWeight, kMemo, kPeriod, kAdd, kUpdate, kDelete,
  kMucus, kOvulationTest, kIntercourse
};
std::vector<PanelStop> PanelStops(bool addEnabled, bool updateEnabled) {
  return {{{10, 10, 170, 20}},   {{10, 260, 48, 20}},  {{10, 310, 48, 20}},
          {{10, 410, 180, 20}},  {{10, 360, 180, 20}}, {{10, 570, 50, 25}, addEnabled},
          {{70, 570, 50, 25}, updateEnabled},          {{130, 570, 50, 25}, updateEnabled},
          {{10, 460, 130, 150}}, {{10, 510, 130, 110}}, {{10, 540, 180, 20}}};
}

}  // namespace

TEST(PanelTabOrder, FollowsTheScreenAndSkipsDisabledButtonsBothWays) {
  const struct {
    Stop from;
    bool add, update, backward;
    Stop to;
  } cases[] = {
      {kPicker, true, false, false, kTemperature}, {kTemperature, true, false, false, kWeight},
      {kWeight, true, false, false, kPeriod},      {kPeriod, true, false, false, kMemo},
      // The signs under the memo, then the buttons.
      {kMemo, true, false, false, kMucus},         {kMucus, true, false, false, kOvulationTest},
      {kOvulationTest, true, false, false, kIntercourse},
      {kIntercourse, true, false, false, kAdd},    {kIntercourse, false, true, false, kUpdate},
      {kAdd, true, false, false, kPicker},         {kAdd, true, true, false, kUpdate},
      {kUpdate, false, true, false, kDelete},      {kDelete, false, true, false, kPicker},
      // Shift+Tab goes the same way back.
      {kPicker, true, false, true, kAdd},          {kPicker, false, true, true, kDelete},
      {kMemo, true, false, true, kPeriod},         {kUpdate, false, true, true, kIntercourse},
      {kMucus, true, false, true, kMemo},          {kAdd, true, false, true, kIntercourse},
      {kTemperature, false, true, true, kPicker},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.from << (c.backward ? " back" : "") << " add " << c.add
                                    << " update " << c.update);
    EXPECT_EQ(NextPanelStop(PanelStops(c.add, c.update), c.from, c.backward), c.to);
  }
  // A lone enabled stop keeps the focus.
  EXPECT_EQ(NextPanelStop({{{10, 10, 160, 20}}, {{10, 260, 40, 20}, false}}, 0, false), 0u);
}

TEST(PanelKeys, EnterAddsOrElseUpdates) {
  EXPECT_EQ(EnterKeyButton(true, false), EnterPresses::Add);
  EXPECT_EQ(EnterKeyButton(true, true), EnterPresses::Add);
  EXPECT_EQ(EnterKeyButton(false, true), EnterPresses::Update);
  EXPECT_EQ(EnterKeyButton(false, false), EnterPresses::Nothing);
}

// Unsaved input is a change of value in any field, drop-down list or check box, not of how a
// number is written.
TEST(PanelValuesCompare, OnlyAChangedValueIsUnsavedInput) {
  PanelContent shown;
  shown.temperature = u"36.50";
  shown.weight = u"52.0";
  shown.memo = u"眠い";
  shown.mucusItem = 2;
  const PanelValues before = PanelValuesOf(shown);
  const struct {
    const char* what;
    void (*change)(PanelContent&);
    bool unsaved;
  } cases[] = {
      {"as shown", [](PanelContent&) {}, false},
      {"the same numbers written otherwise",
       [](PanelContent& c) { c.temperature = u"36.5", c.weight = u" 52"; }, false},
      {"statistics and buttons are no input",
       [](PanelContent& c) { c.average = u"36.40", c.updateEnabled = true; }, false},
      {"a new temperature", [](PanelContent& c) { c.temperature = u"36.52"; }, true},
      {"the weight emptied", [](PanelContent& c) { c.weight = u""; }, true},
      {"the period ticked", [](PanelContent& c) { c.periodStart = true; }, true},
      {"the memo changed", [](PanelContent& c) { c.memo = u"眠い。"; }, true},
      {"text that is no number", [](PanelContent& c) { c.temperature = u"abc"; }, true},
      {"another mucus level", [](PanelContent& c) { c.mucusItem = 3; }, true},
      {"an ovulation test picked", [](PanelContent& c) { c.ovulationTestItem = 1; }, true},
      {"intercourse ticked", [](PanelContent& c) { c.intercourse = true; }, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    PanelContent now = shown;
    c.change(now);
    EXPECT_EQ(PanelValuesOf(now) != before, c.unsaved);
  }
}

TEST(PanelValuesCompare, ShowingTheDayAgainKeepsOnlyInputTheRecordsDoNotHold) {
  const PanelValues empty{}, typed{36.5, 0.0, false, u""}, other{36.7, 0.0, false, u""};
  EXPECT_TRUE(KeepsPanelInput(true, typed, empty, empty));    // settings changed: typed stays
  EXPECT_FALSE(KeepsPanelInput(true, typed, empty, typed));   // just stored: shown as stored
  EXPECT_TRUE(KeepsPanelInput(true, typed, empty, other));    // the day changed under the input
  EXPECT_FALSE(KeepsPanelInput(true, empty, empty, other));   // nothing typed: the new records
  EXPECT_FALSE(KeepsPanelInput(false, typed, empty, empty));  // another day: its own records
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
