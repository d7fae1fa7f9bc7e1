#include "settings_win.h"

#include <array>
#include <string>
#include <vector>

#include "chart_view.h"
#include "records_bundle.h"
#include "settings.h"
#include "system_win.h"

namespace {

constexpr wchar_t kSection[] = L"Tovela";

std::wstring SettingsPath() { return quillet::GetModuleFilePath(L"Tovela.ini"); }

// The texts of the keys are UTF-8; the profile functions take UTF-16.
std::wstring WideText(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string Utf8Text(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length,
                      nullptr, nullptr);
  return bytes;
}

// The texts of the keys, their defaults for missing keys, each read through its key's buffer.
SettingsTexts ReadKeys(const std::wstring& path) {
  SettingsTexts texts;
  for (int i = 0; i < kSettingsKeyCount; ++i) {
    const SettingsKey& key = kSettingsKeys[i];
    std::vector<wchar_t> value(static_cast<std::size_t>(key.valueChars), L'\0');
    GetPrivateProfileStringW(kSection, WideText(key.name).c_str(),
                             WideText(key.defaultText).c_str(), value.data(),
                             static_cast<DWORD>(value.size()), path.c_str());
    texts[i] = Utf8Text(value.data());
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
  state.ImageFolder = WideText(v.imageFolder);
}

SettingsTexts SettingsTextsInForce(const AppState& state) {
  if (state.Chart == nullptr || state.Records == nullptr) return {};
  SettingsValues values = SettingsForSave(state.Chart->colors, state.Chart->mode,
                                          state.Records->temperatures, state.Records->weights);
  values.coverLineColor = state.Chart->shiftLines.color;
  values.showShift = state.Chart->shiftLines.show;
  values.imageFolder = Utf8Text(state.ImageFolder);
  return FormatSettings(values);
}

bool WriteSettings(const SettingsTexts& texts, const LocalTime& now) {
  const std::wstring path = SettingsPath();
  // Every profile write changes the file in place: the day's copy must be taken before the first.
  KeepDailyCopy(path, now);
  // Every key is tried, in table order, whatever an earlier write did.
  bool written = true;
  for (int i = 0; i < kSettingsKeyCount; ++i) {
    const SettingsKey& key = kSettingsKeys[i];
    // A null value removes the key (or writes nothing when it is not there).
    const std::wstring value = WideText(texts[i]);
    const wchar_t* valueOrNone = key.omitWhenEmpty && value.empty() ? nullptr : value.c_str();
    written = WritePrivateProfileStringW(kSection, WideText(key.name).c_str(), valueOrNone,
                                         path.c_str()) != FALSE &&
              written;
  }
  return written;
}
