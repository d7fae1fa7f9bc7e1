// A chart view for native tests: a plain-value scroll bar, the recording canvas as tool factory,
// a fixed today, and the start-up sequence (range, colours, mode).
//
//   test_support::ChartFixture f(2007, 5, 20);                  // today
//   test_support::AddTemperatures(f.temperatures, "2007/5/1,36.40,1; ...");
//   f.Start(kTemperatureMode);                                   // 600 x 516 client area
//   DrawChartData(*f.view, f.canvas);
#pragma once

#include <algorithm>
#include <memory>

#include "chart_drawing.h"
#include "chart_view.h"
#include "record_stores.h"
#include "support/recording_canvas.h"

namespace test_support {

// A scroll bar that keeps its position inside its range, as a window's bar does.
class FakeScrollBar : public ChartScrollBar {
 public:
  int nMin = 0, nMax = 0, nPos = 0;
  bool readable = true;
  int writes = 0;

  bool GetRange(int& min, int& max, int& pos) override {
    if (!readable) return false;
    min = nMin;
    max = nMax;
    pos = nPos;
    return true;
  }
  bool GetPosition(int& pos) override {
    if (!readable) return false;
    pos = nPos;
    return true;
  }
  void SetRangeAndPosition(int min, int max, int pos) override {
    nMin = min;
    nMax = max;
    nPos = std::clamp(pos, nMin, std::max(nMin, nMax));
    ++writes;
  }
  void SetPosition(int pos) override {
    nPos = std::clamp(pos, nMin, std::max(nMin, nMax));
    ++writes;
  }
};

// The colours the fixture's tools are made from (all different, so a tool's colour names it).
constexpr ColorRef kBase = 0x000001, kGrid = 0x000002, kGraph = 0x000003, kTodayBack = 0x000004,
                   kMarkBack = 0x000005, kString = 0x000006, kBaseLine = 0x000007;

struct ChartFixture {
  std::tm today{};
  TemperatureStore temperatures;
  WeightStore weights;
  SignStore signs;
  RecordingCanvas canvas;
  FakeScrollBar* bar = nullptr;  // owned by the view
  std::unique_ptr<ChartView> view;

  ChartFixture(int year, int month, int day) {
    today = std::tm{};
    today.tm_year = year - 1900;
    today.tm_mon = month - 1;
    today.tm_mday = day;
    today.tm_hour = 9;  // a clock time, as GetNow gives
  }

  // Creates the view over (0, 0, right, bottom) and runs the start-up sequence.
  void Start(int mode, int right = 600, int bottom = 516, const ScreenChartSizes& sizes = {}) {
    auto scroll = std::make_unique<FakeScrollBar>();
    bar = scroll.get();
    view = CreateChartView(0, 0, right, bottom, nullptr, std::move(scroll), &temperatures,
                           &weights, &canvas, [this] { return today; }, sizes, &signs);
    SetChartScrollRange(*view);
    SetChartColors(*view, ColorScheme{.BaseColor = kBase,
                                      .GraphGridColor = kGrid,
                                      .GraphColor = kGraph,
                                      .TodayBackColor = kTodayBack,
                                      .MarkBackColor = kMarkBack,
                                      .StringColor = kString,
                                      .BaseTempeLineColor = kBaseLine});
    SetChartMode(*view, mode);
  }

  // Moves the first visible column to `days` after the start date.
  void ScrollTo(int position) { bar->nPos = position; }

  void Draw() {
    canvas.ClearRecord();
    DrawChartData(*view, canvas);
  }
};

}  // namespace test_support
