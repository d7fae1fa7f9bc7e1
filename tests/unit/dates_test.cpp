#include <gtest/gtest.h>

#include <climits>
#include <ctime>

#include "dates.h"

using quillet::AddYmd;
using quillet::GetMaxDayOfMonth;
using quillet::GetNextDay;
using quillet::GetPrevDay;
using quillet::GetWeekOfDay;
using quillet::IsLeapYear;
using quillet::MakeDate;
using quillet::SubDay;

namespace {

// The date of a tm as year/month(1-12)/day, for readable comparisons.
struct Ymd {
  int year, month, day;
  bool operator==(const Ymd&) const = default;
};
Ymd YmdOf(const std::tm& t) { return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday}; }
void PrintTo(const Ymd& d, std::ostream* os) { *os << d.year << "/" << d.month << "/" << d.day; }

}  // namespace

TEST(Dates, NextDayCrossesTheYear) {
  std::tm next = GetNextDay(MakeDate(2007, 12, 31));
  EXPECT_EQ(next.tm_year, 108);
  EXPECT_EQ(next.tm_mon, 0);
  EXPECT_EQ(next.tm_mday, 1);
}

TEST(Dates, PrevDayCrossesTheYearAndLeapDays) {
  EXPECT_EQ(YmdOf(GetPrevDay(MakeDate(2008, 1, 1))), (Ymd{2007, 12, 31}));
  EXPECT_EQ(YmdOf(GetPrevDay(MakeDate(2008, 3, 1))), (Ymd{2008, 2, 29}));
  EXPECT_EQ(YmdOf(GetPrevDay(MakeDate(2000, 3, 1))), (Ymd{2000, 2, 29}));
  EXPECT_EQ(YmdOf(GetPrevDay(MakeDate(2100, 3, 1))), (Ymd{2100, 2, 28}));
  EXPECT_EQ(YmdOf(GetPrevDay(MakeDate(2007, 5, 1))), (Ymd{2007, 4, 30}));
}

TEST(Dates, LeapYearRule) {
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_TRUE(IsLeapYear(2004));
  EXPECT_FALSE(IsLeapYear(2007));
  EXPECT_FALSE(IsLeapYear(2100));
  EXPECT_TRUE(IsLeapYear(-4));    // C remainders: -4 % 4 == 0
  EXPECT_FALSE(IsLeapYear(-1));
}

TEST(Dates, MonthLengths) {
  const int lengths2007[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (int month = 0; month < 12; ++month) EXPECT_EQ(GetMaxDayOfMonth(2007, month), lengths2007[month]);
  EXPECT_EQ(GetMaxDayOfMonth(2008, 1), 29);
  EXPECT_EQ(GetMaxDayOfMonth(2007, 13), 28);  // month 13 is February of the same year
  EXPECT_EQ(GetMaxDayOfMonth(2008, 13), 29);
  EXPECT_EQ(GetMaxDayOfMonth(2007, 12), 31);
}

TEST(Dates, AddYmdCarriesDaysIntoFollowingMonths) {
  EXPECT_EQ(YmdOf(AddYmd(MakeDate(2007, 1, 31), 0, 0, 1)), (Ymd{2007, 2, 1}));
  EXPECT_EQ(YmdOf(AddYmd(MakeDate(2007, 12, 28), 0, 0, 40)), (Ymd{2008, 2, 6}));
  EXPECT_EQ(YmdOf(AddYmd(MakeDate(2007, 11, 15), 0, 3, 0)), (Ymd{2008, 2, 15}));
  EXPECT_EQ(YmdOf(AddYmd(MakeDate(2007, 1, 31), 0, 1, 0)), (Ymd{2007, 3, 3}));
  EXPECT_EQ(YmdOf(AddYmd(MakeDate(2008, 2, 29), 1, 0, 0)), (Ymd{2009, 3, 1}));
  EXPECT_EQ(YmdOf(AddYmd(MakeDate(2007, 5, 15), 1, 14, 280)), (Ymd{2010, 4, 21}));
  EXPECT_EQ(YmdOf(AddYmd(MakeDate(2007, 5, 15), 0, 0, 0)), (Ymd{2007, 5, 15}));
}

TEST(Dates, OtherTmFieldsComeBackUnchanged) {
  std::tm base = MakeDate(2007, 12, 28);
  base.tm_hour = 7;
  base.tm_min = 30;
  base.tm_sec = 15;
  base.tm_wday = 5;  // Friday: true of the base, not of the result
  base.tm_yday = 361;
  base.tm_isdst = 1;
  for (const std::tm& moved : {AddYmd(base, 0, 0, 40), GetNextDay(base), GetPrevDay(base),
                               AddYmd(base, 2, 5, 0)}) {
    EXPECT_EQ(moved.tm_hour, 7);
    EXPECT_EQ(moved.tm_min, 30);
    EXPECT_EQ(moved.tm_sec, 15);
    EXPECT_EQ(moved.tm_wday, 5);
    EXPECT_EQ(moved.tm_yday, 361);
    EXPECT_EQ(moved.tm_isdst, 1);
  }
}

TEST(Dates, SubDayCountsSignedDistance) {
  EXPECT_EQ(SubDay(MakeDate(2008, 3, 1), MakeDate(2008, 2, 1)), 29);
  EXPECT_EQ(SubDay(MakeDate(2008, 2, 1), MakeDate(2008, 3, 1)), -29);
  EXPECT_EQ(SubDay(MakeDate(2008, 1, 1), MakeDate(2007, 1, 1)), 365);
  EXPECT_EQ(SubDay(MakeDate(2009, 1, 1), MakeDate(2008, 1, 1)), 366);
  std::tm morning = MakeDate(2007, 5, 15);
  std::tm evening = MakeDate(2007, 5, 15);
  morning.tm_hour = 6;
  evening.tm_hour = 23;
  evening.tm_min = 59;
  EXPECT_EQ(SubDay(morning, evening), 0);
  EXPECT_EQ(SubDay(evening, morning), 0);
}

TEST(Dates, WeekDayOfKnownDates) {
  EXPECT_EQ(GetWeekOfDay(2007, 5, 15), 2);  // Tuesday
  EXPECT_EQ(GetWeekOfDay(2008, 1, 1), 2);   // Tuesday
  EXPECT_EQ(GetWeekOfDay(2008, 2, 29), 5);  // Friday
  EXPECT_EQ(GetWeekOfDay(2000, 1, 1), 6);   // Saturday
  EXPECT_EQ(GetWeekOfDay(1970, 1, 1), 4);   // Thursday
}

TEST(Dates, NegativeCountsMoveBackwards) {
  EXPECT_EQ(YmdOf(AddYmd(MakeDate(2008, 3, 1), 0, 0, -1)), (Ymd{2008, 2, 29}));
  EXPECT_EQ(YmdOf(AddYmd(MakeDate(2008, 1, 15), 0, -1, 0)), (Ymd{2007, 12, 15}));
  EXPECT_EQ(YmdOf(AddYmd(MakeDate(2008, 1, 15), -1, -13, 0)), (Ymd{2005, 12, 15}));
  EXPECT_EQ(YmdOf(AddYmd(MakeDate(2007, 3, 31), 0, -1, 0)), (Ymd{2007, 3, 3}));  // 31 Feb carries
  EXPECT_EQ(YmdOf(AddYmd(MakeDate(2008, 1, 1), 0, 0, -365)), (Ymd{2007, 1, 1}));
}

TEST(Dates, NowIsTheLocalDate) {
  std::time_t before = std::time(nullptr);
  std::tm now = quillet::GetNow();
  std::time_t after = std::time(nullptr);
  std::tm low{}, high{};
#if defined(_WIN32)
  localtime_s(&low, &before);
  localtime_s(&high, &after);
#else
  localtime_r(&before, &low);
  localtime_r(&after, &high);
#endif
  Ymd today = YmdOf(now);
  EXPECT_TRUE(today == YmdOf(low) || today == YmdOf(high));
  EXPECT_GE(now.tm_hour, 0);
  EXPECT_LE(now.tm_hour, 23);
}

// Dates whose day lies outside its month, months outside 0-11, and fields at the ends of int:
// nothing the library does with them may loop, crash or overflow.
TEST(Dates, InvalidDatesNeitherLoopNorCrash) {
  const std::tm invalid[] = {
      MakeDate(2007, 2, 0),    MakeDate(2007, 2, 40),   MakeDate(2007, 13, 5),
      MakeDate(2007, 0, 5),    MakeDate(2007, -3, -5),  MakeDate(-50, 6, 15),
      MakeDate(2007, 6, INT_MAX), MakeDate(2007, 6, INT_MIN),
  };
  std::tm extremes{};
  extremes.tm_year = INT_MAX;
  extremes.tm_mon = INT_MIN;
  extremes.tm_mday = INT_MAX;
  std::tm low{};
  low.tm_year = INT_MIN;
  low.tm_mon = 0;
  low.tm_mday = 1;
  std::tm valid = MakeDate(2007, 5, 15);
  auto exercise = [&](const std::tm& t) {
    (void)GetNextDay(t);
    (void)GetPrevDay(t);
    (void)AddYmd(t, 1, 1, 1);
    (void)AddYmd(t, INT_MAX, INT_MAX, INT_MAX);
    (void)AddYmd(t, INT_MIN, INT_MIN, INT_MIN);
    (void)SubDay(t, valid);
    (void)SubDay(valid, t);
    (void)GetWeekOfDay(t.tm_year, t.tm_mon, t.tm_mday);
    (void)GetMaxDayOfMonth(t.tm_year, t.tm_mon);
  };
  for (const std::tm& t : invalid) exercise(t);
  exercise(extremes);
  exercise(low);
  // A day beyond the month is counted on from the month's start.
  EXPECT_EQ(SubDay(MakeDate(2007, 1, 32), MakeDate(2007, 2, 1)), 0);
  EXPECT_EQ(SubDay(MakeDate(2007, 2, 40), MakeDate(2007, 2, 1)), 39);
  EXPECT_EQ(SubDay(MakeDate(2007, 3, 0), MakeDate(2007, 2, 28)), 0);
  // A day past the month's length is not its last day, so the next day keeps counting up.
  EXPECT_EQ(GetNextDay(MakeDate(2007, 2, 40)).tm_mday, 41);
  EXPECT_EQ(GetWeekOfDay(2007, 13, 1), 0);
  EXPECT_EQ(GetWeekOfDay(2007, 0, 1), 0);
  EXPECT_EQ(GetMaxDayOfMonth(2007, -1), 31);
}

TEST(Dates, DayNumbersRoundTrip) {
  EXPECT_EQ(quillet::DaysFromCivil(1970, 1, 1), 0);
  EXPECT_EQ(quillet::DaysFromCivil(2000, 3, 1), 11017);
  int y = 0, m = 0, d = 0;
  quillet::CivilFromDays(-719468, y, m, d);
  EXPECT_EQ((Ymd{y, m, d}), (Ymd{0, 3, 1}));
  EXPECT_TRUE(quillet::IsValidDate(2008, 2, 29));
  EXPECT_FALSE(quillet::IsValidDate(2007, 2, 29));
  EXPECT_FALSE(quillet::IsValidDate(2007, 13, 1));
  EXPECT_FALSE(quillet::IsValidDate(0, 1, 1));
}
