// Which groups have a liberty, kept up to date as cells fill and empty, so
// that a capture sweep judges only the groups that may have none.
//
// A group has a liberty when one of the cells it lists has an empty
// neighbour: call such a cell open. Repeats of a point change nothing, and
// groups of one shape (GroupShapes.h) stand or fall together, so what is
// counted is cells and shapes, not points and groups:
//  - each cell counts its empty neighbours (the guard block past the grid
//    counts as empty, so an indicator cell is always open);
//  - each shape counts its open cells. A cell's openness changes only when
//    a neighbour fills or empties, and then the shapes listing it are
//    adjusted: a stone that leaves every neighbour open costs nothing beyond
//    the neighbour counts.
// A shape with members whose count falls to 0, or that a group joins while
// it is 0, waits to be judged at the next sweep (it may have gained a
// liberty again, or lost its members, by then). Counts only fall when a
// cell fills, and a sweep only empties cells, so nothing else can be without
// a liberty.
//
// Invariant (CheckConsistency): the counts are those of the board and the
// shapes; every shape with members and no open cell waits to be judged.
#pragma once

#include "model/BoardGrid.h"
#include "model/GroupShapes.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CLiberties {
public:
    bool IsOpen(int nCell) const { return m_nEmptyNeighbours[nCell] != 0; }
    // A cell's own shape is open exactly when the cell is; a larger shape
    // counts its open cells.
    std::int32_t OpenCells(ShapeId shape) const
    {
        return shape < GRID_CELLS ? IsOpen(static_cast<int>(shape)) : m_nOpenCells[shape];
    }

    // Every count from the board and the shapes, and the shapes without a
    // liberty queued. May throw std::bad_alloc.
    void Recount(const BoardGrid& board, const CGroupShapes& shapes);

    // Cell nCell, a grid cell, has just become empty (bEmpty) or filled.
    [[gnu::always_inline]] void OnEmptinessChanged(int nCell, bool bEmpty, const CGroupShapes& shapes)
    {
        if (nCell < GRID_SIZE || nCell >= GRID_CELLS - GRID_SIZE) {
            OnEmptinessChangedAtTheEdge(nCell, bEmpty, shapes);
            return;
        }
        // Every stone placed or taken comes here: the four neighbours are
        // spelled out at fixed offsets, and only a neighbour that opens or
        // closes leaves this inline path.
        if (bEmpty) {
            if (m_nEmptyNeighbours[nCell - GRID_SIZE]++ == 0)
                OnOpened(nCell - GRID_SIZE, shapes);
            if (m_nEmptyNeighbours[nCell + GRID_SIZE]++ == 0)
                OnOpened(nCell + GRID_SIZE, shapes);
            if (m_nEmptyNeighbours[nCell - 1]++ == 0)
                OnOpened(nCell - 1, shapes);
            if (m_nEmptyNeighbours[nCell + 1]++ == 0)
                OnOpened(nCell + 1, shapes);
        } else {
            if (--m_nEmptyNeighbours[nCell - GRID_SIZE] == 0)
                OnClosed(nCell - GRID_SIZE, shapes);
            if (--m_nEmptyNeighbours[nCell + GRID_SIZE] == 0)
                OnClosed(nCell + GRID_SIZE, shapes);
            if (--m_nEmptyNeighbours[nCell - 1] == 0)
                OnClosed(nCell - 1, shapes);
            if (--m_nEmptyNeighbours[nCell + 1] == 0)
                OnClosed(nCell + 1, shapes);
        }
    }

    // A shape just made: its open cells counted. May throw std::bad_alloc.
    void CountShape(ShapeId shape, const CGroupShapes& shapes);
    // A shape that has just grown by nCell.
    void AddCell(ShapeId shape, int nCell) { m_nOpenCells[shape] += IsOpen(nCell); }
    // A group has just joined the shape. May throw std::bad_alloc.
    [[gnu::always_inline]] void OnJoined(ShapeId shape)
    {
        if (OpenCells(shape) == 0)
            m_waitingShapes.push_back(shape);
    }

    // What waits to be judged, taken by the sweep; the list keeps its room
    // for the next one.
    std::vector<ShapeId>& WaitingShapes() { return m_waitingShapes; }
    void ClearWaiting() { m_waitingShapes.clear(); }

    std::string CheckConsistency(const BoardGrid& board, const CGroupShapes& shapes) const;

private:
    // The first and last columns, which only tests write: neighbours past
    // either end of the grid are left out.
    void OnEmptinessChangedAtTheEdge(int nCell, bool bEmpty, const CGroupShapes& shapes);
    // A cell that has just gained its first empty neighbour, or lost its
    // last: every shape listing it gains or loses an open cell.
    [[gnu::always_inline]] void OnOpened(int nCell, const CGroupShapes& shapes)
    {
        if (shapes.HasLarger(nCell))
            for (const ShapeId shape : shapes.LargerShapesAt(nCell))
                ++m_nOpenCells[shape];
    }
    [[gnu::always_inline]] void OnClosed(int nCell, const CGroupShapes& shapes)
    {
        if (shapes.HasOwnMembers(nCell))
            m_waitingShapes.push_back(CGroupShapes::CellShape(nCell));
        if (shapes.HasLarger(nCell))
            CloseLargerShapes(nCell, shapes);
    }
    [[gnu::noinline]] void CloseLargerShapes(int nCell, const CGroupShapes& shapes);
    static std::uint8_t CountEmptyNeighbours(const BoardGrid& board, int nCell);
    void Reserve(ShapeId nLimit)
    {
        if (m_nOpenCells.size() < nLimit)
            m_nOpenCells.resize(std::max<std::size_t>(nLimit, 2 * m_nOpenCells.size()));
    }

    std::array<std::uint8_t, GRID_CELLS> m_nEmptyNeighbours{};
    std::vector<std::int32_t> m_nOpenCells;  // by shape; for larger shapes only
    std::vector<ShapeId> m_waitingShapes;
};
