// The settings file's values: defaults, colour scanning, fall-backs and what a close writes.
#include <gtest/gtest.h>

#include "record_stores.h"
#include "settings.h"

namespace {

// The colour slots under the names of their keys.
constexpr ColorSlot kBaseColor = kBaseSlot, kGraphGridColor = kGraphGridSlot,
                    kGraphColor = kGraphSlot, kTodayBackColor = kTodayBackSlot,
                    kMarkBackColor = kMarkBackSlot, kStringColor = kStringSlot,
                    kBaseTempeLineColor = kBaseTempeLineSlot;

SettingsTexts DefaultTexts() {
  SettingsTexts texts;
  for (int i = 0; i < kSettingsKeyCount; ++i) texts[i] = kSettingsKeys[i].defaultText;
  return texts;
}

int KeyIndex(const char* name) {
  for (int i = 0; i < kSettingsKeyCount; ++i)
    if (std::string(kSettingsKeys[i].name) == name) return i;
  ADD_FAILURE() << "no key " << name;
  return 0;
}

void AddTemperature(TemperatureStore& store, int y, int m, int d, double t, int period = 0) {
  TemperatureRecord r;
  r.year = y; r.month = m; r.day = d; r.temperature = t; r.periodStart = static_cast<unsigned char>(period);
  ASSERT_TRUE(InsertTemperature(r, store));
}

void AddWeight(WeightStore& store, int y, int m, int d, double w) {
  WeightRecord r;
  r.year = y; r.month = m; r.day = d; r.weight = w;
  ASSERT_TRUE(InsertWeight(r, store));
}

}  // namespace

TEST(SettingsFile, KeysAreInFileOrder) {
  const char* expected[] = {"BaseColor", "GraphGridColor", "GraphColor", "TodayBackColor",
                            "MarkBackColor", "StringColor", "BaseTempeLineColor", "GraphMode",
                            "MinTemperature", "MinWeight", "PeriodCycle", "TemperatureCalcType",
                            "WeightCalcType", "PeriodCalcType", "CoverLineColor", "ShowShift",
                            "ImageFolder"};
  ASSERT_EQ(std::size(expected), static_cast<std::size_t>(kSettingsKeyCount));
  for (int i = 0; i < kSettingsKeyCount; ++i) EXPECT_STREQ(kSettingsKeys[i].name, expected[i]);
}

TEST(SettingsFile, DefaultsGiveTheDocumentedValues) {
  const SettingsValues v = ParseSettings(DefaultTexts());
  EXPECT_EQ(v.colors[kBaseColor], RgbFromComponents(255, 128, 128));
  EXPECT_EQ(v.colors[kGraphGridColor], RgbFromComponents(128, 255, 128));
  EXPECT_EQ(v.colors[kGraphColor], RgbFromComponents(0, 0, 0));
  EXPECT_EQ(v.colors[kTodayBackColor], RgbFromComponents(255, 224, 224));
  EXPECT_EQ(v.colors[kMarkBackColor], RgbFromComponents(255, 255, 224));
  EXPECT_EQ(v.colors[kStringColor], RgbFromComponents(0, 0, 0));
  EXPECT_EQ(v.colors[kBaseTempeLineColor], RgbFromComponents(128, 128, 255));
  EXPECT_EQ(v.graphMode, 1);
  EXPECT_DOUBLE_EQ(v.minTemperature, 35.5);
  EXPECT_DOUBLE_EQ(v.minWeight, 43.0);
  EXPECT_EQ(v.periodCycle, 28);
  EXPECT_EQ(v.temperatureCalcType, 0);
  EXPECT_EQ(v.weightCalcType, 0);
  EXPECT_EQ(v.periodCalcType, 0);
}

TEST(SettingsFile, ColourComponentsKeepTheirLowByte) {
  std::uint32_t color = 0;
  ASSERT_TRUE(ParseColorText("255,0,0", color));
  EXPECT_EQ(color, 0x0000FFu);
  ASSERT_TRUE(ParseColorText("300,0,0", color));
  EXPECT_EQ(color, 44u);
  ASSERT_TRUE(ParseColorText("256,1,2", color));
  EXPECT_EQ(color, RgbFromComponents(0, 1, 2));
  ASSERT_TRUE(ParseColorText(" 1, 2, 3", color));  // blanks before a number, as %d allows
  EXPECT_EQ(color, 0x030201u);
  ASSERT_TRUE(ParseColorText("99999999999999999999,0,0", color));  // saturates, never overflows
}

TEST(SettingsFile, TextThatDoesNotScanTakesTheDefault) {
  SettingsTexts texts = DefaultTexts();
  texts[KeyIndex("BaseColor")] = "red";
  texts[KeyIndex("GraphColor")] = "1,2";
  texts[KeyIndex("GraphMode")] = "";
  texts[KeyIndex("PeriodCycle")] = "abc";
  texts[KeyIndex("MinTemperature")] = "x";
  texts[KeyIndex("MinWeight")] = "";
  texts[KeyIndex("WeightCalcType")] = "99999999999";
  const SettingsValues v = ParseSettings(texts);
  EXPECT_EQ(v.colors[kBaseColor], RgbFromComponents(255, 128, 128));
  EXPECT_EQ(v.colors[kGraphColor], 0u);
  EXPECT_EQ(v.graphMode, 1);
  EXPECT_EQ(v.periodCycle, 28);
  EXPECT_DOUBLE_EQ(v.minTemperature, 35.5);
  EXPECT_DOUBLE_EQ(v.minWeight, 43.0);
  EXPECT_EQ(v.weightCalcType, 0);
}

TEST(SettingsFile, FloorsAndCycleOutsideWhatCanBeStoredTakeTheDefault) {
  SettingsTexts texts = DefaultTexts();
  texts[KeyIndex("MinTemperature")] = "inf";
  texts[KeyIndex("MinWeight")] = "-5";
  texts[KeyIndex("PeriodCycle")] = "0";
  SettingsValues v = ParseSettings(texts);
  EXPECT_DOUBLE_EQ(v.minTemperature, 35.5);
  EXPECT_DOUBLE_EQ(v.minWeight, 43.0);
  EXPECT_EQ(v.periodCycle, 28);

  // Written back as "100.00" and "1000.0", they would be refused at the next start.
  texts[KeyIndex("MinTemperature")] = "99.999";
  texts[KeyIndex("MinWeight")] = "999.96";
  v = ParseSettings(texts);
  EXPECT_DOUBLE_EQ(v.minTemperature, 35.5);
  EXPECT_DOUBLE_EQ(v.minWeight, 43.0);

  texts[KeyIndex("MinTemperature")] = "36.10";
  texts[KeyIndex("MinWeight")] = "50.5";
  texts[KeyIndex("PeriodCycle")] = "30";
  texts[KeyIndex("GraphMode")] = "0";  // read as is: start-up then checks no mode item
  v = ParseSettings(texts);
  EXPECT_DOUBLE_EQ(v.minTemperature, 36.1);
  EXPECT_DOUBLE_EQ(v.minWeight, 50.5);
  EXPECT_EQ(v.periodCycle, 30);
  EXPECT_EQ(v.graphMode, 0);
}

TEST(SettingsFile, FormatsEveryKeyAsItIsRead) {
  SettingsValues v = ParseSettings(DefaultTexts());
  v.colors[kGraphGridColor] = RgbFromComponents(1, 2, 3);
  v.graphMode = 3;
  v.minTemperature = 35.4;
  v.minWeight = 47;
  const SettingsTexts texts = FormatSettings(v);
  EXPECT_EQ(texts[KeyIndex("BaseColor")], "255,128,128");
  EXPECT_EQ(texts[KeyIndex("GraphGridColor")], "1,2,3");
  EXPECT_EQ(texts[KeyIndex("GraphMode")], "3");
  EXPECT_EQ(texts[KeyIndex("MinTemperature")], "35.40");
  EXPECT_EQ(texts[KeyIndex("MinWeight")], "47.0");
  EXPECT_EQ(texts[KeyIndex("PeriodCycle")], "28");
  const SettingsValues back = ParseSettings(texts);
  EXPECT_EQ(back.colors, v.colors);
  EXPECT_EQ(back.graphMode, 3);
}

TEST(SettingsFile, CloseWritesFloorsAndCycleFromTheStatistics) {
  TemperatureStore temperatures;
  temperatures.temperatureCalcType = 0;
  temperatures.minTemperature = 36.2;  // typed earlier, but automatic mode is in force
  temperatures.periodCalcType = 1;
  temperatures.periodCycle = 30;
  AddTemperature(temperatures, 2026, 1, 1, 36.57, 1);
  AddTemperature(temperatures, 2026, 1, 29, 36.57, 1);
  WeightStore weights;
  weights.weightCalcType = 0;
  weights.minWeight = 40;
  AddWeight(weights, 2026, 1, 1, 52.34);
  ColorScheme colors{};
  colors[kGraphGridColor] = RgbFromComponents(10, 20, 30);

  const SettingsValues v = SettingsForSave(colors, 2, temperatures, weights);
  const SettingsTexts texts = FormatSettings(v);
  EXPECT_EQ(texts[KeyIndex("MinTemperature")], "35.50");
  EXPECT_EQ(texts[KeyIndex("MinWeight")], "47.0");
  EXPECT_EQ(texts[KeyIndex("PeriodCycle")], "30");  // manual cycle in force
  EXPECT_EQ(texts[KeyIndex("PeriodCalcType")], "1");
  EXPECT_EQ(texts[KeyIndex("GraphMode")], "2");
  EXPECT_EQ(texts[KeyIndex("GraphGridColor")], "10,20,30");

  temperatures.periodCalcType = 0;  // automatic: the measured 28-day gap
  EXPECT_EQ(SettingsForSave(colors, 2, temperatures, weights).periodCycle, 28);
}

// Each colour key reaches the chart under its own name: a slot bound to another field would save
// and read back unchanged, yet paint with the wrong colour.
TEST(SettingsColours, EachKeyFillsTheSchemeFieldOfItsName) {
  const struct {
    const char* key;
    ColorRef ColorScheme::*field;
  } cases[] = {{"BaseColor", &ColorScheme::BaseColor},
               {"GraphGridColor", &ColorScheme::GraphGridColor},
               {"GraphColor", &ColorScheme::GraphColor},
               {"TodayBackColor", &ColorScheme::TodayBackColor},
               {"MarkBackColor", &ColorScheme::MarkBackColor},
               {"StringColor", &ColorScheme::StringColor},
               {"BaseTempeLineColor", &ColorScheme::BaseTempeLineColor}};
  SettingsTexts texts = DefaultTexts();
  for (int i = 0; i < 7; ++i) texts[KeyIndex(cases[i].key)] = std::to_string(i + 1) + ",0,0";
  const SettingsValues v = ParseSettings(texts);
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(v.colors.*cases[i].field, RgbFromComponents(i + 1, 0, 0)) << cases[i].key;
    EXPECT_EQ(FormatSettings(v)[KeyIndex(cases[i].key)], std::to_string(i + 1) + ",0,0");
  }
}

TEST(SettingsFile, CoverLineColourAndShowShiftReadWithDefaultsAndWriteBack) {
  const auto read = [](const char* color, const char* show) {
    SettingsTexts texts = DefaultTexts();
    texts[KeyIndex("CoverLineColor")] = color;
    texts[KeyIndex("ShowShift")] = show;
    return ParseSettings(texts);
  };
  const SettingsValues defaults = read("255,128,0", "1");
  EXPECT_EQ(defaults.coverLineColor, RgbFromComponents(255, 128, 0));
  EXPECT_TRUE(defaults.showShift);
  const SettingsValues fromDefaultTexts = ParseSettings(DefaultTexts());
  EXPECT_EQ(fromDefaultTexts.coverLineColor, defaults.coverLineColor);
  EXPECT_TRUE(fromDefaultTexts.showShift);
  const SettingsValues off = read("1,2,3", "0");
  EXPECT_EQ(off.coverLineColor, RgbFromComponents(1, 2, 3));
  EXPECT_FALSE(off.showShift);
  const SettingsValues unreadable = read("red", "yes");
  EXPECT_EQ(unreadable.coverLineColor, defaults.coverLineColor);
  EXPECT_TRUE(unreadable.showShift);
  EXPECT_TRUE(read("0,0,0", "-2").showShift);  // any integer but 0 is on
  const auto written = [](const SettingsValues& v) {
    const SettingsTexts texts = FormatSettings(v);
    return texts[KeyIndex("CoverLineColor")] + " " + texts[KeyIndex("ShowShift")];
  };
  EXPECT_EQ(written(off), "1,2,3 0");
  EXPECT_EQ(written(defaults), "255,128,0 1");
}

// The folder of the saved pictures: any path is kept as it is, a text a line of the file cannot
// hold or the read buffer would cut takes the empty default; an empty folder is left out.
TEST(SettingsFile, ImageFolderKeepsAnyPathAndRefusesWhatTheFileCannotHold) {
  const int key = KeyIndex("ImageFolder");
  EXPECT_TRUE(kSettingsKeys[key].omitWhenEmpty);
  EXPECT_EQ(kSettingsKeys[key].valueChars, kSettingsTextBuffer);
  const std::string tooLong(static_cast<std::size_t>(kSettingsTextBuffer), 'a');
  const struct {
    std::string text, folder;
  } cases[] = {{"", ""},
               {"C:\\Users\\花子\\Pictures", "C:\\Users\\花子\\Pictures"},
               {" D:\\a b ", " D:\\a b "},
               {tooLong.substr(1), tooLong.substr(1)},
               {tooLong, ""},
               {"C:\\a\nb", ""},
               {std::string("C:\\a\0b", 6), ""}};
  for (const auto& c : cases) {
    SettingsTexts texts = DefaultTexts();
    texts[key] = c.text;
    const SettingsValues v = ParseSettings(texts);
    EXPECT_EQ(v.imageFolder, c.folder) << c.text;
    EXPECT_EQ(FormatSettings(v)[key], c.folder);
  }
}

// Tovela.ini is written whole: a key's first line in the section takes its new value wherever it
// stands and however its name is spelled, missing keys follow the section's last line, an empty
// ImageFolder removes its line; other sections, unknown keys (of another version), comments and
// blank lines stay as they were.
TEST(SettingsFile, WrittenWholeKeepingEveryOtherLine) {
  SettingsTexts texts = DefaultTexts();
  texts[KeyIndex("GraphMode")] = "2";
  const auto keys = [&](std::initializer_list<const char*> without) {
    std::string out;
    for (int i = 0; i < kSettingsKeyCount; ++i) {
      bool left = texts[i].empty();
      for (const char* name : without) left = left || std::string(kSettingsKeys[i].name) == name;
      if (!left) out += std::string(kSettingsKeys[i].name) + "=" + texts[i] + "\r\n";
    }
    return out;
  };
  const struct {
    const char* what;
    std::string file, written;
  } cases[] = {
      {"no file yet", "", "[Tovela]\r\n" + keys({})},
      {"another program's file", "[Other]\r\nA=1", "[Other]\r\nA=1\r\n[Tovela]\r\n" + keys({})},
      {"the section among others",
       "; mine\r\n[Other]\r\nGraphMode=9\r\n[tovela]\r\n graphmode = 3\r\nNextVersionKey=x\r\n"
       "; note\nImageFolder=C:\\x\r\nGraphMode=7\r\n\r\n[Last]\r\nB=2\r\n",
       "; mine\r\n[Other]\r\nGraphMode=9\r\n[tovela]\r\nGraphMode=2\r\nNextVersionKey=x\r\n"
       "; note\r\nGraphMode=7\r\n" + keys({"GraphMode"}) + "\r\n[Last]\r\nB=2\r\n"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SettingsFileText(c.file, texts), c.written) << c.what;

  texts[KeyIndex("ImageFolder")] = "D:\\写真";
  EXPECT_EQ(SettingsFileText("[Tovela]\r\nImageFolder=C:\\x\r\nBaseColor=1,2,3\r\n", texts),
            "[Tovela]\r\nImageFolder=D:\\写真\r\nBaseColor=255,128,128\r\n" +
                keys({"ImageFolder", "BaseColor"}));
}
