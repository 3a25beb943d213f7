#include "GroupShapes.h"

#include "model/GridCells.h"

#include <algorithm>
#include <cassert>
#include <functional>

CGroupShapes::CGroupShapes()
{
    m_shapes.resize(GRID_CELLS);
    for (int nCell = 0; nCell < GRID_CELLS; ++nCell) {
        Shape& shape = m_shapes[nCell];
        shape.cells.Insert(nCell);
        shape.nFirstCell = nCell;
        shape.nBirth = ++m_nNextBirth;
        m_cells[nCell].shapes.push_back(CellShape(nCell));
    }
}

bool CGroupShapes::IsHeld(int nCell) const
{
    return std::any_of(m_cells[nCell].shapes.begin(), m_cells[nCell].shapes.end(),
                       [this](ShapeId shape) { return m_shapes[shape].firstMember != NO_GROUP; });
}

GroupId CGroupShapes::FirstGroup(int nCell, const CGroupList& groups)
{
    Cell& cell = m_cells[nCell];
    if (cell.shapes.size() < m_nHeapThreshold) {
        GroupId first = NO_GROUP;
        for (const ShapeId shape : cell.shapes) {
            const GroupId member = m_shapes[shape].firstMember;
            if (member != NO_GROUP && (first == NO_GROUP || groups[member].nStamp < groups[first].nStamp))
                first = member;
        }
        return first;
    }
    // A stale entry on top is dropped, or put back with the stamp of its
    // shape's first member now.
    std::vector<StampEntry>& heap = cell.heap;
    while (!heap.empty()) {
        const StampEntry top = heap.front();
        const Shape& shape = m_shapes[top.shape];
        if (shape.nBirth == top.nBirth && shape.firstMember != NO_GROUP &&
            groups[shape.firstMember].nStamp == top.nStamp)
            return shape.firstMember;
        std::pop_heap(heap.begin(), heap.end(), std::greater<>());
        heap.pop_back();
        // A shape without members is pushed again when it gains one.
        if (shape.nBirth == top.nBirth && shape.firstMember != NO_GROUP) {
            heap.push_back({groups[shape.firstMember].nStamp, top.nBirth, top.shape});
            std::push_heap(heap.begin(), heap.end(), std::greater<>());
        }
    }
    return NO_GROUP;
}

ShapeId CGroupShapes::FindOrMake(const CCellSet& cells, const CGroupList& groups, bool& bMade)
{
    bMade = false;
    if (cells.IsSingle())
        return CellShape(cells.First());
    if (const auto found = m_larger.find(cells); found != m_larger.end())
        return found->second;
    ShapeId id;
    if (m_freeShapes.empty()) {
        id = static_cast<ShapeId>(m_shapes.size());
        m_shapes.emplace_back();
        m_freeShapes.reserve(m_shapes.size());  // so that FreeShape never allocates
    } else {
        id = m_freeShapes.back();
        m_freeShapes.pop_back();
    }
    Shape& shape = m_shapes[id];
    shape.cells = cells;
    shape.nFirstCell = cells.First();
    shape.nBirth = ++m_nNextBirth;
    shape.firstMember = shape.lastMember = NO_GROUP;
    m_larger.emplace(cells, id);
    cells.ForEach([&](int nCell) {
        Cell& cell = m_cells[nCell];
        cell.shapes.push_back(id);
        m_kinds[nCell] |= LARGER;
        if (cell.shapes.size() == m_nHeapThreshold)
            RebuildHeap(cell, groups);
    });
    bMade = true;
    return id;
}

void CGroupShapes::GrowMembers(GroupId id)
{
    m_members.resize(std::max<std::size_t>(id + 1, 2 * m_members.size()));
}

void CGroupShapes::JoinEmpty(GroupId id, ShapeId shapeId, const CGroupList& groups)
{
    Shape& shape = m_shapes[shapeId];
    m_members[id] = {shapeId, NO_GROUP, NO_GROUP};
    shape.firstMember = shape.lastMember = id;
    if (shapeId < GRID_CELLS) {  // a cell's own shape, as most are
        m_kinds[shapeId] |= OWN_MEMBERS;
        PushStamp(static_cast<int>(shapeId), shapeId, groups);
        return;
    }
    shape.cells.ForEach([&](int nCell) { PushStamp(nCell, shapeId, groups); });
}

void CGroupShapes::Leave(GroupId id)
{
    Member& member = m_members[id];
    const ShapeId shapeId = member.shape;
    Shape& shape = m_shapes[shapeId];
    (member.prev == NO_GROUP ? shape.firstMember : m_members[member.prev].next) = member.next;
    (member.next == NO_GROUP ? shape.lastMember : m_members[member.next].prev) = member.prev;
    member = {};
    if (shape.firstMember != NO_GROUP)
        return;
    if (shapeId < GRID_CELLS)
        m_kinds[shapeId] &= ~OWN_MEMBERS;
    else
        FreeShape(shapeId);
}

ShapeId CGroupShapes::Reshape(GroupId id, const CCellSet& cells, const CGroupList& groups, Reshaped& how)
{
    const ShapeId shapeId = m_members[id].shape;
    Shape& shape = m_shapes[shapeId];
    const bool bAlone = shape.firstMember == id && shape.lastMember == id;
    if (shape.cells == cells) {
        how = Reshaped::Kept;
        if (bAlone)
            return shapeId;  // its heap entries are put back with the new stamp when they come up
        Member& member = m_members[id];
        (member.prev == NO_GROUP ? shape.firstMember : m_members[member.prev].next) = member.next;
        m_members[member.next].prev = member.prev;  // not the last: it was not alone
        member.prev = shape.lastMember;
        member.next = NO_GROUP;
        m_members[shape.lastMember].next = id;
        shape.lastMember = id;
        return shapeId;
    }
    if (bAlone && shapeId >= GRID_CELLS && !m_larger.contains(cells)) {
        how = Reshaped::Grown;
        auto node = m_larger.extract(shape.cells);
        node.key() = cells;
        m_larger.insert(std::move(node));
        cells.Without(shape.cells).ForEach([&](int nCell) {
            Cell& cell = m_cells[nCell];
            cell.shapes.push_back(shapeId);
            m_kinds[nCell] |= LARGER;
            if (cell.shapes.size() == m_nHeapThreshold)
                RebuildHeap(cell, groups);
            else
                PushStamp(nCell, shapeId, groups);
        });
        shape.cells = cells;
        shape.nFirstCell = cells.First();
        return shapeId;
    }
    Leave(id);
    bool bMade = false;
    const ShapeId joined = FindOrMake(cells, groups, bMade);
    Join(id, joined, groups);
    how = bMade ? Reshaped::Made : Reshaped::Joined;
    return joined;
}

void CGroupShapes::FreeShape(ShapeId id)
{
    Shape& shape = m_shapes[id];
    shape.cells.ForEach([&](int nCell) {
        std::vector<ShapeId>& shapes = m_cells[nCell].shapes;
        // The cell's own shape stays first: a larger one is never there.
        const auto found = std::find(shapes.begin() + 1, shapes.end(), id);
        assert(found != shapes.end());
        *found = shapes.back();
        shapes.pop_back();
        if (shapes.size() == 1)
            m_kinds[nCell] &= ~LARGER;
        if (shapes.size() < m_nHeapThreshold)
            m_cells[nCell].heap.clear();
    });
    m_larger.erase(shape.cells);
    shape.nFirstCell = -1;
    shape.cells.Clear();
    m_freeShapes.push_back(id);
}

void CGroupShapes::PushStampToHeap(int nCell, ShapeId shape, const CGroupList& groups)
{
    Cell& cell = m_cells[nCell];
    if (cell.heap.size() > 2 * cell.shapes.size() + 8) {
        RebuildHeap(cell, groups);
        return;
    }
    cell.heap.push_back({groups[m_shapes[shape].firstMember].nStamp, m_shapes[shape].nBirth, shape});
    std::push_heap(cell.heap.begin(), cell.heap.end(), std::greater<>());
}

void CGroupShapes::RebuildHeap(Cell& cell, const CGroupList& groups)
{
    cell.heap.clear();
    for (const ShapeId shape : cell.shapes)
        if (m_shapes[shape].firstMember != NO_GROUP)
            cell.heap.push_back({groups[m_shapes[shape].firstMember].nStamp, m_shapes[shape].nBirth, shape});
    std::make_heap(cell.heap.begin(), cell.heap.end(), std::greater<>());
}

void CGroupShapes::Clear()
{
    m_shapes.resize(GRID_CELLS);
    for (Shape& shape : m_shapes)
        shape.firstMember = shape.lastMember = NO_GROUP;
    m_freeShapes.clear();
    m_members.clear();
    m_larger.clear();
    for (Cell& cell : m_cells) {
        cell.shapes.resize(1);
        cell.heap.clear();
    }
    m_kinds.fill(0);
}

std::string CGroupShapes::CheckConsistency(const CGroupList& groups) const
{
    std::size_t nMembers = 0;
    for (GroupId id = groups.Head(); id != NO_GROUP; id = groups[id].next) {
        CCellSet cells;
        for (const CPoint point : groups[id].points.Points())
            cells.Insert(CellIndex(point.x, point.y));
        const std::string where = "group " + std::to_string(id);
        if (id >= m_members.size() || m_members[id].shape >= m_shapes.size())
            return where + " has no shape";
        if (!(m_shapes[m_members[id].shape].cells == cells))
            return where + " has a shape other than its cells";
    }
    for (ShapeId id = 0; id < m_shapes.size(); ++id) {
        const Shape& shape = m_shapes[id];
        const std::string where = "shape " + std::to_string(id);
        if (shape.nFirstCell < 0) {
            if (std::find(m_freeShapes.begin(), m_freeShapes.end(), id) == m_freeShapes.end())
                return where + " is neither in use nor free";
            continue;
        }
        if (shape.nFirstCell != shape.cells.First())
            return where + " names its first cell wrong";
        if (id >= GRID_CELLS) {
            if (shape.firstMember == NO_GROUP)
                return where + " is kept without members";
            const auto found = m_larger.find(shape.cells);
            if (found == m_larger.end() || found->second != id)
                return where + " is not found by its cells";
        }
        GroupId prev = NO_GROUP;
        for (GroupId member = shape.firstMember; member != NO_GROUP; prev = member, member = m_members[member].next) {
            if (++nMembers > groups.GroupCount())
                return where + " has members beyond the groups";
            if (!groups.IsListed(member) || m_members[member].shape != id || m_members[member].prev != prev)
                return where + " has a member that is not linked to it";
            if (prev != NO_GROUP && groups[prev].nStamp >= groups[member].nStamp)
                return where + " has its members out of list order";
        }
        if (shape.lastMember != prev)
            return where + " does not end at its last member";
        bool bListed = true;
        shape.cells.ForEach([&](int nCell) {
            const std::vector<ShapeId>& shapes = m_cells[nCell].shapes;
            bListed = bListed && std::count(shapes.begin(), shapes.end(), id) == 1;
        });
        if (!bListed)
            return where + " is not listed once at each of its cells";
    }
    if (nMembers != groups.GroupCount())
        return "the shapes have " + std::to_string(nMembers) + " members, the list " +
               std::to_string(groups.GroupCount()) + " groups";
    if (m_larger.size() + GRID_CELLS + m_freeShapes.size() != m_shapes.size())
        return "shapes are found by cells that are not theirs";
    for (int nCell = 0; nCell < GRID_CELLS; ++nCell) {
        const Cell& cell = m_cells[nCell];
        const std::string where = "cell " + std::to_string(nCell);
        if (cell.shapes.empty() || cell.shapes.front() != CellShape(nCell))
            return where + " does not list its own shape first";
        if (HasOwnMembers(nCell) != (m_shapes[nCell].firstMember != NO_GROUP) || HasLarger(nCell) != (cell.shapes.size() > 1))
            return where + " says it has shapes of a kind it has not, or not of one it has";
        for (const ShapeId shape : cell.shapes)
            if (shape >= m_shapes.size() || m_shapes[shape].nFirstCell < 0 || !m_shapes[shape].cells.Contains(nCell))
                return where + " lists a shape that is not there";
        if (cell.shapes.size() < m_nHeapThreshold) {
            if (!cell.heap.empty())
                return where + " keeps a heap it does not need";
            continue;
        }
        if (!std::is_heap(cell.heap.begin(), cell.heap.end(), std::greater<>()))
            return "the shapes of " + where + " are out of stamp order";
        for (const ShapeId shape : cell.shapes) {
            const GroupId first = m_shapes[shape].firstMember;
            if (first != NO_GROUP && std::none_of(cell.heap.begin(), cell.heap.end(), [&](const StampEntry& entry) {
                    return entry.shape == shape && entry.nBirth == m_shapes[shape].nBirth && entry.nStamp <= groups[first].nStamp;
                }))
                return where + " cannot find one of its shapes by stamp";
        }
    }
    return {};
}
