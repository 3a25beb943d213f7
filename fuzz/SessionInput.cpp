// One fuzz input as the stdin of `wxl session`, run a line at a time so the
// document can be checked after every command.
#include "fuzz/FuzzInputs.h"

#include "fw/core/DocumentPaths.h"
#include "record/ClientDoc.h"
#include "tools/wxl/Session.h"

#include <cctype>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <stdlib.h>
#include <string_view>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMaxNameLength = 8;

// Removed when the process ends normally; a crash leaves it for inspection.
struct ScratchDir {
    ScratchDir()
    {
        std::error_code ec;
        const fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::string pattern = (base / "wexlan-fuzz.XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a scratch folder");
        path = pattern;
    }
    ~ScratchDir()
    {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    std::string path;
};

// A folder of this process's own, for the files open and save name.
const std::string& ScratchFolder()
{
    static const ScratchDir scratch;
    return scratch.path;
}

void ClearScratchFolder()
{
    std::error_code ec;
    for (const auto& item : fs::directory_iterator(ScratchFolder(), ec))
        fs::remove_all(item.path(), ec);
}

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
