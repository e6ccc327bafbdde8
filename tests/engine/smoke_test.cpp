#include <gtest/gtest.h>
#include "support/globals.h"
TEST(Smoke, PartNumber) { EXPECT_EQ(kardomel::FormatPartNumber(7), "007"); }
