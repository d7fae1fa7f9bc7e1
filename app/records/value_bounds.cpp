// Bounds of what the files and the arithmetic can hold. NaN fails every comparison, so the
// "greater than 0" tests also refuse it; infinity fails the upper bound.
#include "value_bounds.h"

bool IsStorableTemperature(double value) { return value > 0.0 && value < 100.0; }

bool IsStorableWeight(double value) { return value > 0.0 && value < 1000.0; }

bool IsStorableCycle(int days) { return days >= 1 && days <= 365; }
