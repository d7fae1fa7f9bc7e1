// The record stores of a run, kept together. Where every store is treated alike (loading at
// start-up, the save path, the backups' list of files, the CSV import's check for unread files)
// the code walks them with ForEachStore and looks up what differs by kind: the data file's name
// here, its lines in data_files.cpp. Adding a store is one member of RecordStores, one StoreKind,
// and one file name; only the code where the stores really differ (the CSV
// columns, the side panel, the chart) names it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <tuple>

#include "data_files.h"
#include "record_stores.h"

// The kinds of store, in the order every walk over the stores visits them.
enum class StoreKind : std::size_t { Temperature, Weight, Memo, Signs };
inline constexpr std::size_t kStoreKindCount = 4;

// Each kind's data file, as appended to the program folder (with the leading separator).
inline constexpr std::array<const wchar_t*, kStoreKindCount> kDataFileNames = {
    kTemperatureFileName, kWeightFileName, kMemoFileName, kSignsFileName};

// A value per kind of store, looked up by kind.
template <typename Value>
struct PerStoreKind {
  std::array<Value, kStoreKindCount> values{};

  Value& operator[](StoreKind kind) { return values[static_cast<std::size_t>(kind)]; }
  const Value& operator[](StoreKind kind) const { return values[static_cast<std::size_t>(kind)]; }
};

struct RecordStores {
  TemperatureStore temperatures;
  WeightStore weights;
  MemoStore memos;
  SignStore signs;

  // Every store in StoreKind order.
  auto All() { return std::tie(temperatures, weights, memos, signs); }
  auto All() const { return std::tie(temperatures, weights, memos, signs); }
};

// Calls visit(kind, store) for each store of `stores` (a RecordStores, const or not) in
// StoreKind order; a store's kind is its place in All().
template <typename Stores, typename Visit>
void ForEachStore(Stores& stores, Visit&& visit) {
  auto all = stores.All();
  static_assert(std::tuple_size_v<decltype(all)> == kStoreKindCount, "one store per kind");
  std::apply(
      [&](auto&... store) {
        std::size_t kind = 0;
        (visit(static_cast<StoreKind>(kind++), store), ...);
      },
      all);
}

// Changes whenever any store's records change.
inline std::uint64_t StoresVersion(const RecordStores& stores) {
  std::uint64_t sum = 0;
  ForEachStore(stores, [&](StoreKind, const auto& store) { sum += store.records.version; });
  return sum;
}
