#include "FileException.h"

#include "FrameworkText.h"

#include <cerrno>
#include <cstring>

CFileException::CFileException(Cause cause, std::string fileName, int nOsError)
    : std::runtime_error("file error"), m_cause(cause), m_strFileName(std::move(fileName)), m_nOsError(nOsError)
{
}

CFileException::Cause CFileException::OsErrorToCause(int nOsError)
{
    switch (nOsError) {
    case ENOENT:
        return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL:
        return badPath;
    case EMFILE:
    case ENFILE:
        return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return accessDenied;
    case EBADF:
        return invalidFile;
    case ESPIPE:
        return badSeek;
    case EIO:
        return hardIO;
    case EBUSY:
    case ETXTBSY:
        return sharingViolation;
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return diskFull;
    default:
        return generic;
    }
}

std::string CFileException::GetErrorMessage() const
{
    return fw::FormatFrameworkText(fw::IDP_FILE_NONE + m_cause, m_strFileName);
}

std::string CFileException::GetOsErrorText() const
{
    return m_nOsError != 0 ? std::strerror(m_nOsError) : GetErrorMessage();
}

CArchiveException::CArchiveException(Cause cause)
    : std::runtime_error("archive error"), m_cause(cause)
{
}
