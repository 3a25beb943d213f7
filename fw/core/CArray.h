// A growable array with the classic framework growth rule. The rule is part
// of the program's observable behaviour (a record's capacity after loading or
// after a run of appends), so it is reproduced exactly:
//   - size 0 releases the storage;
//   - the first allocation is exactly the requested size;
//   - shrinking never gives storage back;
//   - growing past the capacity adds the grow-by step, or when that is 0,
//     size / 8 clamped to 4..1024, unless the requested size is larger still.
// The grow-by step starts at 0 and stays as SetSize last set it.
// New elements are value-initialised.
#pragma once

#include <algorithm>
#include <cassert>
#include <climits>
#include <memory>
#include <utility>

template <typename T>
class CArray {
public:
    CArray() = default;
    CArray(const CArray& other) { *this = other; }
    // Storage of exactly other's size. May throw std::bad_alloc; the array is
    // then unchanged, as SetSize leaves it: the copy is made before it is
    // swapped in.
    CArray& operator=(const CArray& other)
    {
        if (this != &other) {
            CArray copy;
            copy.SetSize(other.m_nSize);
            std::copy(other.begin(), other.end(), copy.begin());
            copy.m_nGrowBy = m_nGrowBy;
            swap(copy);
        }
        return *this;
    }
    CArray(CArray&& other) noexcept { swap(other); }
    CArray& operator=(CArray&& other) noexcept
    {
        CArray(std::move(other)).swap(*this);
        return *this;
    }

    int GetSize() const { return m_nSize; }
    int GetCapacity() const { return m_nMaxSize; }
    int GetGrowBy() const { return m_nGrowBy; }
    bool IsEmpty() const { return m_nSize == 0; }

    // Requires 0 <= nNewSize. nGrowBy -1 leaves the grow-by step as it is;
    // 0 or more sets it, for this call's growth already. May throw
    // std::bad_alloc; the array, its step included, is then unchanged.
    void SetSize(int nNewSize, int nGrowBy = -1)
    {
        assert(nNewSize >= 0 && nGrowBy >= -1);
        const int nStep = nGrowBy >= 0 ? nGrowBy : m_nGrowBy;
        if (nNewSize == 0) {
            m_pData.reset();
            m_nSize = m_nMaxSize = 0;
        } else if (!m_pData) {
            m_pData = std::make_unique<T[]>(static_cast<std::size_t>(nNewSize));
            m_nSize = m_nMaxSize = nNewSize;
        } else if (nNewSize <= m_nMaxSize) {
            std::fill(m_pData.get() + std::min(m_nSize, nNewSize), m_pData.get() + nNewSize, T{});
            m_nSize = nNewSize;
        } else {
            const int nAdded = nStep != 0 ? nStep : std::clamp(m_nSize / 8, 4, 1024);
            const long long nSum = static_cast<long long>(m_nMaxSize) + nAdded;
            // A step set by the caller may reach past what an int counts.
            const int nNewMax = nNewSize < nSum ? static_cast<int>(std::min<long long>(nSum, INT_MAX)) : nNewSize;
            auto pNew = std::make_unique<T[]>(static_cast<std::size_t>(nNewMax));
            std::copy(m_pData.get(), m_pData.get() + m_nSize, pNew.get());
            m_pData = std::move(pNew);
            m_nSize = nNewSize;
            m_nMaxSize = nNewMax;
        }
        m_nGrowBy = nStep;
    }

    // SetSize for an empty array whose new elements the caller writes at
    // once (a record read from a file): the storage is left as allocated.
    void SetSizeForOverwrite(int nNewSize)
    {
        assert(m_nSize == 0 && nNewSize > 0);
        m_pData = std::make_unique_for_overwrite<T[]>(static_cast<std::size_t>(nNewSize));
        m_nSize = m_nMaxSize = nNewSize;
    }

    // Appends one element; returns its index. The element may be one of this
    // array's own, e.g. a.Add(a[0]).
    int Add(const T& element)
    {
        T copy = element;  // growing frees the storage element may live in
        const int nIndex = m_nSize;
        SetSize(m_nSize + 1);
        m_pData[nIndex] = std::move(copy);
        return nIndex;
    }

    // Removes nCount elements from nIndex on; the storage stays.
    void RemoveAt(int nIndex, int nCount = 1)
    {
        assert(nIndex >= 0 && nCount >= 0 && nIndex + nCount <= m_nSize);
        std::copy(m_pData.get() + nIndex + nCount, m_pData.get() + m_nSize, m_pData.get() + nIndex);
        m_nSize -= nCount;
    }

    // Empties the array and releases its storage.
    void RemoveAll() { SetSize(0); }

    T& operator[](int nIndex)
    {
        assert(nIndex >= 0 && nIndex < m_nSize);
        return m_pData[nIndex];
    }
    const T& operator[](int nIndex) const
    {
        assert(nIndex >= 0 && nIndex < m_nSize);
        return m_pData[nIndex];
    }

    T* GetData() { return m_pData.get(); }
    const T* GetData() const { return m_pData.get(); }
    T* begin() { return m_pData.get(); }
    T* end() { return m_pData.get() + m_nSize; }
    const T* begin() const { return m_pData.get(); }
    const T* end() const { return m_pData.get() + m_nSize; }

    void swap(CArray& other) noexcept
    {
        std::swap(m_pData, other.m_pData);
        std::swap(m_nSize, other.m_nSize);
        std::swap(m_nMaxSize, other.m_nMaxSize);
        std::swap(m_nGrowBy, other.m_nGrowBy);
    }

private:
    std::unique_ptr<T[]> m_pData;
    int m_nSize = 0;
    int m_nMaxSize = 0;
    int m_nGrowBy = 0;
};
