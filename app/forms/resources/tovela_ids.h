// Resource identifiers of the program's own icons, dialogs and their controls.
#pragma once

#define IDI_TOVELA_ABOUT 101   // the version dialog's icon
#define IDI_TOVELA_MAIN 102    // the main window's and the executable's icon

// "ADD_TEMPE_DIALOG"
#define IDC_ADD_DATE 301
#define IDC_ADD_TEMPERATURE_LABEL 302
#define IDC_ADD_TEMPERATURE 303
#define IDC_ADD_WEIGHT_LABEL 304
#define IDC_ADD_WEIGHT 305
#define IDC_ADD_PERIOD_LABEL 306
#define IDC_ADD_PERIOD 307
#define IDC_ADD_MEMO_LABEL 308
#define IDC_ADD_MEMO 309
#define IDC_ADD_DEGREE_UNIT 310
#define IDC_ADD_KG_UNIT 311

// "VERSION_DIALOG"
#define IDC_VERSION_ICON 701
#define IDC_VERSION_NAME 702
#define IDC_VERSION_MAKER 703
#define IDC_VERSION_NUMBER 704
#define IDC_VERSION_WEB 705
#define IDC_VERSION_MAIL 706
