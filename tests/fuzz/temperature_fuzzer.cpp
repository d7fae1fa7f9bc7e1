// TEMPERATURE_DATA.dat bytes -> store: consistent, values within (0, 100), flags 0 or 1, every
// line as a save writes it loaded, a save and reload that keeps every record as written, and a
// line that loads counted as damaged exactly when part of it was not read.
#include <cmath>

#include "fuzz_checks.h"

namespace {

// "36.45,0" or "36.45,1" (CR optional): up to two digits, two decimals, not 0.00.
bool WrittenRest(std::string_view rest, std::size_t) {
  if (!rest.empty() && rest.back() == '\r') rest.remove_suffix(1);
  int whole = 0;
  if (!fuzz::PlainNumber(rest, 2, whole) || !fuzz::Skip(rest, '.') || rest.size() != 4 ||
      !fuzz::IsDigit(rest[0]) || !fuzz::IsDigit(rest[1]) || rest[2] != ',' ||
      (rest[3] != '0' && rest[3] != '1'))
    return false;
  return whole > 0 || rest[0] != '0' || rest[1] != '0';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::RequireLoaderProperties<TemperatureStore>(
      fuzz::Bytes(data, size), fuzz::Bytes(data, size), WrittenRest,
      [](const TemperatureRecord& r) {
        fuzz::Require(std::isfinite(r.temperature) && r.temperature > 0 && r.temperature < 100,
                      "temperature within (0, 100)");
        fuzz::Require(r.periodStart == 0 || r.periodStart == 1, "period flag 0 or 1");
      },
      [](const TemperatureRecord& a, const TemperatureRecord& b) {
        return fuzz::SameWhenPrinted(a.temperature, b.temperature, 2) &&
               a.periodStart == b.periodStart;
      });
  fuzz::RequireLinesReadInPartCounted<TemperatureStore>(
      fuzz::Bytes(data, size), [](std::string_view line) { return std::string(line); },
      [](std::string_view line, const TemperatureRecord& r) {
        const auto fields = fuzz::Pieces(line, ',');
        double temperature = 0;
        int flag = 0;
        return fields.size() == 3 && fuzz::WholeDate(fields[0], r) &&
               fuzz::WholeDecimal(fields[1], temperature) &&
               fuzz::SameWhenPrinted(temperature, r.temperature, 2) &&
               fuzz::WholeInteger(fields[2], flag) && (flag == 1) == (r.periodStart == 1);
      });
  return 0;
}
