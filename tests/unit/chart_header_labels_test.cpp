// The calendar header never draws one label over another: over a year of scroll positions, in
// every mode, at several display scales and chart sizes, and on a year of printed pages, no two
// year-month labels and no two numbers of a header row share a pixel, every month that starts in
// view keeps its label, and a label that ends before the plot's edge holds its whole text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart_columns.h"
#include "print_chart_view.h"
#include "support/chart_fixture.h"
#include "support/chart_queries.h"
#include "support/store_builder.h"

using namespace test_support;

namespace {

bool Overlap(const DrawRect& a, const DrawRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// A period start every 28 days through 2026, then none for 130 days: the cycle row holds one-,
// two- and three-digit numbers.
void AddYear(TemperatureStore& store) {
  std::string literal;
  for (int day = 0; day < 365; day += 7) {
    int y = 2026, m = 1, d = 1;
    const std::tm t = quillet::AddYmd(ToTm(DateYmd{y, m, d}), 0, 0, day);
    const DateYmd date = FromTm(t);
    literal += std::to_string(date.year) + "/" + std::to_string(date.month) + "/" +
               std::to_string(date.day) + ",36.50," + (day % 28 == 0 && day < 235 ? "1" : "0") + ";";
  }
  AddTemperatures(store, literal.c_str());
}

// The header's texts drawn between two row lines, by the top of their boxes.
std::vector<RecordedText> RowTexts(const RecordingCanvas& canvas, int top) {
  std::vector<RecordedText> row;
  for (const RecordedText& t : canvas.Texts())
    if (t.rect.top == top) row.push_back(t);
  return row;
}

void ExpectApart(const std::vector<RecordedText>& row, const std::string& where) {
  for (std::size_t i = 0; i < row.size(); ++i)
    for (std::size_t j = i + 1; j < row.size(); ++j)
      ASSERT_FALSE(Overlap(row[i].rect, row[j].rect))
          << where << ": " << Utf8(row[i].text) << " and " << Utf8(row[j].text);
}

// The year-month labels: apart, whole unless the plot's edge cuts them, and one at every
// month's first column in view.
void ExpectLabels(const RecordingCanvas& canvas, const ChartPlot& v, const std::tm& firstVisible,
                  int inset, const std::string& where) {
  const std::vector<RecordedText> labels = RowTexts(canvas, 1);
  ExpectApart(labels, where);
  for (const RecordedText& label : labels) {
    if (label.rect.right < v.plotRight)
      ASSERT_LE(canvas.TextWidthIn(label.font, label.text), label.rect.right - label.rect.left)
          << where << ": " << Utf8(label.text);
  }
  ForEachVisibleColumn(v, firstVisible, [&](const DayColumn& c) {
    if (c.index == 1 || c.date.day != 1) return;
    bool found = false;
    for (const RecordedText& label : labels) found = found || label.rect.left == c.left + inset;
    EXPECT_TRUE(found) << where << ": no label for " << c.date.year << "/" << c.date.month;
  });
}

}  // namespace

TEST(HeaderLabels, NeverOverlapOnScreenAtAnyScrollPositionScaleOrMode) {
  const struct {
    int dpi, width, height;
  } screens[] = {{96, 600, 516}, {96, 297, 270}, {120, 900, 700}, {144, 1100, 900}, {192, 1400, 1000}};
  for (const auto& s : screens) {
    for (const int mode : {kTemperatureMode, kWeightMode, kPregnancyMode}) {
      ChartFixture f(2026, 12, 31);
      AddYear(f.temperatures);
      AddWeights(f.weights, "2026/1/1,52.0; 2026/6/1,53.0");
      const DisplayScale scale{s.dpi};
      f.Start(mode, s.width, s.height, ScreenChartSizesFor(scale));
      const ChartView& v = *f.view;
      const int rows = mode == kPregnancyMode ? 4 : 3;
      for (int position = 0; position <= 365; ++position) {
        f.ScrollTo(position);
        f.Draw();
        const std::string where = std::to_string(s.dpi) + " DPI " + std::to_string(s.width) + "x" +
                                  std::to_string(s.height) + " mode " + std::to_string(mode) +
                                  " position " + std::to_string(position);
        ExpectLabels(f.canvas, v, FirstVisibleDate(v), v.sizes.labelInset, where);
        for (int row = 1; row < rows; ++row) ExpectApart(RowTexts(f.canvas, v.plotTop / rows * row + 1), where);
        if (HasFatalFailure()) return;
      }
    }
  }
}

TEST(HeaderLabels, NeverOverlapOnAYearOfPrintedPages) {
  TemperatureStore store;
  AddYear(store);
  RecordingCanvas canvas{600};
  auto view = CreatePrintChartView(6814, 4760, &store, 35.4, ColorScheme{}, &canvas);
  for (int day = 0; day < 365; ++day) {
    const DateYmd first = FromTm(quillet::AddYmd(ToTm(DateYmd{2026, 1, 1}), 0, 0, day));
    canvas.ClearRecord();
    DrawPrintPageData(*view, canvas, first, DateYmd{2027, 12, 31});
    const std::string where = "page from day " + std::to_string(day);
    ExpectLabels(canvas, *view, ToTm(first), 1, where);
    for (int row = 1; row < 3; ++row) ExpectApart(RowTexts(canvas, view->plotTop / 3 * row + 1), where);
    if (HasFatalFailure()) return;
  }
}

// Before the first temperature the plot carries one centred line of what to do, over everything
// else of the data layer, in every mode; the first record takes it away.
TEST(FirstStartHint, ShowsUntilTheFirstTemperatureIsRecorded) {
  for (const int mode : {kTemperatureMode, kWeightMode, kPregnancyMode}) {
    for (const bool recorded : {false, true}) {
      SCOPED_TRACE(std::to_string(mode) + (recorded ? " recorded" : " empty"));
      ChartFixture f(2007, 5, 16);
      if (recorded) AddTemperatures(f.temperatures, "2007/5/16,36.50");
      f.Start(mode);
      f.Draw();
      const ChartView& v = *f.view;
      const auto hint =
          TextsIn(f.canvas, DrawRect{v.plotLeft + 1, v.plotTop + 1, v.plotRight, v.plotBottom});
      ASSERT_EQ(hint.size(), recorded ? 0u : 1u);
      if (recorded) continue;
      EXPECT_EQ(hint[0].text, kFirstStartHint);
      EXPECT_EQ(hint[0].flags, dt::kSingleLine | dt::kCenter | dt::kVCenter | dt::kEndEllipsis);
      EXPECT_EQ(hint[0].font, v.tools.boldFont);
      EXPECT_EQ(f.canvas.Ops().back().kind, 'T');
    }
  }
  // Paper is for records: an empty store's printed page has no such line.
  TemperatureStore empty;
  RecordingCanvas canvas{600};
  auto page = CreatePrintChartView(6814, 4760, &empty, 35.4, ColorScheme{}, &canvas);
  DrawPrintPageData(*page, canvas, DateYmd{2007, 5, 1}, DateYmd{2007, 6, 30});
  for (const RecordedText& t : canvas.Texts()) EXPECT_NE(t.text, kFirstStartHint);
  EXPECT_FALSE(canvas.Texts().empty());
}
