#include "Liberties.h"

#include "model/GridCells.h"

std::uint8_t CLiberties::CountEmptyNeighbours(const BoardGrid& board, int nCell)
{
    std::uint8_t nEmpty = 0;
    for (const int nOffset : grid_cells::kNeighbourOffsets) {
        const int nNeighbour = nCell + nOffset;
        // Past the grid lies the guard block, empty throughout; before it,
        // nothing.
        if (nNeighbour >= GRID_CELLS || (nNeighbour >= 0 && board[nNeighbour] == PT_EMPTY))
            ++nEmpty;
    }
    return nEmpty;
}

void CLiberties::Recount(const BoardGrid& board, const CGroupShapes& shapes)
{
    ClearWaiting();
    for (int nCell = 0; nCell < GRID_CELLS; ++nCell)
        m_nEmptyNeighbours[nCell] = CountEmptyNeighbours(board, nCell);
    Reserve(shapes.ShapeLimit());
    for (ShapeId shape = 0; shape < shapes.ShapeLimit(); ++shape)
        if (shapes[shape].nFirstCell >= 0) {
            if (shape >= GRID_CELLS)
                CountShape(shape, shapes);
            if (shapes[shape].firstMember != NO_GROUP)
                OnJoined(shape);
        }
}

void CLiberties::CountShape(ShapeId shape, const CGroupShapes& shapes)
{
    Reserve(shapes.ShapeLimit());
    std::int32_t nOpen = 0;
    shapes[shape].cells.ForEach([&](int nCell) { nOpen += IsOpen(nCell); });
    m_nOpenCells[shape] = nOpen;
}

void CLiberties::CloseLargerShapes(int nCell, const CGroupShapes& shapes)
{
    for (const ShapeId shape : shapes.LargerShapesAt(nCell))
        if (--m_nOpenCells[shape] == 0)
            m_waitingShapes.push_back(shape);
}

void CLiberties::OnEmptinessChangedAtTheEdge(int nCell, bool bEmpty, const CGroupShapes& shapes)
{
    for (const int nOffset : grid_cells::kNeighbourOffsets) {
        const int nNeighbour = nCell + nOffset;
        if (nNeighbour < 0 || nNeighbour >= GRID_CELLS)
            continue;
        if (bEmpty && m_nEmptyNeighbours[nNeighbour]++ == 0)
            OnOpened(nNeighbour, shapes);
        else if (!bEmpty && --m_nEmptyNeighbours[nNeighbour] == 0)
            OnClosed(nNeighbour, shapes);
    }
}

std::string CLiberties::CheckConsistency(const BoardGrid& board, const CGroupShapes& shapes) const
{
    for (int nCell = 0; nCell < GRID_CELLS; ++nCell)
        if (m_nEmptyNeighbours[nCell] != CountEmptyNeighbours(board, nCell))
            return "cell " + std::to_string(nCell) + " counts " + std::to_string(m_nEmptyNeighbours[nCell]) +
                   " empty neighbours, the board shows " + std::to_string(CountEmptyNeighbours(board, nCell));
    for (ShapeId shape = 0; shape < shapes.ShapeLimit(); ++shape) {
        if (shapes[shape].nFirstCell < 0)
            continue;
        std::int32_t nOpen = 0;
        shapes[shape].cells.ForEach([&](int nCell) { nOpen += IsOpen(nCell); });
        if (nOpen != OpenCells(shape))
            return "shape " + std::to_string(shape) + " counts " + std::to_string(OpenCells(shape)) +
                   " open cells, its cells have " + std::to_string(nOpen);
        if (nOpen == 0 && shapes[shape].firstMember != NO_GROUP &&
            std::find(m_waitingShapes.begin(), m_waitingShapes.end(), shape) == m_waitingShapes.end())
            return "shape " + std::to_string(shape) + " has no liberty and its groups are not waiting to be judged";
    }
    return {};
}
