#include "UserPrompts.h"

#include "CFrameWnd.h"
#include "CWinApp.h"
#include "QtText.h"
#include "fw/core/FrameworkText.h"
#include "fw/core/MessageBox.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

// Message boxes carry the application's name.
QString Caption()
{
    return AfxGetApp() ? QString::fromStdString(AfxGetApp()->GetAppName()) : QString();
}

// The document template's field, or empty without an application or template.
QString DocString(int nField)
{
    const CSingleDocTemplate* pTemplate = AfxGetApp() ? AfxGetApp()->GetDocTemplate() : nullptr;
    return pTemplate ? QString::fromStdString(pTemplate->GetDocString(nField)) : QString();
}

// The document type's filter first (its name carries the pattern), then all files.
QString FileFilter()
{
    const QString strDocFilter = DocString(CSingleDocTemplate::filterName);
    const QString strAll = ToQString(fw::FrameworkText(fw::IDS_ALLFILTER));
    return strDocFilter.isEmpty() ? strAll : strDocFilter + QStringLiteral(";;") + strAll;
}

// A modal dialog that is open keeps the new box in front of it; otherwise the
// main window owns the box, so that it opens over the program with the
// program's icon even when no window is active (as right after a file dialog
// closed). Until the main window is shown (at start-up, or all through a
// print start) a box has no owner.
QWidget* PromptOwner()
{
    if (QWidget* pModal = QApplication::activeModalWidget())
        return pModal;
    QWidget* pMainWnd = AfxGetApp() ? AfxGetApp()->GetMainWnd() : nullptr;
    return pMainWnd && pMainWnd->isVisible() ? pMainWnd : nullptr;
}

class CQtPrompts : public CUserPrompts {
public:
    void ShowMessage(const std::string& strText) override
    {
        QMessageBox box(QMessageBox::Warning, Caption(), QString::fromStdString(strText), QMessageBox::Ok,
                        PromptOwner());
        box.exec();
    }

    Answer AskYesNoCancel(const std::string& strText) override
    {
        QMessageBox box(QMessageBox::Warning, Caption(), QString::fromStdString(strText),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, PromptOwner());
        switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
        }
    }

    std::optional<std::string> PromptFileName(FileDialog kind, const std::string& strInitial) override
    {
        QFileDialog dialog(PromptOwner(),
                           ToQString(fw::FrameworkText(kind == FileDialog::Open ? fw::IDS_OPENFILE : fw::IDS_SAVEFILE)),
                           QString::fromStdString(strInitial), FileFilter());
        QString strSuffix = DocString(CSingleDocTemplate::filterExt);
        if (strSuffix.startsWith(QLatin1Char('.')))
            strSuffix.remove(0, 1);
        dialog.setDefaultSuffix(strSuffix);
        // Qt's own dialog, whose texts Qt's translations cover; a desktop's
        // native one would speak the user's language instead of the program's.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        if (kind == FileDialog::Open) {
            dialog.setAcceptMode(QFileDialog::AcceptOpen);
            dialog.setFileMode(QFileDialog::ExistingFile);
        } else {
            dialog.setAcceptMode(QFileDialog::AcceptSave);
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().front().toStdString();
    }
};

}  // namespace

CUserPrompts& QtPrompts()
{
    static CQtPrompts qtPrompts;
    return qtPrompts;
}

namespace {

CUserPrompts*& CurrentPrompts()
{
    static CUserPrompts* pCurrent = &QtPrompts();
    return pCurrent;
}

}  // namespace

CUserPrompts& Prompts()
{
    return *CurrentPrompts();
}

CPromptsOverride::CPromptsOverride(CUserPrompts& prompts) : m_pPrevious(std::exchange(CurrentPrompts(), &prompts))
{
    RouteMessageBoxesToPrompts();
}

CPromptsOverride::~CPromptsOverride()
{
    CurrentPrompts() = m_pPrevious;
}

void RouteMessageBoxesToPrompts()
{
    SetMessageBoxHandler([](const std::string& strText) { Prompts().ShowMessage(strText); });
}
