// Control identifiers of "PRINT_GRAPH_DIALOG" (shared by the template and the dialog code).
#pragma once

#define IDC_PRINT_SETUP 701          // "プリンタ設定(&S)"
#define IDC_PRINT_PRINTER_NAME 702   // the name of the printer to be used
#define IDC_PRINT_FROM_DATE 703      // first day of the range
#define IDC_PRINT_TO_DATE 704        // last day of the range
#define IDC_PRINT_FROM_CAPTION 705   // "から"
#define IDC_PRINT_TO_CAPTION 706     // "まで"
