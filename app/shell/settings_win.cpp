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
SettingsTexts ReadKeys(const std::wstring& path) {
  SettingsTexts texts;
  for (int i = 0; i < kSettingsKeyCount; ++i) {
    const SettingsKey& key = kSettingsKeys[i];
    wchar_t value[kSettingsValueBuffer] = {};
    GetPrivateProfileStringW(kSection, WideAscii(key.name).c_str(),
                             WideAscii(key.defaultText).c_str(), value, kSettingsValueBuffer,
                             path.c_str());
    texts[i] = NarrowValue(value);
  }
  return texts;
}

}  // namespace

void LoadSettings(AppState& state) {
  const SettingsValues v = ParseSettings(ReadKeys(SettingsPath()));
  state.Colors = v.colors;
  state.GraphMode = v.graphMode;
  state.MinTemperature = v.minTemperature;
  state.MinWeight = v.minWeight;
  state.PeriodCycle = v.periodCycle;
  state.TemperatureCalcType = v.temperatureCalcType;
  state.WeightCalcType = v.weightCalcType;
  state.PeriodCalcType = v.periodCalcType;
  state.ShiftLines = ShiftLineStyle{v.showShift, v.coverLineColor};
}

SettingsTexts SettingsTextsInForce(const AppState& state) {
  if (state.Chart == nullptr || state.Records == nullptr) return {};
  SettingsValues values = SettingsForSave(state.Chart->colors, state.Chart->mode,
                                          state.Records->temperatures, state.Records->weights);
  values.coverLineColor = state.Chart->shiftLines.color;
  values.showShift = state.Chart->shiftLines.show;
  return FormatSettings(values);
}

bool WriteSettings(const SettingsTexts& texts, const LocalTime& now) {
  const std::wstring path = SettingsPath();
  // Every profile write changes the file in place: the day's copy must be taken before the first.
  KeepDailyCopy(path, now);
  // Every key is tried, in table order, whatever an earlier write did.
  bool written = true;
  for (int i = 0; i < kSettingsKeyCount; ++i) {
    written = WritePrivateProfileStringW(kSection, WideAscii(kSettingsKeys[i].name).c_str(),
                                         WideAscii(texts[i]).c_str(), path.c_str()) != FALSE &&
              written;
  }
  return written;
}
