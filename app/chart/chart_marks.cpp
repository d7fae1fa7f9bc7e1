// The strip marks of each mode and their meanings.
#include "chart_marks.h"

#include "chart_internal.h"
#include "statistics.h"

CyclePredictions PredictCycle(const TemperatureStore* store, const std::tm& today) {
  CyclePredictions predicted;
  if (store == nullptr) return predicted;
  predicted.nextPeriod = NextPeriodDate(*store, today);
  predicted.nextOvulation = NextOvulationDate(*store, today);
  predicted.inForce = predicted.nextPeriod.year != 0 && IsTodayOrLater(predicted.nextPeriod, today);
  return predicted;
}

StripMark OvulationMark(int daysFromOvulation) {
  static const char16_t* const kSymbols[] = {u"△", u"△", u"○", u"○", u"○",
                                             u"◎", u"○", u"△", u"△"};
  if (daysFromOvulation < -5 || daysFromOvulation > 3) return {};
  return StripMark{kSymbols[daysFromOvulation + 5], dt::kSingleLine | dt::kCenter,
                   daysFromOvulation == 0 ? kOvulationMeaning : kFertileMeaning};
}

StripMarks TemperatureStripMarks(const TemperatureStore* store, const CyclePredictions& predicted,
                                 const DateYmd& date, const std::tm& today) {
  StripMarks marks;
  if (store != nullptr && IsTodayOrLater(date, today) && IsPregnancyLikely(*store, date, today))
    marks.Add({u"！", dt::kCenter, kPregnancyLikelyMeaning});
  if (!predicted.inForce) return marks;
  if (date == predicted.nextPeriod)
    marks.Add({u"■", dt::kSingleLine | dt::kCenter, kNextPeriodMeaning});
  if (predicted.nextOvulation.year != 0) {
    const StripMark ovulation =
        OvulationMark(quillet::SubDay(ToTm(date), ToTm(predicted.nextOvulation)));
    if (ovulation.symbol != nullptr) marks.Add(ovulation);
  }
  return marks;
}

StripMarks CyclePhaseMarks(const TemperatureStore* store, const CyclePredictions& predicted,
                           const DateYmd& date, const std::tm& today) {
  StripMarks marks;
  if (store == nullptr || !IsTodayOrLater(date, today)) return marks;
  const TemperatureRecord* start = LatestPeriodStart(*store, date.year, date.month, date.day);
  if (start == nullptr) return marks;
  const std::tm day = ToTm(date);
  const unsigned flags = dt::kSingleLine | dt::kCenter;
  const int sinceStart = quillet::SubDay(day, ToTm(start->Date()));
  const bool hasOvulation = predicted.nextOvulation.year != 0;
  const bool hasPeriod = predicted.nextPeriod.year != 0;
  const int toOvulation = hasOvulation ? quillet::SubDay(ToTm(predicted.nextOvulation), day) : 0;
  const int toPeriod = hasPeriod ? quillet::SubDay(ToTm(predicted.nextPeriod), day) : 0;
  if (sinceStart >= 0 && sinceStart <= 6) marks.Add({u"1", flags, kPhaseOneMeaning});
  if (hasOvulation && sinceStart >= 7 && toOvulation >= 0)
    marks.Add({u"2", flags, kPhaseTwoMeaning});
  if (hasPeriod && hasOvulation && toOvulation < 0 && toPeriod > 0)
    marks.Add({u"3", flags, kPhaseThreeMeaning});
  return marks;
}

std::tm PregnancyDueDate(const TemperatureStore* store, const std::tm& pregnancyStart) {
  const int cycle = store ? AverageCycleDays(*store) : 28;
  return quillet::AddYmd(pregnancyStart, 0, 0, cycle + 252);
}
