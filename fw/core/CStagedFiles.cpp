#include "CStagedFiles.h"

#include "FileException.h"

#include <cerrno>
#include <cstdio>

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

}  // namespace

CStagedFiles::~CStagedFiles()
{
    Abort();
}

// The kept name is the staged file's own, which was fresh in that folder,
// with another ending: taken already, the commit fails before any target
// changed.
void CStagedFiles::KeepReplacedFile(StagedFile& file)
{
    const std::string strTarget = InFolder(file.strFolder, file.strTargetName);
    const std::string strKeptName = file.strTempName + ".old";
    if (link(strTarget.c_str(), InFolder(file.strFolder, strKeptName).c_str()) == 0)
        file.strKeptName = strKeptName;
    else if (errno != ENOENT)  // no old file: the target is new
        ThrowOsError(file.strPath, errno);
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

void CStagedFiles::PutBackReplacedFiles() noexcept
{
    for (auto it = m_files.rbegin(); it != m_files.rend(); ++it) {
        if (!it->bPlaced)
            continue;
        const std::string strTarget = InFolder(it->strFolder, it->strTargetName);
        if (it->strKeptName.empty())
            unlink(strTarget.c_str());
        else if (std::rename(InFolder(it->strFolder, it->strKeptName).c_str(), strTarget.c_str()) == 0)
            it->strKeptName.clear();
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
