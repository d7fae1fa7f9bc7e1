// WEIGHT_DATA.dat bytes -> store: consistent, weights within (0, 1000), every line as a save
// writes it loaded, and a save and reload that keeps every record as written.
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

// "52.3" (CR optional): up to three digits, one decimal, not 0.0.
bool WrittenRest(std::string_view rest, std::size_t) {
  if (!rest.empty() && rest.back() == '\r') rest.remove_suffix(1);
  int whole = 0;
  if (!fuzz::PlainNumber(rest, 3, whole) || !fuzz::Skip(rest, '.') || rest.size() != 1 ||
      !fuzz::IsDigit(rest[0]))
    return false;
  return whole > 0 || rest[0] != '0';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  WeightStore store;
  ReadDataBytes(fuzz::Bytes(data, size), store);
  fuzz::RequireWrittenLinesLoaded(fuzz::Bytes(data, size), store, WrittenRest);
  fuzz::RequireRoundTrip(
      store,
      [](const WeightRecord& r) {
        fuzz::Require(std::isfinite(r.weight) && r.weight > 0 && r.weight < 1000,
                      "weight within (0, 1000)");
      },
      SameAsWritten);
  return 0;
}
