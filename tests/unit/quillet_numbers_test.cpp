#include <gtest/gtest.h>

#include <climits>

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
