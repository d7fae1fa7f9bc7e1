// The chart's drawing tools, the frame layer (boxes, captions, scale labels) and the dispatch of
// the data layer by mode.
#include "chart_drawing.h"

#include "chart_internal.h"
#include "signs_band.h"
#include "statistics.h"

namespace {

constexpr char16_t kChartFace[] = u"MS ゴシック";

// The screen's axes: the mark strip runs down to the client bottom, or to the signs band that
// then takes the rows down to it; captions sit 2 pixels right and 1 down in their boxes (at 96
// DPI).
void DrawScreenThreeRowAxes(ChartView& view, Canvas& canvas) {
  DrawThreeRowAxes(view, canvas, StripBottom(view), view.sizes.captionDx, view.sizes.captionDy);
  if (view.signsBand)
    DrawSignsBandAxes(view, canvas, view.clientBottom, view.sizes.captionDx, view.sizes.captionDy);
}

// Before the first temperature is recorded the chart says, in one line across the middle of the
// plot, how to begin. The line goes with the first record; the printed page never has it.
void DrawFirstStartHint(const ChartView& view, Canvas& canvas) {
  if (view.temperatures != nullptr && !view.temperatures->records.Empty()) return;
  canvas.DrawTextIn(kFirstStartHint,
                    DrawRect{view.plotLeft + 1, view.plotTop + 1, view.plotRight, view.plotBottom},
                    dt::kSingleLine | dt::kCenter | dt::kVCenter | dt::kEndEllipsis);
}

double WeightScaleStart(const ChartView& view) {
  return view.weights ? ChartFloorWeight(*view.weights) - 0.5 : -0.5;
}

}  // namespace

void SetChartColors(ChartView& view, const ColorScheme& colors) {
  DeleteDrawingTools(view);
  ApplyColors(view.colors, colors);
  CreateDrawingTools(view);
}

void CreateDrawingTools(ChartView& view) {
  const ScreenChartSizes& s = view.sizes;
  FontDesc bold;
  bold.height = s.fontHeight;
  bold.width = 0;
  bold.weight = 700;
  bold.charSet = 255;
  bold.pitchAndFamily = 33;  // fixed pitch, Swiss family
  bold.face = kChartFace;
  FontDesc day = bold;
  day.width = view.dayWidth / 2 - s.dayFontInset;
  day.weight = 400;
  day.height = s.fontHeight;
  MakeChartTools(view, bold, day, true, s.penWidth);
}

void DeleteDrawingTools(ChartView& view) { ReleaseChartTools(view); }

void DrawChartFrame(ChartView& view, Canvas& canvas) {
  // The frame is drawn after every change of the records: the first sign brings the band.
  SyncSignsBand(view);
  ScopedTextColor text(canvas, view.colors.StringColor);
  ScopedSelect font(canvas, view.tools.boldFont);
  ScopedSelect pen(canvas, view.tools.framePen);
  DrawPlotFrame(view, canvas,
                DrawRect{view.clientLeft, view.clientTop, view.clientRight, view.clientBottom});
  switch (view.mode) {
    case kTemperatureMode: DrawTemperatureAxes(view, canvas); break;
    case kWeightMode: DrawWeightAxes(view, canvas); break;
    case kPregnancyMode: DrawPregnancyAxes(view, canvas); break;
    default: break;
  }
}

void DrawChartData(ChartView& view, Canvas& canvas) {
  ScopedTextColor text(canvas, view.colors.StringColor);
  ScopedSelect font(canvas, view.tools.boldFont);
  ScopedSelect pen(canvas, view.tools.framePen);
  ScopedSelect brush(canvas, canvas.NullBrush());
  switch (view.mode) {
    case kTemperatureMode: DrawTemperatureChart(view, canvas); break;
    case kWeightMode: DrawWeightChart(view, canvas); break;
    case kPregnancyMode: DrawPregnancyChart(view, canvas); break;
    default: return;
  }
  DrawFirstStartHint(view, canvas);
}

void DrawTemperatureAxes(ChartView& view, Canvas& canvas) {
  DrawScreenThreeRowAxes(view, canvas);
  const double floor = view.temperatures ? ChartFloorTemperature(*view.temperatures) : 35.5;
  DrawScaleLabels(view, canvas, view.clientLeft, floor - 0.1, 0.1, 2);
}

void DrawWeightAxes(ChartView& view, Canvas& canvas) {
  DrawScreenThreeRowAxes(view, canvas);
  DrawScaleLabels(view, canvas, view.clientLeft, WeightScaleStart(view), 0.5, 1);
}

void DrawPregnancyAxes(ChartView& view, Canvas& canvas) {
  DrawHeaderAxes(view, canvas, {u"年月", u"日", u"妊娠週", u"妊娠週日"}, view.clientBottom,
                 view.sizes.captionDx, view.sizes.captionDy);
  DrawScaleLabels(view, canvas, view.clientLeft, WeightScaleStart(view), 0.5, 1);
}
