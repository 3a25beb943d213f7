#include "model/PointStore.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Joins of every mix of sizes, each checked against plain concatenation: the
// larger side's block is kept, and the smaller side's points go after its
// points or, many times over, in front of them.
TEST(PointStore, JoinPutsTheOtherPointsAfterItsOwnWhicheverSideIsLarger)
{
    CPointStore stores[2];
    int nJoined = 0;  // the store holding the points joined so far
    std::vector<CPoint> expected;
    int n = 0;
    for (int nRound = 0; nRound < 60; ++nRound) {
        CPointStore& fresh = stores[1 - nJoined];
        std::vector<CPoint> freshPoints;
        for (int i = 0, nSize = nRound % 4 == 0 ? nRound + 2 : nRound % 4; i < nSize; ++i, ++n) {
            fresh.Add({n, -n});
            freshPoints.push_back({n, -n});
        }
        if (nRound % 3 == 0) {
            stores[nJoined].Join(fresh);
            expected.insert(expected.end(), freshPoints.begin(), freshPoints.end());
        } else {
            fresh.Join(stores[nJoined]);
            expected.insert(expected.begin(), freshPoints.begin(), freshPoints.end());
            nJoined = 1 - nJoined;
        }
        ASSERT_EQ(stores[1 - nJoined].GetSize(), 0u);
        const std::span<const CPoint> points = stores[nJoined].Points();
        ASSERT_EQ(std::vector<CPoint>(points.begin(), points.end()), expected) << "round " << nRound;
    }
}

}  // namespace
