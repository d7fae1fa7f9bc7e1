// The command table the menu bar, the accelerators and the dispatch are built from.
#include "command_table.h"

#include <gtest/gtest.h>

#include <set>

TEST(CommandTable, EachCommandHasOneRowAndEveryMenuItsItems) {
  std::set<int> ids;
  int itemsPerMenu[kMenuPopupCount] = {};
  for (const CommandRow& row : kCommandRows) {
    if (row.id != 0) {
      EXPECT_TRUE(ids.insert(row.id).second) << "two rows of " << row.id;
    }
    EXPECT_EQ(row.text == nullptr, row.id == 0 || row.popup == MenuPopup::NoMenu) << row.id;
    if (row.popup != MenuPopup::NoMenu) ++itemsPerMenu[static_cast<int>(row.popup)];
    EXPECT_EQ(FindCommandRow(row.id), row.id == 0 ? nullptr : &row);
  }
  for (int count : itemsPerMenu) EXPECT_GT(count, 0);
  EXPECT_EQ(FindCommandRow(204), nullptr);
}

// The marks follow the chart mode and the switch of the curve's reading; the menu is built with
// those of the temperature mode, the reading shown.
TEST(CommandTable, CheckMarksFollowTheModeAndTheShiftSwitch) {
  const struct {
    MenuCheckState state;
    int checkedMode;
  } cases[] = {{{1, true}, 1}, {{2, false}, 2}, {{3, true}, 3}, {{0, false}, 0}, {{4, true}, 0}};
  for (const auto& c : cases) {
    for (const CommandRow& row : kCommandRows) {
      const bool expected = row.check == MenuCheck::ChartMode ? row.mode == c.checkedMode
                            : row.check == MenuCheck::ShowShift ? c.state.showShift
                                                                 : false;
      EXPECT_EQ(IsCommandChecked(row, c.state), expected)
          << row.id << " in mode " << c.state.chartMode;
    }
  }
  EXPECT_TRUE(IsCommandChecked(*FindCommandRow(kTemperatureModeCommand), MenuCheckState{}));
  EXPECT_TRUE(IsCommandChecked(*FindCommandRow(kShowShiftCommand), MenuCheckState{}));
}

TEST(CommandTable, AcceleratorsAreTheRowsWithAKeyByCommand) {
  const auto rows = AcceleratorRows();
  ASSERT_EQ(rows.size(), 7u);
  const struct {
    int id;
    std::uint16_t key;
    bool ctrl, shift, alt;
  } expected[] = {{kBasicSettingsCommand, 'B', true, false, false},
                  {kColorsCommand, 'C', true, true, false},
                  {kPrintCommand, 'P', true, false, false},
                  {kGuideCommand, kKeyF1, false, false, false},
                  // The side panel's buttons by their underlined letters.
                  {kAddButtonCommand, 'A', false, false, true},
                  {kUpdateButtonCommand, 'M', false, false, true},
                  {kDeleteButtonCommand, 'D', false, false, true}};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].id, expected[i].id);
    EXPECT_EQ(rows[i].key.key, expected[i].key) << rows[i].id;
    EXPECT_EQ(rows[i].key.ctrl, expected[i].ctrl) << rows[i].id;
    EXPECT_EQ(rows[i].key.shift, expected[i].shift) << rows[i].id;
    EXPECT_EQ(rows[i].key.alt, expected[i].alt) << rows[i].id;
  }
}
