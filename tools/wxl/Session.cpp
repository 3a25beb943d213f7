#include "Session.h"

#include "CommandLine.h"
#include "StateBlock.h"
#include "fw/core/CCmdTarget.h"
#include "fw/core/DocumentPaths.h"
#include "fw/core/MessageBox.h"
#include "record/ClickRule.h"
#include "record/ClientDoc.h"
#include "res/resource.h"

#include <charconv>
#include <cstddef>
#include <istream>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

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

// Far longer than any command and any path the system accepts; a longer line
// is refused, so that input without newlines cannot take all memory.
constexpr std::size_t kLongestLine = 64 * 1024;

enum class LineRead { line, tooLong, end };

// Reads the next line, without its newline, into line. A line longer than
// kLongestLine is not kept: what does not fit is read and dropped up to the
// newline.
LineRead ReadLine(std::istream& in, std::string& line)
{
    line.clear();
    // The sentry flushes the output tied to in, so that an interactive user
    // sees the answer to one command before typing the next.
    const std::istream::sentry ready(in, true);
    if (!ready)
        return LineRead::end;
    std::streambuf& input = *in.rdbuf();
    bool bTooLong = false;
    for (auto c = input.sbumpc(); !std::istream::traits_type::eq_int_type(c, std::istream::traits_type::eof());
         c = input.sbumpc()) {
        if (c == '\n')
            return bTooLong ? LineRead::tooLong : LineRead::line;
        if (line.size() < kLongestLine)
            line += std::istream::traits_type::to_char_type(c);
        else
            bTooLong = true;
    }
    in.setstate(std::ios::eofbit);
    if (bTooLong)
        return LineRead::tooLong;
    return line.empty() ? LineRead::end : LineRead::line;
}

// A coordinate: an int, or one too large for it (std::nullopt when the word
// is not a number at all).
struct Coordinate {
    int value = 0;
    bool bOutOfRange = false;
};

std::optional<Coordinate> ParseCoordinate(std::string_view text)
{
    Coordinate coordinate;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), coordinate.value);
    if (end != text.data() + text.size() || (error != std::errc() && error != std::errc::result_out_of_range))
        return std::nullopt;
    coordinate.bOutOfRange = error == std::errc::result_out_of_range;
    return coordinate;
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

    // Runs one line; the complaint when it is not a command.
    std::optional<std::string_view> Run(const std::string& line)
    {
        const std::vector<std::string> words = SplitWords(line);
        if (words.empty())
            return std::nullopt;
        const std::string& word = words[0];

        for (const DocumentCommand& command : kCommands)
            if (word == command.word && words.size() == 1)
                return RunCommand(command);

        if ((word == "click" || word == "rclick") && words.size() == 3) {
            const auto x = ParseCoordinate(words[1]);
            const auto y = ParseCoordinate(words[2]);
            if (!x || !y)
                return kUnknownCommand;
            // Such a point is off the grid, where a click does nothing; the
            // line is still a mistake worth pointing out.
            if (x->bOutOfRange || y->bOutOfRange)
                return "coordinate out of range";
            word == "click" ? LeftClick(x->value, y->value) : RightClick(x->value, y->value);
            return std::nullopt;
        }
        if (word == "new" && words.size() == 1) {
            fw::NewDocument(m_doc);
            return std::nullopt;
        }
        if ((word == "open" || word == "save") && words.size() >= 2) {
            const std::string path = ArgumentAfterWord(line, word);
            word == "open" ? fw::OpenDocumentFile(m_doc, path) : fw::SaveDocumentAs(m_doc, path);
            return std::nullopt;
        }
        if (word == "show" && (words.size() == 1 || (words.size() == 2 && words[1] == "--groups"))) {
            m_out << FormatStateBlock(m_doc, words.size() == 2);
            return std::nullopt;
        }
        return kUnknownCommand;
    }

private:
    static constexpr std::string_view kUnknownCommand = "unknown command";

    std::optional<std::string_view> RunCommand(const DocumentCommand& command)
    {
        // The session runs these commands itself, as the view does in the program.
        if (!IsCommandAvailable({&m_doc}, command.nID, /*bHandled=*/true))
            m_out << "disabled\n";
        else
            (m_doc.*command.pfnRun)();
        return std::nullopt;
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
    const CMessageBoxRedirect messagesToOut(
        [&out](const std::string& text) { out << EscapeControls(text) << '\n'; });
    CSession session(doc, out);
    std::string line;
    for (long long nLine = 1;; ++nLine) {
        const LineRead read = ReadLine(in, line);
        if (read == LineRead::end)
            return;
        if (read == LineRead::tooLong)
            err << "wxl: line " << nLine << " is longer than " << kLongestLine << " bytes; skipped\n";
        else if (const auto complaint = session.Run(line))
            err << "wxl: " << *complaint << ": " << EscapeControls(line) << '\n';
        // Nothing more can reach whoever reads the output.
        if (!out)
            return;
    }
}
