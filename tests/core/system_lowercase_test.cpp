#include "ordering/collation.h"
#include "ordering/system_lowercase_win32.h"
#include "reference_order.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {
TEST(SystemLowerCasing, FollowsTheWindows1252CodePage) {
    ASSERT_EQ(GetACP(), 1252u) << "the test system must use the Windows-1252 code page";
    const auto saved = CharRanks;
    CharRanks.fill(0);
    UseSystemLowerCasing();
    const auto system = CharRanks;
    CharRanks = saved;
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(system[b], ReferenceCharRank(std::string(1, static_cast<char>(b)))) << "byte " << b;
}
} // namespace
