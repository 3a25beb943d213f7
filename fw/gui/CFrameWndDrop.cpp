// The frame's part in dragging files onto the window.
#include "CFrameWnd.h"

#include "CWinApp.h"

#include <QApplication>
#include <QByteArray>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <optional>

namespace {

// How often a dropped file waiting for a modal window asks again.
constexpr std::chrono::milliseconds kDroppedFileRetry{100};

// The first file of the drag, if it is a local one: the one a drop opens.
std::optional<std::string> FirstLocalFile(const QMimeData* pData)
{
    if (!pData || !pData->hasUrls())
        return std::nullopt;
    const QList<QUrl> urls = pData->urls();
    if (urls.isEmpty() || !urls.front().isLocalFile())
        return std::nullopt;
    // The name's bytes as the URL spells them: a file manager percent-encodes
    // a name that is not UTF-8 byte for byte, which decoding it as text
    // would lose.
    const QByteArray path = QByteArray::fromPercentEncoding(urls.front().path(QUrl::FullyEncoded).toLatin1());
    return path.toStdString();
}

}  // namespace

void CFrameWnd::OnDropFile(const std::string& strPath)
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->OpenDocumentFile(strPath);
}

void CFrameWnd::dragEnterEvent(QDragEnterEvent* pEvent)
{
    if (FirstLocalFile(pEvent->mimeData()))
        pEvent->acceptProposedAction();
    else
        pEvent->ignore();
}

void CFrameWnd::dragMoveEvent(QDragMoveEvent* pEvent)
{
    if (FirstLocalFile(pEvent->mimeData()))
        pEvent->acceptProposedAction();
    else
        pEvent->ignore();
}

void CFrameWnd::dropEvent(QDropEvent* pEvent)
{
    const std::optional<std::string> path = FirstLocalFile(pEvent->mimeData());
    if (!path) {
        pEvent->ignore();
        return;
    }
    pEvent->acceptProposedAction();
    // The frame as context: a frame gone by then opens nothing.
    QTimer::singleShot(0, this, [this, strPath = *path] { OpenDroppedFile(strPath); });
}

void CFrameWnd::OpenDroppedFile(const std::string& strPath)
{
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(kDroppedFileRetry, this, [this, strPath] { OpenDroppedFile(strPath); });
        return;
    }
    RunRecoveringFromOutOfMemory([&] { OnDropFile(strPath); });
}
