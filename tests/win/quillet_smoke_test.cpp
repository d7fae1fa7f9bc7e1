#include <gtest/gtest.h>

#include "dates.h"

TEST(QuilletDll, DatesAcrossTheDllBoundary) {
  EXPECT_EQ(quillet::SubDay(quillet::MakeDate(2008, 3, 1), quillet::MakeDate(2008, 2, 1)), 29);
}
