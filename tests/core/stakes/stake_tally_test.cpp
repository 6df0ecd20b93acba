#include "core/stakes/stake_tally.h"

#include "../temp_dir.h"
#include "stake_test_util.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

class StakeTallyTest : public test::TempDirTest {};

// Separators are records but no stakes; the tally follows appends, deletions and a clear.
TEST_F(StakeTallyTest, CountsStakesNotSeparators) {
    TStakeFile file(Path("Velmora_5x50.lsk"));
    file.Open();
    TStakeTally tally;
    EXPECT_EQ(tally.Count(file), 0);
    file.AppendStakes(test::Stake(5), 1);
    file.AppendSeparatorIfNeeded();
    file.AppendStakes(test::Stake(6), 3);  // three stakes, a separator before each copy after the first
    ASSERT_GT(file.StakeCount(), 4);
    EXPECT_EQ(tally.Count(file), 4);
    EXPECT_EQ(CountStakes(file), 4);
    file.AppendSeparatorIfNeeded();
    file.AppendStakes(test::Stake(9), 1);
    EXPECT_EQ(tally.Count(file), 5);
    // A deletion (fewer records than counted) is counted anew.
    EXPECT_EQ(file.DeleteStakeRows(1, 1), 1);
    EXPECT_EQ(tally.Count(file), 4);
    file.StakeClear();
    EXPECT_EQ(tally.Count(file), 0);
    file.AppendStakes(test::Stake(7), 1);
    EXPECT_EQ(tally.Count(file), 1);
}

} // namespace
} // namespace velmora
