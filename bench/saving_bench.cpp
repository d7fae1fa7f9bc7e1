// One save after an entry, as every change now makes it: the temperature store (or the signs
// store) of 1, 10 and 30 years of daily records changes by one day and the save path writes the
// changed file only (the other stores, as large, are left alone).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "data_files.h"
#include "dates.h"
#include "record_stores.h"
#include "records_bundle.h"
#include "saving.h"

namespace {

namespace fs = std::filesystem;

// signs: the entry changes the day's signs instead of its temperature.
void RunSaveAfterOneEntry(benchmark::State& state, bool signs) {
  const int years = static_cast<int>(state.range(0));
  const fs::path folder = fs::temp_directory_path() /
                          ("tovela-save-bench-" + std::to_string(years) + (signs ? "-signs" : ""));
  fs::remove_all(folder);
  fs::create_directories(folder);
  RecordStores stores;
  TemperatureStore& temperatures = stores.temperatures;
  WeightStore& weights = stores.weights;
  std::tm day = quillet::MakeDate(2000, 1, 1);
  for (int i = 0; i < years * 365; ++i, day = quillet::GetNextDay(day)) {
    TemperatureRecord t;
    t.year = day.tm_year + 1900, t.month = day.tm_mon + 1, t.day = day.tm_mday;
    t.temperature = 36.2 + (i % 28) * 0.02;
    t.periodStart = i % 28 == 0;
    InsertTemperature(t, temperatures);
    WeightRecord w;
    w.year = t.year, w.month = t.month, w.day = t.day, w.weight = 50.0 + (i % 7) * 0.1;
    InsertWeight(w, weights);
    SignRecord s;
    s.year = t.year, s.month = t.month, s.day = t.day;
    s.mucus = static_cast<signed char>(i % 5), s.intercourse = i % 3 == 0;
    InsertSigns(s, stores.signs);
  }
  DataFilesState files;
  for (std::size_t kind = 0; kind < kStoreKindCount; ++kind)
    files[static_cast<StoreKind>(kind)] =
        LoadedFileState(folder / fs::path(kDataFileNames[kind] + 1), 0, false);
  const LocalTime now{2030, 1, 1, 12, 0, 0};
  SaveDataFiles(files, stores, SaveScope::Everything, now);

  TemperatureRecord entry = *temperatures.records.Last();
  SignRecord signEntry = *stores.signs.records.Last();
  bool failed = false;
  for (auto _ : state) {
    if (signs) {
      signEntry.ovulationTest = signEntry.ovulationTest == 1 ? 2 : 1;  // the update of the last day
      PutSigns(signEntry, stores.signs);
    } else {
      entry.temperature = entry.temperature > 36.5 ? 36.4 : 36.6;  // the update of the last day
      UpdateTemperature(entry, temperatures);
    }
    failed = SaveDataFiles(files, stores, SaveScope::Changed, now).failed || failed;
  }
  if (failed) state.SkipWithError("a save failed");
  const char* file = signs ? "SIGNS_DATA.dat" : "TEMPERATURE_DATA.dat";
  state.counters["records"] = static_cast<double>(temperatures.records.Size());
  state.counters["bytes"] = static_cast<double>(fs::file_size(folder / file));
  fs::remove_all(folder);
}

void BM_SaveAfterOneEntry(benchmark::State& state) { RunSaveAfterOneEntry(state, false); }
void BM_SaveAfterOneSignEntry(benchmark::State& state) { RunSaveAfterOneEntry(state, true); }

}  // namespace

BENCHMARK(BM_SaveAfterOneEntry)->Arg(1)->Arg(10)->Arg(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveAfterOneSignEntry)->Arg(1)->Arg(10)->Arg(30)->Unit(benchmark::kMillisecond);
