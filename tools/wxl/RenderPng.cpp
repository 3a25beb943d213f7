#include "RenderPng.h"

#include "CommandLine.h"
#include "fw/gui/CReplacingFileDevice.h"
#include "view/StoneImages.h"

#include <QGuiApplication>

#include <filesystem>
#include <iostream>
#include <system_error>

namespace {

// Qt's notes about the environment (no runtime folder, no session bus) are
// not the tool's business; real errors still show.
void KeepOnlyErrors(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        qt_message_output(type, context, message);
}

QImage DrawView(const CClientDoc& doc, MoveNumberFlags numbers)
{
    const CDrawingApplication application;
    return RenderBoard(doc, numbers, VIEW_SIZE);
}

// The file appears under its name only once it is complete: a failed or
// interrupted write leaves no file behind, nor a broken one in place of an
// earlier picture (a file manager would keep a broken thumbnail for good).
WriteFailure SavePng(const QImage& image, const std::string& strPath)
{
    if (image.isNull())
        return "cannot draw the picture";
    CReplacingFileDevice file(strPath);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString().toStdString();
    // Qt's PNG writer may report success whatever the device refused: the
    // commit tells. Without a commit, the device removes its temporary file.
    if (!image.save(&file, "PNG"))
        return file.HasFailed() ? file.errorString().toStdString() : "cannot encode the picture as PNG";
    if (!file.Commit())
        return file.errorString().toStdString();
    return std::nullopt;
}

}  // namespace

CDrawingApplication::CDrawingApplication()
    : m_previousHandler(qInstallMessageHandler(KeepOnlyErrors)), m_application(m_argc, m_argv)
{
}

WriteFailure RenderToPng(const CClientDoc& doc, MoveNumberFlags numbers, const std::string& strPath)
{
    return SavePng(DrawView(doc, numbers), strPath);
}

WriteFailure ThumbnailToPng(const CClientDoc& doc, int nSize, const std::string& strPath)
{
    // The board picture without the caption line under it: a square that
    // scales without distortion, and at thumbnail size the caption could
    // not be read anyway.
    const QImage board = DrawView(doc, {}).copy(StoneImages::Get().board.rect());
    return SavePng(board.scaled(nSize, nSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), strPath);
}

std::optional<int> RefuseOutput(const std::string& strPath)
{
    std::error_code ec;
    const auto status = std::filesystem::status(strPath, ec);
    if (!std::filesystem::exists(status) || std::filesystem::is_regular_file(status))
        return std::nullopt;
    std::cerr << "wxl: cannot write " << EscapeControls(strPath) << ": not a regular file\n";
    return kExitFailed;
}

int ReportWrite(const WriteFailure& failure, const std::string& strPath)
{
    if (!failure)
        return kExitOk;
    std::cerr << "wxl: cannot write " << EscapeControls(strPath) << ": " << EscapeControls(*failure) << '\n';
    return kExitFailed;
}
