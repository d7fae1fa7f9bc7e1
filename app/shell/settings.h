// The settings file Tovela.ini, section "Tovela": the keys of kSettingsKeys, read once at
// start-up and written whenever a key's text changes and at each close. This part is portable:
// it turns the texts of the keys into values and back; settings_win.cpp moves the texts through
// the system's profile-string functions. A new key is one row of kSettingsKeys and its field in
// SettingsValues.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "color_scheme.h"

struct TemperatureStore;
struct WeightStore;

// The settings file beside the program.
inline constexpr char16_t kSettingsFileName[] = u"Tovela.ini";

// The one section the program reads and writes.
inline constexpr char kSettingsSection[] = "Tovela";

inline constexpr int kSettingsKeyCount = 17;
// Profile reads of a number's key go through a buffer of this many characters; a longer value is
// cut to 15.
inline constexpr int kSettingsValueBuffer = 16;
// A text key's buffer (a folder's path); a text of this many bytes or more is not taken.
inline constexpr int kSettingsTextBuffer = 1024;

// 0x00BBGGRR from three components, each cut to its low eight bits.
constexpr std::uint32_t RgbFromComponents(long long red, long long green, long long blue) {
  return static_cast<std::uint32_t>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

struct SettingsValues {
  ColorScheme colors;  // the first seven keys, in slot order
  int graphMode = 1;
  double minTemperature = 35.5;
  double minWeight = 43.0;
  int periodCycle = 28;
  int temperatureCalcType = 0;
  int weightCalcType = 0;
  int periodCalcType = 0;
  // How the chart shows the reading of the curve (the cycles' cover lines and first high days,
  // the side panel's state row).
  ColorRef coverLineColor = RgbFromComponents(255, 128, 0);
  bool showShift = true;
  // The folder the printed pages were last saved to as pictures, in UTF-8; empty until then.
  std::string imageFolder;
};

// One key: its name, its default text, how its text is read into its field of SettingsValues and
// written from it, and the buffer its value is read through. Texts are UTF-8 (the numbers' are
// ASCII).
struct SettingsKey {
  const char* name;
  const char* defaultText;
  // false, the field untouched, when the text does not scan or gives a value the program cannot
  // work with.
  bool (*read)(std::string_view text, SettingsValues& values);
  std::string (*write)(const SettingsValues& values);
  int valueChars = kSettingsValueBuffer;  // characters, the terminator included
  // An empty text is not written: the key is left out of the file (a choice not made yet).
  bool omitWhenEmpty = false;
};

// The keys in the order in which they are read and written. The first seven are the colours of
// the scheme in slot order.
extern const std::array<SettingsKey, kSettingsKeyCount> kSettingsKeys;

using SettingsTexts = std::array<std::string, kSettingsKeyCount>;

// "r,g,b" -> colour; false when the text does not hold three comma-separated integers.
bool ParseColorText(std::string_view text, std::uint32_t& color);
// "%d" -> int; false when the text does not start with an integer that fits an int.
bool ParseIntText(std::string_view text, int& value);
// Decimal conversion -> finite double; false when nothing converts or the value is not finite.
bool ParseDecimalText(std::string_view text, double& value);

// The texts of the keys (as read, defaults already filled in for missing keys) turned into
// values. A text that does not scan, or that gives a value the program cannot work with, takes
// that key's default instead: colours "r,g,b"; floors and the cycle only within what the
// program can store; ShowShift "0" off, any other integer on; ImageFolder any text shorter than
// its buffer without control characters.
SettingsValues ParseSettings(const SettingsTexts& texts);
// The values as the texts to write, in key order: colours "%d,%d,%d", floors "%.2f" and "%.1f",
// ShowShift "1" or "0". Two of these compare equal exactly when writing one over the other would
// change nothing.
SettingsTexts FormatSettings(const SettingsValues& values);

// The whole text of Tovela.ini (UTF-8, CR LF line ends) with every key written into section
// "Tovela" as `texts` holds it, as the profile functions would leave it after writing them one
// by one: a key already in the section (its name in any case, blanks around it) gets the new
// value in its first line; a key not there is added after the section's last line that is not
// blank, in table order; an empty text of a key that omits itself when empty removes the key's
// lines. Everything else (other sections, unknown keys, comments) is kept as it was. A file
// without the section gets it at its end.
std::string SettingsFileText(std::string_view existing, const SettingsTexts& texts);

// What a close writes: the colours and mode the chart shows, the chart floors and cycle length
// recomputed from the stores (so an automatic setting writes its computed value), and the
// calculation types held by the stores. The reading of the curve keeps its defaults.
SettingsValues SettingsForSave(const ColorScheme& chartColors, int chartMode,
                               const TemperatureStore& temperatures, const WeightStore& weights);
