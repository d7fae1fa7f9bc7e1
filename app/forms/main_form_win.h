// The main window and its side panel: the window objects, their creation, and moving a day's
// entry between the records and the panel's controls.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "brassel.h"
#include "command_table.h"
#include "date_ymd.h"
#include "display_scale.h"
#include "record_stores.h"
#include "side_panel_layout.h"
#include "win_handles.h"

// Control identifiers of the main window.
enum MainFormId : int {
  kChartWindowId = 401,
  kDatePickerId = 402,
  kCycleCaptionId = 403,
  kAverageCaptionId = 404,
  kTemperatureCaptionId = 405,
  kWeightCaptionId = 406,
  kPeriodCaptionId = 407,
  kMemoCaptionId = 408,
  kAverageValueId = 409,
  kCycleValueId = 411,
  kTemperatureEditId = 412,
  kWeightEditId = 413,
  kMemoEditId = 414,
  kPeriodCheckId = 415,
  kAddButtonId = kAddButtonCommand,
  kUpdateButtonId = kUpdateButtonCommand,
  kDeleteButtonId = kDeleteButtonCommand,
  kDayUnitId = 419,
  kDegreeUnitId = 421,
  kKilogramUnitId = 422,
  kNextPeriodCaptionId = 423,
  kNextPeriodValueId = 424,
  kNextOvulationCaptionId = 425,
  kNextOvulationValueId = 426,
  kShiftStateCaptionId = 427,
  kShiftStateValueId = 428,
  kMucusCaptionId = 429,
  kMucusListId = 430,
  kOvulationTestCaptionId = 431,
  kOvulationTestListId = 432,
  kIntercourseCheckId = 433,
};

// The memo edits accept no more than a memo record holds.
inline constexpr int kMemoTextLimit = 99;

// The main window object with the chart window and every side-panel control. Deleting it destroys
// the main window (and with it every child) first, then the control objects.
struct MainForm {
  std::unique_ptr<CMyAppView> MainView;
  std::unique_ptr<CMyStatic> ChartWindow;
  std::unique_ptr<CMyDatePicker> DatePicker;
  std::unique_ptr<CMyStatic> CycleCaption, AverageCaption, TemperatureCaption, WeightCaption,
      PeriodCaption, MemoCaption;
  std::unique_ptr<CMyStatic> AverageValue, CycleValue;
  std::unique_ptr<CMyStatic> NextPeriodCaption, NextPeriodValue, NextOvulationCaption,
      NextOvulationValue;
  std::unique_ptr<CMyEdit> TemperatureEdit, WeightEdit, MemoEdit;
  std::unique_ptr<CMyButton> PeriodCheck;
  std::unique_ptr<CMyButton> AddButton, UpdateButton, DeleteButton;
  std::unique_ptr<CMyStatic> CycleUnit, AverageUnit, TemperatureUnit, WeightUnit;
  std::unique_ptr<CMyStatic> ShiftStateCaption, ShiftStateValue;  // "体温の状態"
  // The signs: "おりもの" and "排卵検査薬" drop-down lists (an empty first item) and "性交あり".
  std::unique_ptr<CMyStatic> MucusCaption, OvulationTestCaption;
  std::unique_ptr<CMyComboBox> MucusList, OvulationTestList;
  std::unique_ptr<CMyButton> IntercourseCheck;
  RECT ChartRect{};  // the chart window's client rectangle, read after each layout

  // The layout at the main window's display scale. Each side-panel control keeps its place at
  // 96 DPI and the font it was made with; a layout puts it at that place times the scale.
  struct PanelControl {
    HWND window;
    ChartPlace place;  // at 96 DPI
    HFONT ownFont;     // its own, made for the system's DPI
  };
  DisplayScale Scale;
  std::vector<PanelControl> PanelControls;
  ChartPlace RememberedChart;  // the chart's size carries from one layout to the next
  // The panel's font at the window's DPI when that differs from the system's; null otherwise.
  win32::GdiObject<HFONT> PanelFont;

  // The controls that take the panel's keys: Tab and Shift+Tab stop at each (in the order of
  // their places); Enter in an entry field adds or updates the day.
  struct PanelKey {
    HWND window;
    WNDPROC previous;   // the control's own procedure
    bool entersEntry;   // Enter presses "登録(&A)" or "更新(&M)"
  };
  std::vector<PanelKey> PanelKeys;

  // The day the panel shows and the values it showed for it: input differs from these.
  DateYmd ShownDate;
  PanelValues ShownValues;

  MainForm() = default;
  MainForm(const MainForm&) = delete;
  MainForm& operator=(const MainForm&) = delete;
  ~MainForm();

  HWND Window() const { return MainView ? MainView->GetMyHWnd() : nullptr; }
};

// The product tagline: the main window's title.
inline constexpr wchar_t kProductTagline[] = L"基礎体温と体重の記録帳";

// Registers the class "Tovela" with `procedure` and creates the main window over the screen
// beside the task bar, visible unless `startupRun`. Only minimise and close stay in its system
// menu. 1 done, 0 when the class or the window cannot be made.
int CreateMainWindow(MainForm& form, WNDPROC procedure, bool startupRun, HINSTANCE instance);

// Creates the chart window (subclassed with `chartProcedure`) and the side-panel controls in the
// main window. 0 only when the chart window cannot be made.
int CreateSidePanel(MainForm& form, HWND parent, WNDPROC chartProcedure);

// Lays the main window's children out at `scale`: the chart window by the chart area rule (its
// client rectangle into ChartRect), every side-panel control at its 96-DPI place times the scale
// with a font of that DPI. Nothing moves at the scale the controls were made for. Called by
// CreateSidePanel and when the window moves to a screen of another scale (WM_DPICHANGED).
void LayoutMainForm(MainForm& form, const DisplayScale& scale);

// Shows `date` in the panel: statistics, predictions (from `temperatures` and `today`), the day's
// records and the button states. Showing the same day again (after a change of settings or
// records) leaves input the records do not hold in the fields (KeepsPanelInput).
void ShowDayInPanel(MainForm& form, const TemperatureStore& temperatures, int cycle,
                    const DateYmd& date, const TemperatureRecord* temperature,
                    const WeightRecord* weight, const MemoRecord* memo, double average,
                    const DateYmd& today, const SignRecord* signs = nullptr);

// The "体温の状態" row: its caption while the reading of the curve is `shown`, and its value
// (ShiftStateText of the day, or empty while the reading is hidden).
void ShowShiftState(MainForm& form, bool shown, const std::u16string& text);

// Reads the panel: the day it shows into all four outputs (cleared first), the temperature and
// weight texts converted as decimals (text that is not a number gives 0), the period check box and
// the memo text.
void ReadPanel(MainForm& form, DateYmd& date, TemperatureRecord& temperature, WeightRecord& weight,
               MemoRecord& memo);
// The panel's signs for the day it shows: the two drop-down lists and the check box.
SignRecord ReadPanelSigns(MainForm& form);

// The date the panel's picker holds; the zero date when it cannot be read.
DateYmd PickerDate(MainForm& form);
// The day the panel shows (its fields are that day's): the picker's date until a day is shown.
DateYmd PanelDate(MainForm& form);
// Puts the picker back to `date` without a notification (a change the user called off).
void SetPickerDate(MainForm& form, const DateYmd& date);

// The panel's fields as values, and whether they differ from what was shown for the day: the
// user typed, ticked or picked something not yet stored.
PanelValues ReadPanelValues(MainForm& form);
bool HasUnsavedInput(MainForm& form);
