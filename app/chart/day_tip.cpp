// The day tip's lines, from the same records, statistics and mark rules the chart draws with.
#include "day_tip.h"

#include "chart_internal.h"
#include "chart_marks.h"
#include "sign_texts.h"
#include "signs_band.h"

namespace {

std::u16string FixedText(double value, int decimals) {
  std::string text;
  AppendFixed(text, value, decimals);
  return AsciiText(text);
}

std::u16string MarkLine(const StripMark& mark) {
  return std::u16string(mark.symbol) + u" " + mark.meaning;
}

}  // namespace

std::u16string DateWithWeekdayText(const DateYmd& date) {
  static const char16_t* const kWeekdays[] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
  const int weekday = quillet::GetWeekOfDay(date.year, date.month, date.day);
  return NumberText(date.year) + u"年" + NumberText(date.month) + u"月" + NumberText(date.day) +
         u"日(" + kWeekdays[(weekday % 7 + 7) % 7] + u")";
}

std::vector<std::u16string> DayTipLines(const ChartView& view, const MemoStore* memos,
                                        const DateYmd& date, std::u16string_view shiftState) {
  const TemperatureStore* temperatures = view.temperatures;
  const std::tm today = TodayOf(view);
  std::vector<std::u16string> lines{DateWithWeekdayText(date)};

  if (const TemperatureRecord* temperature =
          temperatures ? FindTemperature(*temperatures, date.year, date.month, date.day) : nullptr) {
    lines.push_back(u"基礎体温 " + FixedText(temperature->temperature, 2) + u"℃" +
                    (temperature->periodStart == 1 ? u" (月経開始)" : u""));
  }
  if (const WeightRecord* weight =
          view.weights ? FindWeight(*view.weights, date.year, date.month, date.day) : nullptr) {
    lines.push_back(u"体重 " + FixedText(weight->weight, 1) + u"kg");
  }
  if (const MemoRecord* memo =
          memos ? FindMemo(*memos, date.year, date.month, date.day) : nullptr) {
    if (!MemoText(*memo).empty()) lines.push_back(u"メモ " + std::u16string(MemoText(*memo)));
  }
  if (const SignRecord* s =
          view.signs ? FindSigns(*view.signs, date.year, date.month, date.day) : nullptr) {
    if (IsMucusLevel(s->mucus))
      lines.push_back(std::u16string(kMucusCaption) + u" " + kMucusLevelTexts[s->mucus]);
    if (IsOvulationTestResult(s->ovulationTest)) {
      lines.push_back(std::u16string(kOvulationTestCaption) + u" " +
                      kOvulationTestTexts[s->ovulationTest]);
    }
    if (s->intercourse != 0) lines.emplace_back(kIntercourseText);
  }

  StripMarks marks;
  if (view.mode == kPregnancyMode) {
    const std::tm start = ChartStartDate(view);
    const int pregnancyDays = quillet::SubDay(ToTm(date), start);
    if (pregnancyDays >= 0)
      lines.push_back(u"妊娠" + NumberText(pregnancyDays / 7) + u"週" +
                      NumberText(pregnancyDays % 7) + u"日");
    const std::tm due = PregnancyDueDate(temperatures, start);
    lines.push_back(u"出産予定日 " + DateWithWeekdayText(FromTm(due)));
    if (SameDate(ToTm(date), due)) marks.Add({u"★", 0, kDueDateMeaning});
  } else {
    const TemperatureRecord* start =
        temperatures ? LatestPeriodStart(*temperatures, date.year, date.month, date.day) : nullptr;
    if (start != nullptr) {
      lines.push_back(u"周期 " + NumberText(quillet::SubDay(ToTm(date), ToTm(start->Date())) + 1) +
                      u"日目");
    }
    const CyclePredictions predicted = PredictCycle(temperatures, today);
    marks = view.mode == kWeightMode ? CyclePhaseMarks(temperatures, predicted, date, today)
                                     : TemperatureStripMarks(temperatures, predicted, date, today);
  }
  if (!shiftState.empty()) lines.emplace_back(shiftState);
  // The reading of the signs, as the chart marks it.
  const SignReadingDays reading =
      ShownSignReadingDays(view, temperatures, FromTm(today), date, date);
  if (reading.IsMucusPeak(date)) lines.emplace_back(u"粘液の頂点");
  if (!reading.doubleChecks.empty()) lines.emplace_back(u"排卵の確認（体温と粘液）");
  for (const StripMark& mark : marks) lines.push_back(MarkLine(mark));
  if (date == FromTm(today)) lines.push_back(u"今日");
  return lines;
}

std::u16string DayTipText(const std::vector<std::u16string>& lines) {
  std::u16string text;
  for (const std::u16string& line : lines) {
    if (!text.empty()) text += u"\r\n";
    text += line;
  }
  return text;
}
