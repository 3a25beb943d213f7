// What wxl-render draws: the view's picture of a position, or the board of it
// alone as a thumbnail, written as PNG.
#pragma once

#include "view/BoardPainter.h"

#include <QGuiApplication>

#include <optional>
#include <string>

class CClientDoc;

// The GUI application that drawing text needs (its font database), on no
// display; Qt's notes about the environment stay unsaid.
class CDrawingApplication {
public:
    CDrawingApplication();

private:
    char m_arg0[4] = "wxl";
    char m_arg1[10] = "-platform";
    char m_arg2[10] = "offscreen";
    char* m_argv[4] = {m_arg0, m_arg1, m_arg2, nullptr};
    int m_argc = 3;
    // Installed before the application starts, which is when Qt's notes come.
    QtMessageHandler m_previousHandler;
    QGuiApplication m_application;
};

// Why the picture could not be written, when it could not.
using WriteFailure = std::optional<std::string>;

// The picture is written beside strPath and renamed over it, which would put
// a plain file in place of a FIFO or a device (and writing to one directly
// could wait for a reader for good): only a name not taken yet, or a regular
// file, possibly through a symbolic link, is a place for it. kExitFailed,
// after the message, when strPath is no such place.
std::optional<int> RefuseOutput(const std::string& strPath);

// kExitOk without a failure; else the message for strPath and kExitFailed.
int ReportWrite(const WriteFailure& failure, const std::string& strPath);

// Draws doc as the view shows it after a repaint of the whole view and
// writes it to strPath. The file appears only complete: after a failure an
// earlier file there is left as it was.
WriteFailure RenderToPng(const CClientDoc& doc, MoveNumberFlags numbers, const std::string& strPath);

// Draws doc as the view shows it, without move numbers, and writes the board
// scaled to nSize x nSize pixels to strPath, as RenderToPng writes.
WriteFailure ThumbnailToPng(const CClientDoc& doc, int nSize, const std::string& strPath);
