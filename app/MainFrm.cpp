#include "MainFrm.h"

#include "record/ClientDoc.h"
#include "res/resource.h"

#include <array>

namespace {

constexpr std::array kIndicators{ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

}  // namespace

bool CMainFrame::OnCreate(const CreateContext& context)
{
    setWindowTitle(QString::fromUtf8(kCaption));
    if (!CFrameWnd::OnCreate(context))
        return false;
    if (!CreateToolBar())
        return false;
    if (!CreateStatusBar(kIndicators))
        return false;
    // The view asks for the board and the caption line under it; the frame
    // adds its menu, toolbar, status bar and borders to that.
    resize(sizeHint());
    return true;
}

void CMainFrame::RecoverFromOutOfMemory()
{
    if (auto* pDoc = dynamic_cast<CClientDoc*>(GetActiveDocument()))
        pDoc->ReturnToStart();
}
