// Record searches and the pregnancy test on a store of several years: the indexed versions
// against the literal linear-scan and day-by-day versions they replace.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "records_oracle.h"
#include "dates.h"
#include "record_stores.h"
#include "statistics.h"

namespace {

// `years` of daily records from 2000 with about one day in ten missing, a period start every
// 28 days, and a high phase in the second half of each cycle; the last `pregnantDays` days stay
// high without a period start.
void FillStore(TemperatureStore& store, int years, int pregnantDays = 0) {
  std::mt19937 rng(1);
  std::uniform_int_distribution<int> percent(0, 99);
  std::tm day = quillet::MakeDate(2000, 1, 1);
  const int days = years * 365;
  for (int i = 0; i < days; ++i, day = quillet::GetNextDay(day)) {
    if (percent(rng) < 10 && i % 28 != 0) continue;
    TemperatureRecord r;
    r.year = day.tm_year + 1900;
    r.month = day.tm_mon + 1;
    r.day = day.tm_mday;
    const bool pregnant = i >= days - pregnantDays;
    r.temperature = (i % 28 < 14 && !pregnant ? 36.2 : 36.8) + percent(rng) / 1000.0;
    r.periodStart = i % 28 == 0 && !pregnant ? 1 : 0;
    InsertTemperature(r, store);
  }
}

// Dates spread over the store's span and a little beyond.
std::vector<DateYmd> ProbeDates(int years, int count) {
  std::mt19937 rng(2);
  std::uniform_int_distribution<int> offset(0, years * 365 + 30);
  std::vector<DateYmd> out;
  for (int i = 0; i < count; ++i) {
    out.push_back(FromTm(quillet::AddYmd(quillet::MakeDate(2000, 1, 1), 0, 0, offset(rng))));
  }
  return out;
}

template <typename Search>
void RunSearch(benchmark::State& state, Search search) {
  const int years = static_cast<int>(state.range(0));
  TemperatureStore store;
  FillStore(store, years);
  const auto dates = ProbeDates(years, 256);
  std::size_t i = 0;
  for (auto _ : state) {
    const DateYmd& d = dates[i++ % dates.size()];
    benchmark::DoNotOptimize(search(store, d));
  }
  state.counters["records"] = static_cast<double>(store.records.Size());
}

void BM_Find(benchmark::State& state) {
  RunSearch(state, [](const TemperatureStore& s, const DateYmd& d) {
    return FindTemperature(s, d.year, d.month, d.day);
  });
}
void BM_FindLiteral(benchmark::State& state) {
  RunSearch(state, [](const TemperatureStore& s, const DateYmd& d) {
    return oracle::FindTemperature(s, d.year, d.month, d.day);
  });
}
void BM_LatestRecordOnOrBefore(benchmark::State& state) {
  RunSearch(state, [](const TemperatureStore& s, const DateYmd& d) {
    return LatestRecordOnOrBefore(s, d.year, d.month, d.day);
  });
}
void BM_LatestRecordOnOrBeforeLiteral(benchmark::State& state) {
  RunSearch(state, [](const TemperatureStore& s, const DateYmd& d) {
    return oracle::LatestRecordOnOrBefore(s, d.year, d.month, d.day);
  });
}
void BM_LatestPeriodStart(benchmark::State& state) {
  RunSearch(state, [](const TemperatureStore& s, const DateYmd& d) {
    return LatestPeriodStart(s, d.year, d.month, d.day);
  });
}
void BM_LatestPeriodStartLiteral(benchmark::State& state) {
  RunSearch(state, [](const TemperatureStore& s, const DateYmd& d) {
    return oracle::LatestPeriodStart(s, d.year, d.month, d.day);
  });
}

// The pregnancy test for every day of the last 60 days of the store, with today at its end:
// what the temperature chart asks when it draws two months. The store ends in 200 high days
// without a period, so each test walks up to 200 days from the ovulation day.
template <typename Test>
void RunPregnancy(benchmark::State& state, Test test) {
  const int years = static_cast<int>(state.range(0));
  TemperatureStore store;
  FillStore(store, years, 200);
  const DateYmd last = store.records.Last()->Date();
  const std::tm today = ToTm(last);
  std::vector<DateYmd> days;
  for (int i = 59; i >= 0; --i) days.push_back(FromTm(quillet::AddYmd(today, 0, 0, -i)));
  for (auto _ : state) {
    int likely = 0;
    for (const DateYmd& d : days) likely += test(store, d, today) ? 1 : 0;
    benchmark::DoNotOptimize(likely);
  }
  state.counters["records"] = static_cast<double>(store.records.Size());
}

void BM_PregnancyTwoMonths(benchmark::State& state) {
  RunPregnancy(state, [](const TemperatureStore& s, const DateYmd& d, const std::tm& t) {
    return IsPregnancyLikely(s, d, t);
  });
}
void BM_PregnancyTwoMonthsLiteral(benchmark::State& state) {
  RunPregnancy(state, [](const TemperatureStore& s, const DateYmd& d, const std::tm& t) {
    return oracle::IsPregnancyLikely(s, d, t);
  });
}

// Loading order does not matter to the index; insertion of a few years of records, in order.
void BM_InsertYears(benchmark::State& state) {
  for (auto _ : state) {
    TemperatureStore store;
    FillStore(store, static_cast<int>(state.range(0)));
    benchmark::DoNotOptimize(store.head());
  }
}

}  // namespace

BENCHMARK(BM_Find)->Arg(1)->Arg(8);
BENCHMARK(BM_FindLiteral)->Arg(1)->Arg(8);
BENCHMARK(BM_LatestRecordOnOrBefore)->Arg(1)->Arg(8);
BENCHMARK(BM_LatestRecordOnOrBeforeLiteral)->Arg(1)->Arg(8);
BENCHMARK(BM_LatestPeriodStart)->Arg(1)->Arg(8);
BENCHMARK(BM_LatestPeriodStartLiteral)->Arg(1)->Arg(8);
BENCHMARK(BM_PregnancyTwoMonths)->Arg(1)->Arg(8);
BENCHMARK(BM_PregnancyTwoMonthsLiteral)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertYears)->Arg(8)->Unit(benchmark::kMillisecond);
