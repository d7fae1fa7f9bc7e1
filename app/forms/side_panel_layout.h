// The main window's portable arithmetic: where the chart window goes, which control the Tab key
// moves to, and what the side panel shows for a day. main_form_win.cpp puts it on screen.
#pragma once

#include <string>

#include "date_ymd.h"
#include "display_scale.h"
#include "record_stores.h"

// A place as the window wrappers take it: x, y, width, height.
struct ChartPlace {
  int x = 0;
  int y = 0;
  int width = 297;
  int height = 0;
};

// The side panel takes this many pixels (at 96 DPI) on the left of the main window's client area.
inline constexpr int kSidePanelWidth = 200;

// The chart window's place for a main-window client rectangle: at (200, top), the largest size of
// proportion 297 : 210 plus a 60-pixel band, in 1 % steps from 297 x 270, that lies strictly
// inside the area right of the panel. `remembered` carries the size between calls (it starts at
// 297 x 0) and is kept when not even the first step fits. Every number is a 96-DPI one and
// grows with the window's scale.
ChartPlace LayoutChartArea(int clientLeft, int clientTop, int clientRight, int clientBottom,
                           ChartPlace& remembered, const DisplayScale& scale = {});

// A 96-DPI place at the window's scale: each edge scaled, so neighbours stay neighbours.
ChartPlace ScalePlace(const ChartPlace& place, const DisplayScale& scale);

// The side-panel controls that take part in the Tab order.
enum class PanelStop { DatePicker, TemperatureEdit, WeightEdit, PeriodCheck, MemoEdit,
                       MucusList, OvulationTestList, IntercourseCheck,
                       AddButton, UpdateButton, DeleteButton };

// Where Tab moves from `from`, given which of the add and update buttons are enabled.
PanelStop NextPanelStop(PanelStop from, bool addEnabled, bool updateEnabled);

// Everything ShowDayInPanel puts into the controls, as texts and button states.
struct PanelContent {
  std::u16string average;         // "%.2f"
  std::u16string cycle;           // "%d"
  std::u16string nextPeriod;      // "%d月%d日" or "未定"
  std::u16string nextOvulation;   // "%d月%d日" or "未定"
  DateYmd date;                   // the picker's date
  std::u16string temperature;     // "%.2f" or empty
  std::u16string weight;          // "%.1f" or empty
  std::u16string memo;            // the memo text or empty
  bool periodStart = false;
  // The signs' drop-down items (0: the empty first item, k + 1: level or result k) and check.
  int mucusItem = 0;
  int ovulationTestItem = 0;
  bool intercourse = false;
  bool addEnabled = false;
  bool updateEnabled = false;
  bool deleteEnabled = false;
};

// The panel for `date`. The records are the day's own (or null); the predictions are the zero
// date when nothing can be predicted. A prediction before today shows "未定". A future day, or a
// day without any record, offers only "登録(&A)" and shows no entry fields; a day with a record
// in any store (a temperature, a weight, a memo or signs) shows every one it has and offers
// "更新(&M)" and "削除(&D)".
PanelContent MakePanelContent(int cycle, const DateYmd& date, const TemperatureRecord* temperature,
                              const WeightRecord* weight, const MemoRecord* memo, double average,
                              const DateYmd& nextPeriod, const DateYmd& nextOvulation,
                              const DateYmd& today, const SignRecord* signs = nullptr);

// The sign of a drop-down item (kNoSign for the empty first item) and back.
inline signed char SignOfItem(int item) {
  return static_cast<signed char>(item > 0 ? item - 1 : kNoSign);
}
inline int ItemOfSign(int sign) { return sign < 0 ? 0 : sign + 1; }

// A number formatted the C way into a short text: the result goes through a nine-byte buffer, so
// it keeps at most eight characters; a longer result is cut, never overflows.
std::u16string FormatPanelNumber(const char* format, double value);
