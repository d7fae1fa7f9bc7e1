// The data layer of weight mode: grid first, then the calendar header, today, the cycle-phase
// digits of the coming days, day lines and the weight curve.
#include "chart_columns.h"
#include "chart_drawing.h"
#include "chart_marks.h"
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
  const CyclePredictions predicted = PredictCycle(temperatures, today);

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

    // Cycle phase of the coming days (no column fill).
    for (const StripMark& mark : CyclePhaseMarks(temperatures, predicted, c.date, today))
      canvas.DrawTextIn(mark.symbol, StripRect(v, c), mark.flags);

    DrawDayLine(v, canvas, c, P / 3 + 1, v.clientBottom);
    if (record != nullptr) curve.AddPoint(*record, c);
    previousMonth = c.date.month;
  });
  curve.Finish(dayAfter);
}
