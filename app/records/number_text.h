// Numbers as the program writes them into files: integers in decimal, decimals in fixed point
// with a given number of digits, rounded from the exact binary value (half to even on an exact
// tie), as "%.*f" does in the C library but computed by the standard library itself, so every
// build and locale writes the same bytes.
#pragma once

#include <charconv>
#include <string>

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
