#include "recolor_rules.h"

const RecolorRow kRecolorRows[kRecolorSlotCount] = {
    {10, 501, 508, 515, kStringSlot},          // 文字色
    {35, 502, 509, 516, kBaseSlot},            // 基本線色
    {60, 503, 510, 517, kGraphGridSlot},       // グリッド色
    {85, 504, 511, 518, kGraphSlot},           // グラフ線色
    {110, 505, 512, 519, kTodayBackSlot},      // 本日背景色
    {135, 506, 513, 520, kMarkBackSlot},       // マーク背景色
    {160, 507, 514, 521, kBaseTempeLineSlot},  // 基準体温色
};

const int kRecolorPaintOrder[kRecolorSlotCount] = {1, 2, 3, 4, 5, 0, 6};

const RecolorRow* RecolorRowOfButton(int buttonId) {
  for (const RecolorRow& row : kRecolorRows) {
    if (row.buttonId == buttonId) return &row;
  }
  return nullptr;
}

RecolorRect RecolorSwatchRect(const RecolorRow& row) { return {70, row.y, 120, row.y + 15}; }

RecolorColors MakeRecolorColors(const ColorScheme& startup) { return {startup, startup}; }

void ConfirmRecolor(RecolorColors& colors) { colors.confirmed = colors.working; }

void CancelRecolor(RecolorColors& colors) { colors.working = colors.confirmed; }
