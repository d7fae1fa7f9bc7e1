// WEIGHT_DATA.dat bytes -> store: consistent, weights within (0, 1000), every line as a save
// writes it loaded, and a save and reload that keeps every record as written.
#include <cmath>

#include "fuzz_checks.h"

namespace {

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
  fuzz::RequireLoaderProperties<WeightStore>(
      fuzz::Bytes(data, size), fuzz::Bytes(data, size), WrittenRest,
      [](const WeightRecord& r) {
        fuzz::Require(std::isfinite(r.weight) && r.weight > 0 && r.weight < 1000,
                      "weight within (0, 1000)");
      },
      [](const WeightRecord& a, const WeightRecord& b) {
        return fuzz::SameWhenPrinted(a.weight, b.weight, 1);
      });
  return 0;
}
