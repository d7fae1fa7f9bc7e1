// The main window's arithmetic: the chart window's place, the Tab order and the panel's content.
#include <gtest/gtest.h>

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
// before the check box, as the controls are made); the buttons' states vary per case.
enum Stop : std::size_t { kPicker, kTemperature, kWeight, kMemo, kPeriod, kAdd, kUpdate, kDelete };
std::vector<PanelStop> PanelStops(bool addEnabled, bool updateEnabled) {
  return {{{10, 10, 160, 20}},   {{10, 260, 40, 20}},  {{10, 310, 30, 20}},
          {{10, 410, 180, 20}},  {{10, 360, 180, 20}}, {{10, 450, 50, 25}, addEnabled},
          {{70, 450, 50, 25}, updateEnabled},          {{130, 450, 50, 25}, updateEnabled}};
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
      {kMemo, true, false, false, kAdd},           {kMemo, false, true, false, kUpdate},
      {kAdd, true, false, false, kPicker},         {kAdd, true, true, false, kUpdate},
      {kUpdate, false, true, false, kDelete},      {kDelete, false, true, false, kPicker},
      // Shift+Tab goes the same way back.
      {kPicker, true, false, true, kAdd},          {kPicker, false, true, true, kDelete},
      {kMemo, true, false, true, kPeriod},         {kUpdate, false, true, true, kMemo},
      {kTemperature, false, true, true, kPicker},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.from << (c.backward ? " back" : "") << " add " << c.add
                                    << " update " << c.update);
    EXPECT_EQ(NextPanelStop(PanelStops(c.add, c.update), c.from, c.backward), c.to);
  }
}

TEST(PanelTabOrder, NewControlsTakeTheirPlaceByWhereTheyStand) {
  std::vector<PanelStop> stops = PanelStops(true, false);
  stops.push_back({{10, 470, 120, 20}});  // three rows between the memo and the buttons, which
  stops.push_back({{10, 440, 120, 20}});  // move down
  stops.push_back({{10, 500, 180, 20}});
  for (std::size_t b : {kAdd, kUpdate, kDelete}) stops[b].place.y = 540;
  EXPECT_EQ(NextPanelStop(stops, kMemo, false), 9u);
  EXPECT_EQ(NextPanelStop(stops, 9, false), 8u);
  EXPECT_EQ(NextPanelStop(stops, 8, false), 10u);
  EXPECT_EQ(NextPanelStop(stops, 10, false), kAdd);
  EXPECT_EQ(NextPanelStop(stops, kAdd, true), 10u);
  // A lone enabled stop keeps the focus.
  EXPECT_EQ(NextPanelStop({{{10, 10, 160, 20}}, {{10, 260, 40, 20}, false}}, 0, false), 0u);
}

TEST(PanelKeys, EnterAddsOrElseUpdates) {
  EXPECT_EQ(EnterKeyButton(true, false), EnterPresses::Add);
  EXPECT_EQ(EnterKeyButton(true, true), EnterPresses::Add);
  EXPECT_EQ(EnterKeyButton(false, true), EnterPresses::Update);
  EXPECT_EQ(EnterKeyButton(false, false), EnterPresses::Nothing);
}

// Unsaved input is a change of value in any field, not of how a number is written.
TEST(PanelValuesCompare, OnlyAChangedValueIsUnsavedInput) {
  PanelContent shown;
  shown.temperature = u"36.50";
  shown.weight = u"52.0";
  shown.memo = u"眠い";
  const PanelValues before = ShownPanelValues(shown);
  const struct {
    const char* what;
    std::u16string temperature, weight;
    bool period;
    std::u16string memo;
    bool unsaved;
  } cases[] = {
      {"as shown", u"36.50", u"52.0", false, u"眠い", false},
      {"the same numbers written otherwise", u"36.5", u" 52", false, u"眠い", false},
      {"a new temperature", u"36.52", u"52.0", false, u"眠い", true},
      {"the weight emptied", u"36.50", u"", false, u"眠い", true},
      {"the period ticked", u"36.50", u"52.0", true, u"眠い", true},
      {"the memo changed", u"36.50", u"52.0", false, u"眠い。", true},
      {"text that is no number", u"abc", u"52.0", false, u"眠い", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const PanelValues now = ReadPanelValues(c.temperature, c.weight, c.period, c.memo);
    EXPECT_EQ(now != before, c.unsaved);
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

TEST(PanelContent, DayWithoutTemperatureHidesWeightAndMemo) {
  WeightRecord w;
  w.weight = 50;
  MemoRecord m;
  m.text[0] = u'a';
  const PanelContent c = MakePanelContent(28, {2026, 5, 1}, nullptr, &w, &m, 36.5, {2026, 5, 20},
                                          {2026, 5, 20}, {2026, 5, 20});
  EXPECT_TRUE(c.addEnabled);
  EXPECT_FALSE(c.updateEnabled);
  EXPECT_EQ(c.weight, u"");
  EXPECT_EQ(c.memo, u"");
  EXPECT_EQ(c.nextPeriod, u"5月20日");  // a prediction of today is shown, not "未定"
}

TEST(PanelContent, HugeNumbersAreCutNotOverflowed) {
  EXPECT_EQ(FormatPanelNumber("%.2f", 1e300).size(), 8u);
}
