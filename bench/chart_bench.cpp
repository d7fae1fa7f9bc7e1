// Drawing cost of the chart: one whole temperature data layer (and one printed page) over three
// years of daily records, into a canvas that only counts operations.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "chart_drawing.h"
#include "chart_view.h"
#include "dates.h"
#include "print_chart_view.h"
#include "record_stores.h"

namespace {

class CountingCanvas : public Canvas, public DrawingToolFactory {
 public:
  long long ops = 0;
  DrawTool MakePen(const PenDesc&) override { return Next(); }
  DrawTool MakeSolidBrush(ColorRef) override { return Next(); }
  DrawTool MakeFont(const FontDesc&) override { return Next(); }
  void DeleteTool(DrawTool) override {}
  DrawTool Select(DrawTool tool) override {
    ++ops;
    return tool;
  }
  DrawTool NullBrush() override { return Next(); }
  ColorRef SetTextColor(ColorRef c) override { return c; }
  void MoveTo(int, int) override { ++ops; }
  void LineTo(int, int) override { ++ops; }
  void FillRect(const DrawRect&, DrawTool) override { ++ops; }
  void Ellipse(int, int, int, int) override { ++ops; }
  void DrawTextIn(const std::u16string& text, const DrawRect&, unsigned) override {
    ops += static_cast<long long>(text.size());
  }
  int LogPixelsY() override { return 300; }

 private:
  DrawTool Next() { return reinterpret_cast<DrawTool>(++serial_); }
  std::uintptr_t serial_ = 0;
};

// Daily records from 1 January 2004 to today (17 July 2006), a period every 28 days.
void FillThreeYears(TemperatureStore& t, WeightStore& w, const std::tm& today) {
  std::tm day = quillet::MakeDate(2004, 1, 1);
  for (int i = 0; quillet::SubDay(today, day) >= 0; ++i, day = quillet::GetNextDay(day)) {
    TemperatureRecord r;
    r.year = day.tm_year + 1900;
    r.month = day.tm_mon + 1;
    r.day = day.tm_mday;
    r.temperature = (i % 28) < 14 ? 36.25 + (i % 3) * 0.05 : 36.75 + (i % 2) * 0.05;
    r.periodStart = (i % 28) == 0 ? 1 : 0;
    InsertTemperature(r, t);
    WeightRecord wr;
    wr.year = r.year;
    wr.month = r.month;
    wr.day = r.day;
    wr.weight = 52.0 + (i % 7) * 0.1;
    InsertWeight(wr, w);
  }
}

void BM_TemperatureChartFullView(benchmark::State& state) {
  const std::tm today = quillet::MakeDate(2006, 7, 17);
  TemperatureStore temperatures;
  WeightStore weights;
  FillThreeYears(temperatures, weights, today);
  CountingCanvas canvas;
  auto bar = std::make_unique<ValueScrollBar>();
  ValueScrollBar* scroll = bar.get();
  auto view = CreateChartView(0, 0, 1400, 800, nullptr, std::move(bar), &temperatures, &weights,
                              &canvas, [today] { return today; });
  SetChartScrollRange(*view);
  SetChartColors(*view, 1, 2, 3, 4, 5, 6, 7);
  SetChartMode(*view, kTemperatureMode);
  scroll->SetPosition(scroll->nPos - 60);  // two months of records, then the coming weeks
  for (auto _ : state) {
    DrawChartFrame(*view, canvas);
    DrawChartData(*view, canvas);
  }
  benchmark::DoNotOptimize(canvas.ops);
  state.counters["columns"] = VisibleDayCount(*view);
}
BENCHMARK(BM_TemperatureChartFullView)->Unit(benchmark::kMicrosecond);

void BM_PrintedPage(benchmark::State& state) {
  const std::tm today = quillet::MakeDate(2006, 7, 17);
  TemperatureStore temperatures;
  WeightStore weights;
  FillThreeYears(temperatures, weights, today);
  CountingCanvas canvas;
  auto view = CreatePrintChartView(3508, 2479, &temperatures, 35.5, 1, 2, 3, 6, 7, &canvas);
  for (auto _ : state) {
    DrawPrintPageFrame(*view, canvas);
    benchmark::DoNotOptimize(
        DrawPrintPageData(*view, canvas, DateYmd{2005, 3, 1}, DateYmd{2006, 7, 17}));
  }
  state.counters["days"] = DaysPerPrintPage(*view);
}
BENCHMARK(BM_PrintedPage)->Unit(benchmark::kMicrosecond);

}  // namespace
