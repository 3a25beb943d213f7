// Snapshots that run out of memory halfway: the position must never go on
// sharing parts with a snapshot whose parts it no longer matches.
#include "model/GamePosition.h"
#include "support/BoardText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

namespace {

// Allocations this test allows before the next one fails; negative: any.
long g_nAllocationsLeft = -1;

class FailingAllocations {
public:
    explicit FailingAllocations(long nAllowed) { g_nAllocationsLeft = nAllowed; }
    ~FailingAllocations() { g_nAllocationsLeft = -1; }
};

}  // namespace

void* operator new(std::size_t nBytes)
{
    if (g_nAllocationsLeft == 0)
        throw std::bad_alloc();
    if (g_nAllocationsLeft > 0)
        --g_nAllocationsLeft;
    if (void* p = std::malloc(nBytes != 0 ? nBytes : 1))
        return p;
    throw std::bad_alloc();
}

// The array forms too: a sanitizer runtime supplies its own otherwise.
void* operator new[](std::size_t nBytes)
{
    return operator new(nBytes);
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

void operator delete[](void* p) noexcept
{
    std::free(p);
}

void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}

namespace {

void Place(CGamePosition& position, int x, int y, PointValue value)
{
    position.SetValueAt(x, y, value);
    position.AddStoneToGroups(x, y);
    position.SweepCaptures();
}

// Board and groups, as text.
std::string Describe(const CGamePosition& position)
{
    std::string text = testing_support::BoardText(position);
    for (const StoneGroup& group : position.GetGroups()) {
        for (const CPoint point : group)
            text += std::to_string(point.x) + "," + std::to_string(point.y) + " ";
        text += "\n";
    }
    return text;
}

// Stones and marks enough for several segments of two groups; then a stone
// that joins a group near the head, so that a later snapshot shares only
// the first segment with the earlier one.
class SnapshotFailureTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_position.SetTuning({.nSegmentGroups = 2, .nHeapRuns = 3});
        Build();
    }

    void Build()
    {
        m_position.ResetPosition();
        for (int i = 0; i < 12; ++i)
            Place(m_position, 1 + 3 * (i % 6), 1 + 4 * (i / 6), i % 2 ? PT_WHITE : PT_BLACK);
        Place(m_position, 21, 20, PT_BLACK);
        m_earlier = m_position.TakeSnapshot();
        m_strEarlier = Describe(m_position);
        Place(m_position, 1 + 3 * 4, 2, PT_BLACK);
        Place(m_position, 10, 10, PT_FLOWER);
    }

    CGamePosition m_position;
    CGamePosition::CSnapshot m_earlier;
    std::string m_strEarlier;
};

TEST_F(SnapshotFailureTest, ASnapshotThatRunsOutOfMemoryLeavesTheEarlierOneRestorable)
{
    for (long nAllowed = 0;; ++nAllowed) {
        Build();
        bool bFailed = false;
        try {
            const FailingAllocations failing(nAllowed);
            m_position.TakeSnapshot(&m_earlier);
        } catch (const std::bad_alloc&) {
            bFailed = true;
        }
        m_position.RestoreSnapshot(m_earlier);
        ASSERT_EQ(Describe(m_position), m_strEarlier) << "allocation " << nAllowed << " failed";
        ASSERT_EQ(m_position.CheckConsistency(), "");
        if (!bFailed)
            break;
    }
}

TEST_F(SnapshotFailureTest, ARestoreThatRunsOutOfMemoryLeavesNoSharingWithWhatItWasRestoring)
{
    const CGamePosition::CSnapshot later = m_position.TakeSnapshot(&m_earlier);
    const std::string strLater = Describe(m_position);
    for (long nAllowed = 0;; ++nAllowed) {
        m_position.RestoreSnapshot(later);
        bool bFailed = false;
        try {
            const FailingAllocations failing(nAllowed);
            m_position.RestoreSnapshot(m_earlier);
        } catch (const std::bad_alloc&) {
            bFailed = true;
        }
        // Half built: what is restored next must not be taken for a descendant.
        m_position.RestoreSnapshot(later);
        ASSERT_EQ(Describe(m_position), strLater) << "allocation " << nAllowed << " failed";
        if (!bFailed)
            break;
    }
}

}  // namespace
