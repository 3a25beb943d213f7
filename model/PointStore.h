// The points of one group: a growable array that keeps its first point in
// place, so that the many one-point groups a long record leaves (a pass or a
// bomb each) cost no allocation of their own.
//
// A merge puts one group's points after another's. Join does it by copying
// the smaller of the two: when the later points are the more, their block is
// kept and the earlier ones go in front of them, into room kept there. So a
// group that lists its points again and again, and merges again and again,
// is not copied whole each time.
#pragma once

#include "fw/core/CPoint.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <new>
#include <span>

class CPointStore {
public:
    CPointStore() = default;
    CPointStore(const CPointStore&) = delete;
    CPointStore& operator=(const CPointStore&) = delete;
    ~CPointStore() { Release(); }

    std::uint32_t GetSize() const { return m_nSize; }
    const CPoint* GetData() const { return IsOnHeap() ? m_pData : &m_inline; }
    std::span<const CPoint> Points() const { return {GetData(), m_nSize}; }
    CPoint Front() const { return GetData()[0]; }

    // May throw std::bad_alloc; the points are then unchanged.
    void Add(CPoint point)
    {
        if (m_nSize < m_nCapacity)
            Data()[m_nSize++] = point;  // most groups are one point: no copy routine for it
        else
            Append({&point, 1});
    }

    // Adds points, which must not be this store's own; may throw
    // std::bad_alloc, the points then unchanged.
    void Append(std::span<const CPoint> points)
    {
        const std::uint64_t nNeeded = std::uint64_t{m_nSize} + points.size();
        if (nNeeded > m_nCapacity)
            Reallocate(IsOnHeap() ? FrontRoom() : 0, std::bit_ceil(nNeeded), {});
        std::memcpy(Data() + m_nSize, points.data(), points.size() * sizeof(CPoint));
        m_nSize = static_cast<std::uint32_t>(nNeeded);
    }

    // This store's points followed by other's, left in this store; other is
    // emptied. May throw std::bad_alloc, both then unchanged.
    void Join(CPointStore& other)
    {
        if (other.m_nSize <= m_nSize || !other.IsOnHeap()) {
            Append(other.Points());
            other.Release();
            return;
        }
        other.Prepend(Points());
        Release();
        m_pData = other.m_pData;
        m_nSize = other.m_nSize;
        m_nCapacity = other.m_nCapacity;
        other.m_inline = {};
        other.m_nSize = 0;
        other.m_nCapacity = 1;
    }

    // Empties the store and gives back its storage.
    void Release()
    {
        if (IsOnHeap())
            delete[] Block();
        m_inline = {};
        m_nSize = 0;
        m_nCapacity = 1;
    }

private:
    // On the heap, m_pData points at the first point, m_nCapacity counts the
    // slots from there to the block's end, and the slot before the first
    // point records in x the free slots before it.
    bool IsOnHeap() const { return m_nCapacity > 1; }
    CPoint* Data() { return IsOnHeap() ? m_pData : &m_inline; }
    std::uint32_t FrontRoom() const { return static_cast<std::uint32_t>(m_pData[-1].x); }
    CPoint* Block() const { return m_pData - 1 - FrontRoom(); }

    // Puts points, which must not be this store's own, before this store's;
    // requires the store on the heap.
    void Prepend(std::span<const CPoint> points)
    {
        const std::uint32_t nRoom = FrontRoom();
        const std::uint64_t nSize = std::uint64_t{m_nSize} + points.size();
        if (points.size() > nRoom) {
            // Room in front for as many again, so that prepending often costs
            // what appending does.
            Reallocate(static_cast<std::uint32_t>(std::min<std::uint64_t>(nSize, UINT32_MAX)), m_nSize, points);
        } else {
            const auto nLeft = static_cast<std::uint32_t>(nRoom - points.size());
            m_pData -= points.size();
            m_nCapacity += static_cast<std::uint32_t>(points.size());
            std::memcpy(m_pData, points.data(), points.size() * sizeof(CPoint));
            m_pData[-1] = {static_cast<std::int32_t>(nLeft), 0};
        }
        m_nSize = static_cast<std::uint32_t>(nSize);
    }

    // Moves the points to a new block with nFrontRoom free slots before them
    // and room for nCapacity points after the first of before (which are put
    // first), at least the points themselves. m_nSize is left to the caller.
    void Reallocate(std::uint64_t nFrontRoom, std::uint64_t nCapacity, std::span<const CPoint> before)
    {
        nCapacity = std::max<std::uint64_t>(nCapacity + before.size(), 2);
        if (nFrontRoom > INT32_MAX || nCapacity > UINT32_MAX)
            throw std::bad_alloc();
        auto* pBlock = new CPoint[1 + nFrontRoom + nCapacity];
        CPoint* pData = pBlock + 1 + nFrontRoom;
        pData[-1] = {static_cast<std::int32_t>(nFrontRoom), 0};
        if (!before.empty())  // an empty span may have no data at all
            std::memcpy(pData, before.data(), before.size() * sizeof(CPoint));
        std::memcpy(pData + before.size(), GetData(), m_nSize * sizeof(CPoint));
        if (IsOnHeap())
            delete[] Block();
        m_pData = pData;
        m_nCapacity = static_cast<std::uint32_t>(nCapacity);
    }

    union {
        CPoint m_inline{};
        CPoint* m_pData;
    };
    std::uint32_t m_nSize = 0;
    std::uint32_t m_nCapacity = 1;
};
