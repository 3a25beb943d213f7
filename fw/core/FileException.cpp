#include "FileException.h"

#include "FrameworkText.h"

#include <cerrno>

CFileException::CFileException(Cause cause, std::string fileName)
    : std::runtime_error("file error"), m_cause(cause), m_strFileName(std::move(fileName))
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

CArchiveException::CArchiveException(Cause cause)
    : std::runtime_error("archive error"), m_cause(cause)
{
}
