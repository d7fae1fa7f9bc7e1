// The rules of one day's entry (temperature record, weight record, memo record) as the side
// panel and the entry dialog take it: how a typed number is read, the checks in order with their
// messages, and the store changes of an add, update or delete. The app shell's
// entry_editing_win.cpp shows the messages and asks the delete question.
#pragma once

#include <string>

#include "date_ymd.h"
#include "plausible_values.h"
#include "records_bundle.h"

// Why an entry is refused; each has its own message (EntryRefusalText).
enum class EntryRefusal {
  None,
  FutureDate,     // the date is later than today
  Temperature,    // not a temperature the program can store (0, empty, letters, inf, 150, -1...)
  Weight,         // neither 0 (no weight) nor a weight the program can store
  CommaInMemo,    // the memo holds a half-width comma, the data files' separator
};

// The number typed into a temperature or weight field, read the same way by the side panel and
// the entry dialog: decimal text after optional blanks and a sign, the rest of the field ignored
// ("36.5abc" is 36.5). An empty field and a written zero give 0.0 ("no value"). Any other text
// ("inf", "nan", "1e999", "abc") gives NaN, which the checks refuse. Hexadecimal is not read
// ("0x24" is 0, not 36).
double ReadEntryNumber(const wchar_t* text);

// A day of signs alone: no temperature (0.0), weight or memo typed, and at least one sign. Such
// an entry is valid without a temperature.
bool IsSignsOnlyEntry(const TemperatureRecord& temperature, const WeightRecord& weight,
                      const MemoRecord& memo, const SignRecord& signs);

// The checks of an add, in order: future date, temperature (none needed for signs alone),
// weight, comma in the memo.
EntryRefusal CheckAddEntry(const DateYmd& date, const TemperatureRecord& temperature,
                           const WeightRecord& weight, const MemoRecord& memo, const DateYmd& today,
                           const SignRecord& signs = {});
// The checks of an update: temperature, weight, comma (the update button is never offered for a
// day without a record, so there is no date check). A day without a temperature record (one of
// signs alone) may stay without one: its update needs no temperature when it holds signs alone.
EntryRefusal CheckUpdateEntry(const TemperatureRecord& temperature, const WeightRecord& weight,
                              const MemoRecord& memo, const SignRecord& signs = {},
                              bool dayHasTemperature = true);

// What an update does to the day's weight or memo record.
enum class RecordAction { Nothing, Insert, Update, Delete };
// `has` tells whether the store holds a record of the day, `present` whether the new entry has a
// value (a weight other than 0.0, a memo text that is not empty).
RecordAction UpdateActionFor(bool has, bool present);

// Whether the day has a record in any store (a temperature, a weight, a memo or signs). Such a
// day is changed with "更新(&M)", never added to: an add would lose what it typed for a store
// that already holds the day.
bool DayHasAnyRecord(const RecordStores& stores, const DateYmd& date);

// Store changes, made only after the matching check gave None. Temperatures and weights are
// stored as the files will hold them (StoredTemperature, StoredWeight). An add inserts the
// temperature when it is not 0.0, the weight when it is not 0.0, the memo when it is not empty
// and the signs when there is one; it is for a day without any record. An update sets each to
// the entry's (a temperature typed for a day without one is inserted; an empty weight, memo or
// set of signs removes the day's). A delete removes all of the day's records, its signs
// included.
void ApplyAddEntry(RecordStores& stores, const TemperatureRecord& temperature,
                   const WeightRecord& weight, const MemoRecord& memo, const SignRecord& signs = {});
void ApplyUpdateEntry(RecordStores& stores, const TemperatureRecord& temperature,
                      const WeightRecord& weight, const MemoRecord& memo,
                      const SignRecord& signs = {});
void ApplyDeleteEntry(RecordStores& stores, const DateYmd& date);
// The log-on dialog's entry: false, nothing changed, when the day has a temperature record.
// Otherwise the temperature is inserted and the weight and memo typed replace the day's own (a
// day may hold a weight or memo without a temperature); a field left empty keeps the day's
// record, and an empty memo is stored as a record of its own when the day has none.
bool ApplyDialogEntry(RecordStores& stores, const TemperatureRecord& temperature,
                      const WeightRecord& weight, const MemoRecord& memo);

// Whether the memo text holds the half-width comma "," (the full-width "，" is allowed).
bool MemoHasComma(const MemoRecord& memo);

// Message texts.
std::u16string EntryRefusalText(EntryRefusal refusal);
// "%d/%d/%dのデータが%sされました。" with the verb ("追加", "更新", "削除").
std::u16string EntryDoneText(const DateYmd& date, const std::u16string& verb);
// "%d/%d/%dのデータを削除します。\n宜しいですか？"
std::u16string DeleteQuestionText(const DateYmd& date);

// The question when the panel is about to leave a day whose input is not stored: はい stores it
// (登録 or 更新, as the buttons offer), いいえ drops it, キャンセル stays.
inline constexpr char16_t kUnsavedInputText[] = u"入力した内容が保存されていません。保存しますか？";
inline constexpr const char16_t* kUnsavedInputCaption = kImplausibleCaption;

// Captions of the entry messages.
inline constexpr char16_t kInputErrorCaption[] = u"入力エラーです。";
inline constexpr char16_t kEntryDoneCaption[] = u"データの更新が完了しました。";
inline constexpr char16_t kDeleteQuestionCaption[] = u"データの削除が行われます。";
