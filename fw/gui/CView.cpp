#include "CView.h"

#include "fw/core/FrameworkIds.h"
#include "fw/core/FrameworkText.h"
#include "fw/core/MessageBox.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <array>

namespace {

constexpr std::array kEntries{
    ON_COMMAND(ID_FILE_PRINT, &CView::OnFilePrint),
    ON_COMMAND(ID_FILE_PRINT_DIRECT, &CView::OnFilePrintDirect),
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, &CView::OnFilePrintPreview),
};

void PrintPages(CView& view, QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer)) {
        AfxMessageBox(std::string(fw::FrameworkText(fw::IDP_FAILED_TO_START_PRINT)));
        return;
    }
    view.OnDraw(painter);
}

}  // namespace

const MessageMap CView::messageMap{&CCmdTarget::messageMap, kEntries};

CView::CView(QWidget* pParent) : QWidget(pParent)
{
}

void CView::OnFilePrint()
{
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        PrintPages(*this, printer);
}

void CView::OnFilePrintPreview()
{
    QPrintPreviewDialog preview(this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* pPrinter) {
        QPainter painter(pPrinter);
        OnDraw(painter);
    });
    preview.exec();
}

void CView::OnFilePrintDirect()
{
    const QPrinterInfo target = m_strDirectPrinter.empty()
                                    ? QPrinterInfo::defaultPrinter()
                                    : QPrinterInfo::printerInfo(QString::fromStdString(m_strDirectPrinter));
    if (target.isNull()) {
        AfxMessageBox(std::string(fw::FrameworkText(fw::IDP_FAILED_TO_START_PRINT)));
        return;
    }
    QPrinter printer(target);
    PrintPages(*this, printer);
}
