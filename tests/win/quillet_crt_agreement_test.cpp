// The number readers against the Windows C runtime's own wide conversions: for every ordinary
// text they give the same value to the bit; they differ only where the runtime would accept
// infinity, NaN, an overflowing value or hexadecimal, which the library refuses.
#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstring>
#include <cwchar>
#include <string>

#include "numbers.h"

namespace {

const wchar_t* const kOrdinaryTexts[] = {
    L"36.50", L"36.5x", L"-1", L"0.00", L"0", L"abc", L"", L"  36.83", L"\t+35.4", L"52.3kg",
    L".5", L"5.", L"1e2", L"3.65E+1", L"2e", L"2e+", L"0.1", L"36.666666666666666666",
    L"1.7976931348623157e308", L"12abc", L"28", L"-15 days", L"2147483647", L"-2147483648",
    L"+", L"-", L".", L"\n7", L"010", L"36.5.1", L"99.99", L"1e-300", L"123456789012345678",
};

// The ASCII text of a test input, for failure messages.
std::string Narrow(const wchar_t* text) {
  std::string out;
  for (; *text != L'\0'; ++text) out.push_back(*text < 128 ? static_cast<char>(*text) : '?');
  return out;
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

TEST(NumbersUnderWindowsRuntime, DoubleAgreesWithWcstodOnOrdinaryText) {
  for (const wchar_t* text : kOrdinaryTexts) {
    double runtime = wcstod(text, nullptr);
    bool runtimeNumber = runtime != 0.0 && std::isfinite(runtime);
    EXPECT_EQ(quillet::IsDouble(text), runtimeNumber) << Narrow(text);
    EXPECT_TRUE(SameBits(quillet::ToDouble(text), runtimeNumber ? runtime : 0.0)) << Narrow(text);
  }
}

TEST(NumbersUnderWindowsRuntime, IntegerAgreesWithWcstolInRange) {
  for (const wchar_t* text : kOrdinaryTexts) {
    errno = 0;
    long runtime = wcstol(text, nullptr, 10);
    if (errno == ERANGE) {  // beyond a 32-bit long: refused instead of clamped
      EXPECT_FALSE(quillet::IsNumeric(text)) << Narrow(text);
      continue;
    }
    EXPECT_EQ(quillet::IsNumeric(text), runtime != 0) << Narrow(text);
    EXPECT_EQ(quillet::ToInt(text), runtime) << Narrow(text);
  }
}

TEST(NumbersUnderWindowsRuntime, WhatTheRuntimeAcceptsButTheLibraryRefuses) {
  static_assert(sizeof(long) == sizeof(int), "long is 32-bit on Windows");
  for (const wchar_t* text : {L"inf", L"-inf", L"infinity", L"nan", L"1e999", L"-1e999"}) {
    double runtime = wcstod(text, nullptr);
    EXPECT_FALSE(std::isfinite(runtime));  // the runtime reads these as numbers
    EXPECT_FALSE(quillet::IsDouble(text));
    EXPECT_EQ(quillet::ToDouble(text), 0.0);
  }
  errno = 0;
  EXPECT_EQ(wcstol(L"99999999999999999999", nullptr, 10), LONG_MAX);
  EXPECT_EQ(errno, ERANGE);
  EXPECT_FALSE(quillet::IsNumeric(L"99999999999999999999"));
  EXPECT_EQ(quillet::ToInt(L"99999999999999999999"), 0);
  EXPECT_EQ(quillet::ToInt(L"-2147483649"), 0);
}
