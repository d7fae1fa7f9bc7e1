// The colour dialog's bookkeeping, free of any window: which row shows which colour of the
// scheme, in which order the swatches are painted, and what 登録, キャンセル and the close box do
// to the two sets of colours.
//
// The dialog keeps two sets: the working colours (what the swatches show and what the system
// colour dialog changes) and the confirmed colours (the last set accepted with 登録, or the
// start-up set). 登録 copies working to confirmed; キャンセル copies confirmed back to working;
// the close box does neither, so picks made before it show again at the next opening.
#pragma once

#include "color_scheme.h"

inline constexpr int kRecolorSlotCount = kColorSlotCount;  // one row a slot

// One row of the dialog, top to bottom.
struct RecolorRow {
  int y;          // dialog units
  int captionId;
  int swatchId;
  int buttonId;
  ColorSlot slot;
};
// The seven rows from the top: 文字色, 基本線色, グリッド色, グラフ線色, 本日背景色, マーク背景色,
// 基準体温色.
extern const RecolorRow kRecolorRows[kRecolorSlotCount];
// Rows in painting order: 基本線色 through マーク背景色, then 文字色, then 基準体温色.
extern const int kRecolorPaintOrder[kRecolorSlotCount];

// The row whose "選択..." button has this id; nullptr for any other id.
const RecolorRow* RecolorRowOfButton(int buttonId);

// A swatch in dialog units: (70, y) to (120, y + 15).
struct RecolorRect {
  int left, top, right, bottom;
};
RecolorRect RecolorSwatchRect(const RecolorRow& row);

struct RecolorColors {
  ColorScheme working;
  ColorScheme confirmed;
};

// Both sets from the start-up colours.
RecolorColors MakeRecolorColors(const ColorScheme& startup);
// 登録: the working colours become the confirmed ones.
void ConfirmRecolor(RecolorColors& colors);
// キャンセル: the working colours go back to the confirmed ones.
void CancelRecolor(RecolorColors& colors);
