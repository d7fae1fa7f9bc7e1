// Property checks shared by the fuzz harnesses. A failed check stops the run at once (libFuzzer
// reports the crash and saves the input), so every check is a hard stop, not a log line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "data_files.h"
#include "dates.h"
#include "record_stores.h"

namespace fuzz {

inline void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "property failed: %s\n", what);
  std::abort();
}

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
  return std::string_view(reinterpret_cast<const char*>(data), size);
}

// The list runs in strictly ascending date order with prev mirroring next, holds calendar dates
// only, and its index holds exactly its records.
template <typename Record>
void RequireConsistent(const RecordList<Record>& list) {
  std::size_t count = 0;
  const Record* previous = nullptr;
  for (const Record* r = list.head; r != nullptr; r = r->next) {
    Require(r->prev == previous, "prev mirrors next");
    Require(previous == nullptr || previous->Date() < r->Date(), "dates strictly ascending");
    Require(quillet::IsValidDate(r->year, r->month, r->day), "a calendar date");
    const auto found = list.index.find(r->Date());
    Require(found != list.index.end() && found->second == r, "index holds the record");
    previous = r;
    ++count;
  }
  Require(count == list.index.size(), "index and list hold the same number of records");
  Require(list.Last() == previous, "the index's last record ends the list");
}

// Loading `bytes`, saving the store and loading the saved bytes again gives the same store, and
// saving that gives the same bytes. `same` compares two records of equal position.
template <typename Store, typename CheckRecord, typename Same>
void RequireRoundTrip(std::string_view bytes, CheckRecord check, Same same) {
  Store loaded;
  ReadDataBytes(bytes, loaded);
  RequireConsistent(loaded.records);
  for (const auto* r = loaded.head(); r != nullptr; r = r->next) check(*r);

  const std::string saved = DataFileBytes(loaded);
  Store reloaded;
  ReadDataBytes(saved, reloaded);
  RequireConsistent(reloaded.records);
  Require(reloaded.records.Size() == loaded.records.Size(), "reload keeps every record");
  for (const auto *a = loaded.head(), *b = reloaded.head(); a != nullptr && b != nullptr;
       a = a->next, b = b->next) {
    Require(a->Date() == b->Date(), "reload keeps the dates");
    Require(same(*a, *b), "reload keeps the values");
  }
  Require(DataFileBytes(reloaded) == saved, "saving the reloaded store writes the same bytes");
}

}  // namespace fuzz
