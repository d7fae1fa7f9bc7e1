// Date arithmetic over spans of several years: the day-number implementation in the library
// against the documented day-by-day stepping and month-by-month carrying.
#include <benchmark/benchmark.h>

#include "quillet_literal_dates.h"
#include "dates.h"

namespace {

const std::tm kStart = quillet::MakeDate(2005, 3, 14);

// SubDay between a fixed date and one `state.range(0)` days later, as a chart asks for each
// visible day.
void BM_SubDayFast(benchmark::State& state) {
  std::tm later = quillet::AddYmd(kStart, 0, 0, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(quillet::SubDay(later, kStart));
    benchmark::DoNotOptimize(later);
  }
}

void BM_SubDayStepping(benchmark::State& state) {
  std::tm later = quillet::AddYmd(kStart, 0, 0, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(literal_dates::SubDay(later, kStart));
    benchmark::DoNotOptimize(later);
  }
}

// AddYmd by a count of days spanning several years.
void BM_AddYmdDaysFast(benchmark::State& state) {
  int days = static_cast<int>(state.range(0));
  std::tm base = kStart;
  for (auto _ : state) {
    benchmark::DoNotOptimize(quillet::AddYmd(base, 0, 0, days));
    benchmark::DoNotOptimize(base);
  }
}

void BM_AddYmdDaysCarrying(benchmark::State& state) {
  int days = static_cast<int>(state.range(0));
  std::tm base = kStart;
  for (auto _ : state) {
    benchmark::DoNotOptimize(literal_dates::AddYmd(base, 0, 0, days));
    benchmark::DoNotOptimize(base);
  }
}

// AddYmd by a count of months (range(0) / 30 months, so comparable spans).
void BM_AddYmdMonthsFast(benchmark::State& state) {
  int months = static_cast<int>(state.range(0) / 30);
  std::tm base = quillet::MakeDate(2005, 1, 31);
  for (auto _ : state) {
    benchmark::DoNotOptimize(quillet::AddYmd(base, 0, months, 0));
    benchmark::DoNotOptimize(base);
  }
}

void BM_AddYmdMonthsCarrying(benchmark::State& state) {
  int months = static_cast<int>(state.range(0) / 30);
  std::tm base = quillet::MakeDate(2005, 1, 31);
  for (auto _ : state) {
    benchmark::DoNotOptimize(literal_dates::AddYmd(base, 0, months, 0));
    benchmark::DoNotOptimize(base);
  }
}

// One, three and ten years.
#define DATE_SPANS Arg(365)->Arg(3 * 365)->Arg(10 * 365)
BENCHMARK(BM_SubDayFast)->DATE_SPANS;
BENCHMARK(BM_SubDayStepping)->DATE_SPANS;
BENCHMARK(BM_AddYmdDaysFast)->DATE_SPANS;
BENCHMARK(BM_AddYmdDaysCarrying)->DATE_SPANS;
BENCHMARK(BM_AddYmdMonthsFast)->DATE_SPANS;
BENCHMARK(BM_AddYmdMonthsCarrying)->DATE_SPANS;

}  // namespace
