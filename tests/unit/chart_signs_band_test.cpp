// The band of the signs under the temperature chart and the printed page: laid out only while a
// sign is recorded and only in temperature mode, a cell per recorded sign in its row, and with
// the reading of the curve shown the mucus peaks and the double-check days.
#include <gtest/gtest.h>

#include "chart_drawing.h"
#include "data_files.h"
#include "day_tip.h"
#include "print_chart_view.h"
#include "signs_band.h"
#include "support/chart_fixture.h"
#include "support/chart_queries.h"

using namespace test_support;

namespace {

// 2 May: mucus 4, test 2, intercourse; 3 May: mucus 0; 4 May: test 1; today 10 May.
constexpr char kSigns[] = "2007/5/2,4,2,1\r\n2007/5/3,0,,\r\n2007/5/4,,1,\r\n";

// The band's row r (0-2) inside its lines over column k, as the cells are filled.
DrawRect CellOf(const ChartView& v, int k, int row) {
  const DrawRect column = ColumnFill(v, k);
  return DrawRect{column.left, v.bandTop + row * v.bandRowHeight + 1, column.right,
                  row == kSignRows - 1 ? v.clientBottom : v.bandTop + (row + 1) * v.bandRowHeight};
}

}  // namespace

TEST(SignsBand, TakesItsRowsFromThePlotOnlyWithASignInTemperatureMode) {
  ChartFixture f(2007, 5, 10);
  f.Start(kTemperatureMode);
  const int plainBottom = f.view->plotBottom;
  EXPECT_FALSE(f.view->signsBand);
  EXPECT_EQ(StripBottom(*f.view), f.view->clientBottom);

  ReadDataBytes(kSigns, f.signs);
  ASSERT_TRUE(SyncSignsBand(*f.view));
  EXPECT_FALSE(SyncSignsBand(*f.view));  // nothing changed since
  EXPECT_EQ(f.view->plotBottom, plainBottom - 3 * 14);
  EXPECT_EQ(f.view->bandTop, f.view->plotBottom + 30);  // under the mark strip
  EXPECT_NE(f.view->tools.mucusBrushes[4], nullptr);
  EXPECT_EQ(f.view->dayWidth, (f.view->plotBottom - f.view->plotTop) / 22 / 2);

  SetChartMode(*f.view, kWeightMode);  // no band in the other modes
  EXPECT_FALSE(f.view->signsBand);
  EXPECT_EQ(f.view->tools.mucusBrushes[4], nullptr);
  SetChartMode(*f.view, kTemperatureMode);
  EXPECT_EQ(f.view->plotBottom, plainBottom - 3 * 14);

  f.signs.records.Clear();  // the last sign removed: the chart as before
  ASSERT_TRUE(SyncSignsBand(*f.view));
  EXPECT_EQ(f.view->plotBottom, plainBottom);
  EXPECT_EQ(f.view->tools.mucusBrushes[0], nullptr);
}

TEST(SignsBand, EachRecordedSignHasItsCellAndNothingElseIsDrawnThere) {
  ChartFixture f(2007, 5, 10);
  AddTemperatures(f.temperatures, "2007/5/1,36.40,1");  // the timeline starts on 1 May
  ReadDataBytes(kSigns, f.signs);
  f.Start(kTemperatureMode);
  f.ScrollTo(9);  // 10 May is the first column: nothing of the signs is visible
  f.Draw();
  EXPECT_TRUE(FillsWith(f.canvas, f.view->tools.mucusBrushes[4]).empty());
  f.ScrollTo(1);  // 2 May in column 1
  f.Draw();
  const ChartView& v = *f.view;
  const auto fill = [&](int level) {
    std::vector<DrawRect> rects;
    for (const RecordedFill& r : FillsWith(f.canvas, v.tools.mucusBrushes[level]))
      rects.push_back(r.rect);
    return rects;
  };
  EXPECT_EQ(fill(4), std::vector<DrawRect>{CellOf(v, 1, 0)});
  EXPECT_EQ(fill(0), std::vector<DrawRect>{CellOf(v, 2, 0)});
  for (int level : {1, 2, 3}) EXPECT_TRUE(fill(level).empty()) << level;
  const auto text = [&](int k, int row) {
    const auto texts = TextsIn(f.canvas, CellOf(v, k, row));
    if (texts.size() != 1) return std::to_string(texts.size()) + " texts";
    return Utf8(texts[0].text) + (texts[0].font == v.tools.signNarrowFont ? "/narrow" : "");
  };
  EXPECT_EQ(text(1, 1), "＋＋/narrow");
  EXPECT_EQ(text(1, 2), "♥");
  EXPECT_EQ(text(2, 1), "0 texts");
  EXPECT_EQ(text(3, 1), "＋");
  EXPECT_EQ(text(3, 2), "0 texts");
  EXPECT_TRUE(f.canvas.HoldsOriginals());
}

TEST(SignsBand, PrintedPageHasTheBandUnderThePlotUpToTheEndDate) {
  TemperatureStore store;
  SignStore signs;
  RecordingCanvas canvas{300};
  auto plain = CreatePrintChartView(3508, 2479, &store, 35.4, ColorScheme{}, &canvas, &signs);
  EXPECT_EQ(plain->plotBottom, 2479 - 10);
  ReadDataBytes(kSigns, signs);
  auto view = CreatePrintChartView(3508, 2479, &store, 35.4, ColorScheme{}, &canvas, &signs);
  const int row = static_cast<int>(5.0L * 2479 / 210);  // 5 mm
  EXPECT_EQ(view->plotBottom, 2479 - 10 - 3 * row);
  DrawPrintPageFrame(*view, canvas);
  canvas.ClearRecord();
  DrawPrintPageData(*view, canvas, Ymd(2007, 5, 1), Ymd(2007, 5, 3));
  const int w = view->dayWidth, left = view->plotLeft;
  // 2 and 3 May (columns 2 and 3) have their mucus cells; 4 May lies after the end date.
  std::vector<std::pair<int, int>> cells;
  for (const RecordedFill& r : canvas.Fills())
    for (int level = 0; level < kMucusLevelCount; ++level)
      if (r.brush == view->tools.mucusBrushes[level]) cells.emplace_back(r.rect.left, level);
  EXPECT_EQ(cells, (std::vector<std::pair<int, int>>{{left + w + 1, 4}, {left + 2 * w + 1, 0}}));
  int tests = 0;
  for (const RecordedText& t : canvas.Texts()) tests += t.text == u"＋" || t.text == u"＋＋";
  EXPECT_EQ(tests, 1);
}

// Two cycles with their shifts (confirmed 9 April and 7 May) and mucus peaks: 7 April at level 4
// (third lower day 10 April, after the confirmation) and 4 May at level 2 (third lower day 7 May,
// the confirmation day). Today is 10 May.
TEST(SignsBand, ReadingShownMarksTheMucusPeaksAndTheDoubleCheckDays) {
  constexpr ColorRef kCover = 0x000009, kWhite = 0xFFFFFF;
  ChartFixture f(2007, 5, 10);
  AddTemperatures(f.temperatures,
                  "2007/4/1,36.30,1; 2007/4/2,36.35; 2007/4/3,36.20; 2007/4/4,36.40;"
                  "2007/4/5,36.30; 2007/4/6,36.25; 2007/4/7,36.50; 2007/4/8,36.55; 2007/4/9,36.60;"
                  "2007/4/29,36.40,1; 2007/4/30,36.45; 2007/5/1,36.30; 2007/5/2,36.50;"
                  "2007/5/3,36.40; 2007/5/4,36.35; 2007/5/5,36.60; 2007/5/6,36.65; 2007/5/7,36.70");
  ReadDataBytes("2007/4/6,3,,\r\n2007/4/7,4,,\r\n2007/4/8,3,,\r\n2007/4/9,1,,\r\n2007/4/10,0,,\r\n"
                "2007/5/3,1,,\r\n2007/5/4,2,,\r\n2007/5/5,1,,\r\n2007/5/6,1,,\r\n2007/5/7,0,,\r\n",
                f.signs);
  f.Start(kTemperatureMode);
  SetShiftLineStyle(*f.view, ShiftLineStyle{true, kCover});
  f.ScrollTo(0);
  f.Draw();
  const ChartView& v = *f.view;
  // The P texts, each over its cell without a background box.
  const auto peaks = [&](const RecordingCanvas& canvas) {
    std::vector<std::pair<DrawRect, ColorRef>> out;
    for (const RecordedText& t : canvas.Texts())
      if (t.text == u"P" && (t.flags & dt::kNoBackground) != 0) out.emplace_back(t.rect, t.color);
    return out;
  };
  const auto column = [&](int month, int day) { return ColumnOf(v, Ymd(2007, month, day)); };
  EXPECT_EQ(peaks(f.canvas), (std::vector<std::pair<DrawRect, ColorRef>>{
                                 {CellOf(v, column(4, 7), 0), kWhite},
                                 {CellOf(v, column(5, 4), 0), kString}}));
  const DrawTool dashed = v.tools.doubleCheckPen;
  ASSERT_NE(dashed, nullptr);
  EXPECT_EQ(f.canvas.Info(dashed)->pen.style, PenStyle::Dash);
  EXPECT_EQ(f.canvas.Info(dashed)->pen.color, kCover);
  std::vector<RecordedLine> lines;
  for (const int k : {column(4, 10), column(5, 7)}) {
    const int x = v.plotLeft + k * v.dayWidth - v.dayWidth / 2;
    lines.push_back({x, v.plotTop + 1, x, v.plotBottom, dashed});
  }
  EXPECT_EQ(LinesWith(f.canvas, dashed), lines);
  EXPECT_TRUE(f.canvas.HoldsOriginals());
  const auto tip = [&](int month, int day) {
    return Utf8(DayTipText(DayTipLines(v, nullptr, Ymd(2007, month, day), u"")));
  };
  EXPECT_TRUE(tip(4, 7).ends_with("\r\n粘液の頂点"));
  EXPECT_TRUE(tip(4, 10).ends_with("\r\n排卵の確認（体温と粘液）"));
  EXPECT_EQ(tip(4, 8).find("粘液の頂点"), std::string::npos);

  // Switched off: no pen, no P, no words in the tip.
  SetShiftLineStyle(*f.view, ShiftLineStyle{false, kCover});
  f.Draw();
  EXPECT_EQ(v.tools.doubleCheckPen, nullptr);
  EXPECT_TRUE(peaks(f.canvas).empty());
  EXPECT_FALSE(tip(4, 7).ends_with("粘液の頂点"));

  // The printed page up to 5 May: both peaks, the line of 10 April only.
  RecordingCanvas canvas{300};
  auto page = CreatePrintChartView(3508, 2479, &f.temperatures, 35.4, ColorScheme{}, &canvas,
                                   &f.signs);
  page->shiftLines = ShiftLineStyle{true, kCover};
  page->today = Ymd(2007, 5, 10);
  DrawPrintPageFrame(*page, canvas);
  DrawPrintPageData(*page, canvas, Ymd(2007, 4, 1), Ymd(2007, 5, 5));
  EXPECT_EQ(peaks(canvas).size(), 2u);
  const int x = page->plotLeft + 10 * page->dayWidth - page->dayWidth / 2;  // 10 April
  EXPECT_EQ(LinesWith(canvas, page->tools.doubleCheckPen),
            (std::vector<RecordedLine>{{x, page->plotTop + 1, x, page->plotBottom,
                                        page->tools.doubleCheckPen}}));
}
