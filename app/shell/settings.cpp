#include "settings.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "statistics.h"
#include "value_bounds.h"

namespace {

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

// Rows of kSettingsKeys by the kind of value. Each reads a text into its field, or leaves the
// field as it is when the text does not scan or is not a value the program can work with.
template <int Slot>
constexpr SettingsKey ColorSlotKey(const char* name, const char* defaultText) {
  return {name, defaultText,
          [](std::string_view text, SettingsValues& v) {
            return ParseColorText(text, v.colors[Slot]);
          },
          [](const SettingsValues& v) { return ColorText(v.colors[Slot]); }};
}

template <ColorRef SettingsValues::*Field>
constexpr SettingsKey ColorKey(const char* name, const char* defaultText) {
  return {name, defaultText,
          [](std::string_view text, SettingsValues& v) { return ParseColorText(text, v.*Field); },
          [](const SettingsValues& v) { return ColorText(v.*Field); }};
}

std::string IntegerText(int value) {
  char buffer[kSettingsValueBuffer];
  std::snprintf(buffer, sizeof buffer, "%d", value);
  return buffer;
}

constexpr bool AnyInt(int) { return true; }

// The text read by `Parse` into the field, when it gives a value `Valid` accepts.
template <typename T, bool (*Parse)(std::string_view, T&), T SettingsValues::*Field,
          bool (*Valid)(T)>
bool ReadValid(std::string_view text, SettingsValues& values) {
  T value{};
  if (!Parse(text, value) || !Valid(value)) return false;
  values.*Field = value;
  return true;
}

template <int SettingsValues::*Field, bool (*Valid)(int) = AnyInt>
constexpr SettingsKey IntKey(const char* name, const char* defaultText) {
  return {name, defaultText, ReadValid<int, ParseIntText, Field, Valid>,
          [](const SettingsValues& v) { return IntegerText(v.*Field); }};
}

// Floors feed the chart's arithmetic: a value outside what the program can store would make it
// meaningless. Written with `Decimals` places.
template <double SettingsValues::*Field, bool (*Valid)(double), int Decimals>
constexpr SettingsKey FloorKey(const char* name, const char* defaultText) {
  return {name, defaultText, ReadValid<double, ParseDecimalText, Field, Valid>,
          [](const SettingsValues& v) {
            char buffer[kSettingsValueBuffer];
            std::snprintf(buffer, sizeof buffer, "%.*f", Decimals, v.*Field);
            return std::string(buffer);
          }};
}

// "0" off, any other integer on; written "1" or "0".
template <bool SettingsValues::*Field>
constexpr SettingsKey SwitchKey(const char* name, const char* defaultText) {
  return {name, defaultText,
          [](std::string_view text, SettingsValues& v) {
            int value = 0;
            if (!ParseIntText(text, value)) return false;
            v.*Field = value != 0;
            return true;
          },
          [](const SettingsValues& v) { return std::string(v.*Field ? "1" : "0"); }};
}

// A text taken as it is (a folder's path), when it fits the key's buffer and holds no control
// character, which a line of the file cannot carry.
template <std::string SettingsValues::*Field>
constexpr SettingsKey TextKey(const char* name) {
  return {name, "",
          [](std::string_view text, SettingsValues& v) {
            if (text.size() >= static_cast<std::size_t>(kSettingsTextBuffer)) return false;
            for (const char c : text)
              if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
            v.*Field = std::string(text);
            return true;
          },
          [](const SettingsValues& v) { return v.*Field; }, kSettingsTextBuffer, true};
}

}  // namespace

// Constant-initialised: other files' start-up code may read the defaults.
constinit const std::array<SettingsKey, kSettingsKeyCount> kSettingsKeys = {{
    ColorSlotKey<kBaseSlot>("BaseColor", "255,128,128"),
    ColorSlotKey<kGraphGridSlot>("GraphGridColor", "128,255,128"),
    ColorSlotKey<kGraphSlot>("GraphColor", "0,0,0"),
    ColorSlotKey<kTodayBackSlot>("TodayBackColor", "255,224,224"),
    ColorSlotKey<kMarkBackSlot>("MarkBackColor", "255,255,224"),
    ColorSlotKey<kStringSlot>("StringColor", "0,0,0"),
    ColorSlotKey<kBaseTempeLineSlot>("BaseTempeLineColor", "128,128,255"),
    IntKey<&SettingsValues::graphMode>("GraphMode", "1"),
    FloorKey<&SettingsValues::minTemperature, IsStorableTemperature, 2>("MinTemperature", "35.50"),
    FloorKey<&SettingsValues::minWeight, IsStorableWeight, 1>("MinWeight", "43.0"),
    IntKey<&SettingsValues::periodCycle, IsStorableCycle>("PeriodCycle", "28"),
    IntKey<&SettingsValues::temperatureCalcType>("TemperatureCalcType", "0"),
    IntKey<&SettingsValues::weightCalcType>("WeightCalcType", "0"),
    IntKey<&SettingsValues::periodCalcType>("PeriodCalcType", "0"),
    ColorKey<&SettingsValues::coverLineColor>("CoverLineColor", "255,128,0"),
    SwitchKey<&SettingsValues::showShift>("ShowShift", "1"),
    TextKey<&SettingsValues::imageFolder>("ImageFolder"),
}};

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
  for (int i = 0; i < kSettingsKeyCount; ++i) {
    kSettingsKeys[i].read(kSettingsKeys[i].defaultText, values);
    kSettingsKeys[i].read(texts[i], values);
  }
  return values;
}

SettingsTexts FormatSettings(const SettingsValues& values) {
  SettingsTexts texts;
  for (int i = 0; i < kSettingsKeyCount; ++i) texts[i] = kSettingsKeys[i].write(values);
  return texts;
}

namespace {

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// ASCII letters compared without case, as the profile functions compare names.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

// The name of a section header line ("[Tovela]"), or false when the line is none.
bool SectionName(std::string_view line, std::string_view& name) {
  line = TrimBlanks(line);
  if (line.empty() || line.front() != '[') return false;
  const std::size_t close = line.find(']');
  name = line.substr(1, close == std::string_view::npos ? line.npos : close - 1);
  name = TrimBlanks(name);
  return true;
}

// The key of a "key=value" line; empty for any other line.
std::string_view KeyOf(std::string_view line) {
  const std::size_t equals = line.find('=');
  return equals == std::string_view::npos ? std::string_view() : TrimBlanks(line.substr(0, equals));
}

}  // namespace

std::string SettingsFileText(std::string_view existing, const SettingsTexts& texts) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < existing.size();) {
    std::size_t end = existing.find('\n', start);
    if (end == std::string_view::npos) end = existing.size();
    std::string_view line = existing.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    start = end + 1;
  }
  const auto written = [&](int key) {
    return std::string(kSettingsKeys[key].name) + "=" + texts[key];
  };
  const auto omitted = [&](int key) {
    return kSettingsKeys[key].omitWhenEmpty && texts[key].empty();
  };

  // The first section of that name; the lines from its header to the next header.
  std::size_t header = lines.size();
  for (std::size_t i = 0; i < lines.size() && header == lines.size(); ++i) {
    std::string_view name;
    if (SectionName(lines[i], name) && SameName(name, kSettingsSection)) header = i;
  }
  if (header == lines.size()) {
    lines.push_back(std::string("[") + kSettingsSection + "]");
  }
  std::size_t end = header + 1;
  for (std::string_view name; end < lines.size() && !SectionName(lines[end], name);) ++end;

  std::array<bool, kSettingsKeyCount> done{};
  std::vector<std::string> section;
  for (std::size_t i = header + 1; i < end; ++i) {
    const std::string_view key = KeyOf(lines[i]);
    int found = -1;
    for (int k = 0; k < kSettingsKeyCount && found < 0 && !key.empty(); ++k)
      if (SameName(key, kSettingsKeys[k].name)) found = k;
    if (found < 0) {
      section.push_back(lines[i]);
    } else if (!omitted(found) && !done[found]) {
      section.push_back(written(found));
      done[found] = true;
    } else if (!omitted(found)) {
      section.push_back(lines[i]);  // a second line of a key: the profile functions never read it
    }
  }
  std::size_t insertAt = section.size();
  while (insertAt > 0 && TrimBlanks(section[insertAt - 1]).empty()) --insertAt;
  std::vector<std::string> added;
  for (int k = 0; k < kSettingsKeyCount; ++k)
    if (!done[k] && !omitted(k)) added.push_back(written(k));
  section.insert(section.begin() + static_cast<std::ptrdiff_t>(insertAt), added.begin(),
                 added.end());

  std::string text;
  const auto append = [&](std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) text += lines[i] + "\r\n";
  };
  append(0, header + 1);
  for (const std::string& line : section) text += line + "\r\n";
  append(end, lines.size());
  return text;
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
