// One scale for a window: its DPI over 96. The layout numbers of the program are 96-DPI pixels;
// they become the window's pixels here and nowhere else, so at 96 DPI the scale is exactly 1 and
// every number stays as it is.
#pragma once

inline constexpr int kBaseDpi = 96;

struct DisplayScale {
  int dpi = kBaseDpi;

  // A 96-DPI length in the window's pixels, rounded half away from zero (as MulDiv rounds).
  constexpr int Px(int length) const {
    const long long p = static_cast<long long>(length) * dpi;
    return static_cast<int>(p >= 0 ? (p + kBaseDpi / 2) / kBaseDpi : -((-p + kBaseDpi / 2) / kBaseDpi));
  }
  // The same scale as a factor, for the arithmetic that keeps fractions (the chart's proportions).
  constexpr long double Factor() const { return static_cast<long double>(dpi) / kBaseDpi; }
  constexpr bool IsOne() const { return dpi == kBaseDpi; }
};
