// What the program can store and compute with: one rule for the side panel, the entry dialog,
// the basic settings dialog and the loaders. Not a plausibility check, only what fits the file
// format and keeps the arithmetic finite.
#pragma once

// A temperature: finite, greater than 0 and below 100, also once rounded to the two decimals
// the files hold (99.996 would come back as 100.00, 0.004 as 0.00).
bool IsStorableTemperature(double value);
// A weight to store: finite, greater than 0 and below 1000, also once rounded to the one
// decimal the file holds. (0 in a form means "no weight".)
bool IsStorableWeight(double value);
// A manual cycle length in days: 1-365.
bool IsStorableCycle(int days);
