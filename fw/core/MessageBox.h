// The framework's message box, reduced to what the program relies on: a text
// shown to the user with an OK button and the exclamation icon, caption
// "Client". Where it goes is up to the host: the GUI installs a modal box, the
// command-line tool prints, tests collect the texts.
#pragma once

#include <functional>
#include <string>
#include <utility>

using MessageBoxHandler = std::function<void(const std::string& text)>;

// Shows text through the installed handler (by default: a line on stderr).
void AfxMessageBox(const std::string& text);

// Installs a handler; returns the one it replaces.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// Sends message boxes to a handler for the lifetime of the object.
class CMessageBoxRedirect {
public:
    explicit CMessageBoxRedirect(MessageBoxHandler handler) : m_previous(SetMessageBoxHandler(std::move(handler))) {}
    CMessageBoxRedirect(const CMessageBoxRedirect&) = delete;
    CMessageBoxRedirect& operator=(const CMessageBoxRedirect&) = delete;
    ~CMessageBoxRedirect() { SetMessageBoxHandler(std::move(m_previous)); }

private:
    MessageBoxHandler m_previous;
};
