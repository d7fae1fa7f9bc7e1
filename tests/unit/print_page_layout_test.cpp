// The printed temperature-chart page: layout from the page size, fonts from the resolution,
// the upward-rounded value mapping, and one page's frame and days.
#include <gtest/gtest.h>

#include <cfenv>

#include "print_chart_view.h"
#include "support/recording_canvas.h"
#include "support/store_builder.h"

using namespace test_support;

namespace {

constexpr ColorRef kBase = 1, kGrid = 2, kGraph = 3, kString = 6, kBaseLine = 7;

struct PrintFixture {
  TemperatureStore store;
  RecordingCanvas canvas{600};
  std::unique_ptr<PrintChartView> view;

  explicit PrintFixture(const char* literal = "", int width = 6814, int height = 4760) {
    store.temperatureCalcType = 1;
    store.minTemperature = 35.4;
    if (*literal != '\0') AddTemperatures(store, literal);
    view = CreatePrintChartView(width, height, &store, 35.4,
                                ColorScheme{.BaseColor = kBase,
                                            .GraphGridColor = kGrid,
                                            .GraphColor = kGraph,
                                            .StringColor = kString,
                                            .BaseTempeLineColor = kBaseLine},
                                &canvas);
  }
  DateYmd DrawPage(DateYmd first, DateYmd end) {
    DrawPrintPageFrame(*view, canvas);
    canvas.ClearRecord();
    return DrawPrintPageData(*view, canvas, first, end);
  }
  std::vector<RecordedLine> Curve() const {
    std::vector<RecordedLine> out;
    for (const auto& l : canvas.Lines())
      if (l.pen == view->tools.graphPen) out.push_back(l);
    return out;
  }
};

bool HasLine(const RecordingCanvas& c, RecordedLine want) {
  for (const auto& l : c.Lines())
    if (l == want) return true;
  return false;
}

}  // namespace

TEST(PrintPageLayout, A4At600DpiGivesTheDocumentedGeometry) {
  PrintFixture f;
  const PrintChartView& v = *f.view;
  EXPECT_NEAR(v.pageScale, 22.67, 0.005);
  EXPECT_EQ(v.plotLeft, 453);
  EXPECT_EQ(v.plotTop, 340);
  EXPECT_EQ(v.plotRight, 6804);
  EXPECT_EQ(v.plotBottom, 4750);
  EXPECT_EQ(v.rowHeight, 200);
  EXPECT_EQ(v.dayWidth, 100);
  EXPECT_EQ(DaysPerPrintPage(v), 63);
}

TEST(PrintPageLayout, FontsAreTenAndNinePointFromTheSystemFont) {
  PrintFixture f;
  CreatePrintDrawingTools(*f.view, f.canvas);
  const RecordedTool* bold = f.canvas.Info(f.view->tools.boldFont);
  const RecordedTool* day = f.canvas.Info(f.view->tools.dayFont);
  ASSERT_TRUE(bold && day);
  EXPECT_TRUE(bold->font.fromSystemFont);
  EXPECT_EQ(bold->font.height, -83);
  EXPECT_EQ(bold->font.width, 0);
  EXPECT_EQ(bold->font.weight, 500);
  EXPECT_EQ(bold->font.face, u"MS ゴシック");
  EXPECT_TRUE(day->font.fromSystemFont);
  EXPECT_EQ(day->font.height, -75);
  EXPECT_EQ(day->font.weight, 400);
  EXPECT_EQ(f.canvas.Info(f.view->tools.gridDotPen)->pen.style, PenStyle::Dot);
  EXPECT_EQ(f.canvas.Info(f.view->tools.baseLinePen)->pen.color, kBaseLine);
  EXPECT_EQ(f.canvas.Info(f.view->tools.dotBrush)->brushColor, kGraph);
  EXPECT_EQ(f.canvas.MadeTools(), 9);
}

TEST(PrintPageLayout, ToolsAreRemadeForEveryPageAndFreedAtTheEnd) {
  PrintFixture f("2007/5/1,36.40");
  f.DrawPage(Ymd(2007, 5, 1), Ymd(2007, 6, 30));
  f.DrawPage(Ymd(2007, 7, 3), Ymd(2007, 6, 30));
  EXPECT_EQ(f.canvas.MadeTools(), 18);
  EXPECT_EQ(f.canvas.DeletedTools(), 9);
  DeletePrintDrawingTools(*f.view);
  DeletePrintDrawingTools(*f.view);
  EXPECT_EQ(f.canvas.LiveTools(), 0);
  EXPECT_EQ(f.canvas.BadSelections(), 0);
  EXPECT_TRUE(f.canvas.HoldsOriginals());
}

TEST(PrintValues, UpwardRoundingCountsOneHundredthMoreAndTheCallersModeComesBack) {
  PrintFixture f;
  ASSERT_EQ(std::fegetround(), FE_TONEAREST);
  // 36.83 over the base 35.3: 153 hundredths in upward rounding (152 in round-to-nearest).
  EXPECT_EQ(PrintValueToY(*f.view, 36.83), 4750 - 3 * 20 - 15 * 200);
  EXPECT_EQ(std::fegetround(), FE_TONEAREST);
  std::fesetround(FE_DOWNWARD);
  EXPECT_EQ(PrintValueToY(*f.view, 36.83), 4750 - 3 * 20 - 15 * 200);
  EXPECT_EQ(std::fegetround(), FE_DOWNWARD);
  std::fesetround(FE_TONEAREST);
}

TEST(PrintValues, FloorLiesOnTheLowestGridLineAndMarginsScaleWithThePage) {
  PrintFixture f;
  EXPECT_EQ(PrintValueToY(*f.view, 35.4), 4550);
  EXPECT_EQ(PrintValueToY(*f.view, 35.3), 4704);  // trunc(4750 - 2 * 22.67)
  EXPECT_EQ(PrintValueToY(*f.view, 35.0), 4704);
  EXPECT_EQ(PrintValueToY(*f.view, 42.0), 408);   // trunc(340 + 3 * 22.67)
  EXPECT_EQ(PrintValueToY(*f.view, 1e300), 408);  // no overflow on a value no record holds
  EXPECT_EQ(std::fegetround(), FE_TONEAREST);
}

TEST(PrintPageFrame, BoxesCaptionsAndScale) {
  PrintFixture f;
  DrawPrintPageFrame(*f.view, f.canvas);
  const DrawTool pen = f.view->tools.framePen;
  ASSERT_FALSE(f.canvas.Fills().empty());
  EXPECT_EQ(f.canvas.Fills()[0].rect, (DrawRect{0, 0, 6814, 4760}));
  EXPECT_TRUE(HasLine(f.canvas, {453, 0, 453, 113, pen}));     // year-month row
  EXPECT_TRUE(HasLine(f.canvas, {453, 113, 453, 226, pen}));   // day row
  EXPECT_TRUE(HasLine(f.canvas, {453, 4750, 6804, 4750, pen}));
  EXPECT_TRUE(HasLine(f.canvas, {0, 4750, 453, 4750, pen}));   // axis column
  const auto& texts = f.canvas.Texts();
  ASSERT_GE(texts.size(), 5u);
  EXPECT_EQ(texts[0].text, u"年月");
  EXPECT_EQ(texts[0].rect, (DrawRect{45, 22, 498, 135}));
  EXPECT_EQ(texts[1].text, u"日");
  EXPECT_EQ(texts[1].rect, (DrawRect{45, 135, 498, 248}));
  EXPECT_EQ(texts[2].text, u"月経周期");
  EXPECT_EQ(texts[2].rect, (DrawRect{45, 248, 498, 362}));
  EXPECT_EQ(texts[3].text, u"35.40");
  EXPECT_EQ(texts[3].rect, (DrawRect{0, 4350 + 132, 453, 4350 + 132 + 200}));
  EXPECT_EQ(texts[3].flags, dt::kRight);
  EXPECT_EQ(texts[4].text, u"35.50");
  EXPECT_TRUE(f.canvas.HoldsOriginals());
}

TEST(PrintPageData, HeaderStartsWithTheFirstDaysMonthAndLabelsTheNext) {
  PrintFixture f("2007/5/10,36.40,1");
  const DateYmd last = f.DrawPage(Ymd(2007, 5, 7), Ymd(2007, 12, 31));
  EXPECT_EQ(last, Ymd(2007, 7, 8));  // 63 columns
  std::vector<RecordedText> labels;
  for (const auto& t : f.canvas.Texts())
    if (t.flags == (dt::kEndEllipsis | dt::kSingleLine | dt::kVCenter)) labels.push_back(t);
  ASSERT_EQ(labels.size(), 3u);
  EXPECT_EQ(labels[0].text, u"2007年5月");
  // The first column's left x is the plot's left line + 1; the box starts one further right.
  // It would run 2992 wide; it ends where June begins, whose label takes the row from there.
  EXPECT_EQ(labels[0].rect, (DrawRect{455, 1, 2953, 113}));
  EXPECT_EQ(labels[1].text, u"2007年6月");  // 1 June: column 26, left line 2953
  EXPECT_EQ(labels[1].rect.left, 2954);
  EXPECT_EQ(labels[2].text, u"2007年7月");
  // Day and cycle cells are centred vertically in the day font; before the start the cell is blank.
  const unsigned cell = dt::kSingleLine | dt::kVCenter | dt::kCenter;
  std::vector<std::u16string> cycle;
  for (const auto& t : f.canvas.Texts())
    if (t.rect.top == 227) {
      EXPECT_EQ(t.flags, cell);
      EXPECT_EQ(t.font, f.view->tools.dayFont);
      cycle.push_back(t.text);
    }
  ASSERT_EQ(cycle.size(), 63u);
  EXPECT_EQ(cycle[0], u" ");
  EXPECT_EQ(cycle[2], u" ");
  EXPECT_EQ(cycle[3], u"1");
  EXPECT_EQ(cycle[4], u"2");
  // Day lines run from under the year-month row to the page's bottom edge.
  EXPECT_TRUE(HasLine(f.canvas, {553, 114, 553, 4760, f.view->tools.gridDotPen}));
  EXPECT_TRUE(f.canvas.HoldsOriginals());
}

TEST(PrintPageData, NoPointsAfterTheEndDateAndNoLineOnToTheRightEdge) {
  PrintFixture f("2007/5/1,36.40; 2007/5/3,36.50; 2007/5/20,36.60; 2007/8/1,36.70");
  f.DrawPage(Ymd(2007, 5, 1), Ymd(2007, 5, 10));
  ASSERT_EQ(f.canvas.Ellipses().size(), 2u);
  const int cx = 453 + 100 - 50, cy = PrintValueToY(*f.view, 36.40);
  EXPECT_EQ(f.canvas.Ellipses()[0].rect, (DrawRect{cx - 3, cy - 3, cx + 3, cy + 3}));
  EXPECT_EQ(f.canvas.Ellipses()[0].brush, f.view->tools.dotBrush);
  EXPECT_EQ(f.Curve().size(), 1u);  // 1-3 May only
  // Day numbers are still drawn to the page's end.
  int dayCells = 0;
  for (const auto& t : f.canvas.Texts()) dayCells += (t.rect.top == 114);
  EXPECT_EQ(dayCells, 63);
}

TEST(PrintPageData, LinesRunOffBothEdgesWhenTheNeighboursAreOffThePage) {
  PrintFixture f("2007/4/20,36.40; 2007/5/5,36.50; 2007/8/1,36.70");
  f.DrawPage(Ymd(2007, 5, 1), Ymd(2007, 12, 31));  // 1 May .. 2 July
  const auto curve = f.Curve();
  ASSERT_EQ(curve.size(), 2u);
  const TemperatureRecord* a = f.store.head();
  const TemperatureRecord* b = a->next;
  const int cx = 453 + 5 * 100 - 50, cy = PrintValueToY(*f.view, 36.50);
  EXPECT_EQ(curve[0], (RecordedLine{454, PrintEdgeCrossingY(*f.view, *a, *b, Ymd(2007, 5, 1)), cx,
                                    cy, f.view->tools.graphPen}));
  EXPECT_EQ(curve[1], (RecordedLine{6803, PrintEdgeCrossingY(*f.view, *b->next, *b, Ymd(2007, 7, 3)),
                                    cx, cy, f.view->tools.graphPen}));
}

TEST(PrintPageData, LeftEdgeLineIsDrawnEvenToAPointAfterTheEndDate) {
  PrintFixture f("2007/4/20,36.40; 2007/5/5,36.50");
  f.DrawPage(Ymd(2007, 5, 1), Ymd(2007, 5, 3));
  EXPECT_TRUE(f.canvas.Ellipses().empty());
  const auto curve = f.Curve();
  ASSERT_EQ(curve.size(), 1u);
  EXPECT_EQ(curve[0].x0, 454);
  EXPECT_EQ(curve[0].x1, 453 + 5 * 100 - 50);
}

TEST(PrintPageData, GridAndAverageComeFirst) {
  PrintFixture f("2007/5/1,36.40; 2007/5/2,36.60");
  f.DrawPage(Ymd(2007, 5, 1), Ymd(2007, 12, 31));
  const auto& lines = f.canvas.Lines();
  ASSERT_GE(lines.size(), 23u);
  // 22 grid rows (4550 .. 350), solid every fifth from the floor line, then the average line.
  for (int k = 1; k <= 22; ++k) {
    EXPECT_EQ(lines[static_cast<std::size_t>(k - 1)],
              (RecordedLine{454, 4750 - k * 200, 6804, 4750 - k * 200,
                            (k - 1) % 5 == 0 ? f.view->tools.gridPen : f.view->tools.gridDotPen}));
  }
  const int y = PrintValueToY(*f.view, 36.5);
  EXPECT_EQ(lines[22], (RecordedLine{454, y, 6804, y, f.view->tools.baseLinePen}));
}

TEST(PrintPageData, PageTooSmallForAColumnDrawsNoDaysAndReturnsTheFirstDay) {
  PrintFixture f("2007/5/1,36.40", 80, 40);  // row height 1, day width 0
  ASSERT_EQ(f.view->dayWidth, 0);
  EXPECT_EQ(f.DrawPage(Ymd(2007, 5, 1), Ymd(2007, 12, 31)), Ymd(2007, 5, 1));
  EXPECT_TRUE(f.canvas.Ellipses().empty());
  EXPECT_EQ(DaysPerPrintPage(*f.view), 0);
  EXPECT_TRUE(f.canvas.HoldsOriginals());
}

TEST(PrintPageLayout, DestroyingTheViewFreesThePagesTools) {
  PrintFixture f("2007/5/1,36.40");
  f.DrawPage(Ymd(2007, 5, 1), Ymd(2007, 6, 30));
  f.view.reset();
  EXPECT_EQ(f.canvas.LiveTools(), 0);
  EXPECT_EQ(f.canvas.DeletedTools(), 9);
}

// The scale labels and the curve use the floor the page was made with, even when the store's
// own floor differs.
TEST(PrintPageFrame, LabelsAndCurveShareTheFloorTheViewWasMadeWith) {
  PrintFixture f;
  f.store.minTemperature = 35.8;  // the store's floor now differs from the view's 35.4
  DrawPrintPageFrame(*f.view, f.canvas);
  const auto& texts = f.canvas.Texts();
  ASSERT_GE(texts.size(), 4u);
  EXPECT_EQ(texts[3].text, u"35.40");
  EXPECT_EQ(PrintValueToY(*f.view, 35.4), 4550);  // on the lowest grid line, as labelled
}
