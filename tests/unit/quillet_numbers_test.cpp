#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstring>
#include <cwchar>
#include <random>
#include <string>

#include "numbers.h"

using quillet::IsDouble;
using quillet::IsNumeric;
using quillet::ToDouble;
using quillet::ToInt;

TEST(Numbers, ZeroAndEmptyAreNoInteger) {
  for (const wchar_t* text : {L"0", L"", L"-0", L"+0", L"000", L"   ", L"abc", L"+", L"-", L"+-1",
                              L"- 1", L"x12"}) {
    EXPECT_FALSE(IsNumeric(text));
    EXPECT_EQ(ToInt(text), 0);
  }
  EXPECT_FALSE(IsNumeric(nullptr));
  EXPECT_EQ(ToInt(nullptr), 0);
}

TEST(Numbers, IntegerReadsUpToTheFirstForeignCharacter) {
  EXPECT_TRUE(IsNumeric(L"28"));
  EXPECT_EQ(ToInt(L"28"), 28);
  EXPECT_TRUE(IsNumeric(L"12abc"));
  EXPECT_EQ(ToInt(L"12abc"), 12);
  EXPECT_EQ(ToInt(L"36.5"), 36);
  EXPECT_EQ(ToInt(L"  \t+7"), 7);
  EXPECT_EQ(ToInt(L"\n-15 days"), -15);
  EXPECT_EQ(ToInt(L"0028"), 28);
  EXPECT_EQ(ToInt(L"1e3"), 1);
}

TEST(Numbers, IntegerIsDecimalOnly) {
  EXPECT_FALSE(IsNumeric(L"0x1F"));  // reads "0"
  EXPECT_EQ(ToInt(L"0x1F"), 0);
  EXPECT_EQ(ToInt(L"010"), 10);     // no octal either
}

TEST(Numbers, IntegerRangeEndsAreNumbers) {
  EXPECT_EQ(ToInt(L"2147483647"), INT_MAX);
  EXPECT_EQ(ToInt(L"-2147483648"), INT_MIN);
  EXPECT_TRUE(IsNumeric(L"-2147483648"));
}

TEST(Numbers, OutOfRangeIntegerIsNoNumber) {
  for (const wchar_t* text : {L"2147483648", L"-2147483649", L"99999999999999999999",
                              L"-99999999999999999999", L"4294967296",
                              L"123456789012345678901234567890abc"}) {
    EXPECT_FALSE(IsNumeric(text));
    EXPECT_EQ(ToInt(text), 0);
  }
}

TEST(Numbers, ZeroAndLettersAreNoDouble) {
  for (const wchar_t* text : {L"0.00", L"0", L"-0.0", L"", L"abc", L".", L"-.", L"+", L"e5",
                              L".e1", L"  ", L"0e10"}) {
    EXPECT_FALSE(IsDouble(text));
    EXPECT_EQ(ToDouble(text), 0.0);
  }
  EXPECT_FALSE(IsDouble(nullptr));
  EXPECT_EQ(ToDouble(nullptr), 0.0);
}

TEST(Numbers, DoubleReadsUpToTheFirstForeignCharacter) {
  EXPECT_TRUE(IsDouble(L"36.50"));
  EXPECT_EQ(ToDouble(L"36.50"), 36.5);
  EXPECT_TRUE(IsDouble(L"36.5x"));
  EXPECT_EQ(ToDouble(L"36.5x"), 36.5);
  EXPECT_TRUE(IsDouble(L"-1"));
  EXPECT_EQ(ToDouble(L"-1"), -1.0);
  EXPECT_EQ(ToDouble(L" \t+36.83"), 36.83);
  EXPECT_EQ(ToDouble(L".5"), 0.5);
  EXPECT_EQ(ToDouble(L"5."), 5.0);
  EXPECT_EQ(ToDouble(L"52.3kg"), 52.3);
  EXPECT_EQ(ToDouble(L"36.5.1"), 36.5);
}

TEST(Numbers, ExponentCountsOnlyWithDigits) {
  EXPECT_EQ(ToDouble(L"1e2"), 100.0);
  EXPECT_EQ(ToDouble(L"3.65E+1"), 36.5);
  EXPECT_EQ(ToDouble(L"365e-1"), 36.5);
  EXPECT_EQ(ToDouble(L"2e"), 2.0);
  EXPECT_EQ(ToDouble(L"2e+"), 2.0);
  EXPECT_EQ(ToDouble(L"2e-x"), 2.0);
}

TEST(Numbers, DoubleIsCorrectlyRounded) {
  EXPECT_EQ(ToDouble(L"0.1"), 0.1);
  EXPECT_EQ(ToDouble(L"36.83"), 36.83);
  EXPECT_EQ(ToDouble(L"1.7976931348623157e308"), 1.7976931348623157e308);
  EXPECT_EQ(ToDouble(L"4.9e-324"), 4.9406564584124654e-324);
  EXPECT_EQ(ToDouble(L"5e125"), 5e125);  // the Windows runtime's own wcstod is one unit off here
}

TEST(Numbers, NonFiniteOrOverflowingTextIsNoDouble) {
  for (const wchar_t* text : {L"inf", L"-inf", L"INF", L"infinity", L"Infinity", L"nan", L"NaN",
                              L"-nan", L"nan(0x1)", L"1e999", L"-1e999", L"1.8e308",
                              L"1e-999", L"2e-324"}) {
    EXPECT_FALSE(IsDouble(text));
    EXPECT_EQ(ToDouble(text), 0.0);
  }
}

TEST(Numbers, DoubleIsDecimalOnly) {
  EXPECT_FALSE(IsDouble(L"0x24"));  // reads "0"
  EXPECT_FALSE(IsDouble(L"0x1p3"));
}

TEST(Numbers, OnlyAsciiWhiteSpaceIsSkipped) {
  EXPECT_EQ(ToDouble(L"\u3000" L"36.5"), 0.0);  // ideographic space
  EXPECT_EQ(ToInt(L"\u00a0" L"12"), 0);         // no-break space
  EXPECT_EQ(ToDouble(L"\v\f\r36.5"), 36.5);
}

TEST(Numbers, FullWidthDigitsAreNotDigits) {
  EXPECT_FALSE(IsDouble(L"\uff13\uff16.5"));
  EXPECT_FALSE(IsNumeric(L"\uff12\uff18"));
}

namespace {

// The library rounds every text correctly, as glibc does, so natively the bits agree. The
// Windows runtime's conversion is off by one unit in the last place for some large exponents
// ("5e125"), so there the values may be neighbours.
bool CloseEnough(double ours, double runtime) {
  if (std::memcmp(&ours, &runtime, sizeof ours) == 0) return true;
#if defined(_WIN32)
  return std::nextafter(runtime, ours) == ours;
#else
  return false;
#endif
}

}  // namespace

// Random texts of blanks, signs, points, exponent letters and digits (nothing that could spell
// a hexadecimal number, infinity or NaN): the readers give exactly what the C library's own wide
// conversions give, wherever those give a usable number.
TEST(NumbersAgainstTheCLibrary, RandomDecimalTextsReadAlike) {
  const wchar_t alphabet[] = L" \t+-.eE0123456789";
  const int alphabetSize = static_cast<int>(std::wcslen(alphabet));
  std::mt19937 random(365);
  std::uniform_int_distribution<int> pickLength(0, 12);
  std::uniform_int_distribution<int> pickChar(0, alphabetSize + 9);  // digits twice as likely
  int failures = 0;
  for (int n = 0; n < 20000 && failures < 5; ++n) {
    std::wstring text;
    for (int length = pickLength(random); length > 0; --length) {
      int i = pickChar(random);
      text.push_back(i < alphabetSize ? alphabet[i] : L'0' + (i - alphabetSize));
    }
    double runtime = std::wcstod(text.c_str(), nullptr);
    bool runtimeNumber = runtime != 0.0 && std::isfinite(runtime);
    double ours = ToDouble(text.c_str());
    if (IsDouble(text.c_str()) != runtimeNumber || (runtimeNumber && !CloseEnough(ours, runtime))) {
      ADD_FAILURE() << "double text \"" << std::string(text.begin(), text.end()) << "\": "
                    << ours << " against " << runtime;
      ++failures;
    }
    errno = 0;
    long long integer = std::wcstoll(text.c_str(), nullptr, 10);
    bool inRange = errno == 0 && integer >= INT_MIN && integer <= INT_MAX;
    if (IsNumeric(text.c_str()) != (inRange && integer != 0) ||
        ToInt(text.c_str()) != (inRange ? integer : 0)) {
      ADD_FAILURE() << "integer text \"" << std::string(text.begin(), text.end()) << "\": "
                    << ToInt(text.c_str()) << " against " << integer;
      ++failures;
    }
  }
}
