// The data layer of pregnancy-confirmed mode: the weight curve under a four-row header counting
// pregnancy weeks and days from the start of the last period, with the due date marked.
#include "chart_columns.h"
#include "chart_drawing.h"
#include "chart_marks.h"
#include "statistics.h"

void DrawPregnancyChart(ChartView& v, Canvas& canvas) {
  const int P = v.plotTop;
  ClearPlot(v, canvas);
  const std::tm start = ChartStartDate(v);
  const std::tm first = quillet::AddYmd(start, 0, 0, ChartScrollPosition(v));
  const std::tm due = PregnancyDueDate(v.temperatures, start);

  ClearHeaderRow(v, canvas, 1, P / 4);
  ClearHeaderRow(v, canvas, P / 4 + 1, P / 4 * 2);
  ClearHeaderRow(v, canvas, P / 4 * 2 + 1, P / 4 * 3);
  ClearHeaderRow(v, canvas, P / 4 * 3 + 1, P);
  ClearStrip(v, canvas);
  DrawHorizontalGrid(v, canvas, 10);

  const std::tm today = TodayOf(v);
  const WeightStore* weights = v.weights;
  CurveDrawer<WeightRecord> curve(v, canvas, first, v.sizes.pointRadius);
  int previousMonth = 0;
  const YearMonthLabelStyle label = ScreenYearMonthLabel(v);
  DayCursor<WeightRecord> records(weights ? &weights->records : nullptr, FromTm(first));
  const std::tm dayAfter = ForEachVisibleColumn(v, first, [&](const DayColumn& c) {
    const WeightRecord* record = records.At(c.date);
    DrawYearMonthLabel(v, canvas, c, previousMonth, P / 4, label);
    {
      ScopedSelect dayFont(canvas, v.tools.dayFont);
      DrawHeaderCell(v, canvas, c, NumberText(c.date.day), P / 4 + 1, P / 4 * 2);
      const int g = quillet::SubDay(c.day, start);
      DrawHeaderCell(v, canvas, c, NumberText(g / 7), P / 4 * 2 + 1, P / 4 * 3);
      DrawHeaderCell(v, canvas, c, NumberText(g % 7), P / 4 * 3 + 1, P);
    }
    if (SameDate(c.day, due)) {
      canvas.DrawTextIn(u"★", StripRect(v, c), dt::kSingleLine | dt::kCenter);
      canvas.FillRect(ColumnRect(v, c), v.tools.markBrush);
    }
    if (SameDate(c.day, today)) canvas.FillRect(ColumnRect(v, c), v.tools.todayBrush);
    DrawDayLine(v, canvas, c, P / 4 + 1, v.clientBottom);
    if (record != nullptr) curve.AddPoint(*record, c);
    previousMonth = c.date.month;
  });
  curve.Finish(dayAfter);
}
