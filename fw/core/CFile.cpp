#include "CFile.h"

#include "FileException.h"

#include <cassert>
#include <cerrno>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <io.h>
#define fileno _fileno
#define fsync _commit
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

CFile::~CFile()
{
    Abort();
}

void CFile::Open(const std::string& strPath, Mode mode)
{
    assert(m_pStream == nullptr);
    m_strPath = strPath;
    m_mode = mode;
    m_nLength = m_nPosition = 0;
    if (mode == modeRead)
        OpenForReading();
    else
        OpenForReplacing();
}

void CFile::ThrowOsError(int nOsError) const
{
    throw CFileException(CFileException::OsErrorToCause(nOsError), m_strPath);
}

void CFile::OpenForReading()
{
    m_pStream = std::fopen(m_strPath.c_str(), "rb");
    if (!m_pStream)
        ThrowOsError(errno);
    struct stat info {};
    if (fstat(fileno(m_pStream), &info) != 0) {
        const int nError = errno;
        Abort();
        ThrowOsError(nError);
    }
    if (S_ISDIR(info.st_mode)) {
        Abort();
        ThrowOsError(EISDIR);
    }
    m_nLength = static_cast<std::uint64_t>(info.st_size);
}

void CFile::OpenForReplacing()
{
    // A file we could not have overwritten in place (read-only, a folder, held
    // by another program) must not be replaced behind its owner's back.
    std::error_code ec;
    const bool bReplacesFile = fs::exists(m_strPath, ec);
    if (bReplacesFile) {
        if (fs::is_directory(m_strPath, ec))
            ThrowOsError(EISDIR);
        std::FILE* pProbe = std::fopen(m_strPath.c_str(), "r+b");
        if (!pProbe)
            ThrowOsError(errno);
        std::fclose(pProbe);
    }

    const fs::path target(m_strPath);
    std::random_device entropy;
    std::uniform_int_distribution<unsigned> digits(0, 0xFFFFFF);
    for (int nAttempt = 0; nAttempt < 100 && !m_pStream; ++nAttempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, ".%06x.tmp", digits(entropy));
        const fs::path temp = target.parent_path() / ("." + target.filename().string() + suffix);
        m_pStream = std::fopen(temp.string().c_str(), "wbx");
        if (m_pStream)
            m_strTempPath = temp.string();
        else if (errno != EEXIST)
            ThrowOsError(errno);
    }
    if (!m_pStream)
        ThrowOsError(EEXIST);
    if (bReplacesFile)
        fs::permissions(m_strTempPath, fs::status(m_strPath, ec).permissions(), ec);
}

std::size_t CFile::Read(void* pBuffer, std::size_t nCount)
{
    assert(m_pStream && m_mode == modeRead);
    if (nCount == 0)
        return 0;  // an empty block may come with a null buffer
    const std::size_t nRead = std::fread(pBuffer, 1, nCount, m_pStream);
    if (nRead < nCount && std::ferror(m_pStream))
        ThrowOsError(errno);
    m_nPosition += nRead;
    return nRead;
}

void CFile::Write(const void* pBuffer, std::size_t nCount)
{
    assert(m_pStream && m_mode == modeReplace);
    if (nCount == 0)
        return;  // an empty block may come with a null buffer
    if (std::fwrite(pBuffer, 1, nCount, m_pStream) != nCount)
        ThrowOsError(errno);
    m_nPosition += nCount;
}

void CFile::Close()
{
    assert(m_pStream);
    if (m_mode == modeRead) {
        std::fclose(std::exchange(m_pStream, nullptr));
        return;
    }
    if (std::fflush(m_pStream) != 0 || fsync(fileno(m_pStream)) != 0) {
        const int nError = errno;
        Abort();
        ThrowOsError(nError);
    }
    if (std::fclose(std::exchange(m_pStream, nullptr)) != 0) {
        const int nError = errno;
        Abort();
        ThrowOsError(nError);
    }
    std::error_code ec;
    fs::rename(m_strTempPath, m_strPath, ec);
    if (ec) {
        Abort();
        ThrowOsError(ec.value());
    }
    m_strTempPath.clear();
}

void CFile::Abort() noexcept
{
    if (m_pStream)
        std::fclose(std::exchange(m_pStream, nullptr));
    if (!m_strTempPath.empty()) {
        std::error_code ec;
        fs::remove(m_strTempPath, ec);
        m_strTempPath.clear();
    }
}
