#include "side_panel_layout.h"

#include <algorithm>
#include <cstdio>

#include "entry_rules.h"
#include "number_text.h"

namespace {

constexpr std::size_t kPanelTextBuffer = 9;

std::u16string PredictionText(const DateYmd& predicted, const DateYmd& today) {
  if (predicted < today) return u"未定";  // the zero date is always earlier than today
  char buffer[kPanelTextBuffer];
  std::snprintf(buffer, sizeof buffer, "%d", predicted.month);
  std::u16string text = AsciiText(buffer) + u"月";
  std::snprintf(buffer, sizeof buffer, "%d", predicted.day);
  return text + AsciiText(buffer) + u"日";
}

}  // namespace

std::u16string FormatPanelNumber(const char* format, double value) {
  char buffer[kPanelTextBuffer];
  std::snprintf(buffer, sizeof buffer, format, value);
  return AsciiText(buffer);
}

ChartPlace LayoutChartArea(int clientLeft, int clientTop, int clientRight, int clientBottom,
                           ChartPlace& remembered, const DisplayScale& scale) {
  (void)clientLeft;
  const long double k = scale.Factor();  // exactly 1 at 96 DPI
  ChartPlace place;
  place.x = scale.Px(kSidePanelWidth);
  place.y = clientTop;
  const long double availableWidth = clientRight - place.x;
  const long double availableHeight = clientBottom - clientTop;
  place.width = remembered.width;
  place.height = remembered.height;
  if (availableWidth > 297 * k) {
    // The scale is a running sum of 0.01 steps, as the chart's proportions have always been found.
    for (long double s = 1.00L;;) {
      if (!(k * (60 + 210 * s) < availableHeight)) break;
      place.width = static_cast<int>(297 * k * s);
      place.height = static_cast<int>(k * (60 + 210 * s));
      s += 0.01L;
      if (!(297 * k * s < availableWidth)) break;
    }
  }
  remembered.width = place.width;
  remembered.height = place.height;
  return place;
}

ChartPlace ScalePlace(const ChartPlace& place, const DisplayScale& scale) {
  const int left = scale.Px(place.x), top = scale.Px(place.y);
  return ChartPlace{left, top, scale.Px(place.x + place.width) - left,
                    scale.Px(place.y + place.height) - top};
}

std::size_t NextPanelStop(const std::vector<PanelStop>& stops, std::size_t from, bool backward) {
  std::vector<std::size_t> order(stops.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const ChartPlace &p = stops[a].place, &q = stops[b].place;
    return p.y != q.y ? p.y < q.y : p.x < q.x;
  });
  const auto at = std::find(order.begin(), order.end(), from);
  if (at == order.end()) return from;
  const std::size_t n = order.size();
  std::size_t k = static_cast<std::size_t>(at - order.begin());
  for (std::size_t step = 1; step < n; ++step) {
    k = backward ? (k + n - 1) % n : (k + 1) % n;
    if (stops[order[k]].enabled) return order[k];
  }
  return from;
}

EnterPresses EnterKeyButton(bool addEnabled, bool updateEnabled) {
  if (addEnabled) return EnterPresses::Add;
  return updateEnabled ? EnterPresses::Update : EnterPresses::Nothing;
}

PanelValues PanelValuesOf(const PanelContent& fields) {
  const auto number = [](const std::u16string& text) {
    const std::wstring wide(text.begin(), text.end());
    return ReadEntryNumber(wide.c_str());
  };
  return PanelValues{number(fields.temperature), number(fields.weight), fields.periodStart,
                     fields.memo,                fields.mucusItem,      fields.ovulationTestItem,
                     fields.intercourse};
}

bool KeepsPanelInput(bool sameDay, const PanelValues& now, const PanelValues& shownBefore,
                     const PanelValues& toShow) {
  return sameDay && now != shownBefore && now != toShow;
}

PanelContent MakePanelContent(int cycle, const DateYmd& date, const TemperatureRecord* temperature,
                              const WeightRecord* weight, const MemoRecord* memo, double average,
                              const DateYmd& nextPeriod, const DateYmd& nextOvulation,
                              const DateYmd& today, const SignRecord* signs) {
  PanelContent content;
  content.average = FormatPanelNumber("%.2f", average);
  char buffer[kPanelTextBuffer];
  std::snprintf(buffer, sizeof buffer, "%d", cycle);
  content.cycle = AsciiText(buffer);
  content.nextPeriod = PredictionText(nextPeriod, today);
  content.nextOvulation = PredictionText(nextOvulation, today);
  content.date = date;
  // A record in any store makes the day one to update: a weight or memo without a temperature
  // (left by a partial delete, or by a damaged temperature line) is shown, never typed over.
  const bool hasRecord =
      temperature != nullptr || weight != nullptr || memo != nullptr || signs != nullptr;
  if (today < date || !hasRecord) {
    content.addEnabled = true;
    return content;
  }
  content.updateEnabled = true;
  content.deleteEnabled = true;
  if (temperature != nullptr) {
    content.temperature = FormatPanelNumber("%.2f", temperature->temperature);
    content.periodStart = temperature->periodStart != 0;
  }
  if (signs != nullptr) {
    content.mucusItem = ItemOfSign(signs->mucus);
    content.ovulationTestItem = ItemOfSign(signs->ovulationTest);
    content.intercourse = signs->intercourse != 0;
  }
  if (weight != nullptr) content.weight = FormatPanelNumber("%.1f", weight->weight);
  if (memo != nullptr) {
    std::size_t length = 0;
    while (length < MemoCapacity && memo->text[length] != u'\0') ++length;
    content.memo.assign(memo->text, length);
  }
  return content;
}
