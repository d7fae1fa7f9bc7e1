// The main window runs every command of the command table through a handler of its own.
#include <gtest/gtest.h>

#include "command_table.h"
#include "main_window_win.h"

TEST(CommandDispatch, EveryCommandRowHasAHandlerAndNoOtherIdHasOne) {
  for (int id = 0; id < 0x10000; ++id)
    EXPECT_EQ(FindCommandHandler(id) != nullptr, FindCommandRow(id) != nullptr) << id;
}
