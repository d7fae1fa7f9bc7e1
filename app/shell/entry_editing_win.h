// The side panel's add, update and delete: the checks and store changes of entry_rules.h with
// their message boxes, owned by the main window.
#pragma once

#include <windows.h>

#include <string>

#include "date_ymd.h"
#include "record_stores.h"

// 1 when the stores were changed, 0 when the entry was refused (after its message) or cancelled.
int AddEntry(const DateYmd& date, const TemperatureRecord& temperature, const WeightRecord& weight,
             const MemoRecord& memo, const SignRecord& signs);
int UpdateEntry(const DateYmd& date, const TemperatureRecord& temperature, const WeightRecord& weight,
                const MemoRecord& memo, const SignRecord& signs);
// Asks first; only the date is used.
int DeleteEntry(const DateYmd& date, const TemperatureRecord& temperature, const WeightRecord& weight,
                const MemoRecord& memo);

// A message box over `owner` with texts in the records' UTF-16. While a close waits for the
// handler that asks (HandlerScope), none is shown and the answer is IDCANCEL.
int ShowMessage(HWND owner, const std::u16string& text, const char16_t* caption, UINT flags);

// "その日は既に入力が行われています。\n修正はメイン画面から行えます。"
inline constexpr char16_t kDayAlreadyEnteredText[] =
    u"その日は既に入力が行われています。\n修正はメイン画面から行えます。";
