// The list of cycles "CYCLE_LIST_DIALOG": a report-style list view of the cycles (newest first),
// the line on the findings under it, "コピー(&C)", which puts the whole table on the clipboard,
// and "閉じる".
#pragma once

#include <windows.h>

#include <vector>

#include "cycle_list_rules.h"

// Runs the dialog modally over `owner` with the rows of `cycles` and their sign readings `signs`.
void ShowCycleListDialog(HWND owner, HINSTANCE instance, const std::vector<CycleReading>& cycles,
                         const std::vector<SignCycleReading>& signs);
