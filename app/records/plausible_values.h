// What a body plausibly measures. The files can hold far more (value_bounds.h); a value outside
// these ranges is still stored once the user confirms it, but it is usually a typo (a misplaced
// decimal point, a stray key) that would bend the whole chart, so it is questioned first. The
// side panel, the log-on entry dialog and the CSV import ask with these texts.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "records_csv.h"

// 35.00-42.00 degC and 20.0-200.0 kg, both ends included, compared as the files write the value
// (two decimals for a temperature, one for a weight).
bool IsPlausibleTemperature(double value);
bool IsPlausibleWeight(double value);

// One value to question.
struct ImplausibleValue {
  enum class Kind { Temperature, Weight } kind = Kind::Temperature;
  double value = 0.0;
  std::size_t line = 0;  // the CSV line it comes from (0 for an entry)
  friend bool operator==(const ImplausibleValue&, const ImplausibleValue&) = default;
};

// The values of one entry that lie outside the ranges, temperature first. A value of 0 is "none"
// (a day of signs alone has no temperature, a day without a weight none) and never questioned;
// nor is a value equal to what the day already holds (`stored`, 0 when it has none), which the
// user has confirmed before.
std::vector<ImplausibleValue> ImplausibleEntryValues(double temperature, double weight,
                                                     double storedTemperature = 0.0,
                                                     double storedWeight = 0.0);
// Every such value of the rows of a CSV file, in file order (a day of signs alone has no
// temperature to question).
std::vector<ImplausibleValue> ImplausibleCsvValues(const std::vector<CsvRow>& rows);

// The value moved by a decimal place or two (x10, /10, x100, /100, the first inside the range),
// the value the user most likely meant; 0 when no such move lands inside.
double LikelyMeantValue(const ImplausibleValue& value);

// The question before an entry is stored, one line per value, e.g.
// "36.5 ℃ のつもりで 3.65 と入力していませんか？\nこのまま登録しますか？".
std::u16string ImplausibleEntryQuestion(const std::vector<ImplausibleValue>& values);
// The question before a CSV file is read: how many rows, the first few with their lines, then
// "このまま登録しますか？".
std::u16string ImplausibleCsvQuestion(const std::vector<ImplausibleValue>& values);

// The caption of both questions.
inline constexpr char16_t kImplausibleCaption[] = u"入力内容の確認";
