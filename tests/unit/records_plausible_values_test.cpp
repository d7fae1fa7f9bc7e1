// The plausibility question: the ranges with their ends, the value most likely meant, which
// values of an entry or a CSV file are questioned, and the texts that name them.
#include "plausible_values.h"

#include <gtest/gtest.h>

#include <limits>

#include "support/store_builder.h"

using test_support::Utf8;

namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
using Kind = ImplausibleValue::Kind;

}  // namespace

// Both ends belong to the range, as the files would write the value.
TEST(PlausibleValues, RangesIncludeTheirEndsAsWritten) {
  const struct {
    double value;
    bool temperature, weight;
  } cases[] = {
      {35.00, true, true},    {34.99, false, true},
      {34.995, false, true},  {34.996, true, true},   // 34.995 is just below: written 34.99
      {42.00, true, true},    {42.01, false, true},   {42.004, true, true},
      {20.0, false, true},    {19.9, false, false},   {19.96, false, true},  // written 20.0
      {200.0, false, true},   {200.1, false, false},  {200.04, false, true},
      {3.65, false, false},   {kNan, false, false},
      {std::numeric_limits<double>::infinity(), false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(IsPlausibleTemperature(c.value), c.temperature);
    EXPECT_EQ(IsPlausibleWeight(c.value), c.weight);
  }
}

TEST(PlausibleValues, EntryQuestionsOnlyNewValuesOutsideTheRange) {
  const struct {
    const char* what;
    double temperature, weight, storedTemperature, storedWeight;
    std::vector<ImplausibleValue> questioned;
  } cases[] = {
      {"both plausible", 36.5, 52.0, 0, 0, {}},
      {"no weight is not questioned", 36.5, 0.0, 0, 0, {}},
      {"nor a day of signs alone, which has no temperature", 0.0, 0.0, 36.5, 52.0, {}},
      {"a decimal point too early", 3.65, 0.0, 0, 0, {{Kind::Temperature, 3.65}}},
      {"a stray key in the weight", 36.5, 8.0, 0, 0, {{Kind::Weight, 8.0}}},
      {"both, temperature first", 45.0, 250.0, 0, 0, {{Kind::Temperature, 45.0}, {Kind::Weight, 250.0}}},
      {"the day's own values were confirmed before", 34.8, 8.0, 34.8, 8.0, {}},
      {"a changed value is asked again", 34.7, 8.0, 34.8, 8.0, {{Kind::Temperature, 34.7}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ImplausibleEntryValues(c.temperature, c.weight, c.storedTemperature, c.storedWeight),
              c.questioned);
  }
}

TEST(PlausibleValues, LikelyMeantValueMovesTheDecimalPoint) {
  const struct {
    Kind kind;
    double value, meant;
  } cases[] = {
      {Kind::Temperature, 3.65, 36.5},  {Kind::Temperature, 365, 36.5},
      {Kind::Temperature, 3650, 36.5},  {Kind::Temperature, 0.365, 36.5},
      {Kind::Temperature, 45.0, 0.0},   {Kind::Temperature, 97.7, 0.0},  // no move lands inside
      {Kind::Weight, 8.0, 80.0},        {Kind::Weight, 520, 52.0},
      {Kind::Weight, 5.2, 52.0},        {Kind::Weight, 250, 25.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_NEAR(LikelyMeantValue({c.kind, c.value}), c.meant, 1e-9);
  }
}

TEST(PlausibleValues, EntryQuestionNamesEachValue) {
  EXPECT_EQ(Utf8(ImplausibleEntryQuestion({{Kind::Temperature, 3.65}})),
            "36.5 ℃ のつもりで 3.65 と入力していませんか？\nこのまま登録しますか？");
  EXPECT_EQ(Utf8(ImplausibleEntryQuestion({{Kind::Temperature, 45.0}, {Kind::Weight, 8.0}})),
            "基礎体温 45 ℃ は通常の範囲を外れています\n（35.00～42.00 ℃）。\n"
            "80 ㎏ のつもりで 8 と入力していませんか？\nこのまま登録しますか？");
  EXPECT_EQ(Utf8(ImplausibleEntryQuestion({{Kind::Weight, 25000.5}})),
            "体重 25000.5 ㎏ は通常の範囲を外れています\n（20.0～200.0 ㎏）。\nこのまま登録しますか？");
}

TEST(PlausibleValues, CsvQuestionCountsRowsAndListsTheFirstFive) {
  std::string csv = "日付,基礎体温,体重\n";
  const char* rows[] = {"2026/5/1,36.50,52.0", "2026/5/2,3.65,52.0", "2026/5/3,36.40,8",
                        "2026/5/4,45.00,250",  "2026/5/5,36.40,",    "2026/5/6,34.00,",
                        "2026/5/7,34.10,",     "2026/5/8,34.20,",    "2026/5/9,34.30,"};
  for (const char* row : rows) csv += std::string(row) + "\n";
  const CsvParseResult parsed = ParseRecordsCsv(csv);
  ASSERT_TRUE(parsed.Ok());
  const std::vector<ImplausibleValue> values = ImplausibleCsvValues(parsed.rows);
  ASSERT_EQ(values.size(), 8u);
  EXPECT_EQ(values[0], (ImplausibleValue{Kind::Temperature, 3.65, 3}));
  EXPECT_EQ(Utf8(ImplausibleCsvQuestion(values)),
            "CSVファイルの 7行に、通常の範囲を外れた値があります\n"
            "（基礎体温 35.00～42.00 ℃、体重 20.0～200.0 ㎏）。\n"
            "3行目: 基礎体温 3.65 ℃\n4行目: 体重 8 ㎏\n5行目: 基礎体温 45 ℃、体重 250 ㎏\n"
            "7行目: 基礎体温 34 ℃\n8行目: 基礎体温 34.1 ℃\nほか 2行\nこのまま登録しますか？");
  EXPECT_TRUE(ImplausibleCsvValues(ParseRecordsCsv("日付,基礎体温\n2026/5/1,36.5\n").rows).empty());
  // A day of signs alone has an empty temperature cell, nothing to question.
  const CsvParseResult signs = ParseRecordsCsv("日付,基礎体温,おりもの\n2026/5/2,,4\n");
  ASSERT_TRUE(signs.Ok());
  ASSERT_EQ(signs.rows.size(), 1u);
  EXPECT_TRUE(ImplausibleCsvValues(signs.rows).empty());
}
