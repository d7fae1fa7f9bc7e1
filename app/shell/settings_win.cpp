#include "settings_win.h"

#include <array>
#include <string>

#include "chart_view.h"
#include "number_text.h"
#include "records_bundle.h"
#include "settings.h"
#include "system_win.h"

namespace {

constexpr wchar_t kSection[] = L"Tovela";

std::wstring SettingsPath() { return quillet::GetModuleFilePath(L"Tovela.ini"); }

// The profile functions take wchar_t, which is UTF-16 on Windows.
std::wstring WideAscii(const std::string& text) {
  const std::u16string wide = AsciiText(text);
  return std::wstring(reinterpret_cast<const wchar_t*>(wide.c_str()), wide.size());
}

// Values are plain ASCII numbers; any other character can only make the value not scan.
std::string NarrowValue(const wchar_t* text) {
  std::string value;
  for (; *text != L'\0'; ++text) value.push_back(*text < 0x80 ? static_cast<char>(*text) : '?');
  return value;
}

// The texts of the keys, their defaults for missing keys.
template <std::size_t N>
std::array<std::string, N> ReadKeys(const std::wstring& path, const std::array<SettingsKey, N>& keys) {
  std::array<std::string, N> texts;
  for (std::size_t i = 0; i < N; ++i) {
    wchar_t value[kSettingsValueBuffer] = {};
    GetPrivateProfileStringW(kSection, WideAscii(keys[i].name).c_str(),
                             WideAscii(keys[i].defaultText).c_str(), value, kSettingsValueBuffer,
                             path.c_str());
    texts[i] = NarrowValue(value);
  }
  return texts;
}

// false when a write failed; every key is tried.
template <std::size_t N>
bool WriteKeys(const std::wstring& path, const std::array<SettingsKey, N>& keys,
               const std::array<std::string, N>& texts) {
  bool written = true;
  for (std::size_t i = 0; i < N; ++i) {
    written = WritePrivateProfileStringW(kSection, WideAscii(keys[i].name).c_str(),
                                         WideAscii(texts[i]).c_str(), path.c_str()) != FALSE &&
              written;
  }
  return written;
}

}  // namespace

void LoadSettings(AppState& state) {
  const std::wstring path = SettingsPath();
  const SettingsValues v = ParseSettings(ReadKeys(path, kSettingsKeys));
  state.Colors = v.colors;
  state.GraphMode = v.graphMode;
  state.MinTemperature = v.minTemperature;
  state.MinWeight = v.minWeight;
  state.PeriodCycle = v.periodCycle;
  state.TemperatureCalcType = v.temperatureCalcType;
  state.WeightCalcType = v.weightCalcType;
  state.PeriodCalcType = v.periodCalcType;
  const ShiftSettings shift = ParseShiftSettings(ReadKeys(path, kShiftSettingsKeys));
  state.ShiftLines = ShiftLineStyle{shift.showShift, shift.coverLineColor};
}

SettingsFileTexts SettingsTextsInForce(const AppState& state) {
  if (state.Chart == nullptr || state.Records == nullptr) return {};
  const ShiftLineStyle& shown = state.Chart->shiftLines;
  return {FormatSettings(SettingsForSave(state.Chart->colors, state.Chart->mode,
                                         state.Records->temperatures, state.Records->weights)),
          FormatShiftSettings(ShiftSettings{shown.color, shown.show})};
}

bool WriteSettings(const SettingsFileTexts& texts, const LocalTime& now) {
  const std::wstring path = SettingsPath();
  // Every profile write changes the file in place: the day's copy must be taken before the first.
  KeepDailyCopy(path, now);
  const bool keysWritten = WriteKeys(path, kSettingsKeys, texts.keys);
  return WriteKeys(path, kShiftSettingsKeys, texts.shift) && keysWritten;
}
