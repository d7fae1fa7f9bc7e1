// Readable queries over a recorded chart render.
#pragma once

#include <string>
#include <vector>

#include "chart_view.h"
#include "dates.h"
#include "support/recording_canvas.h"
#include "support/store_builder.h"

namespace test_support {

// Column k (1-based) of the view's day columns, and its rectangles as the renderers use them.
inline int ColumnLeft(const ChartView& v, int k) {
  return k == 1 ? v.plotLeft + 1 : v.plotLeft + (k - 1) * v.dayWidth;
}
inline int ColumnRight(const ChartView& v, int k) { return v.plotLeft + k * v.dayWidth; }
// A header number's cell of column k between the rows' `top` and `bottom`.
inline DrawRect HeaderCell(const ChartView& v, int k, int top, int bottom) {
  return DrawRect{ColumnRight(v, k) - v.dayWidth + 1, top, ColumnRight(v, k) + 1, bottom};
}
inline DrawRect ColumnFill(const ChartView& v, int k) {
  const int x0 = ColumnLeft(v, k);
  if (k == 1) return DrawRect{x0, v.plotTop + 1, x0 + v.dayWidth - 1, v.plotBottom};
  return DrawRect{x0 + 1, v.plotTop + 1, x0 + 1 + v.dayWidth, v.plotBottom};
}
inline DrawRect StripBox(const ChartView& v, int k) {
  const int x0 = ColumnLeft(v, k);
  return DrawRect{x0 + 1, v.plotBottom + 1, x0 + 1 + v.dayWidth, StripBottom(v)};
}
// The column showing date (1 for the first visible day).
inline int ColumnOf(const ChartView& v, const DateYmd& date) {
  return quillet::SubDay(ToTm(date), FirstVisibleDate(v)) + 1;
}

inline std::vector<RecordedText> TextsIn(const RecordingCanvas& c, const DrawRect& rect) {
  std::vector<RecordedText> out;
  for (const RecordedText& t : c.Texts()) {
    if (t.rect == rect) out.push_back(t);
  }
  return out;
}

// The texts drawn into the mark strip, as "column:text" in drawing order.
inline std::vector<std::string> StripTexts(const RecordingCanvas& c, const ChartView& v) {
  std::vector<std::string> out;
  for (int k = 1; k <= VisibleDayCount(v); ++k) {
    for (const RecordedText& t : TextsIn(c, StripBox(v, k))) {
      out.push_back(std::to_string(k) + ":" + Utf8(t.text));
    }
  }
  return out;
}

inline std::vector<RecordedFill> FillsWith(const RecordingCanvas& c, DrawTool brush) {
  std::vector<RecordedFill> out;
  for (const RecordedFill& f : c.Fills()) {
    if (f.brush == brush) out.push_back(f);
  }
  return out;
}

inline std::vector<RecordedLine> LinesWith(const RecordingCanvas& c, DrawTool pen) {
  std::vector<RecordedLine> out;
  for (const RecordedLine& l : c.Lines()) {
    if (l.pen == pen) out.push_back(l);
  }
  return out;
}

// Position in drawing order of the first op matching pred, or -1.
template <typename Pred>
int FirstOpIndex(const RecordingCanvas& c, Pred pred) {
  for (std::size_t i = 0; i < c.Ops().size(); ++i) {
    if (pred(c.Ops()[i])) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace test_support
