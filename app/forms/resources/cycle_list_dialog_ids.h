// Control identifiers of "CYCLE_LIST_DIALOG" (shared by the template and the dialog code).
#pragma once

#define IDC_CYCLE_LIST 801       // the report-style list view of the cycles
#define IDC_CYCLE_LIST_COPY 802  // "コピー(&C)"
#define IDC_CYCLE_LIST_NOTE 803  // the line under the table on what the findings are
