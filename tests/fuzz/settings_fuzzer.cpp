// The settings texts -> values. The input holds the value texts of the keys in key
// order, one per line; keys past the last line keep their default text. Every value must be one
// the program can work with, the integer keys must read as the reference reads them, and the
// texts written for the values must be read back to the same values and fit the read buffer.
#include <cmath>
#include <string>

#include "fuzz_checks.h"
#include "reference_readers.h"
#include "settings.h"

namespace {

SettingsTexts TextsOf(std::string_view bytes) {
  SettingsTexts texts;
  for (int i = 0; i < kSettingsKeyCount; ++i) texts[i] = kSettingsKeys[i].defaultText;
  std::size_t start = 0;
  for (int i = 0; i < kSettingsKeyCount && start <= bytes.size(); ++i) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    texts[i] = std::string(bytes.substr(start, end - start));
    start = end + 1;
  }
  return texts;
}

// The integer key's value: the reference reading of its text, else of its default text.
int ExpectedInt(const SettingsTexts& texts, int key) {
  int value = 0;
  if (reference::ReadInt(texts[key].c_str(), value)) return value;
  reference::ReadInt(kSettingsKeys[key].defaultText, value);
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const SettingsTexts texts = TextsOf(fuzz::Bytes(data, size));
  const SettingsValues values = ParseSettings(texts);

  for (int slot = 0; slot < kColorSlotCount; ++slot)
    fuzz::Require(values.colors[slot] <= 0xFFFFFF, "colour is 0x00BBGGRR");
  fuzz::Require(values.graphMode == ExpectedInt(texts, 7), "GraphMode reads as the reference");
  fuzz::Require(values.temperatureCalcType == ExpectedInt(texts, 11), "TemperatureCalcType");
  fuzz::Require(values.weightCalcType == ExpectedInt(texts, 12), "WeightCalcType");
  fuzz::Require(values.periodCalcType == ExpectedInt(texts, 13), "PeriodCalcType");
  const int cycle = ExpectedInt(texts, 10);
  fuzz::Require(values.periodCycle == (cycle >= 1 && cycle <= 365 ? cycle : 28),
                "PeriodCycle reads as the reference, else 28");
  fuzz::Require(std::isfinite(values.minTemperature) && values.minTemperature > 0 &&
                    values.minTemperature < 100, "MinTemperature within (0, 100)");
  fuzz::Require(std::isfinite(values.minWeight) && values.minWeight > 0 && values.minWeight < 1000,
                "MinWeight within (0, 1000)");

  // What a close writes for these values is read back to the same values at the next start.
  const SettingsTexts written = FormatSettings(values);
  for (int i = 0; i < kSettingsKeyCount; ++i)
    fuzz::Require(written[i].size() < static_cast<std::size_t>(kSettingsKeys[i].valueChars),
                  "a written value fits the read buffer");
  const SettingsValues again = ParseSettings(written);
  fuzz::Require(again.colors == values.colors, "colours read back");
  fuzz::Require(again.graphMode == values.graphMode && again.periodCycle == values.periodCycle &&
                    again.temperatureCalcType == values.temperatureCalcType &&
                    again.weightCalcType == values.weightCalcType &&
                    again.periodCalcType == values.periodCalcType,
                "integers read back");
  fuzz::Require(again.imageFolder == values.imageFolder, "the pictures' folder reads back");
  fuzz::Require(FormatSettings(again) == written, "floors read back as written");
  return 0;
}
