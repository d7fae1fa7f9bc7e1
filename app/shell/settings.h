// The settings file Tovela.ini, section "Tovela": fourteen keys read once at start-up and written
// whenever a key's text changes and at each close. This part is portable: it turns the texts of
// the keys into values and back; settings_win.cpp moves the texts through the system's
// profile-string functions.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "color_scheme.h"

struct TemperatureStore;
struct WeightStore;

inline constexpr int kSettingsKeyCount = 14;
// Profile reads go through a buffer of this many characters; a longer value is cut to 15.
inline constexpr int kSettingsValueBuffer = 16;

struct SettingsKey {
  const char* name;
  const char* defaultText;
};

// The keys in the order in which they are read and written, each with its default text. The
// first seven are the colours of the scheme in slot order.
extern const std::array<SettingsKey, kSettingsKeyCount> kSettingsKeys;

struct SettingsValues {
  ColorScheme colors;  // the first seven keys, in slot order
  int graphMode = 1;
  double minTemperature = 35.5;
  double minWeight = 43.0;
  int periodCycle = 28;
  int temperatureCalcType = 0;
  int weightCalcType = 0;
  int periodCalcType = 0;
};

using SettingsTexts = std::array<std::string, kSettingsKeyCount>;

// 0x00BBGGRR from three components, each cut to its low eight bits.
constexpr std::uint32_t RgbFromComponents(long long red, long long green, long long blue) {
  return static_cast<std::uint32_t>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

// "r,g,b" -> colour; false when the text does not hold three comma-separated integers.
bool ParseColorText(std::string_view text, std::uint32_t& color);
// "%d" -> int; false when the text does not start with an integer that fits an int.
bool ParseIntText(std::string_view text, int& value);
// Decimal conversion -> finite double; false when nothing converts or the value is not finite.
bool ParseDecimalText(std::string_view text, double& value);

// The texts of the fourteen keys (as read, defaults already filled in for missing keys) turned
// into values. A text that does not scan, or that gives a value the program cannot work with,
// takes that key's default instead.
SettingsValues ParseSettings(const SettingsTexts& texts);
// The values as the texts to write, in key order: colours "%d,%d,%d", floors "%.2f" and "%.1f".
SettingsTexts FormatSettings(const SettingsValues& values);

// Two more keys, read and written after the fourteen: how the chart shows the reading of the
// curve (the cycles' cover lines and first high days, the side panel's state row).
inline constexpr int kShiftSettingsKeyCount = 2;
extern const std::array<SettingsKey, kShiftSettingsKeyCount> kShiftSettingsKeys;  // CoverLineColor, ShowShift
using ShiftSettingsTexts = std::array<std::string, kShiftSettingsKeyCount>;

struct ShiftSettings {
  ColorRef coverLineColor = RgbFromComponents(255, 128, 0);
  bool showShift = true;
};

// "r,g,b" and "1" or "0" (any other integer counts as on); a text that does not scan takes the
// key's default.
ShiftSettings ParseShiftSettings(const ShiftSettingsTexts& texts);
ShiftSettingsTexts FormatShiftSettings(const ShiftSettings& values);

// Every key of the file as written: the fourteen, then the two of the curve's reading. Two of
// these compare equal exactly when writing one over the other would change nothing.
struct SettingsFileTexts {
  SettingsTexts keys;
  ShiftSettingsTexts shift;
  bool operator==(const SettingsFileTexts&) const = default;
};

// What a close writes: the colours and mode the chart shows, the chart floors and cycle length
// recomputed from the stores (so an automatic setting writes its computed value), and the
// calculation types held by the stores.
SettingsValues SettingsForSave(const ColorScheme& chartColors, int chartMode,
                               const TemperatureStore& temperatures, const WeightStore& weights);
