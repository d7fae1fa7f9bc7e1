#include "numbers.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <string>
#include <system_error>

namespace quillet {

namespace {

// The white space the C library skips in the "C" locale.
bool IsBlank(wchar_t c) {
  return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Skips leading white space and at most one sign; returns the first character after them.
const wchar_t* SkipBlanksAndSign(const wchar_t* p, bool& negative) {
  negative = false;
  while (IsBlank(*p)) ++p;
  if (*p == L'+' || *p == L'-') {
    negative = *p == L'-';
    ++p;
  }
  return p;
}

// Reads the integer at the start of `text`. Gives false when nothing is readable or the value
// does not fit an int; the digits after an overflow are still read, as the C library does, so
// "99999999999999999999" is out of range rather than a shorter number.
bool ReadInt(const wchar_t* text, int& value) {
  if (text == nullptr) return false;
  bool negative = false;
  const wchar_t* p = SkipBlanksAndSign(text, negative);
  if (!IsDigit(*p)) return false;
  // Accumulate towards the negative side, where an int holds one more value.
  long long magnitude = 0;
  bool overflow = false;
  for (; IsDigit(*p); ++p) {
    if (!overflow) {
      magnitude = magnitude * 10 + (*p - L'0');
      if (magnitude > static_cast<long long>(INT_MAX) + 1) overflow = true;
    }
  }
  if (overflow) return false;
  long long signedValue = negative ? -magnitude : magnitude;
  if (signedValue > INT_MAX || signedValue < INT_MIN) return false;
  value = static_cast<int>(signedValue);
  return true;
}

// Reads the decimal floating-point number at the start of `text`: digits with an optional
// decimal point (at least one digit in all), then an optional exponent that counts only when it
// has digits. The readable part is copied out as ASCII and converted with from_chars, which
// rounds correctly and ignores the locale, so both builds give the same bits.
bool ReadDouble(const wchar_t* text, double& value) {
  if (text == nullptr) return false;
  bool negative = false;
  const wchar_t* p = SkipBlanksAndSign(text, negative);
  std::string ascii;
  std::size_t mantissaDigits = 0;
  for (; IsDigit(*p); ++p, ++mantissaDigits) ascii.push_back(static_cast<char>(*p));
  if (*p == L'.') {
    ascii.push_back('.');
    ++p;
    for (; IsDigit(*p); ++p, ++mantissaDigits) ascii.push_back(static_cast<char>(*p));
  }
  if (mantissaDigits == 0) return false;
  if (*p == L'e' || *p == L'E') {
    const wchar_t* q = p + 1;
    std::string exponent = "e";
    if (*q == L'+' || *q == L'-') exponent.push_back(static_cast<char>(*q++));
    if (IsDigit(*q)) {
      for (; IsDigit(*q); ++q) exponent.push_back(static_cast<char>(*q));
      ascii += exponent;
    }
  }
  double parsed = 0.0;
  const char* first = ascii.data();
  const char* last = first + ascii.size();
  std::from_chars_result result = std::from_chars(first, last, parsed);
  // Too large for a double, or so small that it vanishes: not a usable number.
  if (result.ec != std::errc() || !std::isfinite(parsed)) return false;
  value = negative ? -parsed : parsed;
  return true;
}

}  // namespace

bool IsNumeric(const wchar_t* text) {
  int value = 0;
  return ReadInt(text, value) && value != 0;
}

int ToInt(const wchar_t* text) {
  int value = 0;
  return ReadInt(text, value) ? value : 0;
}

bool IsDouble(const wchar_t* text) {
  double value = 0.0;
  return ReadDouble(text, value) && value != 0.0;
}

double ToDouble(const wchar_t* text) {
  double value = 0.0;
  return ReadDouble(text, value) && value != 0.0 ? value : 0.0;
}

}  // namespace quillet
