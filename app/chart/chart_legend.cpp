#include "chart_legend.h"

#include "chart_marks.h"

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

void DrawSample(const ChartView& v, Canvas& canvas, const LegendRow& row, const DrawRect& box) {
  const int midY = (box.top + box.bottom) / 2;
  const DrawRect column{box.left + 4, box.top, box.left + 16, box.bottom};
  const DrawRect symbolBox{box.left + 20, box.top, box.right, box.bottom};
  switch (row.sample) {
    case LegendSample::Curve: {
      const int x0 = box.left + 6, y0 = box.bottom - 5, x1 = box.right - 6, y1 = box.top + 5;
      DrawLine(canvas, v.tools.graphPen, x0, y0, x1, y1);
      ScopedSelect pen(canvas, v.tools.graphPen);
      ScopedSelect brush(canvas, v.tools.dotBrush);
      canvas.Ellipse(x0 - 2, y0 - 2, x0 + 2, y0 + 2);
      canvas.Ellipse(x1 - 2, y1 - 2, x1 + 2, y1 + 2);
      break;
    }
    case LegendSample::AverageLine:
      DrawLine(canvas, v.tools.baseLinePen, box.left, midY, box.right, midY);
      break;
    case LegendSample::GridLines:
      DrawLine(canvas, v.tools.gridPen, box.left, box.top + 4, box.right, box.top + 4);
      DrawLine(canvas, v.tools.gridDotPen, box.left, box.bottom - 4, box.right, box.bottom - 4);
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
  }
}

}  // namespace

std::vector<LegendRow> LegendRows(int mode) {
  switch (mode) {
    case kTemperatureMode: return kTemperatureRows;
    case kWeightMode: return kWeightRows;
    case kPregnancyMode: return kPregnancyRows;
    default: return {};
  }
}

int LegendHeight(int mode) {
  return static_cast<int>(LegendRows(mode).size()) * kLegendRowHeight + 2 * kLegendMargin;
}

void DrawChartLegend(const ChartView& view, Canvas& canvas, DrawTool textFont, const DrawRect& area) {
  canvas.FillRect(area, view.tools.whiteBrush);
  ScopedTextColor color(canvas, view.colors.StringColor);
  ScopedSelect font(canvas, view.tools.boldFont);
  int top = area.top + kLegendMargin;
  for (const LegendRow& row : LegendRows(view.mode)) {
    const int sampleLeft = area.left + kLegendMargin;
    const DrawRect sample{sampleLeft, top + 3, sampleLeft + kLegendSampleWidth,
                          top + kLegendRowHeight - 3};
    DrawSample(view, canvas, row, sample);
    ScopedSelect text(canvas, textFont);
    canvas.DrawTextIn(row.text,
                      DrawRect{sample.right + kLegendMargin, top, area.right - kLegendMargin,
                               top + kLegendRowHeight},
                      dt::kSingleLine | dt::kVCenter);
    top += kLegendRowHeight;
  }
}
