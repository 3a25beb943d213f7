// A modal dialog laid out from a dialog description: controls placed at
// their dialog-unit positions, converted with the dialog font's average
// character size. OK (the default button, Enter) and Esc end it.
#pragma once

#include "fw/core/ResourceDefs.h"

#include <QDialog>

class CDialog : public QDialog {
public:
    // Icon controls take their pictures from resources.
    CDialog(const DialogDef& definition, const CResourceSet& resources, QWidget* pParent = nullptr);

    // Runs the dialog modally; the result of QDialog::exec.
    int DoModal() { return exec(); }

    // Pixels of a dialog-unit rectangle in this dialog's font.
    QRect MapDialogRect(int x, int y, int cx, int cy) const;

private:
    QSize m_baseUnits;  // average character width and height of the dialog font
};
