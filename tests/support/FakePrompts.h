// The one stand-in for the user's answers in the tests that drive the
// framework's windows: it records every message, question and file dialog,
// and answers questions and dialogs from queues the test fills. A question or
// dialog nothing was queued for fails the test and is cancelled, unless the
// test says how to answer such ones.
#pragma once

#include "fw/gui/UserPrompts.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class CFakePrompts : public CUserPrompts {
public:
    void ShowMessage(const std::string& strText) override { m_messages.push_back(strText); }

    Answer AskYesNoCancel(const std::string& strText) override
    {
        m_questions.push_back(strText);
        if (m_answers.empty()) {
            if (m_answerUnqueued)
                return m_answerUnqueued(strText);
            ADD_FAILURE() << "unexpected question: " << strText;
            return Answer::Cancel;
        }
        const Answer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    std::optional<std::string> PromptFileName(FileDialog kind, const std::string& strInitial) override
    {
        m_dialogs.emplace_back(kind, strInitial);
        if (m_fileNames.empty()) {
            if (!m_bCancelUnqueuedDialogs)
                ADD_FAILURE() << "unexpected file dialog, initial name: " << strInitial;
            return std::nullopt;
        }
        auto chosen = m_fileNames.front();
        m_fileNames.pop_front();
        return chosen;
    }

    std::vector<std::string> m_messages;
    std::vector<std::string> m_questions;
    std::vector<std::pair<FileDialog, std::string>> m_dialogs;
    std::deque<Answer> m_answers;
    std::deque<std::optional<std::string>> m_fileNames;  // nullopt: the dialog is cancelled

    // Answers a question when none is queued, instead of failing the test.
    std::function<Answer(const std::string&)> m_answerUnqueued;
    // Cancels a file dialog when no name is queued, instead of failing the test.
    bool m_bCancelUnqueuedDialogs = false;
};
