#include "signs_band.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace {

constexpr ColorRef kMucusColors[kMucusLevelCount] = {
    MakeRgb(222, 235, 247), MakeRgb(179, 207, 233), MakeRgb(128, 174, 217),
    MakeRgb(66, 130, 194), MakeRgb(24, 84, 160)};
// From this level on the cell is dark enough that text on it is white.
constexpr int kFirstDarkMucusLevel = 3;
constexpr ColorRef kWhite = MakeRgb(255, 255, 255);

}  // namespace

ColorRef MucusLevelColor(int level) {
  return kMucusColors[std::clamp(level, 0, kMucusLevelCount - 1)];
}

std::u16string OvulationTestSymbol(int result) {
  switch (result) {
    case 0: return u"−";
    case 1: return u"＋";
    case 2: return u"＋＋";
    default: return u"";
  }
}

void MakeSignsBandTools(ChartPlot& plot, const FontDesc& day) {
  ReleaseSignsBandTools(plot);
  if (plot.toolFactory == nullptr || !plot.signsBand) return;
  DrawingToolFactory& f = *plot.toolFactory;
  for (int level = 0; level < kMucusLevelCount; ++level)
    plot.tools.mucusBrushes[level] = f.MakeSolidBrush(MucusLevelColor(level));
  // The symbols at the day font's height in their natural width: their ink fits a day column
  // even where the glyph's box is a little wider. "＋＋" takes two glyphs of half that width
  // (a full-width glyph is twice the average width, which is about half the height).
  FontDesc sign = day;
  sign.charSet = 128;  // SHIFTJIS_CHARSET: the symbols are Japanese text, not OEM characters
  sign.width = 0;
  plot.tools.signFont = f.MakeFont(sign);
  sign.width = std::max(1, std::abs(day.height) / 4);
  plot.tools.signNarrowFont = f.MakeFont(sign);
}

void ReleaseSignsBandTools(ChartPlot& plot) {
  for (DrawTool* tool : {&plot.tools.mucusBrushes[0], &plot.tools.mucusBrushes[1],
                         &plot.tools.mucusBrushes[2], &plot.tools.mucusBrushes[3],
                         &plot.tools.mucusBrushes[4], &plot.tools.signFont,
                         &plot.tools.signNarrowFont}) {
    if (*tool != nullptr && plot.toolFactory != nullptr) plot.toolFactory->DeleteTool(*tool);
    *tool = nullptr;
  }
}

int SignRowTop(const ChartPlot& plot, int row, int bottom) {
  return row >= kSignRows ? bottom : std::min(plot.bandTop + row * plot.bandRowHeight, bottom);
}

void DrawSignsBandAxes(const ChartPlot& plot, Canvas& canvas, int bottom, int captionDx,
                       int captionDy) {
  for (int row = 0; row < kSignRows; ++row) {
    const int top = SignRowTop(plot, row, bottom), next = SignRowTop(plot, row + 1, bottom);
    DrawBox(canvas, plot.tools.framePen, plot.plotLeft, top, plot.plotRight, next);
    DrawCaption(plot, canvas, kSignRowCaptions[row], top, next, captionDx, captionDy);
  }
}

void DrawSignCells(const ChartPlot& plot, Canvas& canvas, const DrawRect& inside, int bottom,
                   const SignRecord& signs, int lineAbove, int lineBelow, bool mucusPeak) {
  const auto row = [&](int r) {
    return DrawRect{inside.left, SignRowTop(plot, r, bottom) + 1 + lineBelow, inside.right,
                    SignRowTop(plot, r + 1, bottom) - lineAbove};
  };
  if (IsMucusLevel(signs.mucus) && plot.tools.mucusBrushes[signs.mucus] != nullptr)
    canvas.FillRect(row(0), plot.tools.mucusBrushes[signs.mucus]);
  const unsigned centred = dt::kSingleLine | dt::kCenter | dt::kVCenter;
  if (mucusPeak && IsMucusLevel(signs.mucus)) {
    ScopedSelect font(canvas, plot.tools.signFont);
    std::optional<ScopedTextColor> white;
    if (signs.mucus >= kFirstDarkMucusLevel) white.emplace(canvas, kWhite);
    canvas.DrawTextIn(kMucusPeakSymbol, row(0), centred | dt::kNoBackground);
  }
  if (IsOvulationTestResult(signs.ovulationTest)) {
    const std::u16string symbol = OvulationTestSymbol(signs.ovulationTest);
    ScopedSelect font(canvas, symbol.size() > 1 ? plot.tools.signNarrowFont : plot.tools.signFont);
    canvas.DrawTextIn(symbol, row(1), centred);
  }
  if (signs.intercourse != 0) {
    ScopedSelect font(canvas, plot.tools.signFont);
    canvas.DrawTextIn(kIntercourseSymbol, row(2), centred);
  }
}

SignReadingDays ShownSignReadingDays(const ChartPlot& plot, const TemperatureStore* temperatures,
                                     const DateYmd& today, const DateYmd& first,
                                     const DateYmd& last) {
  SignReadingDays days;
  if (!plot.shiftLines.show || !plot.signsBand || temperatures == nullptr) return days;
  const std::vector<SignCycleReading>& readings = ReadSignCycles(*plot.signs, *temperatures, today);
  const std::vector<CycleReading>& cycles = ReadCycles(*temperatures, today);
  const auto between = [&](DateYmd SignCycleReading::*day) {
    return SignDaysBetween(cycles, readings, day, first, last);
  };
  days.mucusPeaks = between(&SignCycleReading::mucusPeak);
  days.doubleChecks = between(&SignCycleReading::doubleCheck);
  return days;
}
