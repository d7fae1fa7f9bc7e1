// The colour dialog's rows and its two colour sets.
#include <gtest/gtest.h>

#include <set>

#include "recolor_rules.h"

namespace {

// The colour slots under the names of the dialog's rows.
constexpr ColorSlot kRecolorBase = kBaseSlot, kRecolorGrid = kGraphGridSlot,
                    kRecolorGraph = kGraphSlot, kRecolorTodayBack = kTodayBackSlot,
                    kRecolorMarkBack = kMarkBackSlot, kRecolorString = kStringSlot,
                    kRecolorBaseLine = kBaseTempeLineSlot;

const ColorScheme kStartup{.BaseColor = 0x000000,
                           .GraphGridColor = 0xC0C0C0,
                           .GraphColor = 0x0000FF,
                           .TodayBackColor = 0xE0FFFF,
                           .MarkBackColor = 0xFFE0E0,
                           .StringColor = 0x101010,
                           .BaseTempeLineColor = 0x00FF00};

}  // namespace

TEST(RecolorRows, EachButtonPicksItsOwnColourOfTheScheme) {
  EXPECT_EQ(RecolorRowOfButton(515)->slot, kRecolorString);
  EXPECT_EQ(RecolorRowOfButton(516)->slot, kRecolorBase);
  EXPECT_EQ(RecolorRowOfButton(517)->slot, kRecolorGrid);
  EXPECT_EQ(RecolorRowOfButton(518)->slot, kRecolorGraph);
  EXPECT_EQ(RecolorRowOfButton(519)->slot, kRecolorTodayBack);
  EXPECT_EQ(RecolorRowOfButton(520)->slot, kRecolorMarkBack);
  EXPECT_EQ(RecolorRowOfButton(521)->slot, kRecolorBaseLine);
  EXPECT_EQ(RecolorRowOfButton(514), nullptr) << "a swatch is not a button";
  EXPECT_EQ(RecolorRowOfButton(1), nullptr);
  EXPECT_EQ(RecolorRowOfButton(522), nullptr);
}

TEST(RecolorRows, SwatchesSitBesideTheirCaptionsWithoutOverlap) {
  std::set<int> slots;
  int previousBottom = 0;
  for (const RecolorRow& row : kRecolorRows) {
    const RecolorRect r = RecolorSwatchRect(row);
    EXPECT_EQ(r.left, 70);
    EXPECT_EQ(r.right, 120);
    EXPECT_EQ(r.bottom - r.top, 15);
    EXPECT_GE(r.top, previousBottom);
    previousBottom = r.bottom;
    EXPECT_EQ(row.swatchId, row.captionId + 7);
    EXPECT_EQ(row.buttonId, row.captionId + 14);
    slots.insert(row.slot);
  }
  EXPECT_EQ(slots.size(), 7u) << "every colour of the scheme has exactly one row";
}

TEST(RecolorRows, PaintOrderIsBaseToMarkThenStringThenBaseLine) {
  const int expectedSwatches[] = {509, 510, 511, 512, 513, 508, 514};
  for (int i = 0; i < kRecolorSlotCount; ++i) {
    EXPECT_EQ(kRecolorRows[kRecolorPaintOrder[i]].swatchId, expectedSwatches[i]) << i;
  }
}

TEST(RecolorColourSets, CancelBringsBackTheConfirmedColours) {
  RecolorColors c = MakeRecolorColors(kStartup);
  c.working[kRecolorGraph] = 0x123456;
  CancelRecolor(c);
  EXPECT_EQ(c.working[kRecolorGraph], 0x0000FFu);
  EXPECT_EQ(c.confirmed[kRecolorGraph], 0x0000FFu);
}

TEST(RecolorColourSets, ConfirmKeepsThePickForLaterCancels) {
  RecolorColors c = MakeRecolorColors(kStartup);
  c.working[kRecolorGraph] = 0x123456;
  ConfirmRecolor(c);
  c.working[kRecolorString] = 0xABCDEF;
  CancelRecolor(c);
  EXPECT_EQ(c.working[kRecolorGraph], 0x123456u);
  EXPECT_EQ(c.working[kRecolorString], 0x101010u);
  for (int i = 0; i < kRecolorSlotCount; ++i) EXPECT_EQ(c.working[i], c.confirmed[i]) << i;
}
