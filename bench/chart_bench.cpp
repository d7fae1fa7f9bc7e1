// Drawing cost of the chart over a long history: a paint (frame and data layer) and a scroll
// step's data layer of each mode, one printed page, and the start-up work, at 1, 10 and 30 years
// of daily records, into a canvas that only counts operations. Every benchmark has a
// "Recompute" twin over stores that keep nothing derived (records.keepDerived = false), so each
// statistic is computed afresh from the whole store at every read; the pair shows what keeping
// the derived values saves.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "chart_drawing.h"
#include "chart_view.h"
#include "counting_canvas.h"
#include "data_files.h"
#include "dates.h"
#include "print_chart_view.h"
#include "record_stores.h"
#include "statistics.h"

namespace {

using test_support::CountingCanvas;

const std::tm kToday = quillet::MakeDate(2026, 12, 7);
constexpr ColorScheme kColors{1, 2, 3, 4, 5, 6, 7};

// Daily temperature and weight records for `years` years up to today, a period every 28 days,
// a low and a high phase in each cycle.
void FillHistory(TemperatureStore& t, WeightStore& w, int years) {
  std::tm day = quillet::AddYmd(kToday, -years, 0, 0);
  for (int i = 0; quillet::SubDay(kToday, day) >= 0; ++i, day = quillet::GetNextDay(day)) {
    const DateYmd date = FromTm(day);
    TemperatureRecord r;
    r.year = date.year;
    r.month = date.month;
    r.day = date.day;
    r.temperature = (i % 28) < 14 ? 36.25 + (i % 3) * 0.05 : 36.75 + (i % 2) * 0.05;
    r.periodStart = (i % 28) == 0 ? 1 : 0;
    InsertTemperature(r, t);
    WeightRecord wr;
    wr.year = date.year;
    wr.month = date.month;
    wr.day = date.day;
    wr.weight = 52.0 + (i % 7) * 0.1;
    InsertWeight(wr, w);
  }
}

// Signs over the same years: the mucus of each cycle's days 6-18 rising to its best and falling,
// an ovulation test on days 10-16, intercourse every third day.
void FillSigns(SignStore& signs, int years) {
  std::tm day = quillet::AddYmd(kToday, -years, 0, 0);
  for (int i = 0; quillet::SubDay(kToday, day) >= 0; ++i, day = quillet::GetNextDay(day)) {
    const int cycleDay = i % 28;
    SignRecord r;
    const DateYmd date = FromTm(day);
    r.year = date.year;
    r.month = date.month;
    r.day = date.day;
    if (cycleDay >= 6 && cycleDay <= 18)
      r.mucus = static_cast<signed char>(4 - std::abs(cycleDay - 13) / 2);
    if (cycleDay >= 10 && cycleDay <= 16)
      r.ovulationTest = static_cast<signed char>(cycleDay % 3);
    r.intercourse = i % 3 == 0 ? 1 : 0;
    InsertSigns(r, signs);
  }
}

struct Stores {
  TemperatureStore temperatures;
  WeightStore weights;
  MemoStore memos;
  SignStore signs;

  explicit Stores(bool keepDerived) {
    temperatures.records.keepDerived = keepDerived;
    weights.records.keepDerived = keepDerived;
  }
};

// The on-screen chart of the program's usual size, laid out as at start-up, then in `mode`.
struct Screen {
  CountingCanvas canvas;
  ValueScrollBar* scroll = nullptr;
  std::unique_ptr<ChartView> view;

  Screen(Stores& s, int mode) {
    auto bar = std::make_unique<ValueScrollBar>();
    scroll = bar.get();
    view = CreateChartView(0, 0, 1400, 800, nullptr, std::move(bar), &s.temperatures, &s.weights,
                           &canvas, [] { return kToday; }, {}, &s.signs);
    SetChartScrollRange(*view);
    SetChartColors(*view, kColors);
    SetChartMode(*view, mode);
  }
};

// Arguments: years of records, mode, and 0 for the view at today or 1 for the oldest position.
void ChartArguments(benchmark::internal::Benchmark* b) {
  for (int years : {1, 10, 30})
    for (int mode : {kTemperatureMode, kWeightMode, kPregnancyMode})
      for (int oldest : {0, 1}) b->Args({years, mode, oldest});
  b->ArgNames({"years", "mode", "oldest"})->Unit(benchmark::kMicrosecond);
}

// frameToo: a paint (frame, then data layer); otherwise a scroll step's data layer alone.
void RunChart(benchmark::State& state, bool keepDerived, bool frameToo) {
  Stores stores(keepDerived);
  FillHistory(stores.temperatures, stores.weights, static_cast<int>(state.range(0)));
  Screen screen(stores, static_cast<int>(state.range(1)));
  if (state.range(2) != 0) screen.scroll->SetPosition(0);
  for (auto _ : state) {
    if (frameToo) DrawChartFrame(*screen.view, screen.canvas);
    DrawChartData(*screen.view, screen.canvas);
  }
  benchmark::DoNotOptimize(screen.canvas.ops);
  state.counters["columns"] = VisibleDayCount(*screen.view);
}

void BM_ChartPaint(benchmark::State& state) { RunChart(state, true, true); }
void BM_ChartPaintRecompute(benchmark::State& state) { RunChart(state, false, true); }
void BM_ChartScroll(benchmark::State& state) { RunChart(state, true, false); }
void BM_ChartScrollRecompute(benchmark::State& state) { RunChart(state, false, false); }
BENCHMARK(BM_ChartPaint)->Apply(ChartArguments);
BENCHMARK(BM_ChartPaintRecompute)->Apply(ChartArguments);
BENCHMARK(BM_ChartScroll)->Apply(ChartArguments);
BENCHMARK(BM_ChartScrollRecompute)->Apply(ChartArguments);

// The temperature chart with the cycles' cover lines and first high days shown (the program's
// default), a paint or a scroll step, at today or the oldest position. The cycles are read once
// per change of the records, so the cost stays flat in the history.
void RunShiftChart(benchmark::State& state, bool frameToo) {
  Stores stores(true);
  FillHistory(stores.temperatures, stores.weights, static_cast<int>(state.range(0)));
  Screen screen(stores, kTemperatureMode);
  SetShiftLineStyle(*screen.view, ShiftLineStyle{true, MakeRgb(255, 128, 0)});
  if (state.range(1) != 0) screen.scroll->SetPosition(0);
  for (auto _ : state) {
    if (frameToo) DrawChartFrame(*screen.view, screen.canvas);
    DrawChartData(*screen.view, screen.canvas);
  }
  benchmark::DoNotOptimize(screen.canvas.ops);
}

void ShiftArguments(benchmark::internal::Benchmark* b) {
  for (int years : {1, 10, 30})
    for (int oldest : {0, 1}) b->Args({years, oldest});
  b->ArgNames({"years", "oldest"})->Unit(benchmark::kMicrosecond);
}

void BM_ChartPaintShift(benchmark::State& state) { RunShiftChart(state, true); }
void BM_ChartScrollShift(benchmark::State& state) { RunShiftChart(state, false); }
BENCHMARK(BM_ChartPaintShift)->Apply(ShiftArguments);
BENCHMARK(BM_ChartScrollShift)->Apply(ShiftArguments);

// The temperature chart with signs recorded over the whole history: the band under the chart,
// a paint or a scroll step, at today or the oldest position. The band walks the visible days
// only, so the cost stays flat in the history. `reading`: with the reading of the curve shown,
// so the band also has the mucus peaks and the plot the double-check days, which are read once
// per change of the records.
void RunSignsChart(benchmark::State& state, bool frameToo, bool reading = false) {
  Stores stores(true);
  FillHistory(stores.temperatures, stores.weights, static_cast<int>(state.range(0)));
  FillSigns(stores.signs, static_cast<int>(state.range(0)));
  Screen screen(stores, kTemperatureMode);
  if (reading) SetShiftLineStyle(*screen.view, ShiftLineStyle{true, MakeRgb(255, 128, 0)});
  if (state.range(1) != 0) screen.scroll->SetPosition(0);
  for (auto _ : state) {
    if (frameToo) DrawChartFrame(*screen.view, screen.canvas);
    DrawChartData(*screen.view, screen.canvas);
  }
  benchmark::DoNotOptimize(screen.canvas.ops);
}

void BM_ChartPaintSigns(benchmark::State& state) { RunSignsChart(state, true); }
void BM_ChartScrollSigns(benchmark::State& state) { RunSignsChart(state, false); }
BENCHMARK(BM_ChartPaintSigns)->Apply(ShiftArguments);
BENCHMARK(BM_ChartScrollSigns)->Apply(ShiftArguments);
void BM_ChartPaintSignsReading(benchmark::State& state) { RunSignsChart(state, true, true); }
void BM_ChartScrollSignsReading(benchmark::State& state) { RunSignsChart(state, false, true); }
BENCHMARK(BM_ChartPaintSignsReading)->Apply(ShiftArguments);
BENCHMARK(BM_ChartScrollSignsReading)->Apply(ShiftArguments);

// The reading of the signs over the whole history after a change of a sign (the first paint
// after an entry pays it once): every cycle's mucus peak, first positive test, double check and
// findings.
void BM_SignReadingAfterChange(benchmark::State& state) {
  Stores stores(true);
  FillHistory(stores.temperatures, stores.weights, static_cast<int>(state.range(0)));
  FillSigns(stores.signs, static_cast<int>(state.range(0)));
  SignRecord today = *stores.signs.records.Last();
  for (auto _ : state) {
    today.intercourse = today.intercourse == 0 ? 1 : 0;
    PutSigns(today, stores.signs);
    benchmark::DoNotOptimize(
        ReadSignCycles(stores.signs, stores.temperatures, FromTm(kToday)).size());
  }
}
BENCHMARK(BM_SignReadingAfterChange)->ArgName("years")->Arg(1)->Arg(10)->Arg(30)->Unit(benchmark::kMicrosecond);

// One A4 page at 300 dpi ending at today, frame and data.
// shift: with the cycles' cover lines and first high days; signs: with the signs band.
void RunPrintedPage(benchmark::State& state, bool keepDerived, bool shift = false,
                    bool signs = false) {
  Stores stores(keepDerived);
  FillHistory(stores.temperatures, stores.weights, static_cast<int>(state.range(0)));
  if (signs) FillSigns(stores.signs, static_cast<int>(state.range(0)));
  CountingCanvas canvas;
  auto view = CreatePrintChartView(3508, 2479, &stores.temperatures,
                                   ChartFloorTemperature(stores.temperatures), kColors, &canvas,
                                   &stores.signs);
  view->shiftLines.show = shift;
  view->today = FromTm(kToday);
  const DateYmd first = FromTm(quillet::AddYmd(kToday, 0, 0, -60));
  for (auto _ : state) {
    DrawPrintPageFrame(*view, canvas);
    benchmark::DoNotOptimize(DrawPrintPageData(*view, canvas, first, FromTm(kToday)));
  }
  state.counters["days"] = DaysPerPrintPage(*view);
}

void BM_PrintedPage(benchmark::State& state) { RunPrintedPage(state, true); }
void BM_PrintedPageRecompute(benchmark::State& state) { RunPrintedPage(state, false); }
BENCHMARK(BM_PrintedPage)->ArgName("years")->Arg(1)->Arg(30)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PrintedPageRecompute)->ArgName("years")->Arg(1)->Arg(30)->Unit(benchmark::kMicrosecond);
void BM_PrintedPageShift(benchmark::State& state) { RunPrintedPage(state, true, true); }
BENCHMARK(BM_PrintedPageShift)->ArgName("years")->Arg(1)->Arg(10)->Arg(30)->Unit(benchmark::kMicrosecond);
void BM_PrintedPageSigns(benchmark::State& state) { RunPrintedPage(state, true, true, true); }
BENCHMARK(BM_PrintedPageSigns)->ArgName("years")->Arg(1)->Arg(10)->Arg(30)->Unit(benchmark::kMicrosecond);

// The three data files of `years` years in a folder of their own, written once per run.
std::filesystem::path DataFolder(int years) {
  const auto folder =
      std::filesystem::temp_directory_path() / ("tovela-bench-" + std::to_string(years));
  if (std::filesystem::exists(folder / "MEMO_DATA.dat")) return folder;
  std::filesystem::create_directories(folder);
  Stores stores(true);
  FillHistory(stores.temperatures, stores.weights, years);
  SaveTemperatureData(stores.temperatures, folder / "TEMPERATURE_DATA.dat");
  SaveWeightData(stores.weights, folder / "WEIGHT_DATA.dat");
  SaveMemoData(stores.memos, folder / "MEMO_DATA.dat");
  return folder;
}

// Start-up: load the three files, take the statistics the program keeps and shows, and paint
// the temperature chart once.
void RunStartup(benchmark::State& state, bool keepDerived) {
  const auto folder = DataFolder(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    Stores stores(keepDerived);
    LoadTemperatureData(stores.temperatures, folder / "TEMPERATURE_DATA.dat");
    LoadWeightData(stores.weights, folder / "WEIGHT_DATA.dat");
    LoadMemoData(stores.memos, folder / "MEMO_DATA.dat");
    benchmark::DoNotOptimize(ChartFloorTemperature(stores.temperatures));
    benchmark::DoNotOptimize(ChartFloorWeight(stores.weights));
    benchmark::DoNotOptimize(AverageCycleDays(stores.temperatures));
    benchmark::DoNotOptimize(AverageTemperature(stores.temperatures));
    benchmark::DoNotOptimize(NextOvulationDate(stores.temperatures, kToday));
    Screen screen(stores, kTemperatureMode);
    DrawChartFrame(*screen.view, screen.canvas);
    DrawChartData(*screen.view, screen.canvas);
    benchmark::DoNotOptimize(screen.canvas.ops);
  }
}

void BM_Startup(benchmark::State& state) { RunStartup(state, true); }
void BM_StartupRecompute(benchmark::State& state) { RunStartup(state, false); }
BENCHMARK(BM_Startup)->ArgName("years")->Arg(1)->Arg(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupRecompute)->ArgName("years")->Arg(1)->Arg(30)->Unit(benchmark::kMillisecond);

}  // namespace
