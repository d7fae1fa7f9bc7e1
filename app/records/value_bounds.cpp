// Bounds of what the files and the arithmetic can hold. NaN fails every comparison, so the
// "greater than 0" tests also refuse it; infinity fails the upper bound.
#include "value_bounds.h"

#include <charconv>
#include <string>

#include "number_text.h"

namespace {

// The value as the files write it: rounded to `decimals` places from its exact binary value,
// the same conversion the data files use, and read back.
double AsWritten(double value, int decimals) {
  std::string text;
  AppendFixed(text, value, decimals);
  double read = 0.0;
  std::from_chars(text.data(), text.data() + text.size(), read);
  return read;
}

// Inside (0, limit) both as held and as written, so a value stored now is still accepted when
// the file or the settings are read back (99.999 would be written as 100.00 and then refused).
bool WithinAsWritten(double value, double limit, int decimals) {
  if (!(value > 0.0 && value < limit)) return false;
  const double written = AsWritten(value, decimals);
  return written > 0.0 && written < limit;
}

}  // namespace

bool IsStorableTemperature(double value) { return WithinAsWritten(value, 100.0, 2); }

bool IsStorableWeight(double value) { return WithinAsWritten(value, 1000.0, 1); }

bool IsStorableCycle(int days) { return days >= 1 && days <= 365; }

double StoredTemperature(double value) { return AsWritten(value, 2); }

double StoredWeight(double value) { return AsWritten(value, 1); }
