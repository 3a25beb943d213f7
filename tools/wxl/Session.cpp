#include "Session.h"

#include "StateBlock.h"
#include "fw/core/CCmdUI.h"
#include "fw/core/DocumentPaths.h"
#include "fw/core/MessageBox.h"
#include "record/ClickRule.h"
#include "record/ClientDoc.h"
#include "res/resource.h"

#include <charconv>
#include <istream>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The answer of one update handler; enabled when no handler answers.
class CEnableProbe : public CCmdUI {
public:
    void Enable(bool bOn) override { m_bEnabled = bOn; }
    bool m_bEnabled = true;
};

// The play and replay commands: in the program the view runs them, after
// asking the document's update handlers whether they are available.
struct DocumentCommand {
    std::string_view word;
    unsigned nID;
    void (CClientDoc::*pfnRun)();
};

constexpr DocumentCommand kCommands[] = {
    {"pass", ID_PASS, &CClientDoc::RecordPass},
    {"bomb", ID_DEFINE_BOMB, &CClientDoc::RecordBomb},
    {"back", ID_STEP_BACK, &CClientDoc::StepBack},
    {"forward", ID_STEP_FORWARD, &CClientDoc::StepForward},
    {"start", ID_GO_TO_START, &CClientDoc::GoToStart},
    {"end", ID_GO_TO_END, &CClientDoc::GoToEnd},
};

std::optional<int> ParseInt(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::vector<std::string> SplitWords(const std::string& line)
{
    std::istringstream stream(line);
    std::vector<std::string> words;
    for (std::string word; stream >> word;)
        words.push_back(word);
    return words;
}

// The text after the command word, for paths that may hold spaces.
std::string ArgumentAfterWord(const std::string& line, const std::string& word)
{
    const auto start = line.find_first_not_of(" \t", line.find(word) + word.size());
    if (start == std::string::npos)
        return {};
    const auto end = line.find_last_not_of(" \t\r");
    return line.substr(start, end - start + 1);
}

class CSession {
public:
    CSession(CClientDoc& doc, std::ostream& out) : m_doc(doc), m_out(out) {}

    // Runs one line; false when it is not a command.
    bool Run(const std::string& line)
    {
        const std::vector<std::string> words = SplitWords(line);
        if (words.empty())
            return true;
        const std::string& word = words[0];

        for (const DocumentCommand& command : kCommands)
            if (word == command.word && words.size() == 1)
                return RunCommand(command);

        if ((word == "click" || word == "rclick") && words.size() == 3) {
            const auto x = ParseInt(words[1]);
            const auto y = ParseInt(words[2]);
            if (!x || !y)
                return false;
            word == "click" ? LeftClick(*x, *y) : RightClick(*x, *y);
            return true;
        }
        if (word == "new" && words.size() == 1) {
            fw::NewDocument(m_doc);
            return true;
        }
        if ((word == "open" || word == "save") && words.size() >= 2) {
            const std::string path = ArgumentAfterWord(line, word);
            word == "open" ? fw::OpenDocumentFile(m_doc, path) : fw::SaveDocumentAs(m_doc, path);
            return true;
        }
        if (word == "show" && (words.size() == 1 || (words.size() == 2 && words[1] == "--groups"))) {
            m_out << FormatStateBlock(m_doc, words.size() == 2);
            return true;
        }
        return false;
    }

private:
    bool RunCommand(const DocumentCommand& command)
    {
        CEnableProbe probe;
        m_doc.OnUpdateCommand(command.nID, &probe);
        if (!probe.m_bEnabled)
            m_out << "disabled\n";
        else
            (m_doc.*command.pfnRun)();
        return true;
    }

    // The program's click rules; its messages go where the session sends them.
    static void ShowMessage(const ClickResult& result)
    {
        if (!result.Message().empty())
            AfxMessageBox(std::string(result.Message()));
    }

    void LeftClick(int x, int y) { ShowMessage(LeftClickAt(m_doc, x, y)); }
    void RightClick(int x, int y) { ShowMessage(RightClickAt(m_doc, x, y)); }

    CClientDoc& m_doc;
    std::ostream& m_out;
};

}  // namespace

void RunSession(CClientDoc& doc, std::istream& in, std::ostream& out, std::ostream& err)
{
    const CMessageBoxRedirect messagesToOut([&out](const std::string& text) { out << text << '\n'; });
    CSession session(doc, out);
    for (std::string line; std::getline(in, line);) {
        if (!session.Run(line))
            err << "wxl: unknown command: " << line << '\n';
    }
}
