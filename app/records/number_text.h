// Numbers as the program writes them into files: integers in decimal, decimals in fixed point
// with a given number of digits, rounded from the exact binary value (half to even on an exact
// tie), as "%.*f" does in the C library but computed by the standard library itself, so every
// build and locale writes the same bytes. AsciiText carries such a text (or any other ASCII
// text) over to the UTF-16 the windows and the canvases take.
#pragma once

#include <charconv>
#include <string>
#include <string_view>

inline void AppendInteger(std::string& out, int value) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

inline void AppendFixed(std::string& out, double value, int decimals) {
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  out.append(buffer, result.ptr);
}

// ASCII text as UTF-16, one code unit per byte.
inline std::u16string AsciiText(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (const char c : text) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
  return out;
}
