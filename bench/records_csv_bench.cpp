// Writing and reading the records as CSV: both should grow in proportion to the number of days
// (the reader also to the length of a single line), so the fitted complexity should be O(N).
#include <benchmark/benchmark.h>

#include <string>

#include "dates.h"
#include "records_csv.h"

namespace {

// `days` consecutive days from 1900 with a weight every other day and a quoted memo every third.
void FillStores(int days, TemperatureStore& temperatures, WeightStore& weights, MemoStore& memos) {
  std::tm day = quillet::MakeDate(1900, 1, 1);
  for (int i = 0; i < days; ++i, day = quillet::GetNextDay(day)) {
    const DateYmd d = FromTm(day);
    TemperatureRecord t;
    t.year = d.year, t.month = d.month, t.day = d.day;
    t.temperature = 36.0 + (i % 100) / 100.0;
    t.periodStart = i % 28 == 0;
    InsertTemperature(t, temperatures);
    if (i % 2 == 0) {
      WeightRecord w;
      w.year = d.year, w.month = d.month, w.day = d.day;
      w.weight = 50.0 + (i % 50) / 10.0;
      InsertWeight(w, weights);
    }
    if (i % 3 == 0) {
      MemoRecord m;
      m.year = d.year, m.month = d.month, m.day = d.day;
      const std::u16string text = u"眠い, \"頭痛\" 😀";
      text.copy(m.text, text.size());
      InsertMemo(m, memos);
    }
  }
}

void BM_WriteCsv(benchmark::State& state) {
  RecordStores s;
  FillStores(static_cast<int>(state.range(0)), s.temperatures, s.weights, s.memos);
  for (auto _ : state) benchmark::DoNotOptimize(RecordsCsvBytes(s));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_WriteCsv)->RangeMultiplier(4)->Range(1 << 10, 1 << 16)->Complexity();

void BM_ParseCsv(benchmark::State& state) {
  RecordStores s;
  FillStores(static_cast<int>(state.range(0)), s.temperatures, s.weights, s.memos);
  const std::string bytes = RecordsCsvBytes(s);
  for (auto _ : state) benchmark::DoNotOptimize(ParseRecordsCsv(bytes));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ParseCsv)->RangeMultiplier(4)->Range(1 << 10, 1 << 16)->Complexity();

// One row whose quoted memo is `range` bytes long.
void BM_ParseCsvLongLine(benchmark::State& state) {
  const std::string bytes = std::string("日付,基礎体温,メモ\n2026-05-01,36.45,\"") +
                            std::string(static_cast<std::size_t>(state.range(0)), 'm') + "\"\n";
  for (auto _ : state) benchmark::DoNotOptimize(ParseRecordsCsv(bytes));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ParseCsvLongLine)->RangeMultiplier(8)->Range(1 << 14, 1 << 23)->Complexity();

}  // namespace
