// The points of one group: a growable array that keeps its first point in
// place, so that the many one-point groups a long record leaves (a pass or a
// bomb each) cost no allocation of their own.
#pragma once

#include "fw/core/CPoint.h"

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
    const CPoint* GetData() const { return m_nCapacity > 1 ? m_pHeap : &m_inline; }
    std::span<const CPoint> Points() const { return {GetData(), m_nSize}; }
    CPoint Front() const { return GetData()[0]; }

    // May throw std::bad_alloc; the points are then unchanged.
    void Add(CPoint point)
    {
        if (m_nSize == m_nCapacity)
            Grow();
        (m_nCapacity > 1 ? m_pHeap : &m_inline)[m_nSize++] = point;
    }

    // Adds points, which must not be this store's own; may throw
    // std::bad_alloc, the points then unchanged.
    void Append(std::span<const CPoint> points)
    {
        const std::uint64_t nNeeded = std::uint64_t{m_nSize} + points.size();
        if (nNeeded > m_nCapacity)
            Grow(std::bit_ceil(nNeeded));
        std::memcpy((m_nCapacity > 1 ? m_pHeap : &m_inline) + m_nSize, points.data(), points.size() * sizeof(CPoint));
        m_nSize = static_cast<std::uint32_t>(nNeeded);
    }

    // Empties the store and gives back its storage.
    void Release()
    {
        if (m_nCapacity > 1)
            delete[] m_pHeap;
        m_inline = {};
        m_nSize = 0;
        m_nCapacity = 1;
    }

private:
    void Grow() { Grow(std::uint64_t{m_nCapacity} * 2); }
    void Grow(std::uint64_t nCapacity)
    {
        if (nCapacity > UINT32_MAX)
            throw std::bad_alloc();
        const auto nNewCapacity = static_cast<std::uint32_t>(nCapacity);
        auto* pNew = new CPoint[nNewCapacity];
        std::memcpy(pNew, GetData(), m_nSize * sizeof(CPoint));
        if (m_nCapacity > 1)
            delete[] m_pHeap;
        m_pHeap = pNew;
        m_nCapacity = nNewCapacity;
    }

    union {
        CPoint m_inline{};
        CPoint* m_pHeap;
    };
    std::uint32_t m_nSize = 0;
    std::uint32_t m_nCapacity = 1;
};
