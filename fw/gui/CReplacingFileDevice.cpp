#include "CReplacingFileDevice.h"

#include "fw/core/FileException.h"

CReplacingFileDevice::~CReplacingFileDevice()
{
    m_file.Abort();
}

bool CReplacingFileDevice::open(OpenMode mode)
{
    if ((mode & ReadOnly) || (mode & Append) || isOpen()) {
        setErrorString(QStringLiteral("the device only writes a new file"));
        return false;
    }
    try {
        m_file.Open(m_strPath, CFile::modeReplace);
    } catch (const CFileException& e) {
        Fail(e);
        return false;
    }
    m_bFailed = false;
    // CFile buffers already; a second buffer here would only delay failures.
    return QIODevice::open(mode | Unbuffered);
}

void CReplacingFileDevice::close()
{
    m_file.Abort();
    QIODevice::close();
}

bool CReplacingFileDevice::Commit()
{
    return Finish([this] { m_file.Close(); });
}

bool CReplacingFileDevice::Stage(CStagedFiles& staged)
{
    return Finish([this, &staged] { m_file.Stage(staged); });
}

template <typename Step>
bool CReplacingFileDevice::Finish(Step finish)
{
    if (!isOpen()) {
        setErrorString(QStringLiteral("the file was not opened"));
        return false;
    }
    if (!m_bFailed) {
        try {
            finish();
        } catch (const CFileException& e) {
            Fail(e);
        }
    }
    close();
    return !m_bFailed;
}

void CReplacingFileDevice::Fail(const CFileException& e)
{
    m_bFailed = true;
    setErrorString(QString::fromStdString(e.GetOsErrorText()));
}

qint64 CReplacingFileDevice::readData(char*, qint64)
{
    return -1;
}

qint64 CReplacingFileDevice::writeData(const char* pData, qint64 nSize)
{
    if (m_bFailed)
        return -1;
    try {
        m_file.Write(pData, static_cast<std::size_t>(nSize));
    } catch (const CFileException& e) {
        Fail(e);
        return -1;
    }
    return nSize;
}
