#include "plausible_values.h"

#include "number_text.h"

namespace {

using Kind = ImplausibleValue::Kind;

struct Range {
  long long low, high;  // in units of the last written decimal
  int decimals;
  const char16_t* name;
  const char16_t* unit;
  const char16_t* text;  // the range as the question shows it
};

const Range& RangeOf(Kind kind) {
  static const Range temperature{3500, 4200, 2, u"基礎体温", u"℃", u"35.00～42.00 ℃"};
  static const Range weight{200, 2000, 1, u"体重", u"㎏", u"20.0～200.0 ㎏"};
  return kind == Kind::Temperature ? temperature : weight;
}

// Judged as the files write the value: its digits at the range's decimals, read as a count of
// the last decimal's units.
bool Inside(double value, const Range& range) {
  if (!(value > 0.0 && value < 1e9)) return false;  // NaN and infinity fail here too
  std::string text;
  AppendFixed(text, value, range.decimals);
  long long units = 0;
  for (const char c : text)
    if (c != '.') units = units * 10 + (c - '0');
  return units >= range.low && units <= range.high;
}

bool IsPlausible(Kind kind, double value) { return Inside(value, RangeOf(kind)); }

// The value as written, without the zeros a reader does not need: 36.50 -> "36.5", 8.0 -> "8".
std::u16string ShortNumber(double value, int decimals) {
  std::string text;
  AppendFixed(text, value, decimals);
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  return AsciiText(text);
}

std::u16string ValueText(const ImplausibleValue& v) {
  const Range& range = RangeOf(v.kind);
  return ShortNumber(v.value, range.decimals);
}

// Short lines: a message box wraps a long one at an odd place. The unit tells which value a
// guess is about.
std::u16string EntryLine(const ImplausibleValue& v) {
  const Range& range = RangeOf(v.kind);
  const double meant = LikelyMeantValue(v);
  if (meant != 0.0)
    return ShortNumber(meant, range.decimals) + u" " + range.unit + u" のつもりで " + ValueText(v) +
           u" と入力していませんか？";
  return std::u16string(range.name) + u" " + ValueText(v) + u" " + range.unit +
         u" は通常の範囲を外れています\n（" + range.text + u"）。";
}

}  // namespace

bool IsPlausibleTemperature(double value) { return IsPlausible(Kind::Temperature, value); }

bool IsPlausibleWeight(double value) { return IsPlausible(Kind::Weight, value); }

std::vector<ImplausibleValue> ImplausibleEntryValues(double temperature, double weight,
                                                     double storedTemperature, double storedWeight) {
  std::vector<ImplausibleValue> values;
  if (temperature != 0.0 && temperature != storedTemperature && !IsPlausibleTemperature(temperature))
    values.push_back({Kind::Temperature, temperature});
  if (weight != 0.0 && weight != storedWeight && !IsPlausibleWeight(weight))
    values.push_back({Kind::Weight, weight});
  return values;
}

std::vector<ImplausibleValue> ImplausibleCsvValues(const std::vector<CsvRow>& rows) {
  std::vector<ImplausibleValue> values;
  for (const CsvRow& row : rows) {
    if (row.hasTemperature && !IsPlausibleTemperature(row.temperature))
      values.push_back({Kind::Temperature, row.temperature, row.line});
    if (row.weight != 0.0 && !IsPlausibleWeight(row.weight))
      values.push_back({Kind::Weight, row.weight, row.line});
  }
  return values;
}

double LikelyMeantValue(const ImplausibleValue& value) {
  for (const long double factor : {10.0L, 0.1L, 100.0L, 0.01L}) {
    const double moved = static_cast<double>(static_cast<long double>(value.value) * factor);
    if (IsPlausible(value.kind, moved)) return moved;
  }
  return 0.0;
}

std::u16string ImplausibleEntryQuestion(const std::vector<ImplausibleValue>& values) {
  std::u16string text;
  for (const ImplausibleValue& v : values) text += EntryLine(v) + u"\n";
  return text + u"このまま登録しますか？";
}

std::u16string ImplausibleCsvQuestion(const std::vector<ImplausibleValue>& values) {
  // One line per row of the file, its values side by side.
  std::vector<std::u16string> rowLines;
  std::size_t lastLine = 0;
  for (const ImplausibleValue& v : values) {
    const Range& range = RangeOf(v.kind);
    const std::u16string value = std::u16string(range.name) + u" " + ValueText(v) + u" " + range.unit;
    if (!rowLines.empty() && v.line == lastLine) {
      rowLines.back() += u"、" + value;
      continue;
    }
    std::string line;
    AppendInteger(line, static_cast<int>(v.line));
    rowLines.push_back(AsciiText(line) + u"行目: " + value);
    lastLine = v.line;
  }
  std::string count;
  AppendInteger(count, static_cast<int>(rowLines.size()));
  const Range& temperature = RangeOf(Kind::Temperature);
  const Range& weight = RangeOf(Kind::Weight);
  std::u16string text = u"CSVファイルの " + AsciiText(count) + u"行に、通常の範囲を外れた値があります\n（" +
                        temperature.name + u" " + temperature.text + u"、" + weight.name + u" " +
                        weight.text + u"）。\n";
  for (std::size_t i = 0; i < rowLines.size() && i < kCsvProblemsKept; ++i) text += rowLines[i] + u"\n";
  if (rowLines.size() > kCsvProblemsKept) {
    std::string more;
    AppendInteger(more, static_cast<int>(rowLines.size() - kCsvProblemsKept));
    text += u"ほか " + AsciiText(more) + u"行\n";
  }
  return text + u"このまま登録しますか？";
}
