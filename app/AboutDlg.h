// The about box: program name, version and credits, closed with OK or Esc.
#pragma once

#include "fw/gui/CDialog.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(QWidget* pParent = nullptr);
};
