#include "AboutDlg.h"

#include "res/AboutDialogDef.h"

CAboutDlg::CAboutDlg(QWidget* pParent) : CDialog(ABOUT_DIALOG, pParent)
{
}
