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

// The value as the data files hold it: rounded once to their two (temperature) or one (weight)
// decimals from its exact binary value, half to even on an exact tie, as a save writes it. A
// value typed, imported or read from a file is stored as this, so what the program shows and
// computes from it is what the file gives back after a restart (36.125 is 36.12 both ways).
double StoredTemperature(double value);
double StoredWeight(double value);
