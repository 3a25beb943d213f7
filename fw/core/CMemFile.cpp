#include "CMemFile.h"

#include <algorithm>
#include <cstring>

std::size_t CMemFile::Read(void* pBuffer, std::size_t nCount)
{
    const std::size_t nRead = std::min(nCount, m_bytes.size() - m_nPosition);
    if (nRead == 0)
        return 0;  // an empty block may come with a null buffer
    std::memcpy(pBuffer, m_bytes.data() + m_nPosition, nRead);
    m_nPosition += nRead;
    return nRead;
}

void CMemFile::Write(const void* pBuffer, std::size_t nCount)
{
    if (nCount == 0)
        return;  // an empty block may come with a null buffer
    if (m_bytes.size() - m_nPosition < nCount)
        m_bytes.resize(m_nPosition + nCount);
    std::memcpy(m_bytes.data() + m_nPosition, pBuffer, nCount);
    m_nPosition += nCount;
}
