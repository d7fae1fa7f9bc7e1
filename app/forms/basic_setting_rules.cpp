#include "basic_setting_rules.h"

#include <cstdio>

#include "numbers.h"
#include "value_bounds.h"

namespace {

constexpr std::size_t kReadLength = kBasicEnvEditBuffer - 1;

// What a 6-character read of the edit gives: its first 5 characters.
std::wstring AsRead(const std::wstring& text) { return text.substr(0, kReadLength); }

// The edit as a number: leading blanks skipped, trailing junk ignored ("36.5x" is 36.5, "28.5"
// as an integer is 28); 0 when it holds no number, a zero, or one out of the type's reach.
double ReadDecimal(const std::wstring& text) { return quillet::ToDouble(text.c_str()); }
int ReadInteger(const std::wstring& text) { return quillet::ToInt(text.c_str()); }

// Cut a formatted number to the buffer the edit is filled through.
void FormatInto(wchar_t (&out)[kBasicEnvEditBuffer], const char* format, double value) {
  char narrow[kBasicEnvEditBuffer] = {};
  std::snprintf(narrow, sizeof narrow, format, value);
  for (int i = 0; i < kBasicEnvEditBuffer; ++i) out[i] = static_cast<unsigned char>(narrow[i]);
}
void FormatInto(wchar_t (&out)[kBasicEnvEditBuffer], int value) {
  char narrow[kBasicEnvEditBuffer] = {};
  std::snprintf(narrow, sizeof narrow, "%d", value);
  for (int i = 0; i < kBasicEnvEditBuffer; ++i) out[i] = static_cast<unsigned char>(narrow[i]);
}

BasicEnvFault ApplyRows(const BasicEnvEntry& entry, BasicEnvValues& values) {
  if (entry.temperatureAutomatic) {
    values.temperatureCalcType = 0;
  } else {
    values.temperatureCalcType = 1;
    const double floor = ReadDecimal(AsRead(entry.temperatureText));
    if (floor == 0.0 || !IsStorableTemperature(floor)) return BasicEnvFault::Temperature;
    values.minTemperature = floor;
  }

  if (entry.weightAutomatic) {
    values.weightCalcType = 0;
  } else {
    values.weightCalcType = 1;
    const double floor = ReadDecimal(AsRead(entry.weightText));
    if (floor == 0.0 || !IsStorableWeight(floor)) return BasicEnvFault::Weight;
    values.minWeight = floor;
  }

  if (entry.periodAutomatic) {
    values.periodCalcType = 0;
  } else {
    values.periodCalcType = 1;
    const int days = ReadInteger(AsRead(entry.periodText));
    if (days == 0 || !IsStorableCycle(days)) {
      return BasicEnvFault::Cycle;
    }
    values.periodCycle = days;
  }
  return BasicEnvFault::None;
}

}  // namespace

BasicEnvFault ApplyBasicEnvEntry(const BasicEnvEntry& entry, BasicEnvValues& values) {
  const double noteTemperature = values.minTemperature;
  const double noteWeight = values.minWeight;
  const int noteCycle = values.periodCycle;
  const BasicEnvFault fault = ApplyRows(entry, values);
  if (fault != BasicEnvFault::None) {
    values.minTemperature = noteTemperature;
    values.minWeight = noteWeight;
    values.periodCycle = noteCycle;
  }
  return fault;
}

const wchar_t* BasicEnvFaultMessage(BasicEnvFault fault) {
  switch (fault) {
    case BasicEnvFault::Temperature:
      return L"基礎体温の入力に誤りがあります。\n正しく入力してください。";
    case BasicEnvFault::Weight:
      return L"体重の入力に誤りがあります。\n正しく入力してください。";
    case BasicEnvFault::Cycle:
      return L"月経周期の入力に誤りがあります。\n正しく入力してください。";
    case BasicEnvFault::None:
      break;
  }
  return L"";
}

BasicEnvEditTexts FormatBasicEnvEdits(const BasicEnvValues& values) {
  BasicEnvEditTexts texts;
  FormatInto(texts.temperature, "%.2f", values.minTemperature);
  FormatInto(texts.weight, "%.1f", values.minWeight);
  FormatInto(texts.cycle, values.periodCycle);
  return texts;
}
