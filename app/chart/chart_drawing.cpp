// The chart's drawing tools, the frame layer (boxes, captions, scale labels) and the dispatch of
// the data layer by mode.
#include "chart_drawing.h"

#include "chart_internal.h"
#include "statistics.h"

namespace {

constexpr char16_t kChartFace[] = u"MS ゴシック";
constexpr ColorRef kWhite = MakeRgb(255, 255, 255);

void Keep(ColorRef& field, ColorRef value) {
  if (value != kKeepColor) field = value;
}

// A caption in the axis column: a box over its row, the text 2 pixels right and 1 down in it.
void DrawCaption(ChartView& view, Canvas& canvas, const char16_t* text, int top, int bottom) {
  DrawBox(canvas, view.tools.framePen, 0, top, view.plotLeft, bottom);
  canvas.DrawTextIn(text, DrawRect{2, top + 1, view.plotLeft + 2, bottom + 1}, dt::kTopLeft);
}

// Right-aligned labels in the axis column, one per grid row: the lowest grid line carries
// `first` + step, each line above one step more; the bottom row and the topmost line have none.
void DrawScaleLabels(ChartView& view, Canvas& canvas, double first, double step, int digits) {
  const int r = view.rowHeight;
  if (r <= 0) return;  // no rows to label (and the loop would not advance)
  double v = first;
  int i = 1;
  for (int y = view.plotBottom - r; y > view.plotTop; y -= r) {
    if (i != 1) {
      const int top = y + (r / 3) * 2;
      canvas.DrawTextIn(DecimalText(v, digits), DrawRect{view.clientLeft, top, view.plotLeft, top + r},
                        dt::kRight);
    }
    ++i;
    v += step;
  }
}

void DrawThreeRowAxes(ChartView& view, Canvas& canvas) {
  const int P = view.plotTop, PL = view.plotLeft, PR = view.plotRight, PB = view.plotBottom;
  const int CB = view.clientBottom;
  const DrawTool pen = view.tools.framePen;
  DrawBox(canvas, pen, PL, 0, PR, P / 3);
  DrawBox(canvas, pen, PL, P / 3, PR, P / 3 * 2);
  DrawBox(canvas, pen, PL, 0, PR, P);
  DrawBox(canvas, pen, PL, PB, PR, CB);
  DrawBox(canvas, pen, 0, 0, PL, CB);
  DrawCaption(view, canvas, u"年月", 0, P / 3);
  DrawCaption(view, canvas, u"日", P / 3, P / 3 * 2);
  DrawCaption(view, canvas, u"月経周期", P / 3 * 2, P);
}

double WeightScaleStart(const ChartView& view) {
  return view.weights ? ChartFloorWeight(*view.weights) - 0.5 : -0.5;
}

}  // namespace

void SetChartColors(ChartView& view, ColorRef base, ColorRef grid, ColorRef graph,
                    ColorRef todayBack, ColorRef markBack, ColorRef string, ColorRef baseLine) {
  DeleteDrawingTools(view);
  Keep(view.colors.base, base);
  Keep(view.colors.grid, grid);
  Keep(view.colors.graph, graph);
  Keep(view.colors.todayBack, todayBack);
  Keep(view.colors.markBack, markBack);
  Keep(view.colors.string, string);
  Keep(view.colors.baseLine, baseLine);
  CreateDrawingTools(view);
}

void CreateDrawingTools(ChartView& view) {
  if (view.toolFactory == nullptr) return;
  DrawingToolFactory& f = *view.toolFactory;
  const ChartColors& c = view.colors;
  FontDesc bold;
  bold.height = 12;
  bold.width = 0;
  bold.weight = 700;
  bold.charSet = 255;
  bold.pitchAndFamily = 33;  // fixed pitch, Swiss family
  bold.face = kChartFace;
  FontDesc day = bold;
  day.width = view.dayWidth / 2 - 2;
  day.weight = 400;
  day.height = 12;
  ChartTools& t = view.tools;
  t.boldFont = f.MakeFont(bold);
  t.dayFont = f.MakeFont(day);
  t.framePen = f.MakePen(PenDesc{PenStyle::Solid, 1, c.base});
  t.gridPen = f.MakePen(PenDesc{PenStyle::Solid, 1, c.grid});
  t.gridDotPen = f.MakePen(PenDesc{PenStyle::Dot, 1, c.grid});
  t.graphPen = f.MakePen(PenDesc{PenStyle::Solid, 1, c.graph});
  t.baseLinePen = f.MakePen(PenDesc{PenStyle::Dash, 1, c.baseLine});
  t.whiteBrush = f.MakeSolidBrush(kWhite);
  t.todayBrush = f.MakeSolidBrush(c.todayBack);
  t.markBrush = f.MakeSolidBrush(c.markBack);
  t.dotBrush = f.MakeSolidBrush(c.graph);
}

void DeleteDrawingTools(ChartView& view) {
  ChartTools& t = view.tools;
  if (view.toolFactory != nullptr) {
    for (DrawTool tool : {t.boldFont, t.dayFont, t.framePen, t.gridPen, t.gridDotPen, t.graphPen,
                          t.baseLinePen, t.whiteBrush, t.todayBrush, t.markBrush, t.dotBrush}) {
      if (tool != nullptr) view.toolFactory->DeleteTool(tool);
    }
  }
  t = ChartTools{};
}

void DrawBox(Canvas& canvas, DrawTool pen, int left, int top, int right, int bottom) {
  ScopedSelect use(canvas, pen);
  canvas.MoveTo(left, top);
  canvas.LineTo(left, bottom);
  canvas.LineTo(right, bottom);
  canvas.LineTo(right, top);
  canvas.LineTo(left, top);
}

void DrawChartFrame(ChartView& view, Canvas& canvas) {
  ScopedTextColor text(canvas, view.colors.string);
  ScopedSelect font(canvas, view.tools.boldFont);
  ScopedSelect pen(canvas, view.tools.framePen);
  canvas.FillRect(DrawRect{view.clientLeft, view.clientTop, view.clientRight, view.clientBottom},
                  view.tools.whiteBrush);
  DrawBox(canvas, view.tools.framePen, view.clientLeft, view.clientTop, view.clientRight,
          view.clientBottom);
  DrawBox(canvas, view.tools.framePen, view.plotLeft, view.plotTop, view.plotRight,
          view.plotBottom);
  switch (view.mode) {
    case kTemperatureMode: DrawTemperatureAxes(view, canvas); break;
    case kWeightMode: DrawWeightAxes(view, canvas); break;
    case kPregnancyMode: DrawPregnancyAxes(view, canvas); break;
    default: break;
  }
}

void DrawChartData(ChartView& view, Canvas& canvas) {
  ScopedTextColor text(canvas, view.colors.string);
  ScopedSelect font(canvas, view.tools.boldFont);
  ScopedSelect pen(canvas, view.tools.framePen);
  ScopedSelect brush(canvas, canvas.NullBrush());
  switch (view.mode) {
    case kTemperatureMode: DrawTemperatureChart(view, canvas); break;
    case kWeightMode: DrawWeightChart(view, canvas); break;
    case kPregnancyMode: DrawPregnancyChart(view, canvas); break;
    default: break;
  }
}

void DrawTemperatureAxes(ChartView& view, Canvas& canvas) {
  DrawThreeRowAxes(view, canvas);
  const double floor =
      view.temperatures ? ChartFloorTemperature(*view.temperatures) : 35.5;
  DrawScaleLabels(view, canvas, floor - 0.1, 0.1, 2);
}

void DrawWeightAxes(ChartView& view, Canvas& canvas) {
  DrawThreeRowAxes(view, canvas);
  DrawScaleLabels(view, canvas, WeightScaleStart(view), 0.5, 1);
}

void DrawPregnancyAxes(ChartView& view, Canvas& canvas) {
  const int P = view.plotTop, PL = view.plotLeft, PR = view.plotRight, PB = view.plotBottom;
  const int CB = view.clientBottom;
  const DrawTool pen = view.tools.framePen;
  DrawBox(canvas, pen, PL, 0, PR, P / 4);
  DrawBox(canvas, pen, PL, P / 4, PR, P / 4 * 2);
  DrawBox(canvas, pen, PL, P / 4 * 2, PR, P / 4 * 3);
  DrawBox(canvas, pen, PL, 0, PR, P);
  DrawBox(canvas, pen, PL, PB, PR, CB);
  DrawBox(canvas, pen, 0, 0, PL, CB);
  DrawCaption(view, canvas, u"年月", 0, P / 4);
  DrawCaption(view, canvas, u"日", P / 4, P / 4 * 2);
  DrawCaption(view, canvas, u"妊娠週", P / 4 * 2, P / 4 * 3);
  DrawCaption(view, canvas, u"妊娠週日", P / 4 * 3, P);
  DrawScaleLabels(view, canvas, WeightScaleStart(view), 0.5, 1);
}
