// One fuzz input as the stdin of `wxl session`, run a line at a time so the
// document can be checked after every command.
#include "fuzz/FuzzInputs.h"

#include "fw/core/DocumentPaths.h"
#include "record/ClientDoc.h"
#include "tools/wxl/Session.h"

#include <cctype>
#include <sstream>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kMaxNameLength = 8;

std::vector<std::string> Words(const std::string& line)
{
    std::istringstream stream(line);
    std::vector<std::string> words;
    for (std::string word; stream >> word;)
        words.push_back(word);
    return words;
}

// The scratch file a path argument stands for: its letters and digits, at
// most eight, behind an "f"; no letters or digits at all name the scratch
// folder itself, so opening and saving onto a folder gets exercised too.
std::string ScratchPathFor(std::string_view argument)
{
    std::string name;
    for (const char c : argument)
        if (std::isalnum(static_cast<unsigned char>(c)) && name.size() < kMaxNameLength)
            name += c;
    return name.empty() ? ScratchFolder() : ScratchFolder() + "/f" + name;
}

// The line the session sees: open and save stay inside the scratch folder.
std::string ConfineLine(const std::string& line, const std::vector<std::string>& words)
{
    if (words.size() < 2 || (words[0] != "open" && words[0] != "save"))
        return line;
    return words[0] + ' ' + ScratchPathFor(line.substr(line.find(words[0]) + words[0].size()));
}

// The commands after which the board is a replay of the record from scratch.
bool RebuildsFromRecord(const std::vector<std::string>& words)
{
    return words.size() == 1 && (words[0] == "back" || words[0] == "start" || words[0] == "new");
}

}  // namespace

std::string RunSessionInput(const std::uint8_t* data, std::size_t size)
{
    ClearScratchFolder();
    CClientDoc doc;
    fw::NewDocument(doc);
    std::ostream discard(nullptr);

    std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
    for (std::string line; std::getline(input, line);) {
        const std::vector<std::string> words = Words(line);
        std::istringstream command(ConfineLine(line, words));
        RunSession(doc, command, discard, discard);
        std::string fault = CheckDocument(doc);
        if (fault.empty() && RebuildsFromRecord(words))
            fault = CheckAgainstReplay(doc);
        if (!fault.empty())
            return fault + " after the line '" + line + "'";
    }
    return {};
}
