#include "CStagedFiles.h"

#include "FileException.h"

#include <cerrno>
#include <cstdio>

#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string InFolder(const std::string& strFolder, const std::string& strName)
{
    return strFolder + '/' + strName;
}

[[noreturn]] void ThrowOsError(const std::string& strPath, int nOsError)
{
    throw CFileException(CFileException::OsErrorToCause(nOsError), strPath, nOsError);
}

// link() fails with these where hard links cannot be made there: FAT and
// exFAT (EPERM), a FUSE file system without them (ENOSYS), a file another
// user owns under the system's protection of hard links (EPERM), a file with
// as many links as it can have (EMLINK).
bool CannotHardLink(int nError)
{
    return nError == EPERM || nError == EOPNOTSUPP || nError == ENOTSUP || nError == EMLINK || nError == ENOSYS;
}

}  // namespace

CStagedFiles::~CStagedFiles()
{
    Abort();
}

// The kept name is the staged file's own, which was fresh in that folder,
// with another ending: taken already, the commit fails with every target as
// it was.
void CStagedFiles::KeepReplacedFile(StagedFile& file)
{
    const std::string strTarget = InFolder(file.strFolder, file.strTargetName);
    const std::string strKeptName = file.strTempName + ".old";
    const std::string strKept = InFolder(file.strFolder, strKeptName);
    if (link(strTarget.c_str(), strKept.c_str()) == 0) {
        file.strKeptName = strKeptName;
        return;
    }
    const int nError = errno;
    if (nError == ENOENT)  // no old file: the target is new
        return;
    // A folder cannot be linked either, and must not be moved aside. The kept
    // name is looked for first, as a rename would replace a file holding it.
    struct stat target {};
    struct stat kept {};
    if (CannotHardLink(nError) && lstat(strTarget.c_str(), &target) == 0 && !S_ISDIR(target.st_mode)) {
        if (lstat(strKept.c_str(), &kept) == 0)
            ThrowOsError(file.strPath, EEXIST);
        if (std::rename(strTarget.c_str(), strKept.c_str()) != 0)
            ThrowOsError(file.strPath, errno);
        file.strKeptName = strKeptName;
        file.bKeptByRenaming = true;
        return;
    }
    ThrowOsError(file.strPath, nError);
}

void CStagedFiles::Commit()
{
    try {
        for (StagedFile& file : m_files)
            KeepReplacedFile(file);
        for (StagedFile& file : m_files) {
            const std::string strTarget = InFolder(file.strFolder, file.strTargetName);
            if (std::rename(InFolder(file.strFolder, file.strTempName).c_str(), strTarget.c_str()) != 0)
                ThrowOsError(file.strPath, errno);
            file.strTempName.clear();
            file.bPlaced = true;
        }
    } catch (...) {
        PutBackReplacedFiles();
        Abort();
        throw;
    }
    Abort();  // which removes the kept old files
}

// A target whose new file was never placed still holds its old file, unless
// that was renamed away. When a kept file cannot be renamed back, its name is
// forgotten all the same, so that Abort() leaves it where it is.
void CStagedFiles::PutBackReplacedFiles() noexcept
{
    for (auto it = m_files.rbegin(); it != m_files.rend(); ++it) {
        const std::string strTarget = InFolder(it->strFolder, it->strTargetName);
        if (it->strKeptName.empty()) {
            if (it->bPlaced)
                unlink(strTarget.c_str());
        } else if (it->bPlaced || it->bKeptByRenaming) {
            std::rename(InFolder(it->strFolder, it->strKeptName).c_str(), strTarget.c_str());
            it->strKeptName.clear();
        }
        it->bKeptByRenaming = false;
        it->bPlaced = false;
    }
}

void CStagedFiles::Abort() noexcept
{
    for (const StagedFile& file : m_files) {
        if (!file.strTempName.empty())
            unlink(InFolder(file.strFolder, file.strTempName).c_str());
        if (!file.strKeptName.empty())
            unlink(InFolder(file.strFolder, file.strKeptName).c_str());
    }
    m_files.clear();
}
