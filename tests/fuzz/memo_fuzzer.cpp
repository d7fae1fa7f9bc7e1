// MEMO_DATA.dat bytes (UTF-16LE) -> store: consistent, every text at most 99 units, zero after
// its end and without a line break, every line as a save writes it loaded, a save and reload
// that keeps every text unit for unit, and a line that loads counted as damaged exactly when its
// text was cut or part of its date not read.
#include <algorithm>
#include <string>

#include "fuzz_checks.h"

namespace {

// The file's UTF-16LE units (an odd last byte left out), after a byte-order mark if any.
std::u16string Units(const std::uint8_t* data, std::size_t size) {
  std::u16string units;
  for (std::size_t i = 0; i + 1 < size; i += 2)
    units.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
  if (!units.empty() && units[0] == u'\xFEFF') units.erase(0, 1);
  return units;
}

// A text without zero or CR units, then CR LF, in a line of at least 10 units.
bool WrittenRest(std::u16string_view rest, std::size_t lengthWithEnd) {
  if (lengthWithEnd < 10 || rest.empty() || rest.back() != u'\r') return false;
  rest.remove_suffix(1);
  return std::none_of(rest.begin(), rest.end(), [](char16_t u) { return u == 0 || u == u'\r'; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string units = Units(data, size);
  fuzz::RequireLoaderProperties<MemoStore>(
      fuzz::Bytes(data, size), std::u16string_view(units), WrittenRest,
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
  fuzz::RequireLinesReadInPartCounted<MemoStore>(
      std::u16string_view(units),
      [](std::u16string_view line) {
        // After a byte-order mark, which the load skips, so the line is read as in the file.
        std::string bytes = "\xFF\xFE";
        for (char16_t unit : line) {
          bytes += static_cast<char>(unit & 0xFF);
          bytes += static_cast<char>(unit >> 8);
        }
        return bytes;
      },
      [](std::u16string_view line, const MemoRecord& r) {
        const std::size_t comma = line.find(u',');
        std::u16string text(line.substr(comma + 1));
        std::replace(text.begin(), text.end(), u'\r', u' ');  // as the load reads a lone CR
        return fuzz::WholeDate(line.substr(0, comma), r) && MemoText(r) == text;
      });
  return 0;
}
