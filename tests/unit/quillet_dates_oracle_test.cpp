// The date functions against two independent references: a plain calendar walk over every day
// of 1900-2100, and the documented step-by-step algorithms (quillet_literal_dates.h).
#include <gtest/gtest.h>

#include <ctime>
#include <random>
#include <vector>

#include "dates.h"
#include "quillet_literal_dates.h"

namespace {

struct Day {
  int year, month, day;  // month 1-12
};

// Every day from 1 Jan 1900 to 31 Dec 2100 in order, by the month lengths alone.
const std::vector<Day>& AllDays() {
  static const std::vector<Day> days = [] {
    std::vector<Day> out;
    const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int y = 1900; y <= 2100; ++y) {
      bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
      for (int m = 1; m <= 12; ++m) {
        int length = lengths[m - 1] + (m == 2 && leap ? 1 : 0);
        for (int d = 1; d <= length; ++d) out.push_back({y, m, d});
      }
    }
    return out;
  }();
  return days;
}

// A tm for the day with time fields that must survive every operation.
std::tm TmOf(const Day& d) {
  std::tm t = quillet::MakeDate(d.year, d.month, d.day);
  t.tm_hour = 9;
  t.tm_wday = 3;
  return t;
}

bool SameDay(const std::tm& t, const Day& d) {
  return t.tm_year == d.year - 1900 && t.tm_mon == d.month - 1 && t.tm_mday == d.day &&
         t.tm_hour == 9 && t.tm_wday == 3;
}

bool SameTm(const std::tm& a, const std::tm& b) {
  return a.tm_year == b.tm_year && a.tm_mon == b.tm_mon && a.tm_mday == b.tm_mday &&
         a.tm_hour == b.tm_hour && a.tm_wday == b.tm_wday;
}

std::string Text(const Day& d) {
  return std::to_string(d.year) + "/" + std::to_string(d.month) + "/" + std::to_string(d.day);
}

}  // namespace

TEST(DatesCalendarWalk, CoversEveryDayOf201Years) {
  EXPECT_EQ(AllDays().size(), 201u * 365 + 49);  // 49 leap years: 1904-2096 without 2100
}

TEST(DatesCalendarWalk, NextAndPrevDayStepThroughEveryDay) {
  const std::vector<Day>& days = AllDays();
  int failures = 0;
  for (std::size_t i = 0; i + 1 < days.size() && failures < 5; ++i) {
    if (!SameDay(quillet::GetNextDay(TmOf(days[i])), days[i + 1])) {
      ADD_FAILURE() << "next day of " << Text(days[i]);
      ++failures;
    }
    if (!SameDay(quillet::GetPrevDay(TmOf(days[i + 1])), days[i])) {
      ADD_FAILURE() << "previous day of " << Text(days[i + 1]);
      ++failures;
    }
  }
}

TEST(DatesCalendarWalk, SubDayIsTheIndexDistance) {
  const std::vector<Day>& days = AllDays();
  const std::tm first = TmOf(days.front());
  int failures = 0;
  for (std::size_t i = 0; i < days.size() && failures < 5; ++i) {
    std::tm t = TmOf(days[i]);
    int index = static_cast<int>(i);
    if (quillet::SubDay(t, first) != index || quillet::SubDay(first, t) != -index) {
      ADD_FAILURE() << Text(days[i]) << " is not " << index << " days after 1900/1/1";
      ++failures;
    }
    // Pairs a few steps and a few years apart, in both orders.
    for (std::size_t gap : {1u, 59u, 1461u}) {
      if (i < gap) continue;
      int distance = static_cast<int>(gap);
      std::tm earlier = TmOf(days[i - gap]);
      if (quillet::SubDay(t, earlier) != distance || quillet::SubDay(earlier, t) != -distance) {
        ADD_FAILURE() << Text(days[i - gap]) << " to " << Text(days[i]);
        ++failures;
      }
    }
  }
}

TEST(DatesCalendarWalk, WeekDaysCycleFromMonday1Jan1900) {
  const std::vector<Day>& days = AllDays();
  int failures = 0;
  for (std::size_t i = 0; i < days.size() && failures < 5; ++i) {
    int expected = static_cast<int>((1 + i) % 7);
    if (quillet::GetWeekOfDay(days[i].year, days[i].month, days[i].day) != expected) {
      ADD_FAILURE() << "week day of " << Text(days[i]);
      ++failures;
    }
  }
}

TEST(DatesCalendarWalk, AddingDaysIsIndexAddition) {
  const std::vector<Day>& days = AllDays();
  const std::tm first = TmOf(days.front());
  int failures = 0;
  for (std::size_t i = 0; i < days.size() && failures < 5; ++i) {
    if (!SameDay(quillet::AddYmd(first, 0, 0, static_cast<int>(i)), days[i])) {
      ADD_FAILURE() << "1900/1/1 + " << i << " days";
      ++failures;
    }
    for (std::size_t step : {1u, 28u, 365u, 1000u}) {
      if (i + step >= days.size()) continue;
      if (!SameDay(quillet::AddYmd(TmOf(days[i]), 0, 0, static_cast<int>(step)), days[i + step])) {
        ADD_FAILURE() << Text(days[i]) << " + " << step << " days";
        ++failures;
      }
    }
  }
}

TEST(DatesLiteralOracle, AddYmdMatchesRecursiveCarrying) {
  const std::vector<Day>& days = AllDays();
  std::mt19937 random(20071215);
  std::uniform_int_distribution<std::size_t> pickDay(0, days.size() - 1);
  std::uniform_int_distribution<int> pickYears(0, 30);
  std::uniform_int_distribution<int> pickMonths(0, 60);
  std::uniform_int_distribution<int> pickDays(0, 3000);
  int failures = 0;
  for (int n = 0; n < 20000 && failures < 5; ++n) {
    std::tm base = TmOf(days[pickDay(random)]);
    // Every fourth case moves by months alone, where a long month's day carries over.
    int years = n % 4 == 0 ? 0 : pickYears(random);
    int months = pickMonths(random);
    int count = n % 4 == 0 ? 0 : pickDays(random);
    std::tm fast = quillet::AddYmd(base, years, months, count);
    std::tm literal = literal_dates::AddYmd(base, years, months, count);
    if (!SameTm(fast, literal)) {
      ADD_FAILURE() << (base.tm_year + 1900) << "/" << (base.tm_mon + 1) << "/" << base.tm_mday
                    << " + " << years << "y " << months << "m " << count << "d";
      ++failures;
    }
  }
}

TEST(DatesLiteralOracle, AddYmdMatchesOnMonthEnds) {
  // Every month end of 2006-2009 moved by 0-25 months: the carry of day 29-31 into short months.
  int failures = 0;
  for (int year = 2006; year <= 2009; ++year) {
    for (int month = 1; month <= 12; ++month) {
      for (int day = 28; day <= quillet::GetMaxDayOfMonth(year, month - 1); ++day) {
        std::tm base = TmOf({year, month, day});
        for (int months = 0; months <= 25 && failures < 5; ++months) {
          if (!SameTm(quillet::AddYmd(base, 0, months, 0),
                      literal_dates::AddYmd(base, 0, months, 0))) {
            ADD_FAILURE() << year << "/" << month << "/" << day << " + " << months << " months";
            ++failures;
          }
        }
      }
    }
  }
}

TEST(DatesLiteralOracle, SubDayMatchesDayByDayStepping) {
  const std::vector<Day>& days = AllDays();
  std::mt19937 random(19000101);
  std::uniform_int_distribution<std::size_t> pickDay(0, days.size() - 1);
  std::uniform_int_distribution<int> pickGap(-2500, 2500);
  int failures = 0;
  for (int n = 0; n < 2000 && failures < 5; ++n) {
    std::size_t i = pickDay(random);
    long long j = static_cast<long long>(i) + pickGap(random);
    if (j < 0 || j >= static_cast<long long>(days.size())) continue;
    std::tm a = TmOf(days[i]);
    std::tm b = TmOf(days[static_cast<std::size_t>(j)]);
    b.tm_hour = 17;  // times never count
    if (quillet::SubDay(a, b) != literal_dates::SubDay(a, b)) {
      ADD_FAILURE() << Text(days[i]) << " minus " << Text(days[static_cast<std::size_t>(j)]);
      ++failures;
    }
  }
}
