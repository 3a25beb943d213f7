#include "RenderPng.h"

#include <QGuiApplication>

namespace {

// Qt's notes about the environment (no runtime folder, no session bus) are
// not the tool's business; real errors still show.
void KeepOnlyErrors(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        qt_message_output(type, context, message);
}

}  // namespace

bool RenderToPng(const CClientDoc& doc, MoveNumberFlags numbers, const std::string& strPath)
{
    qInstallMessageHandler(KeepOnlyErrors);
    // Text needs the font database of a GUI application; no display is needed.
    char arg0[] = "wxl";
    char arg1[] = "-platform";
    char arg2[] = "offscreen";
    char* argv[] = {arg0, arg1, arg2, nullptr};
    int argc = 3;
    const QGuiApplication application(argc, argv);
    return RenderBoard(doc, numbers, VIEW_SIZE).save(QString::fromStdString(strPath), "PNG");
}
