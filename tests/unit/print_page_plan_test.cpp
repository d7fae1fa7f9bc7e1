#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "dates.h"
#include "print_page_plan.h"

namespace {

DateYmd Ymd(int y, int m, int d) { return DateYmd{y, m, d}; }

int DaysFromTo(const DateYmd& from, const DateYmd& to) {
  return quillet::SubDay(ToTm(to), ToTm(from));
}

DateYmd Plus(const DateYmd& day, int days) {
  return FromTm(quillet::AddYmd(ToTm(day), 0, 0, days));
}

}  // namespace

TEST(PrintPagePlan, SingleDayRangePrintsOnePageFromThatDay) {
  const auto pages = PlanPrintPages(Ymd(2026, 12, 7), Ymd(2026, 12, 7), 62);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0], Ymd(2026, 12, 7));
}

TEST(PrintPagePlan, ExactlyOnePageOfDaysPrintsOnePage) {
  // 63 days per page: 1 Jan .. 4 Mar 2007 is 63 days.
  const auto pages = PlanPrintPages(Ymd(2007, 1, 1), Ymd(2007, 3, 4), 63);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0], Ymd(2007, 1, 1));
}

TEST(PrintPagePlan, OneDayMoreThanAPageStartsASecondPageAfterTheFirstPagesLastDay) {
  const auto pages = PlanPrintPages(Ymd(2007, 1, 1), Ymd(2007, 3, 5), 63);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0], Ymd(2007, 1, 1));
  EXPECT_EQ(pages[1], Ymd(2007, 3, 5));
}

TEST(PrintPagePlan, ToDateBeforeFromDatePrintsOnePageFromTheFromDate) {
  const auto pages = PlanPrintPages(Ymd(2026, 12, 7), Ymd(2026, 11, 1), 62);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0], Ymd(2026, 12, 7));
}

TEST(PrintPagePlan, PagesCrossLeapFebruaryAndYearEnd) {
  // 62 days a page from 1 Feb 2024 (leap year): the next pages start 3 Apr and 4 Jun.
  auto pages = PlanPrintPages(Ymd(2024, 2, 1), Ymd(2024, 6, 4), 62);
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(pages[1], Ymd(2024, 4, 3));
  EXPECT_EQ(pages[2], Ymd(2024, 6, 4));
  // Over the turn of the year: 1 Dec 2026 + 62 days is 1 Feb 2027.
  pages = PlanPrintPages(Ymd(2026, 12, 1), Ymd(2027, 2, 1), 62);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[1], Ymd(2027, 2, 1));
}

TEST(PrintPagePlan, PageWithoutRoomForAColumnStillAdvancesADay) {
  const auto pages = PlanPrintPages(Ymd(2026, 12, 30), Ymd(2027, 1, 2), 0);
  const std::vector<DateYmd> expected = {Ymd(2026, 12, 30), Ymd(2026, 12, 31), Ymd(2027, 1, 1),
                                         Ymd(2027, 1, 2)};
  EXPECT_EQ(pages, expected);
}

TEST(PrintPagePlan, PageCountIsTheRangeDividedByThePageRoundedUpAndAtLeastOne) {
  std::mt19937 random(20261207);
  std::uniform_int_distribution<int> offset(-400, 400), span(-30, 500), perPage(1, 90);
  for (int i = 0; i < 400; ++i) {
    const DateYmd from = Plus(Ymd(2026, 6, 15), offset(random));
    const DateYmd to = Plus(from, span(random));
    const int n = perPage(random);
    const auto pages = PlanPrintPages(from, to, n);
    const int days = DaysFromTo(from, to) + 1;
    const std::size_t expected = days <= 0 ? 1 : static_cast<std::size_t>((days + n - 1) / n);
    ASSERT_EQ(pages.size(), expected) << "days " << days << " per page " << n;
    for (std::size_t k = 0; k < pages.size(); ++k) {
      ASSERT_EQ(pages[k], Plus(from, static_cast<int>(k) * n));
    }
  }
}

TEST(PrintPageLoop, StopsAtTheFirstFailedPageAndReportsIt) {
  std::vector<DateYmd> printed;
  const bool ok = RunPrintPageLoop(Ymd(2026, 1, 1), Ymd(2026, 12, 31),
                                   [&](const DateYmd& first) -> PrintPageResult {
                                     printed.push_back(first);
                                     if (printed.size() == 2) return std::nullopt;
                                     return Plus(first, 9);
                                   });
  EXPECT_FALSE(ok);
  ASSERT_EQ(printed.size(), 2u);
  EXPECT_EQ(printed[1], Ymd(2026, 1, 11));
}

TEST(PrintPageLoop, UsesTheLastDayThePageReportsAndNeverGoesBackwards) {
  std::vector<DateYmd> printed;
  const bool ok = RunPrintPageLoop(Ymd(2026, 3, 1), Ymd(2026, 3, 10),
                                   [&](const DateYmd& first) -> PrintPageResult {
                                     printed.push_back(first);
                                     // The first page reports a last day before its first day.
                                     if (printed.size() == 1) return Ymd(2026, 2, 1);
                                     return Plus(first, 4);
                                   });
  EXPECT_TRUE(ok);
  const std::vector<DateYmd> expected = {Ymd(2026, 3, 1), Ymd(2026, 3, 2), Ymd(2026, 3, 7)};
  EXPECT_EQ(printed, expected);
}
