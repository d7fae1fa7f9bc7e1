#include "settings_win.h"

#include <string>

#include "chart_view.h"
#include "number_text.h"
#include "record_stores.h"
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

}  // namespace

void LoadSettings(AppState& state) {
  const std::wstring path = SettingsPath();
  SettingsTexts texts;
  for (int i = 0; i < kSettingsKeyCount; ++i) {
    wchar_t value[kSettingsValueBuffer] = {};
    GetPrivateProfileStringW(kSection, WideAscii(kSettingsKeys[i].name).c_str(),
                             WideAscii(kSettingsKeys[i].defaultText).c_str(), value,
                             kSettingsValueBuffer, path.c_str());
    texts[i] = NarrowValue(value);
  }
  const SettingsValues v = ParseSettings(texts);
  state.Colors = v.colors;
  state.GraphMode = v.graphMode;
  state.MinTemperature = v.minTemperature;
  state.MinWeight = v.minWeight;
  state.PeriodCycle = v.periodCycle;
  state.TemperatureCalcType = v.temperatureCalcType;
  state.WeightCalcType = v.weightCalcType;
  state.PeriodCalcType = v.periodCalcType;
}

SettingsTexts SettingsTextsInForce(const AppState& state) {
  if (state.Chart == nullptr || state.TemperatureData == nullptr || state.WeightData == nullptr) return {};
  return FormatSettings(SettingsForSave(state.Chart->colors, state.Chart->mode, *state.TemperatureData,
                                        *state.WeightData));
}

bool WriteSettings(const SettingsTexts& texts, const LocalTime& now) {
  const std::wstring path = SettingsPath();
  // Every profile write changes the file in place: the day's copy must be taken before the first.
  KeepDailyCopy(path, now);
  bool written = true;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    written = WritePrivateProfileStringW(kSection, WideAscii(kSettingsKeys[i].name).c_str(),
                                         WideAscii(texts[i]).c_str(), path.c_str()) != FALSE &&
              written;
  }
  return written;
}
