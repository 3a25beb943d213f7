// A plain second model of the game's chain and replay rules, for the
// differential test of CClientDoc. It is written to be read against the rules,
// not to be fast: the board is a flat array with its guard block behind it,
// and "the group that holds q" is always a walk of the group list from the
// head. It shares no code with the program.
#pragma once

#include <list>
#include <string>
#include <utility>
#include <vector>

namespace reference {

using Point = std::pair<int, int>;  // (x, y)
using Group = std::vector<Point>;

inline constexpr int kEmpty = 0;
inline constexpr int kBlack = 1;
inline constexpr int kWhite = -1;
inline constexpr int kFlower = 2;
inline constexpr int kEdge = 4;

inline constexpr Point kPassMark{21, 20};
inline constexpr Point kBombMark{21, 21};

class ReferenceGame {
public:
    ReferenceGame() { DeleteContents(); }

    // Element x * 22 + y of the board, or of the guard block behind it.
    int Cell(int x, int y) const;

    // Chains.
    void AddStoneToGroups(int x, int y);
    int CountLiberties(const Group& group) const;
    void SweepCaptures();
    void RemoveGroupAt(int x, int y);
    void ResetPosition();

    // Record edits and replay.
    void RecordMoveAt(int x, int y);
    void RecordPass();
    void RecordBomb();
    void StepBack();
    void StepForward();
    void GoToStart();
    void GoToEnd();
    void DeleteContents();

    int m_board[22 * 22] = {};
    int m_guard[22 * 22] = {};  // never written
    std::list<Group> m_groups;
    int m_nCaptures = 0;
    int m_nCapturesBefore = 0;
    std::vector<Point> m_moves;
    int m_nCurMove = 0;
    std::string m_strColor;
    int m_nShowX = 0;
    int m_nShowY = 0;

private:
    void SetCell(Point p, int value) { m_board[p.first * 22 + p.second] = value; }
    int CellOf(Point p) const { return Cell(p.first, p.second); }
    std::list<Group>::iterator GroupThatHolds(Point q);
    void ApplyEntry(int i, bool bAdvance);
    void WriteEntry(int n, Point entry);
};

}  // namespace reference
