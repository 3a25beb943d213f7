// A modal dialog laid out from a dialog description: controls placed at
// their dialog-unit positions, converted with the dialog font's average
// character size. OK (the default button, Enter) and Esc end it.
#pragma once

#include <QDialog>

struct DialogDef;

class CDialog : public QDialog {
public:
    CDialog(const DialogDef& definition, QWidget* pParent = nullptr);

    // Runs the dialog modally; the result of QDialog::exec.
    int DoModal() { return exec(); }

    // Pixels of a dialog-unit rectangle in this dialog's font.
    QRect MapDialogRect(int x, int y, int cx, int cy) const;

private:
    QSize m_baseUnits;  // average character width and height of the dialog font
};
