#include "entry_editing_win.h"

#include <string>

#include "app_state_win.h"
#include "dates.h"
#include "entry_questions_win.h"
#include "entry_rules.h"
#include "main_form_win.h"
#include "saving_win.h"

namespace {

HWND Owner() { return gApp.MainForm != nullptr ? gApp.MainForm->Window() : nullptr; }

int Refuse(EntryRefusal refusal) {
  ShowMessage(Owner(), EntryRefusalText(refusal), kInputErrorCaption, MB_OK | MB_ICONINFORMATION);
  return 0;
}

// The change is saved before its confirmation gives the user control back; a save that failed
// has said so instead, and the confirmation is left out.
int Done(const DateYmd& date, const char16_t* verb) {
  if (SaveConfirmedChange(Owner()))
    ShowMessage(Owner(), EntryDoneText(date, verb), kEntryDoneCaption, MB_OK);
  return 1;
}

}  // namespace

int ShowMessage(HWND owner, const std::u16string& text, const char16_t* caption, UINT flags) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wide characters");
  // A close is waiting for the handler that shows this: no new question holds it up.
  if (gApp.CloseWaiting) return IDCANCEL;
  return MessageBoxW(owner, reinterpret_cast<const wchar_t*>(text.c_str()),
                     reinterpret_cast<const wchar_t*>(caption), flags);
}

int AddEntry(const DateYmd& date, const TemperatureRecord& temperature, const WeightRecord& weight,
             const MemoRecord& memo, const SignRecord& signs) {
  const EntryRefusal refusal =
      CheckAddEntry(date, temperature, weight, memo, FromTm(quillet::GetNow()), signs);
  if (refusal != EntryRefusal::None) return Refuse(refusal);
  // The panel offers "登録(&A)" only for a day without a record in any store; should the day
  // have one all the same, nothing is overwritten or dropped and the user is told where to
  // change it.
  if (DayHasAnyRecord(*gApp.Records, date)) {
    ShowMessage(Owner(), kDayAlreadyEnteredText, kInputErrorCaption, MB_OK | MB_ICONINFORMATION);
    return 0;
  }
  if (!ConfirmImplausible(Owner(), ImplausibleEntryValues(temperature.temperature, weight.weight)))
    return 0;
  ApplyAddEntry(*gApp.Records, temperature, weight, memo, signs);
  return Done(date, u"追加");
}

int UpdateEntry(const DateYmd& date, const TemperatureRecord& temperature, const WeightRecord& weight,
                const MemoRecord& memo, const SignRecord& signs) {
  const bool hasTemperature =
      FindTemperature(gApp.Records->temperatures, date.year, date.month, date.day) != nullptr;
  const EntryRefusal refusal = CheckUpdateEntry(temperature, weight, memo, signs, hasTemperature);
  if (refusal != EntryRefusal::None) return Refuse(refusal);
  // "更新(&M)" is enabled only for a day with a record in some store; without one there is
  // nothing to update.
  if (!DayHasAnyRecord(*gApp.Records, date)) return 0;
  // A value the day already holds was confirmed when it was stored: only new ones are asked.
  const TemperatureRecord* stored =
      FindTemperature(gApp.Records->temperatures, date.year, date.month, date.day);
  const WeightRecord* storedWeight = FindWeight(gApp.Records->weights, date.year, date.month, date.day);
  if (!ConfirmImplausible(Owner(), ImplausibleEntryValues(temperature.temperature, weight.weight,
                                                          stored ? stored->temperature : 0.0,
                                                          storedWeight ? storedWeight->weight : 0.0)))
    return 0;
  ApplyUpdateEntry(*gApp.Records, temperature, weight, memo, signs);
  return Done(date, u"更新");
}

int DeleteEntry(const DateYmd& date, const TemperatureRecord&, const WeightRecord&, const MemoRecord&) {
  // A question, answered いいえ unless the user chooses otherwise: a deletion cannot be undone.
  if (ShowMessage(Owner(), DeleteQuestionText(date), kDeleteQuestionCaption,
                  MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
    return 0;
  ApplyDeleteEntry(*gApp.Records, date);
  return Done(date, u"削除");
}
