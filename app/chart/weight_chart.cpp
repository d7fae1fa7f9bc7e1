// The data layer of weight mode: grid first, then the calendar header, today, the cycle-phase
// digits of the coming days, day lines and the weight curve.
#include "chart_columns.h"
#include "chart_drawing.h"
#include "statistics.h"

void DrawWeightChart(ChartView& v, Canvas& canvas) {
  const std::tm first = FirstVisibleDate(v);
  const int P = v.plotTop;
  ClearPlot(v, canvas);
  ClearHeaderRow(v, canvas, 1, P / 3);
  ClearHeaderRow(v, canvas, P / 3 + 1, P / 3 * 2);
  ClearHeaderRow(v, canvas, P / 3 * 2 + 1, P);
  ClearStrip(v, canvas);
  DrawHorizontalGrid(v, canvas, 10);

  const std::tm today = TodayOf(v);
  const TemperatureStore* temperatures = v.temperatures;
  const WeightStore* weights = v.weights;
  DateYmd nextPeriod, nextOvulation;
  if (temperatures != nullptr) {
    nextPeriod = NextPeriodDate(*temperatures, today);
    nextOvulation = NextOvulationDate(*temperatures, today);
  }

  CurveDrawer<WeightRecord> curve(v, canvas, first, v.sizes.pointRadius);
  const TemperatureRecord* lastStart = nullptr;
  int previousMonth = 0;
  const YearMonthLabelStyle label = ScreenYearMonthLabel(v);
  DayCursor<WeightRecord> records(weights ? &weights->records : nullptr, FromTm(first));
  const std::tm dayAfter = ForEachVisibleColumn(v, first, [&](const DayColumn& c) {
    const WeightRecord* record = records.At(c.date);
    DrawYearMonthLabel(v, canvas, c, previousMonth, P / 3, label);
    {
      ScopedSelect dayFont(canvas, v.tools.dayFont);
      DrawHeaderCell(v, canvas, c, NumberText(c.date.day), P / 3 + 1, P / 3 * 2);
      DrawHeaderCell(v, canvas, c, CycleDayText(temperatures, c, lastStart), P / 3 * 2 + 1, P);
    }

    if (SameDate(c.day, today)) canvas.FillRect(ColumnRect(v, c), v.tools.todayBrush);

    // Cycle phase of the coming days: 1 the first week of the period, 2 up to the predicted
    // ovulation, 3 after it until the day before the predicted period.
    const TemperatureRecord* start =
        temperatures && IsTodayOrLater(c.date, today)
            ? LatestPeriodStart(*temperatures, c.date.year, c.date.month, c.date.day)
            : nullptr;
    if (start != nullptr) {
      const DrawRect strip = StripRect(v, c);
      const unsigned flags = dt::kSingleLine | dt::kCenter;
      const int s = quillet::SubDay(c.day, ToTm(start->Date()));
      const bool hasOvulation = nextOvulation.year != 0;
      const bool hasPeriod = nextPeriod.year != 0;
      const int o = hasOvulation ? quillet::SubDay(ToTm(nextOvulation), c.day) : 0;
      const int n = hasPeriod ? quillet::SubDay(ToTm(nextPeriod), c.day) : 0;
      if (s >= 0 && s <= 6) canvas.DrawTextIn(u"1", strip, flags);
      if (hasOvulation && s >= 7 && o >= 0) canvas.DrawTextIn(u"2", strip, flags);
      if (hasPeriod && hasOvulation && o < 0 && n > 0) canvas.DrawTextIn(u"3", strip, flags);
    }

    DrawDayLine(v, canvas, c, P / 3 + 1, v.clientBottom);
    if (record != nullptr) curve.AddPoint(*record, c);
    previousMonth = c.date.month;
  });
  curve.Finish(dayAfter);
}
