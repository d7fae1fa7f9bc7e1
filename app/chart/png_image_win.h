// A ChartBitmap as a PNG file's bytes, through the imaging component every Windows has (WIC).
// COM must be initialised on the calling thread (the program does it once at start-up).
#pragma once

#include <string>

#include "chart_bitmap_win.h"

// The bitmap as PNG: 24-bit colour, every pixel as drawn, `dpi` recorded as its resolution in
// both directions. Empty when the encoder cannot be had or fails.
std::string EncodePng(const ChartBitmap& bitmap, double dpi);
