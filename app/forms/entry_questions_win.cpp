#include "entry_questions_win.h"

#include <string>

#include "entry_rules.h"

namespace {

int Ask(HWND owner, const std::u16string& text, const char16_t* caption, UINT flags) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wide characters");
  return MessageBoxW(owner, reinterpret_cast<const wchar_t*>(text.c_str()),
                     reinterpret_cast<const wchar_t*>(caption), flags);
}

}  // namespace

bool ConfirmImplausible(HWND owner, const std::vector<ImplausibleValue>& values) {
  if (values.empty()) return true;
  return Ask(owner, ImplausibleEntryQuestion(values), kImplausibleCaption,
             MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

int AskUnsavedInput(HWND owner) {
  return Ask(owner, kUnsavedInputText, kUnsavedInputCaption, MB_YESNOCANCEL | MB_ICONQUESTION);
}
