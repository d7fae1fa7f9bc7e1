#include "cycle_list_rules.h"

#include <cstdio>

#include "number_text.h"

const std::array<const char16_t*, kCycleListColumnCount> kCycleListColumns = {
    u"開始日", u"周期", u"高温期の開始", u"推定排卵日", u"高温期", u"低温期の平均", u"高温期の平均",
    u"粘液の頂点", u"検査薬陽性", u"排卵の確認", u"所見"};

namespace {

std::u16string Formatted(const char* format, int a, int b = 0, int c = 0) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, format, a, b, c);
  return AsciiText(buffer);
}

std::u16string MonthDay(const DateYmd& d) { return Formatted("%d/%d", d.month, d.day); }

// "M/D", or empty for the zero date.
std::u16string MonthDayOrEmpty(const DateYmd& d) { return d.IsZero() ? u"" : MonthDay(d); }

std::u16string Days(int days) { return Formatted("%d", days); }

// Hundredths as a decimal with two places; empty for -1 (nothing averaged).
std::u16string Average(int hundredths) {
  if (hundredths < 0) return u"";
  return Formatted("%d.%02d", hundredths / 100, hundredths % 100);
}

}  // namespace

std::vector<CycleListRow> CycleListRows(const std::vector<CycleReading>& cycles,
                                        const std::vector<SignCycleReading>& signs) {
  std::vector<CycleListRow> rows;
  rows.reserve(cycles.size());
  for (auto c = cycles.rbegin(); c != cycles.rend(); ++c) {
    CycleListRow row;
    row[0] = Formatted("%04d/%02d/%02d", c->start.year, c->start.month, c->start.day);
    if (c->closed) row[1] = Days(c->lengthDays);
    row[2] = c->hasShift ? MonthDay(c->firstHigh) : u"未判定";
    if (c->hasShift) row[3] = MonthDay(c->ovulation);
    if (c->hasShift && c->closed) row[4] = Days(c->highPhaseDays);
    row[5] = Average(c->lowAverage);
    row[6] = Average(c->highAverage);
    const auto i = static_cast<std::size_t>(cycles.rend() - c) - 1;  // the same cycle's signs
    if (i < signs.size()) {
      row[7] = MonthDayOrEmpty(signs[i].mucusPeak);
      row[8] = MonthDayOrEmpty(signs[i].firstPositiveTest);
      row[9] = MonthDayOrEmpty(signs[i].doubleCheck);
      row[10] = signs[i].findings;
    }
    rows.push_back(row);
  }
  return rows;
}

std::u16string CycleListClipboardText(const std::vector<CycleListRow>& rows) {
  std::u16string text;
  auto line = [&](auto cell) {
    for (int i = 0; i < kCycleListColumnCount; ++i) {
      if (i > 0) text += u'\t';
      text += cell(i);
    }
    text += u"\r\n";
  };
  line([](int i) { return std::u16string(kCycleListColumns[static_cast<std::size_t>(i)]); });
  for (const CycleListRow& row : rows) line([&](int i) { return row[static_cast<std::size_t>(i)]; });
  return text;
}
