#include "ReferenceGame.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace reference {
namespace {

struct Colour {
    int value;
    const char* name;
};

constexpr Colour kBlackStone{kBlack, "黑"};
constexpr Colour kWhiteStone{kWhite, "白"};
constexpr Colour kFlowerStone{kFlower, "花"};

Colour ByParity(int nPosition)
{
    return nPosition % 2 == 1 ? kBlackStone : kWhiteStone;
}

// Left, right, up, down.
std::array<Point, 4> Neighbours(Point p)
{
    const auto [x, y] = p;
    return {{{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}}};
}

bool Contains(const Group& points, Point q)
{
    return std::find(points.begin(), points.end(), q) != points.end();
}

}  // namespace

int ReferenceGame::Cell(int x, int y) const
{
    const int i = x * 22 + y;
    return i < 22 * 22 ? m_board[i] : m_guard[i - 22 * 22];
}

std::list<Group>::iterator ReferenceGame::GroupThatHolds(Point q)
{
    for (auto g = m_groups.begin(); g != m_groups.end(); ++g)
        if (Contains(*g, q))
            return g;
    return m_groups.end();
}

void ReferenceGame::AddStoneToGroups(int x, int y)
{
    const Point p{x, y};
    const int v = Cell(x, y);
    if (v == kEmpty)  // the point a right click has just emptied
        return;
    std::vector<Point> matching;
    for (const Point& q : Neighbours(p))
        if (CellOf(q) == v)
            matching.push_back(q);

    // The primary neighbour is the first matching one that a group holds; a
    // flower stone left by a capture is held by none and is passed over.
    auto primary = matching.begin();
    while (primary != matching.end() && GroupThatHolds(*primary) == m_groups.end())
        ++primary;
    if (primary == matching.end()) {
        m_groups.push_back(Group{p});
        return;
    }
    const auto target = GroupThatHolds(*primary);
    target->push_back(p);
    for (auto q = std::next(primary); q != matching.end(); ++q) {
        const auto holder = GroupThatHolds(*q);
        if (holder == m_groups.end() || holder == target)
            continue;
        target->insert(target->end(), holder->begin(), holder->end());
        m_groups.erase(holder);
    }
    m_groups.splice(m_groups.end(), m_groups, target);
}

int ReferenceGame::CountLiberties(const Group& group) const
{
    bool bCollected[23][23] = {};  // neighbours of the indicator cells reach x or y = 22
    int nCollected = 0;
    for (const Point& p : group)
        for (const auto& [x, y] : Neighbours(p))
            if (Cell(x, y) == kEmpty && !bCollected[x][y]) {
                bCollected[x][y] = true;
                ++nCollected;
            }
    return nCollected;
}

void ReferenceGame::SweepCaptures()
{
    m_nCapturesBefore = m_nCaptures;
    for (auto g = m_groups.begin(); g != m_groups.end();) {
        const auto next = std::next(g);
        if (CountLiberties(*g) == 0) {
            ++m_nCaptures;
            for (const Point& p : *g)
                if (CellOf(p) != kFlower)
                    SetCell(p, kEmpty);
            m_groups.erase(g);
        }
        g = next;
    }
}

void ReferenceGame::RemoveGroupAt(int x, int y)
{
    if (Cell(x, y) == kEmpty)
        return;
    for (auto g = m_groups.begin(); g != m_groups.end();) {
        const auto next = std::next(g);
        if (Contains(*g, {x, y})) {
            for (const Point& p : *g)
                SetCell(p, kEmpty);
            m_groups.erase(g);
        }
        g = next;
    }
}

void ReferenceGame::ResetPosition()
{
    for (int x = 0; x < 22; ++x)
        for (int y = 0; y < 22; ++y) {
            const bool bBorder = x == 0 || x == 20 || x == 21 || y == 0 || y == 20 || y == 21;
            SetCell({x, y}, bBorder ? kEdge : kEmpty);
        }
    m_groups.clear();
}

// Record entry n - 1 becomes entry; everything after the old position goes.
void ReferenceGame::WriteEntry(int n, Point entry)
{
    m_moves.resize(n - 1);
    m_moves.push_back(entry);
}

void ReferenceGame::RecordMoveAt(int x, int y)
{
    const int n = m_nCurMove + 1;
    m_nCurMove = n;
    m_nShowX = x - 10;
    m_nShowY = 10 - y;
    const Colour colour = n > 1 && m_moves[n - 2] == kBombMark ? kFlowerStone : ByParity(n);
    SetCell({x, y}, colour.value);
    m_strColor = colour.name;
    WriteEntry(n, {x, y});
    AddStoneToGroups(x, y);
}

void ReferenceGame::RecordPass()
{
    const int n = m_nCurMove + 1;
    m_nCurMove = n;
    const Colour colour = ByParity(n);
    SetCell(kPassMark, colour.value);
    m_strColor = colour.name;
    m_nShowX = 11;
    m_nShowY = -10;
    WriteEntry(n, kPassMark);
}

void ReferenceGame::RecordBomb()
{
    SetCell(kBombMark, kFlower);
    m_strColor = "花";
    m_nShowX = 11;
    m_nShowY = -11;
    const int n = m_nCurMove + 1;
    m_nCurMove = n;
    WriteEntry(n, kBombMark);
}

void ReferenceGame::ApplyEntry(int i, bool bAdvance)
{
    const auto [x, y] = m_moves[i];
    m_nShowX = x - 10;
    m_nShowY = 10 - y;
    Colour colour = ByParity(i + 1);
    if (i == 0)
        colour = kBlackStone;
    else if (m_moves[i - 1] == kBombMark || m_moves[i] == kBombMark)
        colour = kFlowerStone;
    SetCell({x, y}, colour.value);
    m_strColor = colour.name;
    if (bAdvance)
        m_nCurMove = i + 1;
    AddStoneToGroups(x, y);
    SweepCaptures();
}

void ReferenceGame::StepBack()
{
    if (m_nCurMove == 0)
        return;
    ResetPosition();
    for (int i = 0; i <= m_nCurMove - 2; ++i)
        ApplyEntry(i, false);
    m_nCurMove = m_nCurMove - 1;
}

void ReferenceGame::StepForward()
{
    if (m_nCurMove < static_cast<int>(m_moves.size()))
        ApplyEntry(m_nCurMove, true);
}

void ReferenceGame::GoToStart()
{
    ResetPosition();
    m_nCurMove = 0;
}

void ReferenceGame::GoToEnd()
{
    while (m_nCurMove < static_cast<int>(m_moves.size()))
        ApplyEntry(m_nCurMove, true);
}

void ReferenceGame::DeleteContents()
{
    ResetPosition();
    m_nCaptures = 0;
    m_nCapturesBefore = 0;
    m_nCurMove = 0;
    m_moves.clear();
}

}  // namespace reference
