// The questions an entry may ask before it is stored or left, as message boxes.
#pragma once

#include <windows.h>

#include <vector>

#include "plausible_values.h"

// Asks, over `owner`, whether to store values outside the plausible ranges as they are, naming
// each; いいえ is the preset answer. True when there is nothing to ask or the user says はい.
bool ConfirmImplausible(HWND owner, const std::vector<ImplausibleValue>& values);

// Asks, over `owner`, whether to store the panel's unsaved input: IDYES, IDNO or IDCANCEL.
int AskUnsavedInput(HWND owner);
