#include "fw/core/CArray.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <utility>
#include <vector>

namespace {

// Once armed, the next allocation through operator new fails, as one does
// when memory runs short.
std::atomic<bool> g_bFailNextAllocation{false};

}  // namespace

void* operator new(std::size_t nBytes)
{
    if (g_bFailNextAllocation.exchange(false))
        throw std::bad_alloc();
    if (void* p = std::malloc(nBytes != 0 ? nBytes : 1))
        return p;
    throw std::bad_alloc();
}

// Out of line: inlined next to the operator new of a library header, the
// free here looks mismatched to the compiler.
[[gnu::noinline]] void operator delete(void* p) noexcept
{
    std::free(p);
}

[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

// The array forms too: a sanitizer's own would bypass the ones above.
void* operator new[](std::size_t nBytes)
{
    return operator new(nBytes);
}

[[gnu::noinline]] void operator delete[](void* p) noexcept
{
    std::free(p);
}

[[gnu::noinline]] void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}

namespace {

std::vector<int> Elements(const CArray<int>& array)
{
    return {array.begin(), array.end()};
}

// An array holding 0, 1, ..., nSize - 1 in storage of exactly nSize.
CArray<int> Counting(int nSize)
{
    CArray<int> array;
    array.SetSize(nSize);
    for (int i = 0; i < nSize; ++i)
        array[i] = i;
    return array;
}

// --- growth ---------------------------------------------------------------------------------

TEST(CArrayGrowth, AppendingOneAtATimeFollowsTheFrameworkCapacities)
{
    CArray<int> array;
    std::vector<int> capacities;
    for (int i = 0; i < 90; ++i) {
        EXPECT_EQ(array.Add(i), i);
        if (capacities.empty() || capacities.back() != array.GetCapacity())
            capacities.push_back(array.GetCapacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{1, 5, 9, 13, 17, 21, 25, 29, 33, 37, 41, 46, 51, 57, 64, 72, 81, 91}));
    EXPECT_EQ(Elements(array), Elements(Counting(90)));
}

TEST(CArrayGrowth, FirstAllocationIsExactlyTheRequestedSize)
{
    CArray<int> array;
    array.SetSize(37);
    EXPECT_EQ(array.GetSize(), 37);
    EXPECT_EQ(array.GetCapacity(), 37);
    EXPECT_EQ(Elements(array), std::vector<int>(37, 0));
}

TEST(CArrayGrowth, GrowingStepsByAnEighthOfTheSizeClampedToFourAnd1024)
{
    struct Case {
        int nSize;
        int nCapacity;
    };
    for (const Case c : {Case{3, 3 + 4}, Case{39, 39 + 4}, Case{40, 40 + 5}, Case{8192, 8192 + 1024},
                         Case{8200, 8200 + 1024}, Case{20000, 20000 + 1024}}) {
        SCOPED_TRACE(c.nSize);
        CArray<int> array = Counting(c.nSize);
        array.SetSize(c.nSize + 1);
        EXPECT_EQ(array.GetCapacity(), c.nCapacity);
        EXPECT_EQ(array[c.nSize - 1], c.nSize - 1);
        EXPECT_EQ(array[c.nSize], 0);
    }
}

TEST(CArrayGrowth, RequestBeyondTheStepIsAllocatedExactlyAndOneWithinItGetsTheStep)
{
    CArray<int> array = Counting(10);
    array.SetSize(15);  // one past the step of 4
    EXPECT_EQ(array.GetCapacity(), 15);
    array.SetSize(16);
    EXPECT_EQ(array.GetCapacity(), 15 + 4);
}

TEST(CArrayGrowth, ASetStepIsAddedOnEveryGrowthUntilSetAgain)
{
    CArray<int> array = Counting(10);
    array.SetSize(11, 100);
    EXPECT_EQ(array.GetCapacity(), 10 + 100);
    array.SetSize(111);  // -1 keeps the step
    EXPECT_EQ(array.GetCapacity(), 110 + 100);
    EXPECT_EQ(array.GetGrowBy(), 100);
    array.SetSize(211, 0);
    EXPECT_EQ(array.GetCapacity(), 210 + 13);  // 111 / 8, the automatic step again
    EXPECT_EQ(array[9], 9);
}

TEST(CArrayGrowth, StepAfterAShrinkComesFromTheSizeNotTheStorage)
{
    CArray<int> array = Counting(100);
    array.SetSize(10);
    array.SetSize(101);
    EXPECT_EQ(array.GetCapacity(), 100 + 4);  // 10 / 8 clamped up to 4, not 100 / 8
}

// --- shrinking and releasing ----------------------------------------------------------------

TEST(CArrayShrink, ShrinkingKeepsTheStorageAndRegrowingInItGivesZeros)
{
    CArray<int> array = Counting(50);
    const int* pData = array.GetData();
    array.SetSize(10);
    EXPECT_EQ(array.GetCapacity(), 50);
    EXPECT_EQ(array.GetData(), pData);
    array.SetSize(20);
    EXPECT_EQ(array.GetData(), pData);
    std::vector<int> expected = Elements(Counting(10));
    expected.resize(20, 0);
    EXPECT_EQ(Elements(array), expected);
}

TEST(CArrayShrink, SizeZeroReleasesTheStorageAndTheNextAllocationIsExactAgain)
{
    for (const bool bRemoveAll : {false, true}) {
        CArray<int> array = Counting(50);
        if (bRemoveAll)
            array.RemoveAll();
        else
            array.SetSize(0);
        EXPECT_TRUE(array.IsEmpty());
        EXPECT_EQ(array.GetCapacity(), 0);
        EXPECT_EQ(array.GetData(), nullptr);
        array.Add(7);
        EXPECT_EQ(array.GetCapacity(), 1);
    }
}

TEST(CArrayShrink, RemoveAtClosesTheGapAndKeepsTheStorage)
{
    CArray<int> array = Counting(10);
    array.RemoveAt(2, 3);
    EXPECT_EQ(Elements(array), (std::vector<int>{0, 1, 5, 6, 7, 8, 9}));
    array.RemoveAt(6);
    array.RemoveAt(0);
    array.RemoveAt(2, 0);
    EXPECT_EQ(Elements(array), (std::vector<int>{1, 5, 6, 7, 8}));
    EXPECT_EQ(array.GetCapacity(), 10);
    array.RemoveAt(0, 5);
    EXPECT_TRUE(array.IsEmpty());
    EXPECT_EQ(array.GetCapacity(), 10);
}

// --- elements that alias the array ----------------------------------------------------------

TEST(CArrayAdd, AddingItsOwnElementAcrossAGrowthCopiesTheValue)
{
    CArray<int> array;
    array.Add(41);
    for (int i = 0; i < 20; ++i) {
        const bool bGrows = array.GetSize() == array.GetCapacity();
        const int nFirst = array[0];
        const int nLast = array[array.GetSize() - 1];
        array.Add(i % 2 == 0 ? array[0] : array[array.GetSize() - 1]);
        EXPECT_EQ(array[array.GetSize() - 1], i % 2 == 0 ? nFirst : nLast) << "grew: " << bGrows;
        array[array.GetSize() - 1] += 1;
    }
}

// --- copies ---------------------------------------------------------------------------------

TEST(CArrayCopy, CopyHoldsTheElementsInStorageOfExactlyItsSizeAndIsIndependent)
{
    CArray<int> original = Counting(20);
    original.SetSize(12);
    CArray<int> copy = original;
    EXPECT_EQ(Elements(copy), Elements(original));
    EXPECT_EQ(copy.GetCapacity(), 12);
    copy[0] = 99;
    EXPECT_EQ(original[0], 0);

    CArray<int> assigned = Counting(3);
    assigned = original;
    EXPECT_EQ(Elements(assigned), Elements(original));
    EXPECT_EQ(assigned.GetCapacity(), 12);
    assigned = std::as_const(assigned);
    EXPECT_EQ(Elements(assigned), Elements(original));
}

TEST(CArrayCopy, AssignmentThatRunsOutOfMemoryLeavesTheArrayAsItWas)
{
    const CArray<int> source = Counting(20);
    CArray<int> target = Counting(5);
    const int* pData = target.GetData();
    bool bThrew = false;
    g_bFailNextAllocation = true;
    try {
        target = source;
    } catch (const std::bad_alloc&) {
        bThrew = true;
    }
    g_bFailNextAllocation = false;  // for gtest's own allocations, should no allocation have come
    ASSERT_TRUE(bThrew);
    EXPECT_EQ(Elements(target), Elements(Counting(5)));
    EXPECT_EQ(target.GetData(), pData);
    EXPECT_EQ(target.GetCapacity(), 5);
}

// A loaded record is moved into the document; its capacity must come along.
TEST(CArrayCopy, MoveTakesTheStorageWithItsCapacity)
{
    CArray<int> source = Counting(20);
    source.SetSize(5);
    const int* pData = source.GetData();
    CArray<int> moved;
    moved = std::move(source);
    EXPECT_EQ(moved.GetData(), pData);
    EXPECT_EQ(moved.GetSize(), 5);
    EXPECT_EQ(moved.GetCapacity(), 20);
}

}  // namespace
