#include "chart_legend.h"

#include "chart_marks.h"
#include "signs_band.h"

namespace {

const std::vector<LegendRow> kTemperatureRows = {
    {LegendSample::Curve, nullptr, u"基礎体温の記録: 点が記録した日、線は記録どうしを結んだもの"},
    {LegendSample::AverageLine, nullptr, u"平均体温: これまでに記録した基礎体温の平均"},
    {LegendSample::GridLines, nullptr, u"目盛り: 横の実線は0.5℃ごと、点線は0.1℃ごと。縦の実線は土曜日の区切り"},
    {LegendSample::TodayColumn, nullptr, u"今日"},
    {LegendSample::MarkedDay, u"◎", kOvulationMeaning},
    {LegendSample::MarkedDay, u"○", u"排卵予定日の前後(妊娠しやすい時期): 3日前から翌日まで"},
    {LegendSample::MarkedDay, u"△", u"排卵予定日の前後(妊娠しやすい時期): 5日前と4日前、2日後と3日後"},
    {LegendSample::MarkedDay, u"■", kNextPeriodMeaning},
    {LegendSample::MarkedDay, u"！", u"妊娠の可能性があります: 排卵予定日から20日以上、高い体温が続いています"},
    {LegendSample::Symbol, u"1", u"月経周期の段: 月経開始日を1日目として数えた日数"},
};

const LegendRow kCoverLineRow = {
    LegendSample::CoverLine, nullptr,
    u"カバーライン: 高温期に入る前の6日間で最も高い体温。縦の線は高温期の1日目"};

// Under the strip, as the band's rows are.
const std::vector<LegendRow> kSignsBandRows = {
    {LegendSample::MucusCells, nullptr,
     u"おりもの: 左から乾いている・何も感じない・湿っている・白っぽく粘る・透明でよく伸びる"},
    {LegendSample::Symbol, u"＋", u"排卵検査薬: − 陰性、＋ 陽性、＋＋ 強陽性"},
    {LegendSample::Symbol, kIntercourseSymbol, u"性交あり"},
};

// The reading of the signs, shown while both the band and the curve's reading are.
const std::vector<LegendRow> kSignReadingRows = {
    {LegendSample::Symbol, u"P", u"粘液の頂点: いちばん良いおりものの最後の日 (そのあと3回続けて下がった)"},
    {LegendSample::DoubleCheckLine, nullptr, u"排卵の確認: 体温と粘液の両方で排卵が確かめられた日"},
};

const std::vector<LegendRow> kWeightRows = {
    {LegendSample::Curve, nullptr, u"体重の記録: 点が記録した日、線は記録どうしを結んだもの"},
    {LegendSample::GridLines, nullptr, u"目盛り: 横の実線は5kgごと、点線は0.5kgごと。縦の実線は土曜日の区切り"},
    {LegendSample::TodayColumn, nullptr, u"今日"},
    {LegendSample::Symbol, u"1", kPhaseOneMeaning},
    {LegendSample::Symbol, u"2", kPhaseTwoMeaning},
    {LegendSample::Symbol, u"3", kPhaseThreeMeaning},
};

const std::vector<LegendRow> kPregnancyRows = {
    {LegendSample::Curve, nullptr, u"体重の記録: 点が記録した日、線は記録どうしを結んだもの"},
    {LegendSample::GridLines, nullptr, u"目盛り: 横の実線は5kgごと、点線は0.5kgごと。縦の実線は土曜日の区切り"},
    {LegendSample::TodayColumn, nullptr, u"今日"},
    {LegendSample::MarkedDay, u"★", u"出産予定日: 最終月経の開始日から(平均周期 + 252)日目"},
    {LegendSample::Symbol, u"週", u"妊娠週・妊娠週日の段: 最終月経の開始日から数えた週数と日数"},
};

void DrawSample(const ChartView& v, Canvas& canvas, const LegendRow& row, const DrawRect& box,
                const DisplayScale& s) {
  const int midY = (box.top + box.bottom) / 2;
  const DrawRect column{box.left + s.Px(4), box.top, box.left + s.Px(16), box.bottom};
  const DrawRect symbolBox{box.left + s.Px(20), box.top, box.right, box.bottom};
  switch (row.sample) {
    case LegendSample::Curve: {
      const int x0 = box.left + s.Px(6), y0 = box.bottom - s.Px(5), x1 = box.right - s.Px(6),
                y1 = box.top + s.Px(5), r = s.Px(2);
      DrawLine(canvas, v.tools.graphPen, x0, y0, x1, y1);
      ScopedSelect pen(canvas, v.tools.graphPen);
      ScopedSelect brush(canvas, v.tools.dotBrush);
      canvas.Ellipse(x0 - r, y0 - r, x0 + r, y0 + r);
      canvas.Ellipse(x1 - r, y1 - r, x1 + r, y1 + r);
      break;
    }
    case LegendSample::AverageLine:
      DrawLine(canvas, v.tools.baseLinePen, box.left, midY, box.right, midY);
      break;
    case LegendSample::GridLines:
      DrawLine(canvas, v.tools.gridPen, box.left, box.top + s.Px(4), box.right, box.top + s.Px(4));
      DrawLine(canvas, v.tools.gridDotPen, box.left, box.bottom - s.Px(4), box.right,
               box.bottom - s.Px(4));
      DrawLine(canvas, v.tools.gridPen, (box.left + box.right) / 2, box.top,
               (box.left + box.right) / 2, box.bottom);
      break;
    case LegendSample::TodayColumn:
      canvas.FillRect(column, v.tools.todayBrush);
      break;
    case LegendSample::MarkedDay:
      canvas.FillRect(column, v.tools.markBrush);
      canvas.DrawTextIn(row.symbol, symbolBox, dt::kSingleLine | dt::kVCenter);
      break;
    case LegendSample::Symbol:
      canvas.DrawTextIn(row.symbol, symbolBox, dt::kSingleLine | dt::kVCenter);
      break;
    case LegendSample::CoverLine: {
      const int x = box.left + (box.right - box.left) / 3;
      DrawLine(canvas, v.tools.coverLinePen, box.left, midY, box.right, midY);
      DrawLine(canvas, v.tools.coverLinePen, x, box.top, x, box.bottom);
      break;
    }
    case LegendSample::DoubleCheckLine: {
      const int x = box.left + (box.right - box.left) / 3;
      DrawLine(canvas, v.tools.doubleCheckPen, x, box.top, x, box.bottom);
      break;
    }
    case LegendSample::MucusCells: {
      const int width = box.right - box.left;
      for (int level = 0; level < kMucusLevelCount; ++level) {
        if (v.tools.mucusBrushes[level] == nullptr) continue;
        canvas.FillRect(DrawRect{box.left + width * level / kMucusLevelCount, box.top,
                                 box.left + width * (level + 1) / kMucusLevelCount, box.bottom},
                        v.tools.mucusBrushes[level]);
      }
      break;
    }
  }
}

}  // namespace

std::vector<LegendRow> LegendRows(int mode, bool shiftLines, bool signsBand) {
  switch (mode) {
    case kTemperatureMode: {
      std::vector<LegendRow> rows = kTemperatureRows;
      // Beside the average line, the other horizontal line of the plot.
      if (shiftLines) rows.insert(rows.begin() + 2, kCoverLineRow);
      if (signsBand) rows.insert(rows.end(), kSignsBandRows.begin(), kSignsBandRows.end());
      if (signsBand && shiftLines)
        rows.insert(rows.end(), kSignReadingRows.begin(), kSignReadingRows.end());
      return rows;
    }
    case kWeightMode: return kWeightRows;
    case kPregnancyMode: return kPregnancyRows;
    default: return {};
  }
}

int LegendHeight(int mode, bool shiftLines, const DisplayScale& scale, bool signsBand) {
  return static_cast<int>(LegendRows(mode, shiftLines, signsBand).size()) *
             scale.Px(kLegendRowHeight) +
         2 * scale.Px(kLegendMargin);
}

std::vector<LegendRow> LegendRowsOf(const ChartView& view) {
  return LegendRows(view.mode, view.shiftLines.show && view.tools.coverLinePen != nullptr,
                    view.signsBand);
}

int LegendHeightOf(const ChartView& view, const DisplayScale& scale) {
  return LegendHeight(view.mode, view.shiftLines.show && view.tools.coverLinePen != nullptr, scale,
                      view.signsBand);
}

void DrawChartLegend(const ChartView& view, Canvas& canvas, DrawTool textFont, const DrawRect& area,
                     const DisplayScale& scale) {
  canvas.FillRect(area, view.tools.whiteBrush);
  ScopedTextColor color(canvas, view.colors.StringColor);
  ScopedSelect font(canvas, view.tools.boldFont);
  const int margin = scale.Px(kLegendMargin), rowHeight = scale.Px(kLegendRowHeight);
  int top = area.top + margin;
  for (const LegendRow& row : LegendRowsOf(view)) {
    const int sampleLeft = area.left + margin;
    const DrawRect sample{sampleLeft, top + scale.Px(3), sampleLeft + scale.Px(kLegendSampleWidth),
                          top + rowHeight - scale.Px(3)};
    DrawSample(view, canvas, row, sample, scale);
    ScopedSelect text(canvas, textFont);
    canvas.DrawTextIn(row.text, DrawRect{sample.right + margin, top, area.right - margin, top + rowHeight},
                      dt::kSingleLine | dt::kVCenter);
    top += rowHeight;
  }
}
