#include "app_state_win.h"

// The complete types of everything AppState owns, for ReleaseAppState and the destructor. By the
// time the destructor runs, at process exit, the close has normally released them all already.
#include "add_tempe_dialog_win.h"
#include "basic_setting_dialog_win.h"
#include "chart_drawing.h"
#include "chart_tip_win.h"
#include "chart_view.h"
#include "main_form_win.h"
#include "main_menu_win.h"
#include "print_graph_dialog_win.h"
#include "recolor_dialog_win.h"
#include "records_bundle.h"

AppState gApp;

// Everything AppState owns, released once the files are safely written, in this order: the chart's
// tip, the main form, the accelerators, the chart, the four dialog contexts, the record stores. Deleting the main
// form destroys the main window, whose destruction posts the quit message.
void ReleaseAppState() {
  gApp.ChartTip.reset();
  gApp.MainForm.reset();
  if (gApp.Accelerators != nullptr) DestroyAcceleratorTable(gApp.Accelerators);
  gApp.Accelerators = nullptr;
  gApp.AcceleratorEntries.reset();
  if (gApp.Chart != nullptr) {
    DeleteDrawingTools(*gApp.Chart);
    gApp.Chart.reset();
  }
  gApp.AddTempe.reset();
  gApp.Recolor.reset();
  gApp.BasicEnv.reset();
  gApp.PrintGraph.reset();
  gApp.Records.reset();
}
