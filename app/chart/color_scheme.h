// The program's colour scheme: the seven colours the settings file keeps, the colour dialog edits
// and the screen chart and the printed page draw with. One struct carries them everywhere, so a
// colour always travels under its own name.
#pragma once

#include "draw_canvas.h"

// The position of each colour in the scheme's fixed order: the order of the settings keys, and
// the slot a colour-dialog row refers to.
enum ColorSlot : int {
  kBaseSlot = 0,
  kGraphGridSlot,
  kGraphSlot,
  kTodayBackSlot,
  kMarkBackSlot,
  kStringSlot,
  kBaseTempeLineSlot,
};
inline constexpr int kColorSlotCount = 7;

struct ColorScheme {
  ColorRef BaseColor = 0;           // every box outline
  ColorRef GraphGridColor = 0;      // grid and day lines
  ColorRef GraphColor = 0;          // the curve and its points
  ColorRef TodayBackColor = 0;      // today's column
  ColorRef MarkBackColor = 0;       // marked columns
  ColorRef StringColor = 0;         // every text
  ColorRef BaseTempeLineColor = 0;  // the dashed average-temperature line

  // The colour in a slot of the fixed order.
  ColorRef& operator[](int slot) { return this->*kFields[slot]; }
  const ColorRef& operator[](int slot) const { return this->*kFields[slot]; }

  friend bool operator==(const ColorScheme&, const ColorScheme&) = default;

 private:
  static constexpr ColorRef ColorScheme::*kFields[kColorSlotCount] = {
      &ColorScheme::BaseColor,     &ColorScheme::GraphGridColor, &ColorScheme::GraphColor,
      &ColorScheme::TodayBackColor, &ColorScheme::MarkBackColor, &ColorScheme::StringColor,
      &ColorScheme::BaseTempeLineColor};
};

// A colour that leaves the one it would replace as it is.
inline constexpr ColorRef kKeepColor = 0xFFFFFFFFu;
// A scheme that changes no colour.
inline constexpr ColorScheme kKeepEveryColor{kKeepColor, kKeepColor, kKeepColor, kKeepColor,
                                             kKeepColor, kKeepColor, kKeepColor};

// Stores into `target` every colour of `changes` that is not kKeepColor.
inline void ApplyColors(ColorScheme& target, const ColorScheme& changes) {
  for (int slot = 0; slot < kColorSlotCount; ++slot) {
    if (changes[slot] != kKeepColor) target[slot] = changes[slot];
  }
}
