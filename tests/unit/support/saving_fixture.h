// A folder with the three data files loaded into their stores as the start-up loads them, and
// the save path run on it at a fixed moment. Shared by the native and the Wine tests.
#pragma once

#include <filesystem>
#include <string>

#include "data_files.h"
#include "saving.h"
#include "temp_folder.h"

namespace test_support {

inline constexpr LocalTime kSaveMoment{2026, 12, 7, 9, 30, 5};

// Files in a form a save never writes ("36.5", "50.00"): a file a save wrote reads differently.
inline constexpr char kLoadedTemperatures[] = "2026/12/1,36.5,0\r\n";
inline constexpr char kLoadedWeights[] = "2026/12/1,50.00\r\n";

struct SavedFolder {
  TempFolder folder;
  RecordStores stores;
  TemperatureStore& temperatures = stores.temperatures;
  WeightStore& weights = stores.weights;
  MemoStore& memos = stores.memos;
  DataFilesState files;

  SavedFolder() {
    WriteBytes(folder / "TEMPERATURE_DATA.dat", kLoadedTemperatures);
    WriteBytes(folder / "WEIGHT_DATA.dat", kLoadedWeights);
    WriteBytes(folder / "MEMO_DATA.dat", "");
    const DataFilePaths paths = Paths();
    LoadDataFiles(stores, paths, kSaveMoment);
    files = LoadedFilesState(stores, paths, {});
  }

  std::filesystem::path Path(const char* name) const { return folder / name; }
  // Each store's data file in the folder.
  DataFilePaths Paths() const {
    DataFilePaths paths;
    for (std::size_t kind = 0; kind < kStoreKindCount; ++kind)
      paths.values[kind] = folder / std::filesystem::path(kDataFileNames[kind] + 1).string();
    return paths;
  }
  std::string Bytes(const char* name) const { return ReadBytes(folder / name); }

  // A new day's temperature in the store, as an entry makes it.
  void AddTemperature(int day, double value) {
    TemperatureRecord r;
    r.year = 2026;
    r.month = 12;
    r.day = day;
    r.temperature = value;
    InsertTemperature(r, temperatures);
  }

  SaveOutcome Save(SaveScope scope = SaveScope::Changed) {
    return SaveDataFiles(files, stores, scope, kSaveMoment);
  }
};

}  // namespace test_support
