// The chart legend: the marks of each mode drawn with the chart's own tools, each beside its
// explanation, one row under the other.
#include <gtest/gtest.h>

#include <algorithm>

#include "chart_legend.h"
#include "data_files.h"
#include "support/chart_fixture.h"
#include "support/store_builder.h"

using namespace test_support;

TEST(ChartLegend, DrawsEachModesMarksWithTheChartsToolsBesideTheirExplanations) {
  const struct {
    int mode;
    bool shiftLines;
    std::vector<std::string> symbols;  // in row order
    DrawTool ChartTools::*linePen;     // the pen of the mode's own line sample
    int dpi = 96;
    bool signs = false;  // a sign recorded: the band's rows follow, its mucus cells filled
  } cases[] = {
      {kTemperatureMode, false, {"◎", "○", "△", "■", "！", "1"}, &ChartTools::baseLinePen},
      {kTemperatureMode, true, {"◎", "○", "△", "■", "！", "1"}, &ChartTools::coverLinePen, 144},
      {kTemperatureMode, false, {"◎", "○", "△", "■", "！", "1", "＋", "♥"}, &ChartTools::baseLinePen,
       96, true},
      // With the curve's reading too, the signs' reading: P and the dashed double-check line.
      {kTemperatureMode, true, {"◎", "○", "△", "■", "！", "1", "＋", "♥", "P"},
       &ChartTools::doubleCheckPen, 96, true},
      {kWeightMode, false, {"1", "2", "3"}, &ChartTools::graphPen},
      {kPregnancyMode, false, {"★", "週"}, &ChartTools::graphPen},
  };
  for (const auto& c : cases) {
    ChartFixture f(2007, 5, 16);
    if (c.signs) ReadDataBytes("2007/5/1,2,,\r\n", f.signs);
    f.Start(c.mode);
    if (c.shiftLines) SetShiftLineStyle(*f.view, ShiftLineStyle{true});
    f.canvas.ClearRecord();
    DrawTool textFont = f.canvas.MakeFont(FontDesc{.height = 12, .face = u"MS UI Gothic"});
    const ChartView& v = *f.view;
    const DisplayScale scale{c.dpi};
    DrawChartLegend(v, f.canvas, textFont,
                    DrawRect{0, 0, scale.Px(kLegendWidth), LegendHeightOf(v, scale)}, scale);

    const std::vector<LegendRow> rows = LegendRows(c.mode, c.shiftLines, c.signs);
    EXPECT_EQ(LegendHeightOf(v, scale), LegendHeight(c.mode, c.shiftLines, scale, c.signs));
    std::vector<std::string> symbols;
    int explanations = 0;
    for (const RecordedText& t : f.canvas.Texts()) {
      if (t.font == textFont) {
        // One explanation a row, right of the samples, rows one under the other.
        EXPECT_EQ(Utf8(t.text), Utf8(rows[static_cast<std::size_t>(explanations)].text));
        EXPECT_EQ(t.rect.top, scale.Px(kLegendMargin) + explanations * scale.Px(kLegendRowHeight));
        EXPECT_GE(t.rect.left, scale.Px(kLegendMargin) + scale.Px(kLegendSampleWidth));
        ++explanations;
      } else {
        EXPECT_EQ(t.font, v.tools.boldFont);
        EXPECT_EQ(t.color, kString);
        symbols.push_back(Utf8(t.text));
      }
    }
    EXPECT_EQ(explanations, static_cast<int>(rows.size())) << c.mode;
    EXPECT_EQ(symbols, c.symbols) << c.mode;
    const auto& lines = f.canvas.Lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                            [&](const RecordedLine& l) { return l.pen == v.tools.*c.linePen; }));
    const auto& fills = f.canvas.Fills();
    EXPECT_TRUE(std::any_of(fills.begin(), fills.end(),
                            [&](const RecordedFill& r) { return r.brush == v.tools.todayBrush; }));
    EXPECT_EQ(std::count_if(fills.begin(), fills.end(),
                            [&](const RecordedFill& r) { return r.brush == v.tools.mucusBrushes[4]; }),
              c.signs ? 1 : 0);
    EXPECT_TRUE(f.canvas.HoldsOriginals());
  }
}
