// TEMPERATURE_DATA.dat bytes -> store: consistent, values within (0, 100), flags 0 or 1, and a
// save and reload that keeps every record as written.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "fuzz_checks.h"

namespace {

bool SameAsWritten(const TemperatureRecord& a, const TemperatureRecord& b) {
  char x[64];
  char y[64];
  std::snprintf(x, sizeof x, "%.2f", a.temperature);
  std::snprintf(y, sizeof y, "%.2f", b.temperature);
  return std::strcmp(x, y) == 0 && a.periodStart == b.periodStart;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::RequireRoundTrip<TemperatureStore>(
      fuzz::Bytes(data, size),
      [](const TemperatureRecord& r) {
        fuzz::Require(std::isfinite(r.temperature) && r.temperature > 0 && r.temperature < 100,
                      "temperature within (0, 100)");
        fuzz::Require(r.periodStart == 0 || r.periodStart == 1, "period flag 0 or 1");
      },
      SameAsWritten);
  return 0;
}
