// The day-keyed record stores: temperature (with the period-start flag), weight, memo and the
// signs beside the temperature (cervical mucus, ovulation test, intercourse).
//
// Each store is a doubly linked list in strictly ascending date order with at most one record
// per date; renderers walk it through prev/next. Beside the list each store keeps an ordered
// index from date to record, updated by every insert and delete, so finding a date or the latest
// record on or before a date costs O(log n) instead of a scan (or a day-by-day walk).
// A store owns its records; an insert copies the caller's record.
//
// Every change of a store's records (insert, update, delete, clear) advances its version. What is
// derived from the records alone (the period starts, the averages and cycle gaps of
// statistics.h, the cycles and thermal shifts of thermal_shift.h) is kept beside them with the
// version it was derived from and derived again on the first read after a change, so a paint or a
// scroll does not walk the whole history and no reader can see a value of an earlier state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string_view>
#include <vector>

#include "date_ymd.h"
#include "sign_reading.h"
#include "thermal_shift.h"

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

inline bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
inline bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The memo's text up to its terminating zero.
inline std::u16string_view MemoText(const MemoRecord& memo) {
  std::size_t n = 0;
  while (n < MemoCapacity && memo.text[n] != u'\0') ++n;
  return std::u16string_view(memo.text, n);
}

// How many leading units of `text` a memo keeps: a text of up to 99 units whole; of a longer one
// 99, or 98 when units 99 and 100 are a surrogate pair (half a character is not kept).
inline std::size_t MemoKeptLength(std::u16string_view text) {
  constexpr std::size_t kMax = MemoCapacity - 1;
  if (text.size() <= kMax) return text.size();
  return IsHighSurrogate(text[kMax - 1]) && IsLowSurrogate(text[kMax]) ? kMax - 1 : kMax;
}

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
  // Advanced by every change of the records; derived values remember the version they describe.
  std::uint64_t version = 0;
  // false: every derived value is computed afresh from the records at each read, as if nothing
  // were kept (the reference the benchmarks time the kept values against).
  bool keepDerived = true;

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
    ++version;
  }
  bool Empty() const { return head == nullptr; }
  std::size_t Size() const { return index.size(); }
  Record* Last() const { return index.empty() ? nullptr : index.rbegin()->second; }
};

// Marks derived data as describing one version of a store's records.
struct DerivedStamp {
  bool built = false;
  std::uint64_t version = 0;

  bool Describes(std::uint64_t recordsVersion) const { return built && version == recordsVersion; }
  void Set(std::uint64_t recordsVersion) {
    built = true;
    version = recordsVersion;
  }
};

// The temperature records with periodStart set, in date order, and their dates (searched without
// touching the records). record_stores.cpp keeps it.
struct PeriodStartList {
  DerivedStamp stamp;
  std::vector<DateYmd> dates;
  std::vector<TemperatureRecord*> starts;
};

// What the statistics derive from the temperature records alone (statistics.cpp keeps it), and
// the predictions for the last "today" and cycle length asked about.
struct TemperatureSummary {
  DerivedStamp stamp;
  double averageTemperature = 0.0;
  long long cycleGapSum = 0;  // the period-start gaps of 20-40 days
  int cycleGapCount = 0;
  std::vector<DateYmd> calendarDays;  // dates of the records on real calendar days, ascending
  std::vector<int> highBefore;        // [i]: how many of calendarDays[0..i) are >= the average

  bool predicted = false;
  DateYmd predictedToday;
  int predictedCycle = 0;
  DateYmd nextPeriod;
  DateYmd nextOvulation;
};

struct WeightSummary {
  DerivedStamp stamp;
  double averageWeight = 0.0;
};

struct TemperatureStore {
  RecordList<TemperatureRecord> records;
  int temperatureCalcType = 0;   // 1: the chart floor is minTemperature; else automatic
  double minTemperature = 35.5;
  int periodCalcType = 0;        // 1: the cycle is periodCycle; else automatic
  int periodCycle = 28;
  // Derived from the records; read only through LatestPeriodStart and statistics.h.
  mutable PeriodStartList periodStarts;
  mutable TemperatureSummary summary;
  mutable CycleReadingList cycleReadings;  // read through ReadCycles (thermal_shift.h)

  TemperatureRecord* head() const { return records.head; }
};

struct WeightStore {
  RecordList<WeightRecord> records;
  int weightCalcType = 0;        // 1: the chart floor is minWeight; else automatic
  double minWeight = 43.0;
  mutable WeightSummary summary;  // derived from the records; read through statistics.h

  WeightRecord* head() const { return records.head; }
};

struct MemoStore {
  RecordList<MemoRecord> records;

  MemoRecord* head() const { return records.head; }
};

// The signs of a day beside the temperature: the cervical mucus she noticed, the result of a
// urine LH ovulation test and intercourse. Each may be recorded or not; a record holds at least
// one of them (a day whose signs are all cleared has no record).
inline constexpr signed char kNoSign = -1;
inline constexpr int kMucusLevelCount = 5;          // 0 dry ... 4 clear and stretchy
inline constexpr int kOvulationTestResultCount = 3;  // 0 negative, 1 positive, 2 strongly positive

struct SignRecord {
  int year = 0;
  int month = 0;
  int day = 0;
  signed char mucus = kNoSign;          // 0-4 (kMucusLevelCount levels), or kNoSign
  signed char ovulationTest = kNoSign;  // 0-2, or kNoSign
  unsigned char intercourse = 0;        // 1 when recorded
  SignRecord* prev = nullptr;
  SignRecord* next = nullptr;

  DateYmd Date() const { return DateYmd{year, month, day}; }
  bool HasAnySign() const {
    return mucus != kNoSign || ovulationTest != kNoSign || intercourse != 0;
  }
};

inline bool IsMucusLevel(int level) { return level >= 0 && level < kMucusLevelCount; }
inline bool IsOvulationTestResult(int result) {
  return result >= 0 && result < kOvulationTestResultCount;
}

struct SignStore {
  RecordList<SignRecord> records;
  // Derived from these records and the temperature store's cycles, stamped with both versions;
  // read through ReadSignCycles (sign_reading.h).
  mutable SignReadingList signReadings;

  SignRecord* head() const { return records.head; }
};

// Insert copies the record (date and payload) into the store in date order.
// false, store unchanged, when the store already holds that date (or, for signs, when the record
// holds no sign: a sign record always holds one).
bool InsertTemperature(const TemperatureRecord& record, TemperatureStore& store);
bool InsertWeight(const WeightRecord& record, WeightStore& store);
// The memo text is copied up to 99 units; a longer text is cut there (at 98 when the cut would
// split a surrogate pair).
bool InsertMemo(const MemoRecord& record, MemoStore& store);
bool InsertSigns(const SignRecord& record, SignStore& store);

// The records of a run of ascending dates, as a renderer walks its day columns: one index search
// for the first date, then steps along next. At(date) gives the same record as a Find of that
// date, provided the dates asked never go back. A null list has no records.
template <typename Record>
class DayCursor {
 public:
  DayCursor(const RecordList<Record>* list, const DateYmd& first) {
    if (list == nullptr) return;
    auto found = list->index.lower_bound(first);
    next_ = found == list->index.end() ? nullptr : found->second;
  }
  const Record* At(const DateYmd& date) {
    while (next_ != nullptr && next_->Date() < date) next_ = next_->next;
    return next_ != nullptr && next_->Date() == date ? next_ : nullptr;
  }

 private:
  const Record* next_ = nullptr;
};

// The stored record of exactly that date, or nullptr.
TemperatureRecord* FindTemperature(const TemperatureStore& store, int year, int month, int day);
WeightRecord* FindWeight(const WeightStore& store, int year, int month, int day);
MemoRecord* FindMemo(const MemoStore& store, int year, int month, int day);
SignRecord* FindSigns(const SignStore& store, int year, int month, int day);

// Overwrite the payload of the stored record with the same date; false when there is none.
// Temperature: temperature and periodStart. Weight: weight. Memo: the text (cleared, then copied,
// cut to 99 units). Signs: the three signs (false for a record without any: PutSigns removes).
bool UpdateTemperature(const TemperatureRecord& record, TemperatureStore& store);
bool UpdateWeight(const WeightRecord& record, WeightStore& store);
bool UpdateMemo(const MemoRecord& record, MemoStore& store);
bool UpdateSigns(const SignRecord& record, SignStore& store);

// Unlink and free the record of that date; false when there is none.
bool DeleteTemperature(TemperatureStore& store, int year, int month, int day);
bool DeleteWeight(WeightStore& store, int year, int month, int day);
bool DeleteMemo(MemoStore& store, int year, int month, int day);
bool DeleteSigns(SignStore& store, int year, int month, int day);

// Makes the day's signs exactly those of `record`: inserted, updated, or removed when the record
// holds no sign. true when the store changed (signs equal to the stored ones change nothing).
bool PutSigns(const SignRecord& record, SignStore& store);

// The temperature record dated on or before the date and nearest to it; nullptr when the store
// is empty or the date lies before the first record.
TemperatureRecord* LatestRecordOnOrBefore(const TemperatureStore& store, int year, int month, int day);

// From the record of that date (or the latest one before it), following prev: the first record
// with periodStart set; nullptr when there is none. A binary search in the kept period starts.
TemperatureRecord* LatestPeriodStart(const TemperatureStore& store, int year, int month, int day);
