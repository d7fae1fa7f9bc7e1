// WEIGHT_DATA.dat bytes -> store: consistent, weights within (0, 1000), and a save and reload
// that keeps every record as written.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "fuzz_checks.h"

namespace {

bool SameAsWritten(const WeightRecord& a, const WeightRecord& b) {
  char x[64];
  char y[64];
  std::snprintf(x, sizeof x, "%.1f", a.weight);
  std::snprintf(y, sizeof y, "%.1f", b.weight);
  return std::strcmp(x, y) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::RequireRoundTrip<WeightStore>(
      fuzz::Bytes(data, size),
      [](const WeightRecord& r) {
        fuzz::Require(std::isfinite(r.weight) && r.weight > 0 && r.weight < 1000,
                      "weight within (0, 1000)");
      },
      SameAsWritten);
  return 0;
}
