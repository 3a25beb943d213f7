// The two kinds of failure a document load or save can meet: the file system
// refused (CFileException), or the bytes do not form a record (CArchiveException).
// Both carry enough to produce the framework's message for the user.
#pragma once

#include <stdexcept>
#include <string>

class CFileException : public std::runtime_error {
public:
    // The order gives each cause its message id: IDP_FILE_NONE + cause.
    enum Cause {
        none,
        generic,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
    };

    // nOsError: the system's error number (errno) behind the cause, 0 for none.
    CFileException(Cause cause, std::string fileName, int nOsError = 0);

    // The cause of an operating-system error number (errno).
    static Cause OsErrorToCause(int nOsError);

    // The framework's text for the cause, naming the file.
    std::string GetErrorMessage() const;
    // The system's own words for the error ("File too large"), as tools
    // report it; the framework's message when the system gave none.
    std::string GetOsErrorText() const;

    Cause m_cause;
    std::string m_strFileName;
    int m_nOsError = 0;
};

class CArchiveException : public std::runtime_error {
public:
    enum Cause {
        endOfFile,  // the file ends inside a value or a block it announced
        badFormat,  // a value the format does not allow
    };

    explicit CArchiveException(Cause cause);

    Cause m_cause;
};
