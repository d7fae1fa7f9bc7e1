// SIGNS_DATA.dat bytes -> store: consistent, every record holding a sign of its kind, every line
// as a save writes it loaded, a save and reload that keeps every record as written, and a line
// that loads counted as damaged exactly when part of it was not read.
#include "fuzz_checks.h"

namespace {

// One field after the date: empty, or one digit below `count`.
bool WrittenSign(std::string_view& rest, int count, bool& any) {
  if (!rest.empty() && fuzz::IsDigit(rest[0])) {
    if (rest[0] - '0' >= count) return false;
    rest.remove_prefix(1);
    any = true;
  }
  return true;
}

// "4,1,1", ",,1", "0,," (CR optional): at least one sign, intercourse only as "1".
bool WrittenRest(std::string_view rest, std::size_t) {
  if (!rest.empty() && rest.back() == '\r') rest.remove_suffix(1);
  bool any = false;
  if (!WrittenSign(rest, kMucusLevelCount, any) || !fuzz::Skip(rest, ',') ||
      !WrittenSign(rest, kOvulationTestResultCount, any) || !fuzz::Skip(rest, ','))
    return false;
  if (rest == "1") return true;
  return rest.empty() && any;
}

// The field read whole as the record's sign: blank for none, or a whole integer within the kind.
bool SignReadWhole(std::string_view field, int count, int sign) {
  if (fuzz::OnlyBlanks(field)) return sign == kNoSign;
  int value = 0;
  return fuzz::WholeInteger(field, value) && value >= 0 && value < count && value == sign;
}

// The fields between commas with the empty ones kept.
std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> out;
  for (std::size_t start = 0;;) {
    const std::size_t comma = line.find(',', start);
    out.push_back(line.substr(start, comma == line.npos ? line.npos : comma - start));
    if (comma == line.npos) return out;
    start = comma + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::RequireLoaderProperties<SignStore>(
      fuzz::Bytes(data, size), fuzz::Bytes(data, size), WrittenRest,
      [](const SignRecord& r) {
        fuzz::Require(r.mucus == kNoSign || IsMucusLevel(r.mucus), "a mucus level or none");
        fuzz::Require(r.ovulationTest == kNoSign || IsOvulationTestResult(r.ovulationTest),
                      "an ovulation test result or none");
        fuzz::Require(r.intercourse == 0 || r.intercourse == 1, "intercourse 0 or 1");
        fuzz::Require(r.HasAnySign(), "a record holds a sign");
      },
      [](const SignRecord& a, const SignRecord& b) {
        return a.mucus == b.mucus && a.ovulationTest == b.ovulationTest &&
               a.intercourse == b.intercourse;
      });
  fuzz::RequireLinesReadInPartCounted<SignStore>(
      fuzz::Bytes(data, size), [](std::string_view line) { return std::string(line); },
      [](std::string_view line, const SignRecord& r) {
        const auto fields = Fields(line);
        int intercourse = 0;
        const bool intercourseWhole =
            fuzz::OnlyBlanks(fields.back()) ||
            (fuzz::WholeInteger(fields.back(), intercourse) && (intercourse == 0 || intercourse == 1));
        return fields.size() == 4 && fuzz::WholeDate(fields[0], r) &&
               SignReadWhole(fields[1], kMucusLevelCount, r.mucus) &&
               SignReadWhole(fields[2], kOvulationTestResultCount, r.ovulationTest) &&
               intercourseWhole && intercourse == r.intercourse;
      });
  return 0;
}
