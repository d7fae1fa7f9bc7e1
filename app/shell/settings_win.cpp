#include "settings_win.h"

#include <array>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "chart_view.h"
#include "data_file_io.h"
#include "records_bundle.h"
#include "settings.h"
#include "system_win.h"

namespace {

constexpr wchar_t kSection[] = L"Tovela";

std::wstring SettingsPath() {
  return quillet::GetModuleFilePath(reinterpret_cast<const wchar_t*>(kSettingsFileName));
}

// The texts of the keys are UTF-8; the profile functions take UTF-16.
std::wstring WideText(const std::string& text, UINT codePage = CP_UTF8) {
  if (text.empty()) return std::wstring();
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
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

// How the file's text is stored: the profile functions read all three; a file they made
// themselves is in the system's code page.
enum class SettingsEncoding { CodePage, Utf16, Utf8 };

constexpr char kUtf16Mark[] = "\xFF\xFE";
constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

SettingsEncoding SettingsEncodingOf(std::string_view bytes) {
  if (bytes.substr(0, 2) == kUtf16Mark) return SettingsEncoding::Utf16;
  if (bytes.substr(0, 3) == kUtf8Mark) return SettingsEncoding::Utf8;
  return SettingsEncoding::CodePage;
}

std::wstring DecodeSettings(std::string_view bytes, SettingsEncoding encoding) {
  switch (encoding) {
    case SettingsEncoding::Utf16: {
      std::wstring text((bytes.size() - 2) / 2, L'\0');
      std::memcpy(text.data(), bytes.data() + 2, text.size() * sizeof(wchar_t));
      return text;
    }
    case SettingsEncoding::Utf8: return WideText(std::string(bytes.substr(3)), CP_UTF8);
    case SettingsEncoding::CodePage: break;
  }
  return WideText(std::string(bytes), CP_ACP);
}

// In the file's own encoding; a text the code page cannot hold whole (a folder's name in other
// letters) is written as UTF-16 instead, which the profile functions read as well.
std::string EncodeSettings(const std::wstring& text, SettingsEncoding encoding) {
  if (encoding == SettingsEncoding::CodePage) {
    BOOL lost = FALSE;
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size,
                                           nullptr, 0, nullptr, &lost);
    if (!lost) {
      std::string bytes(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
      WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, bytes.data(), length,
                          nullptr, nullptr);
      return bytes;
    }
    encoding = SettingsEncoding::Utf16;
  }
  if (encoding == SettingsEncoding::Utf8) return kUtf8Mark + Utf8Text(text);
  std::string bytes(kUtf16Mark, 2);
  bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
  return bytes;
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
  return WriteSettingsFile(SettingsPath(), texts, now);
}

bool WriteSettingsFile(const std::wstring& path, const SettingsTexts& texts, const LocalTime& now) {
  // The file as it is, so the keys of other versions and the lines of other programs stay.
  std::string bytes;
  if (data_file_io::ReadWholeFile(path, bytes) == data_file_io::ReadResult::Unreadable)
    return false;
  const SettingsEncoding encoding = SettingsEncodingOf(bytes);
  const std::string text = SettingsFileText(Utf8Text(DecodeSettings(bytes, encoding)), texts);
  // Written whole beside it and put in its place in one step, the day's copy kept first: a
  // kill or a power cut leaves the old file or the new one, never a mix of the two.
  return ReplaceKeepingDailyCopy(path, EncodeSettings(WideText(text), encoding), now);
}
