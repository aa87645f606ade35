#include "ordering/collation.h"

#include <gtest/gtest.h>

TEST(Collation, Placeholder) { EXPECT_EQ(CharRank('a'), 48); }
