#include "entry_rules.h"

#include <cstdio>
#include <limits>

#include "number_text.h"
#include "numbers.h"
#include "value_bounds.h"

namespace {

// Formatted texts of these messages are cut to 100 characters at most.
constexpr std::size_t kMessageLimit = 100;

std::u16string DateText(const DateYmd& date) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%d/%d/%d", date.year, date.month, date.day);
  return AsciiText(buffer);
}

std::u16string Limit(std::u16string text) {
  if (text.size() > kMessageLimit) text.resize(kMessageLimit);
  return text;
}

bool WeightAcceptable(double weight) { return weight == 0.0 || IsStorableWeight(weight); }

EntryRefusal CheckValues(const TemperatureRecord& temperature, const WeightRecord& weight,
                         const MemoRecord& memo) {
  if (!IsStorableTemperature(temperature.temperature)) return EntryRefusal::Temperature;
  if (!WeightAcceptable(weight.weight)) return EntryRefusal::Weight;
  if (MemoHasComma(memo)) return EntryRefusal::CommaInMemo;
  return EntryRefusal::None;
}

}  // namespace

double ReadEntryNumber(const wchar_t* text) {
  if (quillet::IsDouble(text)) return quillet::ToDouble(text);
  if (text == nullptr) return 0.0;
  const wchar_t* p = text;
  while (*p == L' ' || (*p >= L'\t' && *p <= L'\r')) ++p;
  if (*p == L'\0') return 0.0;  // an empty field: no value
  if (*p == L'+' || *p == L'-') ++p;
  // A written zero ("0", "0.00", "-0", the "0" of "0x24") reads as 0. Anything else that is no
  // finite non-zero decimal ("inf", "nan", "1e999", letters) is no number the program can hold:
  // NaN, which every value check refuses, so the typed text is never dropped in silence.
  bool zero = false;
  for (; *p == L'0'; ++p) zero = true;
  if (*p == L'.')
    for (++p; *p == L'0'; ++p) zero = true;
  return zero && !(*p >= L'1' && *p <= L'9') ? 0.0 : std::numeric_limits<double>::quiet_NaN();
}

bool MemoHasComma(const MemoRecord& memo) {
  for (std::size_t i = 0; i < MemoCapacity && memo.text[i] != u'\0'; ++i)
    if (memo.text[i] == u',') return true;
  return false;
}

bool IsSignsOnlyEntry(const TemperatureRecord& temperature, const WeightRecord& weight,
                      const MemoRecord& memo, const SignRecord& signs) {
  return temperature.temperature == 0.0 && weight.weight == 0.0 && memo.text[0] == u'\0' &&
         signs.HasAnySign();
}

EntryRefusal CheckAddEntry(const DateYmd& date, const TemperatureRecord& temperature,
                           const WeightRecord& weight, const MemoRecord& memo, const DateYmd& today,
                           const SignRecord& signs) {
  if (today < date) return EntryRefusal::FutureDate;
  if (IsSignsOnlyEntry(temperature, weight, memo, signs)) return EntryRefusal::None;
  return CheckValues(temperature, weight, memo);
}

EntryRefusal CheckUpdateEntry(const TemperatureRecord& temperature, const WeightRecord& weight,
                              const MemoRecord& memo, const SignRecord& signs,
                              bool dayHasTemperature) {
  if (!dayHasTemperature && IsSignsOnlyEntry(temperature, weight, memo, signs))
    return EntryRefusal::None;
  return CheckValues(temperature, weight, memo);
}

RecordAction UpdateActionFor(bool has, bool present) {
  if (has) return present ? RecordAction::Update : RecordAction::Delete;
  return present ? RecordAction::Insert : RecordAction::Nothing;
}

namespace {

// The entry's values as the files will hold them (value_bounds.h).
TemperatureRecord Stored(TemperatureRecord record) {
  record.temperature = StoredTemperature(record.temperature);
  return record;
}

WeightRecord Stored(WeightRecord record) {
  record.weight = StoredWeight(record.weight);
  return record;
}

// The day's weight or memo record becomes `record`, whether the day had one or not.
template <typename Record, typename Store, typename Update, typename Insert>
void Put(const Record& record, Store& store, Update update, Insert insert) {
  if (!update(record, store)) insert(record, store);
}

}  // namespace

bool DayHasAnyRecord(const RecordStores& stores, const DateYmd& d) {
  return FindTemperature(stores.temperatures, d.year, d.month, d.day) != nullptr ||
         FindWeight(stores.weights, d.year, d.month, d.day) != nullptr ||
         FindMemo(stores.memos, d.year, d.month, d.day) != nullptr ||
         FindSigns(stores.signs, d.year, d.month, d.day) != nullptr;
}

void ApplyAddEntry(RecordStores& stores, const TemperatureRecord& temperature,
                   const WeightRecord& weight, const MemoRecord& memo, const SignRecord& signs) {
  if (temperature.temperature != 0.0) InsertTemperature(Stored(temperature), stores.temperatures);
  if (weight.weight != 0.0) InsertWeight(Stored(weight), stores.weights);
  if (memo.text[0] != u'\0') InsertMemo(memo, stores.memos);
  if (signs.HasAnySign()) InsertSigns(signs, stores.signs);
}

bool ApplyDialogEntry(RecordStores& stores, const TemperatureRecord& temperature,
                      const WeightRecord& weight, const MemoRecord& memo) {
  if (!InsertTemperature(Stored(temperature), stores.temperatures)) return false;
  if (weight.weight != 0.0) Put(Stored(weight), stores.weights, UpdateWeight, InsertWeight);
  // An empty memo is stored too (the day then has its memo line), but never over one it has.
  if (memo.text[0] != u'\0')
    Put(memo, stores.memos, UpdateMemo, InsertMemo);
  else
    InsertMemo(memo, stores.memos);
  return true;
}

void ApplyUpdateEntry(RecordStores& stores, const TemperatureRecord& typedTemperature,
                      const WeightRecord& typedWeight, const MemoRecord& memo,
                      const SignRecord& signs) {
  const TemperatureRecord temperature = Stored(typedTemperature);
  const WeightRecord weight = Stored(typedWeight);
  if (temperature.temperature != 0.0)
    Put(temperature, stores.temperatures, UpdateTemperature, InsertTemperature);

  const bool hasWeight = FindWeight(stores.weights, weight.year, weight.month, weight.day) != nullptr;
  switch (UpdateActionFor(hasWeight, weight.weight != 0.0)) {
    case RecordAction::Update: UpdateWeight(weight, stores.weights); break;
    case RecordAction::Delete: DeleteWeight(stores.weights, weight.year, weight.month, weight.day); break;
    case RecordAction::Insert: InsertWeight(weight, stores.weights); break;
    case RecordAction::Nothing: break;
  }

  const bool hasMemo = FindMemo(stores.memos, memo.year, memo.month, memo.day) != nullptr;
  switch (UpdateActionFor(hasMemo, memo.text[0] != u'\0')) {
    case RecordAction::Update: UpdateMemo(memo, stores.memos); break;
    case RecordAction::Delete: DeleteMemo(stores.memos, memo.year, memo.month, memo.day); break;
    case RecordAction::Insert: InsertMemo(memo, stores.memos); break;
    case RecordAction::Nothing: break;
  }
  PutSigns(signs, stores.signs);
}

void ApplyDeleteEntry(RecordStores& stores, const DateYmd& date) {
  DeleteTemperature(stores.temperatures, date.year, date.month, date.day);
  DeleteWeight(stores.weights, date.year, date.month, date.day);
  DeleteMemo(stores.memos, date.year, date.month, date.day);
  DeleteSigns(stores.signs, date.year, date.month, date.day);
}

std::u16string EntryRefusalText(EntryRefusal refusal) {
  switch (refusal) {
    case EntryRefusal::FutureDate:
      return u"未来の日付に対する入力は出来ません。\n正しく入力してください。";
    case EntryRefusal::Temperature:
      return u"基礎体温の入力に誤りがあります。\n正しく入力してください。";
    case EntryRefusal::Weight:
      return u"体重の入力に誤りがあります。\n正しく入力してください。";
    case EntryRefusal::CommaInMemo:
      return u"基礎体温の入力に誤りがあります。\n「,」（半角カンマ）は入力できません。\n正しく入力してください。";
    case EntryRefusal::None:
      break;
  }
  return u"";
}

std::u16string EntryDoneText(const DateYmd& date, const std::u16string& verb) {
  return Limit(DateText(date) + u"のデータが" + verb + u"されました。");
}

std::u16string DeleteQuestionText(const DateYmd& date) {
  return Limit(DateText(date) + u"のデータを削除します。\n宜しいですか？");
}
