// The document's view: a widget that is also a command target, first on the
// command route. Printing and print preview go through the view; OnPrint
// draws one page and may draw nothing.
#pragma once

#include "fw/core/CCmdTarget.h"

#include <QWidget>

class CDocument;
class QPainter;

class CView : public QWidget, public CCmdTarget {
public:
    explicit CView(QWidget* pParent = nullptr);

    CDocument* GetDocument() const { return m_pDocument; }
    void SetDocument(CDocument* pDocument) { m_pDocument = pDocument; }

    // After a new game or a load: the whole view is repainted.
    virtual void OnInitialUpdate() { OnUpdate(); }
    virtual void OnUpdate() { update(); }

    // Draws one printed or previewed page.
    virtual void OnDraw(QPainter& painter) = 0;

    // Print, print preview, and the print started from the command line
    // (to the printer it names, or the default one, without a dialog).
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnFilePrintDirect();
    void SetDirectPrinter(const std::string& strPrinterName) { m_strDirectPrinter = strPrinterName; }

    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageMap messageMap;

private:
    CDocument* m_pDocument = nullptr;
    std::string m_strDirectPrinter;
};
