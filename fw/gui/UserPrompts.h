// Every modal question the framework asks the user goes through one object:
// the message box, the save question and the file dialogs. The program uses
// the Qt one; tests install their own to see what would be shown and to
// answer it, without a modal loop.
#pragma once

#include <optional>
#include <string>

class QWidget;

class CUserPrompts {
public:
    enum class Answer { Yes, No, Cancel };
    enum class FileDialog { Open, SaveAs };

    virtual ~CUserPrompts() = default;

    // Modal, OK button, exclamation icon, the application's name as caption.
    virtual void ShowMessage(const std::string& strText) = 0;
    // Yes / No / Cancel, same look.
    virtual Answer AskYesNoCancel(const std::string& strText) = 0;
    // The open or save-as dialog for game records; nullopt when cancelled.
    virtual std::optional<std::string> PromptFileName(FileDialog kind, const std::string& strInitial) = 0;
};

// The prompts in use (the Qt dialogs unless a test installed others).
CUserPrompts& Prompts();
// The Qt dialogs, whatever prompts are in use.
CUserPrompts& QtPrompts();

// Installs prompts for the lifetime of the object, and sends AfxMessageBox to them.
class CPromptsOverride {
public:
    explicit CPromptsOverride(CUserPrompts& prompts);
    CPromptsOverride(const CPromptsOverride&) = delete;
    CPromptsOverride& operator=(const CPromptsOverride&) = delete;
    ~CPromptsOverride();

private:
    CUserPrompts* m_pPrevious;
};

// Sends AfxMessageBox to Prompts(); called once at start-up.
void RouteMessageBoxesToPrompts();
