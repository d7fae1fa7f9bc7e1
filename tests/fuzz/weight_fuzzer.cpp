// WEIGHT_DATA.dat bytes -> store: consistent, weights within (0, 1000), every line as a save
// writes it loaded, a save and reload that keeps every record as written, and a line that loads
// counted as damaged exactly when part of it was not read.
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
  fuzz::RequireLinesReadInPartCounted<WeightStore>(
      fuzz::Bytes(data, size), [](std::string_view line) { return std::string(line); },
      [](std::string_view line, const WeightRecord& r) {
        const auto fields = fuzz::Pieces(line, ',');
        double weight = 0;
        return fields.size() == 2 && fuzz::WholeDate(fields[0], r) &&
               fuzz::WholeDecimal(fields[1], weight) && fuzz::SameWhenPrinted(weight, r.weight, 1);
      });
  return 0;
}
