#include "fw/core/CArray.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(CArrayGrowth, AppendingOneAtATimeFollowsTheFrameworkCapacities)
{
    CArray<int> array;
    std::vector<int> capacities;
    for (int i = 0; i < 90; ++i) {
        array.Add(i);
        if (capacities.empty() || capacities.back() != array.GetCapacity())
            capacities.push_back(array.GetCapacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{1, 5, 9, 13, 17, 21, 25, 29, 33, 37, 41, 46, 51, 57, 64, 72, 81, 91}));
}

}  // namespace
