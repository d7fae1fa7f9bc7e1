// The record stores: a doubly linked list in ascending date order plus a std::map index from date
// to record. Every insert and delete changes both in one step, so the list order and the index
// always agree; lookups go through the index, renderers walk the list.
#include "record_stores.h"

#include <algorithm>
#include <iterator>

namespace {

// Copies the kept part of a memo text (MemoKeptLength); every later unit of `to` becomes zero, so
// the array always ends in zeros whatever the source held.
void CopyMemoText(char16_t (&to)[MemoCapacity], const char16_t (&from)[MemoCapacity]) {
  std::size_t n = 0;
  while (n < MemoCapacity && from[n] != u'\0') ++n;
  n = MemoKeptLength(std::u16string_view(from, n));
  std::copy(from, from + n, to);
  std::fill(to + n, to + MemoCapacity, u'\0');
}

void CopyPayload(TemperatureRecord& to, const TemperatureRecord& from) {
  to.temperature = from.temperature;
  to.periodStart = from.periodStart;
}
void CopyPayload(WeightRecord& to, const WeightRecord& from) { to.weight = from.weight; }
void CopyPayload(MemoRecord& to, const MemoRecord& from) { CopyMemoText(to.text, from.text); }
void CopyPayload(SignRecord& to, const SignRecord& from) {
  to.mucus = from.mucus;
  to.ovulationTest = from.ovulationTest;
  to.intercourse = from.intercourse;
}

// The new record goes in front of the first record with a later date, or after the last one.
template <typename Record>
bool InsertRecord(RecordList<Record>& list, const Record& source) {
  const DateYmd date = source.Date();
  auto later = list.index.lower_bound(date);
  if (later != list.index.end() && later->first == date) return false;

  auto* record = new Record{};
  record->year = source.year;
  record->month = source.month;
  record->day = source.day;
  CopyPayload(*record, source);

  if (later != list.index.end()) {
    Record* following = later->second;
    record->prev = following->prev;
    record->next = following;
    if (following->prev != nullptr) {
      following->prev->next = record;
    } else {
      list.head = record;
    }
    following->prev = record;
  } else if (Record* last = list.Last(); last != nullptr) {
    last->next = record;
    record->prev = last;
  } else {
    list.head = record;
  }
  list.index.emplace_hint(later, date, record);
  ++list.version;
  return true;
}

template <typename Record>
Record* FindRecord(const RecordList<Record>& list, int year, int month, int day) {
  auto found = list.index.find(DateYmd{year, month, day});
  return found == list.index.end() ? nullptr : found->second;
}

template <typename Record>
bool UpdateRecord(RecordList<Record>& list, const Record& source) {
  Record* stored = FindRecord(list, source.year, source.month, source.day);
  if (stored == nullptr) return false;
  CopyPayload(*stored, source);
  ++list.version;
  return true;
}

template <typename Record>
bool DeleteRecord(RecordList<Record>& list, int year, int month, int day) {
  auto found = list.index.find(DateYmd{year, month, day});
  if (found == list.index.end()) return false;
  Record* record = found->second;
  if (record->prev != nullptr) {
    record->prev->next = record->next;
  } else {
    list.head = record->next;
  }
  if (record->next != nullptr) record->next->prev = record->prev;
  list.index.erase(found);
  delete record;
  ++list.version;
  return true;
}

}  // namespace

bool InsertTemperature(const TemperatureRecord& record, TemperatureStore& store) {
  return InsertRecord(store.records, record);
}
bool InsertWeight(const WeightRecord& record, WeightStore& store) {
  return InsertRecord(store.records, record);
}
bool InsertMemo(const MemoRecord& record, MemoStore& store) {
  return InsertRecord(store.records, record);
}
bool InsertSigns(const SignRecord& record, SignStore& store) {
  return record.HasAnySign() && InsertRecord(store.records, record);
}

TemperatureRecord* FindTemperature(const TemperatureStore& store, int year, int month, int day) {
  return FindRecord(store.records, year, month, day);
}
WeightRecord* FindWeight(const WeightStore& store, int year, int month, int day) {
  return FindRecord(store.records, year, month, day);
}
MemoRecord* FindMemo(const MemoStore& store, int year, int month, int day) {
  return FindRecord(store.records, year, month, day);
}
SignRecord* FindSigns(const SignStore& store, int year, int month, int day) {
  return FindRecord(store.records, year, month, day);
}

bool UpdateTemperature(const TemperatureRecord& record, TemperatureStore& store) {
  return UpdateRecord(store.records, record);
}
bool UpdateWeight(const WeightRecord& record, WeightStore& store) {
  return UpdateRecord(store.records, record);
}
bool UpdateMemo(const MemoRecord& record, MemoStore& store) {
  return UpdateRecord(store.records, record);
}
bool UpdateSigns(const SignRecord& record, SignStore& store) {
  return record.HasAnySign() && UpdateRecord(store.records, record);
}

bool DeleteTemperature(TemperatureStore& store, int year, int month, int day) {
  return DeleteRecord(store.records, year, month, day);
}
bool DeleteWeight(WeightStore& store, int year, int month, int day) {
  return DeleteRecord(store.records, year, month, day);
}
bool DeleteMemo(MemoStore& store, int year, int month, int day) {
  return DeleteRecord(store.records, year, month, day);
}
bool DeleteSigns(SignStore& store, int year, int month, int day) {
  return DeleteRecord(store.records, year, month, day);
}

bool PutSigns(const SignRecord& record, SignStore& store) {
  const SignRecord* stored = FindSigns(store, record.year, record.month, record.day);
  if (!record.HasAnySign())
    return stored != nullptr && DeleteSigns(store, record.year, record.month, record.day);
  if (stored == nullptr) return InsertSigns(record, store);
  if (stored->mucus == record.mucus && stored->ovulationTest == record.ovulationTest &&
      stored->intercourse == record.intercourse)
    return false;
  return UpdateSigns(record, store);
}

// The latest key not after the date: one ordered-index lookup. For calendar dates this is the
// record a day-by-day walk backwards would reach first, without the walk.
TemperatureRecord* LatestRecordOnOrBefore(const TemperatureStore& store, int year, int month,
                                          int day) {
  const auto& index = store.records.index;
  auto after = index.upper_bound(DateYmd{year, month, day});
  if (after == index.begin()) return nullptr;
  return std::prev(after)->second;
}

namespace {

// From the latest record on or before the date back through prev: one step per record.
TemperatureRecord* WalkBackToPeriodStart(const TemperatureStore& store, const DateYmd& date) {
  for (TemperatureRecord* r = LatestRecordOnOrBefore(store, date.year, date.month, date.day);
       r != nullptr; r = r->prev) {
    if (r->periodStart != 0) return r;
  }
  return nullptr;
}

const PeriodStartList& PeriodStarts(const TemperatureStore& store) {
  PeriodStartList& kept = store.periodStarts;
  if (!kept.stamp.Describes(store.records.version)) {
    kept.dates.clear();
    kept.starts.clear();
    for (TemperatureRecord* r = store.head(); r != nullptr; r = r->next) {
      if (r->periodStart == 0) continue;
      kept.dates.push_back(r->Date());
      kept.starts.push_back(r);
    }
    kept.stamp.Set(store.records.version);
  }
  return kept;
}

}  // namespace

// The records before the date, walked back from the latest, meet the latest period start among
// them first; the kept list of period starts finds it by its date.
TemperatureRecord* LatestPeriodStart(const TemperatureStore& store, int year, int month, int day) {
  const DateYmd date{year, month, day};
  if (!store.records.keepDerived) return WalkBackToPeriodStart(store, date);
  const PeriodStartList& kept = PeriodStarts(store);
  const auto after = std::upper_bound(kept.dates.begin(), kept.dates.end(), date);
  if (after == kept.dates.begin()) return nullptr;
  return kept.starts[static_cast<std::size_t>(after - kept.dates.begin()) - 1];
}
