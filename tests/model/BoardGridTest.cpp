#include "model/BoardGrid.h"
#include "model/GamePosition.h"
#include "support/BoardText.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

using testing_support::BoardText;

TEST(BoardLayout, ValueAtReadsTheCellOfXThenY)
{
    CGamePosition position;
    position.SetValueAt(3, 5, PT_BLACK);
    EXPECT_EQ(position.ValueAt(3, 5), PT_BLACK);
    EXPECT_EQ(position.ValueAt(5, 3), PT_EMPTY);
    EXPECT_EQ(BoardText(position).substr(4 * 20, 20), "..X................\n");  // row y = 5
}

TEST(ResetBoard, FramesTheEmptyBoardWithEdgeCellsIncludingTheIndicators)
{
    CGamePosition position;
    for (int nCell = 0; nCell < GRID_CELLS; ++nCell)
        position.SetValueAt(nCell / GRID_SIZE, nCell % GRID_SIZE, PT_WHITE);
    position.ResetBoard();
    for (const auto& [x, y] : {std::pair{0, 0}, {0, 7}, {7, 0}, {20, 5}, {5, 21}, {21, 20}, {21, 21}, {20, 20}, {0, 21}})
        EXPECT_EQ(position.ValueAt(x, y), PT_EDGE) << x << "," << y;
    std::string emptyRows;
    for (int y = 1; y <= 19; ++y)
        emptyRows += "...................\n";
    EXPECT_EQ(BoardText(position), emptyRows);

    int nEdges = 0;
    for (const PointValue value : position.m_board)
        nEdges += value == PT_EDGE;
    EXPECT_EQ(nEdges, 484 - 361);
}

TEST(GuardBlock, ReadsPastTheIndicatorCellsFindEmptyCells)
{
    CGamePosition position;
    for (int nCell = 0; nCell < GRID_CELLS; ++nCell)
        position.SetValueAt(nCell / GRID_SIZE, nCell % GRID_SIZE, PT_FLOWER);
    EXPECT_EQ(position.ValueAt(22, 20), PT_EMPTY);
    EXPECT_EQ(position.ValueAt(22, 21), PT_EMPTY);
    EXPECT_EQ(position.ValueAt(21, 22), PT_EMPTY);
}

TEST(PixelToPoint, EachPointOwnsThirtyPixelsCentredOnItsLine)
{
    EXPECT_EQ(PixelToPoint(14), 0);
    EXPECT_EQ(PixelToPoint(15), 1);
    EXPECT_EQ(PixelToPoint(44), 1);
    EXPECT_EQ(PixelToPoint(45), 2);
    EXPECT_EQ(PixelToPoint(584), 19);
    EXPECT_EQ(PixelToPoint(585), 20);
    EXPECT_EQ(PixelToPoint(615), 21);
    EXPECT_EQ(PixelToPoint(645), 22);
}

TEST(PixelToPoint, DivisionTruncatesTowardZeroForNegativePixels)
{
    EXPECT_EQ(PixelToPoint(0), 0);
    EXPECT_EQ(PixelToPoint(-15), 0);
    EXPECT_EQ(PixelToPoint(-44), 0);
    EXPECT_EQ(PixelToPoint(-45), -1);
}

TEST(PixelToPoint, EveryPixelOfAPointSquareMapsBackToThePoint)
{
    for (int n = 1; n <= 19; ++n) {
        const int nCentre = PointToPixel(n);
        EXPECT_EQ(nCentre, 30 * n);
        EXPECT_EQ(PixelToPoint(nCentre - 15), n);
        EXPECT_EQ(PixelToPoint(nCentre + 14), n);
        EXPECT_EQ(PixelToPoint(nCentre + 15), n + 1);
    }
}

TEST(DisplayCoordinates, CentreIsZeroXGrowsRightYGrowsUpIndicatorsLieOutside)
{
    EXPECT_EQ(DisplayX(1), -9);
    EXPECT_EQ(DisplayX(10), 0);
    EXPECT_EQ(DisplayX(19), 9);
    EXPECT_EQ(DisplayY(1), 9);
    EXPECT_EQ(DisplayY(10), 0);
    EXPECT_EQ(DisplayY(19), -9);

    EXPECT_EQ(DisplayX(21), 11);
    EXPECT_EQ(DisplayY(20), -10);  // pass indicator shows as 11, -10
    EXPECT_EQ(DisplayY(21), -11);  // bomb indicator shows as 11, -11
}

TEST(IsBoardPoint, AcceptsOneToNineteenInBothCoordinatesOnly)
{
    EXPECT_TRUE(IsBoardPoint(1, 1));
    EXPECT_TRUE(IsBoardPoint(19, 19));
    EXPECT_TRUE(IsBoardPoint(1, 19));
    for (const auto& [x, y] : {std::pair{0, 1}, {1, 0}, {20, 1}, {1, 20}, {21, 20}, {21, 21}, {-1, 5}, {5, 22}})
        EXPECT_FALSE(IsBoardPoint(x, y)) << x << "," << y;
}

}  // namespace
