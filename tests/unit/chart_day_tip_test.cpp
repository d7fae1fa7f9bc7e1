// The chart's day tip: the date, then only what exists for the day in the chart's mode.
#include <gtest/gtest.h>

#include "data_files.h"
#include "day_tip.h"
#include "support/chart_fixture.h"
#include "support/store_builder.h"

using namespace test_support;

TEST(DayTip, SaysWhatTheDayHoldsInEachMode) {
  // Today Wednesday 16 May 2007; one period start on 30 April and the manual 28-day cycle: next
  // period Monday 28 May, ovulation Monday 14 May; pregnancy from 30 April, due 4 February 2008.
  const struct {
    int mode;
    DateYmd date;
    const char16_t* shift;
    const char* expected;  // lines joined with " | "
  } cases[] = {
      {kTemperatureMode, Ymd(2007, 4, 30), u"",
       "2007年4月30日(月) | 基礎体温 36.20℃ (月経開始) | 体重 52.3kg | メモ 頭痛 | 周期 1日目"},
      {kTemperatureMode, Ymd(2007, 4, 28), u"", "2007年4月28日(土) | 基礎体温 36.30℃"},
      {kTemperatureMode, Ymd(2007, 5, 1), u"", "2007年5月1日(火) | 基礎体温 36.25℃ | 周期 2日目"},
      {kTemperatureMode, Ymd(2007, 5, 16), u"高温期 3日目",
       "2007年5月16日(水) | 基礎体温 36.70℃ | 周期 17日目 | 高温期 3日目 | "
       "△ 排卵予定日の前後(妊娠しやすい時期) | 今日"},
      {kTemperatureMode, Ymd(2007, 5, 13), u"", "2007年5月13日(日) | 周期 14日目 | ○ 排卵予定日の前後(妊娠しやすい時期)"},
      {kTemperatureMode, Ymd(2007, 5, 14), u"", "2007年5月14日(月) | 周期 15日目 | ◎ 排卵予定日"},
      {kTemperatureMode, Ymd(2007, 5, 8), u"", "2007年5月8日(火) | 周期 9日目"},    // 6 days before
      {kTemperatureMode, Ymd(2007, 5, 18), u"", "2007年5月18日(金) | 周期 19日目"},  // 4 days after
      {kTemperatureMode, Ymd(2007, 5, 28), u"", "2007年5月28日(月) | 周期 29日目 | ■ 次回月経開始予定日"},
      {kWeightMode, Ymd(2007, 4, 30), u"", "2007年4月30日(月) | 基礎体温 36.20℃ (月経開始) | 体重 52.3kg | メモ 頭痛 | 周期 1日目"},
      {kWeightMode, Ymd(2007, 5, 20), u"",
       "2007年5月20日(日) | 周期 21日目 | 3 排卵予定日の翌日から次回月経開始予定日の前日まで"},
      {kPregnancyMode, Ymd(2007, 5, 16), u"",
       "2007年5月16日(水) | 基礎体温 36.70℃ | 妊娠2週2日 | 出産予定日 2008年2月4日(月) | 今日"},
      {kTemperatureMode, Ymd(2007, 5, 2), u"",
       "2007年5月2日(水) | おりもの 透明でよく伸びる | 排卵検査薬 陽性 | 性交あり | 周期 3日目"},
      {kPregnancyMode, Ymd(2007, 5, 3), u"",
       "2007年5月3日(木) | 排卵検査薬 強陽性 | 妊娠0週3日 | 出産予定日 2008年2月4日(月)"},
      {kPregnancyMode, Ymd(2008, 2, 4), u"",
       "2008年2月4日(月) | 妊娠40週0日 | 出産予定日 2008年2月4日(月) | ★ 出産予定日"},
  };
  for (const auto& c : cases) {
    ChartFixture f(2007, 5, 16);
    AddTemperatures(f.temperatures,
                    "2007/4/28,36.30; 2007/4/30,36.20,1; 2007/5/1,36.25; 2007/5/16,36.70");
    AddWeights(f.weights, "2007/4/30,52.3");
    ReadDataBytes("2007/5/2,4,1,1\r\n2007/5/3,,2,\r\n", f.signs);
    MemoStore memos;
    AddMemos(memos, "2007/4/30,頭痛; 2007/5/1,");
    f.Start(c.mode);
    const std::u16string text = DayTipText(DayTipLines(*f.view, &memos, c.date, c.shift));
    std::string expected = c.expected;
    for (std::size_t at; (at = expected.find(" | ")) != std::string::npos;)
      expected.replace(at, 3, "\r\n");
    EXPECT_EQ(Utf8(text), expected) << c.mode << " " << c.date.month << "/" << c.date.day;
  }
}
