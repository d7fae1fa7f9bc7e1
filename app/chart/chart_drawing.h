// Drawing the on-screen chart: its tools, the frame layer and the data layer.
//
// The frame layer (DrawChartFrame) whitens the window and draws the boxes, the left captions and
// the scale labels; it depends only on the mode, the layout and the chart floor. The data layer
// (DrawChartData) whitens the inside of the boxes and draws the header texts, backgrounds, marks,
// grid and curve of the visible days. Paint and every change draw both, frame first; a scroll
// draws the data layer alone. Every routine leaves the canvas with the tools and text colour it
// found.
#pragma once

#include "chart_view.h"
#include "draw_canvas.h"

// Deletes the tools, stores every colour of the scheme that is not kKeepColor (color_scheme.h),
// makes the tools again.
void SetChartColors(ChartView& view, const ColorScheme& colors);
// The two fonts, five pens and four brushes from the colours and the day width in force.
void CreateDrawingTools(ChartView& view);
// Deletes every tool that is not null and nulls the fields. Safe to call twice; the view's
// destructor does the same for tools still held.
void DeleteDrawingTools(ChartView& view);

void DrawChartFrame(ChartView& view, Canvas& canvas);
void DrawChartData(ChartView& view, Canvas& canvas);

// The boxes, captions and scale labels of each mode (part of the frame layer).
void DrawTemperatureAxes(ChartView& view, Canvas& canvas);
void DrawWeightAxes(ChartView& view, Canvas& canvas);
void DrawPregnancyAxes(ChartView& view, Canvas& canvas);

// The chart's line while no temperature is recorded.
inline constexpr char16_t kFirstStartHint[] =
    u"左の欄で日付を選び、今朝の基礎体温を入力して［登録］を押してください。";

// The data layer of each mode. Expect the bold font, the frame pen, the null brush and the
// string colour selected (DrawChartData does that).
void DrawTemperatureChart(ChartView& view, Canvas& canvas);
void DrawWeightChart(ChartView& view, Canvas& canvas);
void DrawPregnancyChart(ChartView& view, Canvas& canvas);
