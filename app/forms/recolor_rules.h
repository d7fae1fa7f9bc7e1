// The colour dialog's bookkeeping, free of any window: which row shows which colour of the
// scheme, in which order the swatches are painted, and what 登録, キャンセル and the close box do
// to the two sets of colours.
//
// The dialog keeps two sets: the working colours (what the swatches show and what the system
// colour dialog changes) and the confirmed colours (the last set accepted with 登録, or the
// start-up set). 登録 copies working to confirmed; キャンセル copies confirmed back to working;
// the close box does neither, so picks made before it show again at the next opening.
#pragma once

#include <cstdint>

// The seven colours in the fixed order of the colour scheme.
enum RecolorSlot : int {
  kRecolorBase = 0,      // BaseColor
  kRecolorGrid = 1,      // GraphGridColor
  kRecolorGraph = 2,     // GraphColor
  kRecolorTodayBack = 3, // TodayBackColor
  kRecolorMarkBack = 4,  // MarkBackColor
  kRecolorString = 5,    // StringColor
  kRecolorBaseLine = 6,  // BaseTempeLineColor
};
constexpr int kRecolorSlotCount = 7;

using RecolorValue = std::uint32_t;  // 0x00BBGGRR

// One row of the dialog, top to bottom.
struct RecolorRow {
  int y;          // dialog units
  int captionId;
  int swatchId;
  int buttonId;
  RecolorSlot slot;
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
  RecolorValue working[kRecolorSlotCount] = {};
  RecolorValue confirmed[kRecolorSlotCount] = {};
};

// Both sets from the start-up colours, in slot order.
RecolorColors MakeRecolorColors(const RecolorValue (&startup)[kRecolorSlotCount]);
// 登録: the working colours become the confirmed ones.
void ConfirmRecolor(RecolorColors& colors);
// キャンセル: the working colours go back to the confirmed ones.
void CancelRecolor(RecolorColors& colors);
