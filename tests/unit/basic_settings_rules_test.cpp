// The confirm check of the basic settings dialog and the texts its edits are filled with.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "basic_setting_rules.h"

namespace {

BasicEnvValues Held() {
  BasicEnvValues v;
  v.temperatureCalcType = 0;
  v.weightCalcType = 0;
  v.periodCalcType = 0;
  v.minTemperature = 35.4;
  v.minWeight = 48.0;
  v.periodCycle = 29;
  return v;
}

BasicEnvEntry AllAutomatic() { return BasicEnvEntry{}; }

BasicEnvEntry Manual(std::wstring temperature, std::wstring weight, std::wstring cycle) {
  BasicEnvEntry e;
  e.temperatureAutomatic = false;
  e.temperatureText = std::move(temperature);
  e.weightAutomatic = false;
  e.weightText = std::move(weight);
  e.periodAutomatic = false;
  e.periodText = std::move(cycle);
  return e;
}

void ExpectNumbersUnchanged(const BasicEnvValues& v) {
  EXPECT_DOUBLE_EQ(v.minTemperature, 35.4);
  EXPECT_DOUBLE_EQ(v.minWeight, 48.0);
  EXPECT_EQ(v.periodCycle, 29);
}

}  // namespace

TEST(BasicSettingsCheck, ManualRowsTakeTheirNumbers) {
  BasicEnvValues v = Held();
  EXPECT_EQ(ApplyBasicEnvEntry(Manual(L"35.80", L"50.5", L"30"), v), BasicEnvFault::None);
  EXPECT_EQ(v.temperatureCalcType, 1);
  EXPECT_EQ(v.weightCalcType, 1);
  EXPECT_EQ(v.periodCalcType, 1);
  EXPECT_DOUBLE_EQ(v.minTemperature, 35.8);
  EXPECT_DOUBLE_EQ(v.minWeight, 50.5);
  EXPECT_EQ(v.periodCycle, 30);
}

TEST(BasicSettingsCheck, AutomaticRowsIgnoreWhateverTheEditHolds) {
  BasicEnvValues v = Held();
  v.temperatureCalcType = v.weightCalcType = v.periodCalcType = 1;
  BasicEnvEntry e = AllAutomatic();
  e.temperatureText = L"abc";
  e.weightText = L"";
  e.periodText = L"-1e999";
  EXPECT_EQ(ApplyBasicEnvEntry(e, v), BasicEnvFault::None);
  EXPECT_EQ(v.temperatureCalcType, 0);
  EXPECT_EQ(v.weightCalcType, 0);
  EXPECT_EQ(v.periodCalcType, 0);
  ExpectNumbersUnchanged(v);
}

TEST(BasicSettingsCheck, ZeroOrEmptyManualTemperatureIsRefused) {
  for (const wchar_t* text : {L"0", L"0.00", L"", L"abc"}) {
    BasicEnvValues v = Held();
    EXPECT_EQ(ApplyBasicEnvEntry(Manual(text, L"50", L"28"), v), BasicEnvFault::Temperature)
        << "text: " << std::wstring(text).size();
    EXPECT_EQ(v.temperatureCalcType, 1);
    EXPECT_EQ(v.weightCalcType, 0) << "rows after the refused one are not reached";
    ExpectNumbersUnchanged(v);
  }
}

TEST(BasicSettingsCheck, CycleIsReadAsAnInteger) {
  BasicEnvValues v = Held();
  BasicEnvEntry e = AllAutomatic();
  e.periodAutomatic = false;
  e.periodText = L"28.5";
  EXPECT_EQ(ApplyBasicEnvEntry(e, v), BasicEnvFault::None);
  EXPECT_EQ(v.periodCycle, 28);

  e.periodText = L"0";
  EXPECT_EQ(ApplyBasicEnvEntry(e, v), BasicEnvFault::Cycle);
  EXPECT_EQ(v.periodCycle, 28);
}

TEST(BasicSettingsCheck, RefusedWeightRestoresTheTemperatureButKeepsItsCalcType) {
  BasicEnvValues v = Held();
  EXPECT_EQ(ApplyBasicEnvEntry(Manual(L"36.00", L"x", L"28"), v), BasicEnvFault::Weight);
  EXPECT_EQ(v.temperatureCalcType, 1);
  EXPECT_EQ(v.weightCalcType, 1);
  EXPECT_EQ(v.periodCalcType, 0);
  ExpectNumbersUnchanged(v);
}

TEST(BasicSettingsCheck, RefusedCycleRestoresBothFloors) {
  BasicEnvValues v = Held();
  EXPECT_EQ(ApplyBasicEnvEntry(Manual(L"36.00", L"55", L"abc"), v), BasicEnvFault::Cycle);
  EXPECT_EQ(v.periodCalcType, 1);
  ExpectNumbersUnchanged(v);
}

TEST(BasicSettingsCheck, NumbersThatCannotBeStoredAreRefused) {
  struct Case {
    const wchar_t* temperature;
    const wchar_t* weight;
    const wchar_t* cycle;
    BasicEnvFault fault;
  };
  const Case cases[] = {
      {L"inf", L"50", L"28", BasicEnvFault::Temperature},
      {L"nan", L"50", L"28", BasicEnvFault::Temperature},
      {L"1e999", L"50", L"28", BasicEnvFault::Temperature},
      {L"-36.5", L"50", L"28", BasicEnvFault::Temperature},
      {L"100", L"50", L"28", BasicEnvFault::Temperature},
      {L"36", L"inf", L"28", BasicEnvFault::Weight},
      {L"36", L"nan", L"28", BasicEnvFault::Weight},
      {L"36", L"1e999", L"28", BasicEnvFault::Weight},
      {L"36", L"-50", L"28", BasicEnvFault::Weight},
      {L"36", L"1000", L"28", BasicEnvFault::Weight},
      {L"36", L"50", L"366", BasicEnvFault::Cycle},
      {L"36", L"50", L"-28", BasicEnvFault::Cycle},
      {L"36", L"50", L"99999", BasicEnvFault::Cycle},
  };
  for (const Case& c : cases) {
    BasicEnvValues v = Held();
    EXPECT_EQ(ApplyBasicEnvEntry(Manual(c.temperature, c.weight, c.cycle), v), c.fault)
        << "case " << (&c - cases);
    ExpectNumbersUnchanged(v);
  }
}

TEST(BasicSettingsCheck, TheBoundsThemselves) {
  BasicEnvValues v = Held();
  EXPECT_EQ(ApplyBasicEnvEntry(Manual(L"99.99", L"999.9", L"365"), v), BasicEnvFault::None);
  EXPECT_DOUBLE_EQ(v.minTemperature, 99.99);
  EXPECT_DOUBLE_EQ(v.minWeight, 999.9);
  EXPECT_EQ(v.periodCycle, 365);
  EXPECT_EQ(ApplyBasicEnvEntry(Manual(L"0.01", L"0.1", L"1"), v), BasicEnvFault::None);
  EXPECT_EQ(v.periodCycle, 1);
}

TEST(BasicSettingsCheck, OnlyTheFirstFiveCharactersAreRead) {
  BasicEnvValues v = Held();
  // "36.505" reads as "36.50", "123.45" as "123.4", "12345678" as the cycle 12345 (refused).
  EXPECT_EQ(ApplyBasicEnvEntry(Manual(L"36.505", L"123.45", L"28"), v), BasicEnvFault::None);
  EXPECT_DOUBLE_EQ(v.minTemperature, 36.5);
  EXPECT_DOUBLE_EQ(v.minWeight, 123.4);
  EXPECT_EQ(ApplyBasicEnvEntry(Manual(L"36", L"50", L"12345678"), v), BasicEnvFault::Cycle);
}

TEST(BasicSettingsCheck, EachRowHasItsMessage) {
  EXPECT_EQ(std::wstring(BasicEnvFaultMessage(BasicEnvFault::Temperature)),
            L"基礎体温の入力に誤りがあります。\n正しく入力してください。");
  EXPECT_EQ(std::wstring(BasicEnvFaultMessage(BasicEnvFault::Weight)),
            L"体重の入力に誤りがあります。\n正しく入力してください。");
  EXPECT_EQ(std::wstring(BasicEnvFaultMessage(BasicEnvFault::Cycle)),
            L"月経周期の入力に誤りがあります。\n正しく入力してください。");
  EXPECT_EQ(std::wstring(BasicEnvFaultMessage(BasicEnvFault::None)), L"");
}

TEST(BasicSettingsEdits, ShowTheHeldValues) {
  BasicEnvValues v = Held();
  const BasicEnvEditTexts t = FormatBasicEnvEdits(v);
  EXPECT_EQ(std::wstring(t.temperature), L"35.40");
  EXPECT_EQ(std::wstring(t.weight), L"48.0");
  EXPECT_EQ(std::wstring(t.cycle), L"29");
}

TEST(BasicSettingsEdits, TextsTooLongForTheBufferAreCutToFiveCharacters) {
  BasicEnvValues v;
  v.minTemperature = 1234.5;  // "1234.50"
  v.minWeight = 1e300;        // hundreds of digits
  v.periodCycle = -1234567;
  const BasicEnvEditTexts t = FormatBasicEnvEdits(v);
  EXPECT_EQ(std::wstring(t.temperature), L"1234.");
  EXPECT_EQ(std::wstring(t.weight), L"10000");
  EXPECT_EQ(std::wstring(t.cycle), L"-1234");

  // What the cut texts read back as is refused on a manual row, never taken as something else.
  BasicEnvValues after = v;
  BasicEnvEntry e = Manual(t.temperature, L"50", L"28");
  EXPECT_EQ(ApplyBasicEnvEntry(e, after), BasicEnvFault::Temperature);
  e = Manual(L"36", t.weight, L"28");
  EXPECT_EQ(ApplyBasicEnvEntry(e, after), BasicEnvFault::Weight);
  e = Manual(L"36", L"50", t.cycle);
  EXPECT_EQ(ApplyBasicEnvEntry(e, after), BasicEnvFault::Cycle);
}

TEST(BasicSettingsEdits, NonFiniteValuesStillFit) {
  BasicEnvValues v;
  v.minTemperature = std::nan("");
  v.minWeight = -INFINITY;
  const BasicEnvEditTexts t = FormatBasicEnvEdits(v);
  EXPECT_LT(std::wstring(t.temperature).size(), 6u);
  EXPECT_EQ(std::wstring(t.weight), L"-inf");
}
