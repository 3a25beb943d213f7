#include "CFile.h"

#include "FileException.h"

#include <cassert>
#include <cerrno>
#include <filesystem>
#include <random>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A descriptor closed when it goes out of scope, unless released.
class CDescriptor {
public:
    explicit CDescriptor(int fd) : m_fd(fd) {}
    CDescriptor(const CDescriptor&) = delete;
    CDescriptor& operator=(const CDescriptor&) = delete;
    ~CDescriptor()
    {
        if (m_fd >= 0)
            close(m_fd);
    }

    int Get() const { return m_fd; }
    int Release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

// What opening a path for a load or a save gives: the descriptor, or the
// error to report. The type is checked on the open file itself, so a path
// swapped for a pipe after any earlier look is refused all the same; opening
// does not wait for a pipe's writer.
int OpenRegularFile(const std::string& strPath, int nAccess, struct stat& info, int& nError)
{
    CDescriptor file(open(strPath.c_str(), nAccess | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.Get() < 0) {
        // A socket or a device without its driver cannot be opened at all:
        // refused like anything else that is not a file.
        nError = errno == ENXIO ? EACCES : errno;
        return -1;
    }
    if (fstat(file.Get(), &info) != 0) {
        nError = errno;
        return -1;
    }
    if (!S_ISREG(info.st_mode)) {
        nError = S_ISDIR(info.st_mode) ? EISDIR : EACCES;
        return -1;
    }
    const int nFlags = fcntl(file.Get(), F_GETFL);
    if (nFlags == -1 || fcntl(file.Get(), F_SETFL, nFlags & ~O_NONBLOCK) == -1) {
        nError = errno;
        return -1;
    }
    return file.Release();
}

// Opening a device may act on it (a tape rewinds, a watchdog arms): what the
// path names now is looked at first, and anything but a file is not opened.
int ErrorForAnythingButAFile(const fs::path& path)
{
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status) || fs::is_regular_file(status))
        return 0;
    return fs::is_directory(status) ? EISDIR : EACCES;
}

// The file a path finally names, following symbolic links (also a link
// whose target does not exist yet), so that saving through a link writes
// its target and leaves the link in place. Empty after too many links: a
// loop.
fs::path FollowLinks(fs::path path)
{
    constexpr int kMaxLinks = 40;  // the system's own limit
    std::error_code ec;
    for (int i = 0; fs::is_symlink(path, ec); ++i) {
        if (i == kMaxLinks)
            return {};
        const fs::path next = fs::read_symlink(path, ec);
        if (ec)
            break;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

// A hidden name for the temporary file, short whatever the target's name:
// "." + name + suffix would not fit beside a name of the system's longest.
std::string TempFileName()
{
    static thread_local std::mt19937 random{std::random_device{}()};
    char szName[32];
    std::snprintf(szName, sizeof szName, ".save-%08x.tmp", static_cast<unsigned>(random()));
    return szName;
}

constexpr int kMaxNameAttempts = 100;

}  // namespace

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
    throw CFileException(CFileException::OsErrorToCause(nOsError), m_strPath, nOsError);
}

void CFile::OpenForReading()
{
    if (const int nError = ErrorForAnythingButAFile(m_strPath))
        ThrowOsError(nError);
    struct stat info {};
    int nError = 0;
    CDescriptor file(OpenRegularFile(m_strPath, O_RDONLY, info, nError));
    if (file.Get() < 0)
        ThrowOsError(nError);
    m_pStream = fdopen(file.Get(), "rb");
    if (!m_pStream)
        ThrowOsError(errno);
    file.Release();
    m_nLength = static_cast<std::uint64_t>(info.st_size);
}

void CFile::OpenForReplacing()
{
    const fs::path target = FollowLinks(m_strPath);
    if (target.empty())
        ThrowOsError(ELOOP);

    // A file we could not have overwritten in place (read-only, a folder, held
    // by another program) must not be replaced behind its owner's back.
    if (const int nError = ErrorForAnythingButAFile(target))
        ThrowOsError(nError);
    struct stat replaced {};
    int nError = 0;
    const bool bReplacesFile = CDescriptor(OpenRegularFile(target.string(), O_RDWR, replaced, nError)).Get() >= 0;
    if (!bReplacesFile && nError != ENOENT)
        ThrowOsError(nError);

    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    m_nFolder = open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (m_nFolder < 0)
        ThrowOsError(errno);
    m_strFolder = folder.string();
    m_strTargetName = target.filename().string();

    // Created with no more rights than the old file had, so that its content
    // is never readable by more people than before, even for a moment.
    const unsigned nMode = bReplacesFile ? (replaced.st_mode & 0777) : 0666;
    int fd = -1;
#ifdef O_TMPFILE
    fd = openat(m_nFolder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, nMode);
    // Without it (an older system, a file system that cannot): a named file.
    if (fd < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
        ThrowOsError(errno);
#endif
    if (fd < 0)
        fd = CreateNamedTempFile(nMode);
    CDescriptor file(fd);

    if (bReplacesFile) {
        // The owner first: changing it clears the set-user and set-group bits.
        if (fchown(fd, replaced.st_uid, replaced.st_gid) != 0 && !(errno == EPERM && geteuid() != 0))
            ThrowOsError(errno);
        if (fchmod(fd, replaced.st_mode & 07777) != 0)
            ThrowOsError(errno);
    }
    m_pStream = fdopen(fd, "wb");
    if (!m_pStream)
        ThrowOsError(errno);
    file.Release();
}

// Makes a file under a fresh temporary name in the target's folder: create
// tries one name and gives its result (>= 0 for success) with errno set;
// names already taken are passed over. The name is registered before the
// file exists, so that no moment is left in which a signal would find the
// file but not its name.
template <typename Create>
int CFile::UnderFreshTempName(Create create)
{
    for (int nAttempt = 0; nAttempt < kMaxNameAttempts; ++nAttempt) {
        const std::string strName = TempFileName();
        m_tempRegistration.emplace(m_nFolder, strName.c_str());
        const int nResult = create(strName.c_str());
        if (nResult >= 0) {
            m_strTempName = strName;
            return nResult;
        }
        const int nError = errno;
        m_tempRegistration.reset();
        if (nError != EEXIST)
            ThrowOsError(nError);
    }
    ThrowOsError(EEXIST);
}

int CFile::CreateNamedTempFile(unsigned nMode)
{
    return UnderFreshTempName([&](const char* pszName) {
        return openat(m_nFolder, pszName, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, nMode);
    });
}

// Gives the unnamed temporary file a name, so that a rename can put it over
// the target in one step: linking cannot replace a file.
void CFile::NameTempFile()
{
    const int fd = fileno(m_pStream);
    char szOpenFile[32];
    std::snprintf(szOpenFile, sizeof szOpenFile, "/proc/self/fd/%d", fd);
    UnderFreshTempName([&](const char* pszName) {
        int nResult = linkat(AT_FDCWD, szOpenFile, m_nFolder, pszName, AT_SYMLINK_FOLLOW);
#ifdef AT_EMPTY_PATH
        if (nResult != 0 && errno == ENOENT)  // no /proc (a bare chroot)
            nResult = linkat(fd, "", m_nFolder, pszName, AT_EMPTY_PATH);
#endif
        return nResult;
    });
}

bool CFile::IsAtEnd()
{
    assert(m_pStream && m_mode == modeRead);
    const int nByte = std::getc(m_pStream);
    if (nByte == EOF) {
        if (std::ferror(m_pStream))
            ThrowOsError(errno);
        return true;
    }
    std::ungetc(nByte, m_pStream);
    return false;
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
    try {
        FinishTempFile();
        if (renameat(m_nFolder, m_strTempName.c_str(), m_nFolder, m_strTargetName.c_str()) != 0)
            ThrowOsError(errno);
    } catch (...) {
        Abort();
        throw;
    }
    m_strTempName.clear();  // it is the target now
    Abort();                // which only lets go of the folder
}

void CFile::Stage(CStagedFiles& staged)
{
    assert(m_pStream && m_mode == modeReplace);
    try {
        FinishTempFile();
        staged.Add({m_strPath, m_strFolder, m_strTargetName, m_strTempName, {}, false, false});
    } catch (...) {
        Abort();
        throw;
    }
    m_strTempName.clear();  // staged owns it now
    Abort();                // which only lets go of the folder
}

// Everything written on the disk, under a name in the folder, closed.
void CFile::FinishTempFile()
{
    if (std::fflush(m_pStream) != 0 || fsync(fileno(m_pStream)) != 0)
        ThrowOsError(errno);
    if (m_strTempName.empty())
        NameTempFile();
    if (std::fclose(std::exchange(m_pStream, nullptr)) != 0)
        ThrowOsError(errno);
}

void CFile::Abort() noexcept
{
    if (m_pStream)
        std::fclose(std::exchange(m_pStream, nullptr));
    if (!m_strTempName.empty())
        unlinkat(m_nFolder, m_strTempName.c_str(), 0);
    m_strTempName.clear();
    m_tempRegistration.reset();
    if (m_nFolder >= 0)
        close(std::exchange(m_nFolder, -1));
}
