// The marks of the chart's strip under the plot, and what each means: one rule for the renderers,
// which draw them, and for the day tip and the legend, which say them in words.
//
// Temperature mode: ！ a likely pregnancy; ■ the predicted next period; △ ○ ◎ ○ △ around the
// predicted ovulation (◎ the day itself, ○ the days nearest it, △ the outer days). Weight mode:
// the cycle-phase digits 1, 2 and 3 of the coming days. Pregnancy mode: ★ the due date.
#pragma once

#include <ctime>

#include "date_ymd.h"
#include "record_stores.h"

// The meanings, as the tip and the legend show them.
inline constexpr char16_t kPregnancyLikelyMeaning[] = u"妊娠の可能性があります";
inline constexpr char16_t kNextPeriodMeaning[] = u"次回月経開始予定日";
inline constexpr char16_t kOvulationMeaning[] = u"排卵予定日";
inline constexpr char16_t kFertileMeaning[] = u"排卵予定日の前後(妊娠しやすい時期)";
inline constexpr char16_t kDueDateMeaning[] = u"出産予定日";
inline constexpr char16_t kPhaseOneMeaning[] = u"月経開始から7日目まで";
inline constexpr char16_t kPhaseTwoMeaning[] = u"8日目から排卵予定日まで";
inline constexpr char16_t kPhaseThreeMeaning[] = u"排卵予定日の翌日から次回月経開始予定日の前日まで";

// One mark: the symbol drawn into the strip with its DrawTextW flags, and its meaning.
struct StripMark {
  const char16_t* symbol = nullptr;
  unsigned flags = 0;
  const char16_t* meaning = nullptr;
};

// The marks of one day in drawing order (a later one is drawn over an earlier one).
struct StripMarks {
  StripMark marks[3];
  int count = 0;

  void Add(const StripMark& mark) { marks[count++] = mark; }
  const StripMark* begin() const { return marks; }
  const StripMark* end() const { return marks + count; }
};

// The predictions of one drawing pass, made once from "today".
struct CyclePredictions {
  DateYmd nextPeriod;     // zero date: none
  DateYmd nextOvulation;  // zero date: none
  // The predicted period is today or later: only then are ■ and the ovulation symbols drawn.
  bool inForce = false;
};
CyclePredictions PredictCycle(const TemperatureStore* store, const std::tm& today);

// The strip symbol of the day `daysFromOvulation` after the predicted ovulation (△ △ ○ ○ ○ ◎ ○ △ △
// for -5..3) with its meaning; a mark without symbol outside that range.
StripMark OvulationMark(int daysFromOvulation);

// Temperature mode: ！ (the day is today or later and a pregnancy is likely), ■ (the predicted
// period), then the ovulation symbol, while the prediction is in force.
StripMarks TemperatureStripMarks(const TemperatureStore* store, const CyclePredictions& predicted,
                                 const DateYmd& date, const std::tm& today);
// Weight mode: the cycle-phase digits of a day that is today or later and has a period start on
// or before it: 1 in the first seven days, 2 from the eighth day up to the predicted ovulation,
// 3 after it until the day before the predicted period.
StripMarks CyclePhaseMarks(const TemperatureStore* store, const CyclePredictions& predicted,
                           const DateYmd& date, const std::tm& today);

// Pregnancy mode: the start of the last period + the average cycle + 252 days (280 days for a
// 28-day cycle; 28 without a store).
std::tm PregnancyDueDate(const TemperatureStore* store, const std::tm& pregnancyStart);
