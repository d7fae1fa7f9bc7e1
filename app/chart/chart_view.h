// The on-screen chart: one long strip of day columns under a calendar header, of which the chart
// window shows a stretch; the window's horizontal scroll bar moves that stretch a day at a time.
//
// `ChartView` holds the layout, the colours and drawing tools, and the mode. It draws nothing
// itself (chart_drawing.h does). The scroll position is not kept here: it lives in the window's
// scroll bar and is read afresh through `ChartScrollBar` by every computation. "Today" comes from
// the `today` function the creator passes (the program passes quillet::GetNow).
//
// Windows callers normally go through chart_window_win.h, which wires the real SB_HORZ bar, the
// GDI tools and the clock.
#pragma once

#include <algorithm>

#include <ctime>
#include <functional>
#include <memory>

#include "chart_plot.h"
#include "date_ymd.h"
#include "display_scale.h"
#include "draw_canvas.h"
#include "record_stores.h"

// The chart modes (the settings key GraphMode).
enum GraphModeValue : int { kTemperatureMode = 1, kWeightMode = 2, kPregnancyMode = 3 };

// Scroll-bar codes of WM_HSCROLL, with the values of the SB_ constants.
namespace sb {
constexpr int kLineLeft = 0;
constexpr int kLineRight = 1;
constexpr int kPageLeft = 2;
constexpr int kPageRight = 3;
constexpr int kThumbPosition = 4;
constexpr int kThumbTrack = 5;
constexpr int kLeft = 6;
constexpr int kRight = 7;
constexpr int kEndScroll = 8;
}  // namespace sb

// The chart window's horizontal scroll bar: the timeline. On Windows the window's SB_HORZ bar
// (GetScrollInfo/SetScrollInfo); in tests a plain value.
class ChartScrollBar {
 public:
  virtual ~ChartScrollBar() = default;
  // Reads nMin, nMax and nPos (SIF_RANGE | SIF_PAGE | SIF_POS); false when the read fails.
  virtual bool GetRange(int& nMin, int& nMax, int& nPos) = 0;
  // Reads nPos (SIF_POS); false when the read fails.
  virtual bool GetPosition(int& nPos) = 0;
  // SIF_RANGE | SIF_POS with redraw; the page size is left alone.
  virtual void SetRangeAndPosition(int nMin, int nMax, int nPos) = 0;
  // SIF_POS with redraw.
  virtual void SetPosition(int nPos) = 0;
};

// A scroll bar held as plain values, for charts drawn off screen (the render tool, benchmarks,
// bitmap tests). Like a window's bar it keeps its position inside its range.
class ValueScrollBar : public ChartScrollBar {
 public:
  int nMin = 0, nMax = 0, nPos = 0;

  bool GetRange(int& min, int& max, int& pos) override {
    min = nMin;
    max = nMax;
    pos = nPos;
    return true;
  }
  bool GetPosition(int& pos) override {
    pos = nPos;
    return true;
  }
  void SetRangeAndPosition(int min, int max, int pos) override {
    nMin = min;
    nMax = max;
    SetPosition(pos);
  }
  void SetPosition(int pos) override { nPos = std::clamp(pos, nMin, std::max(nMin, nMax)); }
};

// The on-screen chart's sizes in the chart window's pixels. The defaults are the 96-DPI numbers;
// ScreenChartSizesFor gives them at a window's display scale.
struct ScreenChartSizes {
  int axisWidth = 50;              // the axis column left of the plot
  int headerHeight = 45;           // the calendar header of modes 1 and 2 (three rows)
  int pregnancyHeaderHeight = 60;  // the header of mode 3 (four rows)
  int stripHeight = 30;            // the mark strip under the plot
  int fontHeight = 12;             // both fonts
  int dayFontInset = 2;            // the day font is a half day width less this wide
  int penWidth = 1;                // every pen
  int pointRadius = 2;             // a data point reaches this far from its centre
  int captionDx = 2, captionDy = 1;  // a caption's place in its box
  int labelInset = 2, labelWidth = 132;  // the year-month label: into its column, and its width
  int signRowHeight = 14;          // each row of the signs band under the strip
  friend bool operator==(const ScreenChartSizes&, const ScreenChartSizes&) = default;
};
ScreenChartSizes ScreenChartSizesFor(const DisplayScale& scale);

// Turns mouse-wheel deltas (120 a notch) into days of the timeline: 7 days a notch, later for a
// notch toward the user (a negative vertical delta) or to the right (a positive horizontal one).
// The parts of a notch that precision touchpads send add up until they make a whole day.
class WheelDays {
 public:
  int Vertical(int delta) { return Add(-static_cast<long long>(delta)); }
  int Horizontal(int delta) { return Add(delta); }

 private:
  int Add(long long laterDelta);
  long long sevenths_ = 0;  // the delta not yet scrolled, times 7
};

// The plot box, colours and tools (chart_plot.h), with the client rectangle, the stores, the
// scroll bar and the mode of the chart window. Frees its tools when destroyed.
struct ChartView : ChartPlot {
  // The chart window's client rectangle; clientBottom is one less than given at creation. Above
  // plotTop lies the calendar header, below plotBottom the mark strip, left of plotLeft the axis
  // column. The row height is 0.1 degC (temperature mode) or 0.5 kg (the other modes).
  int clientLeft = 0, clientTop = 0, clientRight = 0, clientBottom = 0;

  void* window = nullptr;  // the chart window (HWND on Windows); not used by portable code
  std::unique_ptr<ChartScrollBar> scrollBar;
  const TemperatureStore* temperatures = nullptr;  // not owned
  const WeightStore* weights = nullptr;            // not owned
  std::function<std::tm()> today;                  // the local date

  int mode = kTemperatureMode;
  ScreenChartSizes sizes;  // at the chart window's display scale
  WheelDays wheel;         // the wheel's parts of a day not yet scrolled

  // ValueToY.
  int ValueY(double value) const override;
};

// Stores the rectangle and the rest, sets mode 1, lays out from the given bottom, then stores
// bottom - 1 as the client bottom. Tools are null and colours zero until SetChartColors; the
// program then calls SetChartScrollRange, SetChartColors and SetChartMode with the saved mode.
std::unique_ptr<ChartView> CreateChartView(int left, int top, int right, int bottom, void* window,
                                           std::unique_ptr<ChartScrollBar> scrollBar,
                                           const TemperatureStore* temperatures,
                                           const WeightStore* weights,
                                           DrawingToolFactory* toolFactory,
                                           std::function<std::tm()> today,
                                           const ScreenChartSizes& sizes = {},
                                           const SignStore* signs = nullptr);
// A new client rectangle and new sizes (the window moved to a screen of another scale): lays out
// from the given bottom, stores bottom - 1, lays out again for the mode and remakes the tools
// that exist. The scroll position stays.
void PlaceChartView(ChartView& view, int left, int top, int right, int bottom,
                    const ScreenChartSizes& sizes);

// Plot rectangle, row height and day width from the client rectangle and the mode. Any other
// mode value leaves the layout as it is. In temperature mode, while the records hold a sign, the
// signs band takes its rows from the bottom (under the strip) and the plot is that much shorter.
void UpdateChartLayout(ChartView& view);
// After the records changed: when a first sign was recorded or the last one removed, lays the
// chart out again for the band and remakes its tools; true when it did.
bool SyncSignsBand(ChartView& view);
// The bottom of the mark strip: the band's top while it is shown, else the client bottom.
inline int StripBottom(const ChartView& view) {
  return view.signsBand ? view.bandTop : view.clientBottom;
}
// Stores the mode, lays out again and resets the scroll range (today becomes the first column).
// Does not remake the fonts.
void SetChartMode(ChartView& view, int mode);
// Range 0..365 + days since the start date (modes 1 and 2) or 0..280 (mode 3), position at today.
void SetChartScrollRange(ChartView& view);
// The local date moved from `oldToday` to the view's today (midnight, a wake, a clock set either
// way): the range and the scroll limit of the new today, while the chart keeps showing the same
// days (the first visible date stays, inside the new range). The caller draws the chart again.
void KeepChartOnNewDay(ChartView& view, const std::tm& oldToday);

// The date at scroll position 0 for the current mode.
std::tm ChartStartDate(const ChartView& view);
std::tm FirstTemperatureDate(const ChartView& view);
std::tm FirstWeightDate(const ChartView& view);
std::tm PregnancyStartDate(const ChartView& view);
// Start date + scroll position days.
std::tm FirstVisibleDate(const ChartView& view);
// The scroll position (0 when it cannot be read).
int ChartScrollPosition(const ChartView& view);

// Number of whole day columns shown (those whose right edge is left of plot right); 0 when the
// day width is 0.
int VisibleDayCount(const ChartView& view);
// The date of the day column under client x (strictly inside it); the zero date on a column
// line, outside the columns, or when the plot has no room for a column.
DateYmd DateAtX(const ChartView& view, int x);

// The y of a temperature (mode 1) or weight (modes 2 and 3).
int ValueToY(const ChartView& view, double value);

// The new scroll position for a WM_HSCROLL code: a line is one day, a page a thirtieth of nMax,
// the thumb codes take trackPos; clamped into nMin..nMax. Unknown codes keep nPos.
int ScrollPositionAfter(int code, int nMin, int nMax, int nPos, int trackPos);
// Reads the bar, moves it by the code and writes the position back. false (nothing changed)
// when the bar cannot be read. The caller then updates the window and draws the data layer.
// Every way of scrolling (the bar, the wheel, the keys) comes through here.
bool ScrollChart(ChartView& view, int code, int trackPos);

// The scroll position of today's column (the one the timeline opens at).
int TodayScrollPosition(const ChartView& view);

// A scroll of the timeline as the bar's codes say it: a code and a track position.
struct ChartScrollRequest {
  int code = sb::kEndScroll;
  int trackPos = 0;
};
// Moving `days` from the current position (a thumb move, clamped by ScrollChart).
ChartScrollRequest ScrollByDays(const ChartView& view, int days);

// Keys of the chart window (virtual-key codes).
namespace vk {
constexpr int kPageUp = 0x21;    // VK_PRIOR
constexpr int kPageDown = 0x22;  // VK_NEXT
constexpr int kEnd = 0x23;
constexpr int kHome = 0x24;
constexpr int kLeft = 0x25;
constexpr int kRight = 0x27;
}  // namespace vk
// What a key asks of the timeline: left and right a day, PageUp and PageDown the visible days,
// Home the start (the oldest record of the mode's series), End today. false for any other key.
bool KeyScrollRequest(const ChartView& view, int key, ChartScrollRequest& request);
