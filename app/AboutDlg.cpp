#include "AboutDlg.h"

#include "ClientResources.h"
#include "res/AboutDialogDef.h"

CAboutDlg::CAboutDlg(QWidget* pParent) : CDialog(ABOUT_DIALOG, ClientResources(), pParent)
{
}
