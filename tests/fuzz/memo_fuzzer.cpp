// MEMO_DATA.dat bytes (UTF-16LE) -> store: consistent, every text at most 99 units, zero after
// its end and without a line break, and a save and reload that keeps every text unit for unit.
#include <algorithm>

#include "fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::RequireRoundTrip<MemoStore>(
      fuzz::Bytes(data, size),
      [](const MemoRecord& r) {
        const char16_t* end = std::find(r.text, r.text + MemoCapacity, u'\0');
        fuzz::Require(end < r.text + MemoCapacity, "text ends within 99 units");
        fuzz::Require(std::all_of(end, r.text + MemoCapacity, [](char16_t u) { return u == 0; }),
                      "zero after the text");
        const auto lineBreak = [](char16_t u) { return u == u'\r' || u == u'\n'; };
        fuzz::Require(std::none_of(r.text, end, lineBreak), "no line break in a text");
      },
      [](const MemoRecord& a, const MemoRecord& b) {
        return std::equal(a.text, a.text + MemoCapacity, b.text);
      });
  return 0;
}
