#include "UserPrompts.h"

#include "fw/core/FrameworkText.h"
#include "fw/core/MessageBox.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

const QString kCaption = QStringLiteral("Client");

QString FileFilter()
{
    return QStringLiteral("Qipu Files(*.wxl);;") + QString::fromUtf8(fw::FrameworkText(fw::IDS_ALLFILTER));
}

class CQtPrompts : public CUserPrompts {
public:
    void ShowMessage(const std::string& strText) override
    {
        QMessageBox box(QMessageBox::Warning, kCaption, QString::fromStdString(strText), QMessageBox::Ok,
                        QApplication::activeWindow());
        box.exec();
    }

    Answer AskYesNoCancel(const std::string& strText) override
    {
        QMessageBox box(QMessageBox::Warning, kCaption, QString::fromStdString(strText),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QApplication::activeWindow());
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
        QFileDialog dialog(QApplication::activeWindow(),
                           QString::fromUtf8(fw::FrameworkText(kind == FileDialog::Open ? fw::IDS_OPENFILE : fw::IDS_SAVEFILE)),
                           QString::fromStdString(strInitial), FileFilter());
        dialog.setDefaultSuffix(QStringLiteral("wxl"));
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

CUserPrompts*& CurrentPrompts()
{
    static CQtPrompts qtPrompts;
    static CUserPrompts* pCurrent = &qtPrompts;
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
