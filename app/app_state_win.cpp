#include "app_state_win.h"

// The complete types of everything AppState owns, for its destructor. By the time it runs, at
// process exit, the close sequence has normally released them all already.
#include "add_tempe_dialog_win.h"
#include "basic_setting_dialog_win.h"
#include "chart_view.h"
#include "main_form_win.h"
#include "main_menu_win.h"
#include "print_graph_dialog_win.h"
#include "recolor_dialog_win.h"
#include "record_stores.h"

AppState gApp;
