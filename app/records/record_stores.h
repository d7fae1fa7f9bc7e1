// The three day-keyed record stores: temperature (with the period-start flag), weight and memo.
//
// Each store is a doubly linked list in strictly ascending date order with at most one record
// per date; renderers walk it through prev/next. Beside the list each store keeps an ordered
// index from date to record, updated by every insert and delete, so finding a date or the latest
// record on or before a date costs O(log n) instead of a scan (or a day-by-day walk).
// A store owns its records; an insert copies the caller's record.
#pragma once

#include <cstddef>
#include <map>

#include "date_ymd.h"

constexpr std::size_t MemoCapacity = 100;  // 99 UTF-16 units and a terminating zero

struct TemperatureRecord {
  int year = 0;
  int month = 0;
  int day = 0;
  double temperature = 0.0;
  unsigned char periodStart = 0;  // 1 when a period started that day
  TemperatureRecord* prev = nullptr;
  TemperatureRecord* next = nullptr;

  DateYmd Date() const { return DateYmd{year, month, day}; }
};

struct WeightRecord {
  int year = 0;
  int month = 0;
  int day = 0;
  double weight = 0.0;
  WeightRecord* prev = nullptr;
  WeightRecord* next = nullptr;

  DateYmd Date() const { return DateYmd{year, month, day}; }
};

struct MemoRecord {
  int year = 0;
  int month = 0;
  int day = 0;
  char16_t text[MemoCapacity] = {};  // zero-terminated; every unit after the terminator is zero
  MemoRecord* prev = nullptr;
  MemoRecord* next = nullptr;

  DateYmd Date() const { return DateYmd{year, month, day}; }
};

// The list plus its date index. Not copyable: records are owned and linked.
template <typename Record>
struct RecordList {
  Record* head = nullptr;
  std::map<DateYmd, Record*> index;  // kept in step with the list
  // Set by a load that found its data file but could not read it (held open by another
  // program, say). The save then reads the file again and keeps its lines beside the records
  // in memory, instead of overwriting a history it never saw; it fails while the file stays
  // unreadable.
  bool fileUnread = false;

  RecordList() = default;
  RecordList(const RecordList&) = delete;
  RecordList& operator=(const RecordList&) = delete;
  ~RecordList() { Clear(); }

  void Clear() {
    for (Record* r = head; r != nullptr;) {
      Record* next = r->next;
      delete r;
      r = next;
    }
    head = nullptr;
    index.clear();
  }
  bool Empty() const { return head == nullptr; }
  std::size_t Size() const { return index.size(); }
  Record* Last() const { return index.empty() ? nullptr : index.rbegin()->second; }
};

struct TemperatureStore {
  RecordList<TemperatureRecord> records;
  int temperatureCalcType = 0;   // 1: the chart floor is minTemperature; else automatic
  double minTemperature = 35.5;
  int periodCalcType = 0;        // 1: the cycle is periodCycle; else automatic
  int periodCycle = 28;

  TemperatureRecord* head() const { return records.head; }
};

struct WeightStore {
  RecordList<WeightRecord> records;
  int weightCalcType = 0;        // 1: the chart floor is minWeight; else automatic
  double minWeight = 43.0;

  WeightRecord* head() const { return records.head; }
};

struct MemoStore {
  RecordList<MemoRecord> records;

  MemoRecord* head() const { return records.head; }
};

// Insert copies the record (date and payload) into the store in date order.
// false, store unchanged, when the store already holds that date.
bool InsertTemperature(const TemperatureRecord& record, TemperatureStore& store);
bool InsertWeight(const WeightRecord& record, WeightStore& store);
// The memo text is copied up to 99 units; a longer text is cut there (at 98 when the cut would
// split a surrogate pair).
bool InsertMemo(const MemoRecord& record, MemoStore& store);

// The stored record of exactly that date, or nullptr.
TemperatureRecord* FindTemperature(const TemperatureStore& store, int year, int month, int day);
WeightRecord* FindWeight(const WeightStore& store, int year, int month, int day);
MemoRecord* FindMemo(const MemoStore& store, int year, int month, int day);

// Overwrite the payload of the stored record with the same date; false when there is none.
// Temperature: temperature and periodStart. Weight: weight. Memo: the text (cleared, then copied,
// cut to 99 units).
bool UpdateTemperature(const TemperatureRecord& record, TemperatureStore& store);
bool UpdateWeight(const WeightRecord& record, WeightStore& store);
bool UpdateMemo(const MemoRecord& record, MemoStore& store);

// Unlink and free the record of that date; false when there is none.
bool DeleteTemperature(TemperatureStore& store, int year, int month, int day);
bool DeleteWeight(WeightStore& store, int year, int month, int day);
bool DeleteMemo(MemoStore& store, int year, int month, int day);

// The temperature record dated on or before the date and nearest to it; nullptr when the store
// is empty or the date lies before the first record.
TemperatureRecord* LatestRecordOnOrBefore(const TemperatureStore& store, int year, int month, int day);

// From the record of that date (or the latest one before it), following prev: the first record
// with periodStart set; nullptr when there is none.
TemperatureRecord* LatestPeriodStart(const TemperatureStore& store, int year, int month, int day);
