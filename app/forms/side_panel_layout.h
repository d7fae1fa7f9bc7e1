// The main window's portable arithmetic: where the chart window goes, which control the Tab key
// moves to, and what the side panel shows for a day. main_form_win.cpp puts it on screen.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

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

// A side-panel control the Tab key stops at: its 96-DPI place and whether it is enabled.
struct PanelStop {
  ChartPlace place;
  bool enabled = true;
};

// Where Tab moves from stop `from` (Shift+Tab: `backward`): the next enabled stop in the order
// the panel is read, top to bottom and left to right on a row, round from the end to the start;
// `from` itself when no other stop is enabled. So a control added to the panel takes its place
// in the order by where it stands.
std::size_t NextPanelStop(const std::vector<PanelStop>& stops, std::size_t from, bool backward);

// The button the Enter key presses in an entry field: "登録(&A)" when it is enabled, else
// "更新(&M)" when that is, else none.
enum class EnterPresses { Add, Update, Nothing };
EnterPresses EnterKeyButton(bool addEnabled, bool updateEnabled);

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

// What the user can change in the panel for the day it shows, compared as a whole: the panel
// holds unsaved input exactly when these differ from the values shown for the day. Numbers are
// compared as the entry reads them (ReadEntryNumber: "36.5" is "36.50", text that is no number
// differs from everything), so only a change of value counts; a sign picked or ticked counts
// like a typed value.
struct PanelValues {
  double temperature = 0.0;
  double weight = 0.0;
  bool periodStart = false;
  std::u16string memo;
  int mucusItem = 0;
  int ovulationTestItem = 0;
  bool intercourse = false;
  friend bool operator==(const PanelValues&, const PanelValues&) = default;
};

// The values of the entry fields of `fields`: the texts, check marks and drop-down items the user
// can change (the panel's controls as read, or what ShowDayInPanel shows for a day); its other
// members are not looked at.
PanelValues PanelValuesOf(const PanelContent& fields);

// Whether showing the panel's day again (its statistics or records changed) keeps what the user
// typed: when the fields differ both from what was shown before and from what would be shown now.
bool KeepsPanelInput(bool sameDay, const PanelValues& now, const PanelValues& shownBefore,
                     const PanelValues& toShow);

// A number formatted the C way into a short text: the result goes through a nine-byte buffer, so
// it keeps at most eight characters; a longer result is cut, never overflows.
std::u16string FormatPanelNumber(const char* format, double value);
