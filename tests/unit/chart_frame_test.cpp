// The chart's drawing tools and its frame layer: boxes, captions, scale labels, and that every
// drawing routine leaves the device context as it found it.
#include <gtest/gtest.h>

#include "chart_drawing.h"
#include "support/chart_fixture.h"
#include "support/chart_queries.h"
#include "support/store_builder.h"

using namespace test_support;

namespace {

std::vector<RecordedLine> BoxLines(int l, int t, int r, int b, DrawTool pen) {
  return {{l, t, l, b, pen}, {l, b, r, b, pen}, {r, b, r, t, pen}, {r, t, l, t, pen}};
}

// Whether the recorded lines hold the box's four sides, in order, from index `from`.
bool HasBox(const RecordingCanvas& c, int l, int t, int r, int b, DrawTool pen) {
  const auto want = BoxLines(l, t, r, b, pen);
  const auto& lines = c.Lines();
  for (std::size_t i = 0; i + 4 <= lines.size(); ++i) {
    if (std::equal(want.begin(), want.end(), lines.begin() + static_cast<long>(i))) return true;
  }
  return false;
}

}  // namespace

TEST(ChartTools, ToolsAreMadeFromTheColoursAndTheDayWidth) {
  ChartFixture f(2007, 5, 20);
  f.Start(kTemperatureMode);
  const auto made = f.canvas.MadeInOrder();
  ASSERT_EQ(made.size(), 11u);
  const RecordedTool& bold = *made[0];
  EXPECT_EQ(bold.kind, RecordedTool::Kind::Font);
  EXPECT_FALSE(bold.font.fromSystemFont);
  EXPECT_EQ(bold.font.height, 12);
  EXPECT_EQ(bold.font.width, 0);
  EXPECT_EQ(bold.font.weight, 700);
  EXPECT_EQ(bold.font.charSet, 255);
  EXPECT_EQ(bold.font.pitchAndFamily, 33);
  EXPECT_EQ(bold.font.face, u"MS ゴシック");
  const RecordedTool& day = *made[1];
  EXPECT_EQ(day.font.height, 12);
  EXPECT_EQ(day.font.width, 10 / 2 - 2);
  EXPECT_EQ(day.font.weight, 400);
  EXPECT_EQ(day.font.face, u"MS ゴシック");
  const PenStyle styles[] = {PenStyle::Solid, PenStyle::Solid, PenStyle::Dot, PenStyle::Solid,
                             PenStyle::Dash};
  const ColorRef penColours[] = {kBase, kGrid, kGrid, kGraph, kBaseLine};
  for (int i = 0; i < 5; ++i) {
    const RecordedTool& pen = *made[2 + i];
    EXPECT_EQ(pen.kind, RecordedTool::Kind::Pen) << i;
    EXPECT_EQ(pen.pen.style, styles[i]) << i;
    EXPECT_EQ(pen.pen.width, 1) << i;
    EXPECT_EQ(pen.pen.color, penColours[i]) << i;
  }
  const ColorRef brushColours[] = {MakeRgb(255, 255, 255), kTodayBack, kMarkBack, kGraph};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(made[7 + i]->kind, RecordedTool::Kind::Brush) << i;
    EXPECT_EQ(made[7 + i]->brushColor, brushColours[i]) << i;
  }
  EXPECT_EQ(f.view->tools.boldFont, made[0]);
  EXPECT_EQ(f.view->tools.dotBrush, made[10]);
}

TEST(ChartTools, KeepingEveryColourStillRemakesEveryTool) {
  ChartFixture f(2007, 5, 20);
  f.Start(kTemperatureMode);
  const ChartTools before = f.view->tools;
  SetChartColors(*f.view, kKeepEveryColor);
  EXPECT_EQ(f.canvas.DeletedTools(), 11);
  EXPECT_EQ(f.canvas.MadeTools(), 22);
  EXPECT_EQ(f.canvas.LiveTools(), 11);
  EXPECT_TRUE(f.canvas.Info(before.framePen)->deleted);
  EXPECT_NE(f.view->tools.framePen, before.framePen);
  EXPECT_EQ(f.canvas.Info(f.view->tools.framePen)->pen.color, kBase);
  EXPECT_EQ(f.canvas.Info(f.view->tools.todayBrush)->brushColor, kTodayBack);
  EXPECT_EQ(f.view->colors.BaseTempeLineColor, kBaseLine);
}

TEST(ChartTools, OneNewColourChangesOnlyItsTools) {
  ChartFixture f(2007, 5, 20);
  f.Start(kTemperatureMode);
  ColorScheme grid = kKeepEveryColor;
  grid.GraphGridColor = 0x00FF00;
  SetChartColors(*f.view, grid);
  EXPECT_EQ(f.canvas.Info(f.view->tools.gridPen)->pen.color, 0x00FF00u);
  EXPECT_EQ(f.canvas.Info(f.view->tools.gridDotPen)->pen.color, 0x00FF00u);
  EXPECT_EQ(f.canvas.Info(f.view->tools.framePen)->pen.color, kBase);
  EXPECT_EQ(f.canvas.Info(f.view->tools.graphPen)->pen.color, kGraph);
}

TEST(ChartTools, DayFontKeepsItsWidthAcrossAModeChangeUntilTheColoursAreSet) {
  ChartFixture f(2007, 5, 20);
  f.Start(kTemperatureMode);  // day width 10: font width 3
  SetChartMode(*f.view, kWeightMode);  // day width 12
  EXPECT_EQ(f.view->dayWidth, 12);
  EXPECT_EQ(f.canvas.Info(f.view->tools.dayFont)->font.width, 3);
  SetChartColors(*f.view, kKeepEveryColor);
  EXPECT_EQ(f.canvas.Info(f.view->tools.dayFont)->font.width, 4);
}

TEST(ChartTools, DeletingTwiceDeletesEachToolOnce) {
  ChartFixture f(2007, 5, 20);
  f.Start(kTemperatureMode);
  DeleteDrawingTools(*f.view);
  DeleteDrawingTools(*f.view);
  EXPECT_EQ(f.canvas.DeletedTools(), 11);
  EXPECT_EQ(f.canvas.LiveTools(), 0);
  EXPECT_EQ(f.canvas.BadSelections(), 0);
  EXPECT_EQ(f.view->tools.boldFont, nullptr);
}

TEST(ChartFrame, DrawBoxIsOneClosedPathFromTheTopLeftCornerDown) {
  RecordingCanvas canvas;
  DrawTool pen = canvas.MakePen(PenDesc{});
  DrawBox(canvas, pen, 10, 20, 30, 40);
  EXPECT_EQ(canvas.Lines(), BoxLines(10, 20, 30, 40, pen));
  EXPECT_TRUE(canvas.HoldsOriginals());
}

TEST(ChartFrame, TemperatureFrameHasItsBoxesCaptionsAndScale) {
  ChartFixture f(2007, 5, 20);
  AddTemperatures(f.temperatures, "2007/5/1,36.47");  // mean 36.47: floor 35.4
  f.Start(kTemperatureMode);
  DrawChartFrame(*f.view, f.canvas);
  const DrawTool pen = f.view->tools.framePen;
  ASSERT_FALSE(f.canvas.Fills().empty());
  EXPECT_EQ(f.canvas.Fills()[0].rect, (DrawRect{0, 0, 600, 515}));
  EXPECT_EQ(f.canvas.Fills()[0].brush, f.view->tools.whiteBrush);
  EXPECT_TRUE(HasBox(f.canvas, 0, 0, 600, 515, pen));
  EXPECT_TRUE(HasBox(f.canvas, 50, 45, 600, 485, pen));
  EXPECT_TRUE(HasBox(f.canvas, 50, 0, 600, 15, pen));
  EXPECT_TRUE(HasBox(f.canvas, 50, 15, 600, 30, pen));
  EXPECT_TRUE(HasBox(f.canvas, 50, 0, 600, 45, pen));
  EXPECT_TRUE(HasBox(f.canvas, 50, 485, 600, 515, pen));
  EXPECT_TRUE(HasBox(f.canvas, 0, 0, 50, 515, pen));
  EXPECT_TRUE(HasBox(f.canvas, 0, 30, 50, 45, pen));

  const auto& texts = f.canvas.Texts();
  ASSERT_GE(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, u"年月");
  EXPECT_EQ(texts[0].rect, (DrawRect{2, 1, 52, 16}));
  EXPECT_EQ(texts[0].flags, 0u);
  EXPECT_EQ(texts[0].font, f.view->tools.boldFont);
  EXPECT_EQ(texts[0].color, kString);
  EXPECT_EQ(texts[1].text, u"日");
  EXPECT_EQ(texts[1].rect, (DrawRect{2, 16, 52, 31}));
  EXPECT_EQ(texts[2].text, u"月経周期");
  EXPECT_EQ(texts[2].rect, (DrawRect{2, 31, 52, 46}));

  // Grid lines at 465 (the floor), 445, ... 65; the label of a line sits in the box from
  // (row / 3) * 2 below the line above it. The bottom edge and the topmost line have none.
  std::vector<RecordedText> labels(texts.begin() + 3, texts.end());
  ASSERT_EQ(labels.size(), 20u);
  EXPECT_EQ(labels[0].text, u"35.40");
  EXPECT_EQ(labels[0].rect, (DrawRect{0, 445 + 12, 50, 445 + 12 + 20}));
  EXPECT_EQ(labels[0].flags, dt::kRight);
  EXPECT_EQ(labels[1].text, u"35.50");
  EXPECT_EQ(labels[1].rect, (DrawRect{0, 425 + 12, 50, 425 + 12 + 20}));
  EXPECT_EQ(labels[19].text, u"37.30");
  EXPECT_EQ(labels[19].rect, (DrawRect{0, 65 + 12, 50, 65 + 12 + 20}));
  EXPECT_TRUE(f.canvas.HoldsOriginals());
}

TEST(ChartFrame, PregnancyFrameHasFourHeaderRowsAndAWeightScale) {
  ChartFixture f(2007, 5, 20);
  f.weights.weightCalcType = 1;
  f.weights.minWeight = 50.0;
  f.Start(kPregnancyMode);  // plot top 60: rows of 15
  DrawChartFrame(*f.view, f.canvas);
  const DrawTool pen = f.view->tools.framePen;
  EXPECT_TRUE(HasBox(f.canvas, 50, 0, 600, 15, pen));
  EXPECT_TRUE(HasBox(f.canvas, 50, 15, 600, 30, pen));
  EXPECT_TRUE(HasBox(f.canvas, 50, 30, 600, 45, pen));
  EXPECT_TRUE(HasBox(f.canvas, 50, 0, 600, 60, pen));
  EXPECT_TRUE(HasBox(f.canvas, 50, 485, 600, 515, pen));
  const auto& texts = f.canvas.Texts();
  ASSERT_GE(texts.size(), 5u);
  EXPECT_EQ(texts[2].text, u"妊娠週");
  EXPECT_EQ(texts[2].rect, (DrawRect{2, 31, 52, 46}));
  EXPECT_EQ(texts[3].text, u"妊娠週日");
  EXPECT_EQ(texts[3].rect, (DrawRect{2, 46, 52, 61}));
  // Row 19: lines at 466, 447, ...; the floor 50.0 labels the lowest.
  EXPECT_EQ(texts[4].text, u"50.0");
  EXPECT_EQ(texts[4].rect, (DrawRect{0, 447 + 12, 50, 447 + 12 + 19}));
  EXPECT_EQ(texts[5].text, u"50.5");
}

TEST(ChartFrame, EveryRoutineLeavesTheToolsItFound) {
  for (int mode : {1, 2, 3, 9}) {
    ChartFixture f(2007, 5, 16);
    AddTemperatures(f.temperatures,
                    "2007/4/28,36.30; 2007/4/30,36.20,1; 2007/5/1,36.25; 2007/5/16,36.70");
    AddWeights(f.weights, "2007/4/29,52.0; 2007/5/16,52.4");
    f.Start(kTemperatureMode);
    SetChartMode(*f.view, mode);
    f.ScrollTo(0);
    DrawChartFrame(*f.view, f.canvas);
    EXPECT_TRUE(f.canvas.HoldsOriginals()) << "frame, mode " << mode;
    DrawChartData(*f.view, f.canvas);
    EXPECT_TRUE(f.canvas.HoldsOriginals()) << "data, mode " << mode;
    EXPECT_EQ(f.canvas.BadSelections(), 0) << mode;
    if (mode != 9) {
      EXPECT_FALSE(f.canvas.Texts().empty()) << mode;
    }
  }
}

TEST(ChartFrame, TooSmallAPlotDrawsNoRowsOrColumnsAndReturns) {
  for (int mode : {kTemperatureMode, kWeightMode, kPregnancyMode}) {
    ChartFixture f(2007, 5, 16);
    AddTemperatures(f.temperatures, "2007/5/1,36.30,1; 2007/5/16,36.70");
    f.Start(mode, 600, 70);  // row height 0 (day width 0)
    ASSERT_LE(f.view->rowHeight, 0) << mode;
    DrawChartFrame(*f.view, f.canvas);
    DrawChartData(*f.view, f.canvas);
    EXPECT_TRUE(f.canvas.HoldsOriginals());
    EXPECT_TRUE(f.canvas.Ellipses().empty());
    ChartFixture g(2007, 5, 16);
    g.Start(mode, 600, 100);  // row height 1, day width 0
    ASSERT_EQ(g.view->dayWidth, 0) << mode;
    DrawChartData(*g.view, g.canvas);
    EXPECT_TRUE(g.canvas.HoldsOriginals());
  }
}

// A view frees the tools it still holds when it goes; after DeleteDrawingTools it frees nothing
// twice.
TEST(ChartTools, DestroyingTheViewFreesTheToolsItStillHolds) {
  for (bool deleteFirst : {false, true}) {
    ChartFixture f(2007, 5, 20);
    f.Start(kTemperatureMode);
    if (deleteFirst) DeleteDrawingTools(*f.view);
    f.view.reset();
    EXPECT_EQ(f.canvas.LiveTools(), 0) << deleteFirst;
    EXPECT_EQ(f.canvas.DeletedTools(), 11) << deleteFirst;
  }
}
