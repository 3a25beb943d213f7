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

void CFile::RefuseAnythingButAFile(const std::filesystem::path& path) const
{
    // Folders, pipes and devices are not game records; opening a pipe would
    // even wait for a writer that may never come.
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status) || fs::is_regular_file(status))
        return;
    ThrowOsError(fs::is_directory(status) ? EISDIR : EACCES);
}

void CFile::OpenForReading()
{
    RefuseAnythingButAFile(m_strPath);
    m_pStream = std::fopen(m_strPath.c_str(), "rb");
    if (!m_pStream)
        ThrowOsError(errno);
    struct stat info {};
    if (fstat(fileno(m_pStream), &info) != 0) {
        const int nError = errno;
        Abort();
        ThrowOsError(nError);
    }
    m_nLength = static_cast<std::uint64_t>(info.st_size);
}

namespace {

// The file a path finally names, following symbolic links (also a link
// whose target does not exist yet), so that saving through a link writes
// its target and leaves the link in place.
fs::path FollowLinks(fs::path path)
{
    constexpr int kMaxLinks = 40;
    std::error_code ec;
    for (int i = 0; i < kMaxLinks && fs::is_symlink(path, ec); ++i) {
        const fs::path next = fs::read_symlink(path, ec);
        if (ec)
            break;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

}  // namespace

void CFile::OpenForReplacing()
{
    const fs::path target = FollowLinks(m_strPath);
    m_strTargetPath = target.string();

    // A file we could not have overwritten in place (read-only, a folder, held
    // by another program) must not be replaced behind its owner's back.
    RefuseAnythingButAFile(target);
    std::error_code ec;
    const bool bReplacesFile = fs::exists(target, ec);
    if (bReplacesFile) {
        std::FILE* pProbe = std::fopen(m_strTargetPath.c_str(), "r+b");
        if (!pProbe)
            ThrowOsError(errno);
        std::fclose(pProbe);
    }

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
        fs::permissions(m_strTempPath, fs::status(target, ec).permissions(), ec);
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
    fs::rename(m_strTempPath, m_strTargetPath, ec);
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
