// A Qt device that writes a file the way the framework saves one (CFile's
// modeReplace): into a temporary file beside the target, which replaces the
// target only on Commit(), or waits among CStagedFiles to replace it together
// with others. Qt's image, PDF and SVG writers write through it, so that
// pictures are replaced as carefully as records.
//
// Qt's writers report success whatever the device refused, and the bytes
// still buffered fail only when the file is finished: Commit() and Stage()
// answer for every write. Destroyed or closed before either, the device
// removes the temporary file and the target stays as it was.
#pragma once

#include "fw/core/CFile.h"

#include <QIODevice>

#include <string>

class CFileException;

class CReplacingFileDevice : public QIODevice {
public:
    explicit CReplacingFileDevice(std::string strPath) : m_strPath(std::move(strPath)) {}
    ~CReplacingFileDevice() override;

    // Starts the temporary file; write-only, from its start. False, with
    // errorString(), when it cannot be made or the path is no place for a
    // file (a folder, a pipe, a device: access denied).
    bool open(OpenMode mode) override;
    // Drops what was written: the target stays as it was.
    void close() override;
    // Written front to back; there is no going back to rewrite.
    bool isSequential() const override { return true; }

    // Whether opening or a write failed; errorString() says why.
    bool HasFailed() const { return m_bFailed; }

    // Puts the file in place of the target. False, with errorString(), when
    // a write or the replacement failed; the target then stays as it was.
    // The device is closed afterwards either way.
    bool Commit();
    // Hands the complete file to staged instead, to replace its target
    // together with the others there. False as Commit().
    bool Stage(CStagedFiles& staged);

protected:
    qint64 readData(char* pData, qint64 nMaxSize) override;
    qint64 writeData(const char* pData, qint64 nSize) override;

private:
    // Runs finish on the open file, closing the device; false, with
    // errorString(), when it or an earlier write failed.
    template <typename Step>
    bool Finish(Step finish);
    void Fail(const CFileException& e);

    std::string m_strPath;
    CFile m_file;
    bool m_bFailed = false;
};
