// Plain readers to hold the program's number readers against, written from the documented
// behaviour only: white space is the six ASCII characters, then one optional sign, then decimal
// digits; reading stops at the first character that does not fit.
#pragma once

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>

namespace reference {

inline bool IsBlank(unsigned c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The decimal integer at the start of `text` (code units, up to the first zero). false when there
// is no digit or the value does not fit an int.
template <typename Unit>
bool ReadInt(const Unit* text, int& value) {
  std::size_t i = 0;
  while (text[i] != 0 && IsBlank(static_cast<unsigned>(text[i]))) ++i;
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
  if (!(text[i] >= '0' && text[i] <= '9')) return false;
  const unsigned long long limit = negative ? 2147483648ULL : 2147483647ULL;
  unsigned long long magnitude = 0;
  bool overflow = false;
  for (; text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + static_cast<unsigned>(text[i] - '0');
    if (magnitude > limit) {
      overflow = true;
      magnitude = limit;  // keeps the arithmetic bounded while the digits are read
    }
  }
  if (overflow) return false;
  value = negative ? static_cast<int>(-static_cast<long long>(magnitude))
                   : static_cast<int>(magnitude);
  return true;
}

// The C library's strtod (C locale) on the text with every unit that cannot be part of a
// decimal number replaced by '#', so hexadecimal, "inf" and "nan" cannot be read.
enum class DoubleRead { Number, NoNumber, Tiny };
template <typename Unit>
DoubleRead ReadDouble(const Unit* text, double& value) {
  std::string narrow;
  for (std::size_t i = 0; text[i] != 0; ++i) {
    const auto c = static_cast<unsigned long>(text[i]);
    const bool fits = (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'e' ||
                      c == 'E' || IsBlank(static_cast<unsigned>(c));
    narrow.push_back(fits ? static_cast<char>(c) : '#');
  }
  char* end = nullptr;
  errno = 0;
  const double v = std::strtod(narrow.c_str(), &end);
  if (end == narrow.c_str()) return DoubleRead::NoNumber;
  // Subnormal results and underflow to zero are where the C libraries disagree among
  // themselves; the program refuses them, the reference does not judge.
  if (errno == ERANGE && std::isfinite(v)) return DoubleRead::Tiny;
  if (v != 0 && std::fabs(v) < 2.2250738585072014e-308) return DoubleRead::Tiny;
  if (!std::isfinite(v) || v == 0) return DoubleRead::NoNumber;
  value = v;
  return DoubleRead::Number;
}

}  // namespace reference
