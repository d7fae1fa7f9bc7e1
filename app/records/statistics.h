// Every derived number the program shows, draws, prints or saves. Functions of the stores and of
// "today", which callers pass in (the program passes quillet::GetNow()).
//
// What depends on the records alone (the averages, the cycle gaps) is derived once per change of
// a store and kept in it (record_stores.h), as are the predictions for the last today asked
// about; the manual settings are read at each call. Every value is bit for bit the one the
// from-scratch walks in namespace recompute give for the same store.
#pragma once

#include <ctime>

#include "date_ymd.h"
#include "record_stores.h"

// Mean of all temperatures; 36.5 for an empty store.
double AverageTemperature(const TemperatureStore& store);
// Manual floor when temperatureCalcType is 1, else trunc((mean - 1) * 10) / 10.
double ChartFloorTemperature(const TemperatureStore& store);
// Manual floor when weightCalcType is 1 or the store is empty, else trunc(mean - 5).
double ChartFloorWeight(const WeightStore& store);
// Manual cycle when periodCalcType is 1 or no gap of 20-40 days between period starts exists,
// else the truncated mean of those gaps.
int AverageCycleDays(const TemperatureStore& store);
// Latest period start on or before today plus the cycle; the zero date when there is none.
DateYmd NextPeriodDate(const TemperatureStore& store, const std::tm& today);
// NextPeriodDate minus 14 days; the zero date when there is none.
DateYmd NextOvulationDate(const TemperatureStore& store, const std::tm& today);
// Whether the high phase since the predicted ovulation (from today) suggests a pregnancy on date.
bool IsPregnancyLikely(const TemperatureStore& store, const DateYmd& date, const std::tm& today);

// The same values computed afresh by walking the whole store at every call: what the kept values
// are derived from, and the reference they are checked and timed against.
namespace recompute {
double AverageTemperature(const TemperatureStore& store);
double ChartFloorTemperature(const TemperatureStore& store);
double ChartFloorWeight(const WeightStore& store);
int AverageCycleDays(const TemperatureStore& store);
}  // namespace recompute
