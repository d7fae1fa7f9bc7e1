#include "settings.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "statistics.h"
#include "value_bounds.h"

const std::array<SettingsKey, kSettingsKeyCount> kSettingsKeys = {{
    {"BaseColor", "255,128,128"},
    {"GraphGridColor", "128,255,128"},
    {"GraphColor", "0,0,0"},
    {"TodayBackColor", "255,224,224"},
    {"MarkBackColor", "255,255,224"},
    {"StringColor", "0,0,0"},
    {"BaseTempeLineColor", "128,128,255"},
    {"GraphMode", "1"},
    {"MinTemperature", "35.50"},
    {"MinWeight", "43.0"},
    {"PeriodCycle", "28"},
    {"TemperatureCalcType", "0"},
    {"WeightCalcType", "0"},
    {"PeriodCalcType", "0"},
}};

const std::array<SettingsKey, kShiftSettingsKeyCount> kShiftSettingsKeys = {{
    {"CoverLineColor", "255,128,0"},
    {"ShowShift", "1"},
}};

namespace {

enum KeyIndex : int {
  kKeyGraphMode = kColorSlotCount,
  kKeyMinTemperature,
  kKeyMinWeight,
  kKeyPeriodCycle,
  kKeyTemperatureCalcType,
  kKeyWeightCalcType,
  kKeyPeriodCalcType,
};

// Reads one integer the way "%d" does (leading blanks, optional sign, digits) from text[pos...];
// advances pos past it. Out-of-range values saturate; the caller decides what they mean.
bool ScanInteger(const std::string& text, std::size_t& pos, long long& value) {
  const char* begin = text.c_str() + pos;
  char* end = nullptr;
  errno = 0;
  value = std::strtoll(begin, &end, 10);
  if (end == begin) return false;
  pos += static_cast<std::size_t>(end - begin);
  return true;
}

// "%d,%d,%d" of red, green and blue.
std::string ColorText(ColorRef c) {
  char buffer[kSettingsValueBuffer];
  std::snprintf(buffer, sizeof buffer, "%d,%d,%d", static_cast<int>(c & 0xFF),
                static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
  return buffer;
}

}  // namespace

bool ParseColorText(std::string_view view, std::uint32_t& color) {
  const std::string text(view);
  std::size_t pos = 0;
  long long rgb[3] = {};
  for (int i = 0; i < 3; ++i) {
    if (i > 0) {
      if (pos >= text.size() || text[pos] != ',') return false;
      ++pos;
    }
    if (!ScanInteger(text, pos, rgb[i])) return false;
  }
  color = RgbFromComponents(rgb[0], rgb[1], rgb[2]);
  return true;
}

bool ParseIntText(std::string_view view, int& value) {
  const std::string text(view);
  std::size_t pos = 0;
  long long scanned = 0;
  if (!ScanInteger(text, pos, scanned) || errno == ERANGE) return false;
  if (scanned < INT_MIN || scanned > INT_MAX) return false;
  value = static_cast<int>(scanned);
  return true;
}

bool ParseDecimalText(std::string_view view, double& value) {
  const std::string text(view);
  char* end = nullptr;
  const double converted = std::strtod(text.c_str(), &end);
  if (end == text.c_str() || !std::isfinite(converted)) return false;
  value = converted;
  return true;
}

SettingsValues ParseSettings(const SettingsTexts& texts) {
  SettingsValues values;
  // Every key first takes its default, so a text that does not scan leaves the default in place.
  for (int i = 0; i < kColorSlotCount; ++i) {
    ParseColorText(kSettingsKeys[i].defaultText, values.colors[i]);
    ParseColorText(texts[i], values.colors[i]);
  }
  auto readInt = [&](int key, int& target) {
    ParseIntText(kSettingsKeys[key].defaultText, target);
    ParseIntText(texts[key], target);
  };
  readInt(kKeyGraphMode, values.graphMode);
  readInt(kKeyPeriodCycle, values.periodCycle);
  readInt(kKeyTemperatureCalcType, values.temperatureCalcType);
  readInt(kKeyWeightCalcType, values.weightCalcType);
  readInt(kKeyPeriodCalcType, values.periodCalcType);

  // Floors and cycle feed the chart's arithmetic and the predictions: a value outside what the
  // program can store would make them meaningless, so it counts as not scanning.
  ParseDecimalText(kSettingsKeys[kKeyMinTemperature].defaultText, values.minTemperature);
  double temperature = 0;
  if (ParseDecimalText(texts[kKeyMinTemperature], temperature) && IsStorableTemperature(temperature))
    values.minTemperature = temperature;
  ParseDecimalText(kSettingsKeys[kKeyMinWeight].defaultText, values.minWeight);
  double weight = 0;
  if (ParseDecimalText(texts[kKeyMinWeight], weight) && IsStorableWeight(weight))
    values.minWeight = weight;
  if (!IsStorableCycle(values.periodCycle))
    ParseIntText(kSettingsKeys[kKeyPeriodCycle].defaultText, values.periodCycle);
  return values;
}

SettingsTexts FormatSettings(const SettingsValues& values) {
  SettingsTexts texts;
  char buffer[kSettingsValueBuffer];
  for (int i = 0; i < kColorSlotCount; ++i) texts[i] = ColorText(values.colors[i]);
  auto formatInt = [&](int key, int value) {
    std::snprintf(buffer, sizeof buffer, "%d", value);
    texts[key] = buffer;
  };
  formatInt(kKeyGraphMode, values.graphMode);
  std::snprintf(buffer, sizeof buffer, "%.2f", values.minTemperature);
  texts[kKeyMinTemperature] = buffer;
  std::snprintf(buffer, sizeof buffer, "%.1f", values.minWeight);
  texts[kKeyMinWeight] = buffer;
  formatInt(kKeyPeriodCycle, values.periodCycle);
  formatInt(kKeyTemperatureCalcType, values.temperatureCalcType);
  formatInt(kKeyWeightCalcType, values.weightCalcType);
  formatInt(kKeyPeriodCalcType, values.periodCalcType);
  return texts;
}

SettingsValues SettingsForSave(const ColorScheme& chartColors, int chartMode,
                               const TemperatureStore& temperatures, const WeightStore& weights) {
  SettingsValues values;
  values.colors = chartColors;
  values.graphMode = chartMode;
  values.minTemperature = ChartFloorTemperature(temperatures);
  values.minWeight = ChartFloorWeight(weights);
  values.periodCycle = AverageCycleDays(temperatures);
  values.temperatureCalcType = temperatures.temperatureCalcType;
  values.weightCalcType = weights.weightCalcType;
  values.periodCalcType = temperatures.periodCalcType;
  return values;
}

ShiftSettings ParseShiftSettings(const ShiftSettingsTexts& texts) {
  ShiftSettings values;
  ParseColorText(texts[0], values.coverLineColor);
  int show = 1;
  if (ParseIntText(texts[1], show)) values.showShift = show != 0;
  return values;
}

ShiftSettingsTexts FormatShiftSettings(const ShiftSettings& values) {
  return ShiftSettingsTexts{ColorText(values.coverLineColor), values.showShift ? "1" : "0"};
}
