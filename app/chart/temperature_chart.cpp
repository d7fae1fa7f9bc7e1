// The data layer of temperature mode: calendar header, marks, today, the signs band's cells (with
// the mucus peaks when the reading is shown), day lines, the basal temperature curve, then the
// grid over it, the cycles' cover lines, first high days and double-check days (when shown) and
// the dashed average line.
#include "chart_columns.h"
#include "chart_drawing.h"
#include "chart_marks.h"
#include "statistics.h"

void DrawTemperatureChart(ChartView& v, Canvas& canvas) {
  const std::tm first = FirstVisibleDate(v);
  const int P = v.plotTop;
  ClearPlot(v, canvas);
  ClearHeaderRow(v, canvas, 1, P / 3);
  ClearHeaderRow(v, canvas, P / 3 + 1, P / 3 * 2);
  ClearHeaderRow(v, canvas, P / 3 * 2 + 1, P);
  ClearStrip(v, canvas);
  ClearSignsBand(v, canvas);

  const std::tm today = TodayOf(v);
  const TemperatureStore* store = v.temperatures;
  const CyclePredictions predicted = PredictCycle(store, today);
  const int columns = VisibleDayCount(v);
  const DateYmd lastVisible = FromTm(quillet::AddYmd(first, 0, 0, columns - 1));
  const SignReadingDays reading =
      ShownSignReadingDays(v, store, FromTm(today), FromTm(first), lastVisible);

  CurveDrawer<TemperatureRecord> curve(v, canvas, first, v.sizes.pointRadius);
  const TemperatureRecord* lastStart = nullptr;
  int previousMonth = 0;
  const YearMonthLabelStyle label = ScreenYearMonthLabel(v);
  DayCursor<TemperatureRecord> records(store ? &store->records : nullptr, FromTm(first));
  DayCursor<SignRecord> signs(v.signsBand ? &v.signs->records : nullptr, FromTm(first));
  const std::tm dayAfter = ForEachVisibleColumn(v, first, [&](const DayColumn& c) {
    const TemperatureRecord* record = records.At(c.date);
    DrawYearMonthLabel(v, canvas, c, previousMonth, P / 3, label);
    {
      ScopedSelect dayFont(canvas, v.tools.dayFont);
      DrawHeaderCell(v, canvas, c, NumberText(c.date.day), P / 3 + 1, P / 3 * 2);
      DrawHeaderCell(v, canvas, c, CycleDayText(store, c, lastStart), P / 3 * 2 + 1, P);
    }

    const DrawRect strip = StripRect(v, c);
    const DrawRect column = ColumnRect(v, c);
    for (const StripMark& mark : TemperatureStripMarks(store, predicted, c.date, today)) {
      canvas.DrawTextIn(mark.symbol, strip, mark.flags);
      canvas.FillRect(column, v.tools.markBrush);
    }
    if (SameDate(c.day, today)) canvas.FillRect(column, v.tools.todayBrush);
    if (const SignRecord* daySigns = signs.At(c.date))
      DrawSignCells(v, canvas, column, v.clientBottom, *daySigns, LineAbove(v), LineBelow(v),
                    reading.IsMucusPeak(c.date));

    DrawDayLine(v, canvas, c, P / 3 + 1, v.clientBottom);
    if (record != nullptr) curve.AddPoint(*record, c);
    previousMonth = c.date.month;
  });
  curve.Finish(dayAfter);

  DrawHorizontalGrid(v, canvas, 5);
  // Like the grid, the reading of the curve lies over the curve, under the average line.
  if (store != nullptr && v.shiftLines.show) {
    DrawShiftLines(v, canvas, ReadCycles(*store, FromTm(today)), first, columns, lastVisible);
    DrawDoubleCheckLines(v, canvas, reading.doubleChecks, first, columns);
  }
  DrawAverageLine(v, canvas, store);
}
