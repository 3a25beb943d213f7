// wxl: inspect, check and script .wxl game records, and SGF games read as
// records, with the program's own document code. It links no Qt, so that it starts as fast as a plain
// program; `render`, `thumbnail`, `kifu` and `html` are handed to the companion program
// wxl-render.
#include "CommandLine.h"
#include "GameLoad.h"
#include "MovesCommand.h"
#include "PositionCommand.h"
#include "Session.h"
#include "SgfCommands.h"
#include "StateBlock.h"
#include "fw/core/DocumentPaths.h"
#include "fw/core/MessageBox.h"
#include "fw/core/TempFileSignals.h"
#include "record/ClientDoc.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <new>
#include <iostream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include <sys/auxv.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kRendererName = "wxl-render";

// The file this program runs from, links followed. /proc may be missing (in
// a bare chroot); the name the program was started by serves then.
fs::path RunningProgram()
{
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec) {
        const auto* pStartedAs = reinterpret_cast<const char*>(getauxval(AT_EXECFN));
        self = fs::weakly_canonical(pStartedAs ? pStartedAs : "", ec);
    }
    return self;
}

// Where wxl-render may be, in the order tried: beside wxl, as in the build
// tree, then the installed program's folder under libexec, found relative to
// wxl so that an installation works under any prefix.
std::vector<std::string> RendererCandidates()
{
    const fs::path folder = RunningProgram().parent_path();
    return {(folder / kRendererName).string(),
            (folder / WXL_RENDER_FROM_BINDIR / kRendererName).lexically_normal().string()};
}

int Board(const std::vector<std::string>& args)
{
    PositionOptions options;
    CClientDoc doc{CClientDoc::OneReplay{}};
    if (const auto failure = PreparePosition(args, "board", options, doc))
        return *failure;
    std::cout << FormatStateBlock(doc, options.bGroups);
    return kExitOk;
}

// Runs the companion program for `render`, `thumbnail`, `kifu` and `html`, with the command
// and its arguments. It takes this process's place, so its output, messages
// and exit status are the command's own.
int RunDrawingCommand(char** argv)
{
    const std::string_view command = argv[1];
    const std::vector<std::string> candidates = RendererCandidates();
    for (const std::string& path : candidates) {
        argv[0] = const_cast<char*>(path.c_str());
        execv(path.c_str(), argv);
        if (errno != ENOENT) {
            std::cerr << "wxl: cannot run " << EscapeControls(path) << ": " << std::strerror(errno) << '\n';
            return kExitFailed;
        }
    }
    std::cerr << "wxl: " << command << " needs the program " << kRendererName << ", which is missing; looked for";
    for (std::size_t i = 0; i < candidates.size(); ++i)
        std::cerr << (i == 0 ? " " : " and ") << EscapeControls(candidates[i]);
    std::cerr << '\n';
    return kExitFailed;
}

int Check(const std::vector<std::string>& args)
{
    const std::vector<std::string> files = Operands(args);
    if (files.empty())
        return Usage("check needs at least one FILE");
    int nExit = kExitOk;
    for (const std::string& path : files) {
        CClientDoc doc;
        std::string message;
        if (LoadGame(doc, path, [&message](const std::string& text) { message = text; })) {
            std::cout << EscapeControls(path) << ": ok (" << doc.GetMoves().GetSize() << " entries)\n";
        } else {
            std::cout << EscapeControls(path) << ": " << EscapeControls(message) << '\n';
            nExit = kExitFailed;
        }
        if (!std::cout)
            break;  // the rest would be lost as well
    }
    return nExit;
}

int Session(const std::vector<std::string>& args)
{
    const std::vector<std::string> files = Operands(args);
    if (files.size() > 1)
        return Usage("session takes at most one FILE");
    CClientDoc doc;
    fw::NewDocument(doc);
    if (files.size() == 1) {
        const CMessageBoxRedirect redirect(
            [](const std::string& text) { std::cout << EscapeControls(text) << '\n'; });
        fw::OpenDocumentFile(doc, files[0]);
    }
    RunSession(doc, std::cin, std::cout, std::cerr);
    return kExitOk;
}

int RunCommand(std::string_view command, const std::vector<std::string>& args, char** argv)
{
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kUsage;
        return kExitOk;
    }
    if (command == "board")
        return Board(args);
    if (command == "render" || command == "thumbnail" || command == "kifu" || command == "html")
        return RunDrawingCommand(argv);
    if (command == "check")
        return Check(args);
    if (command == "session")
        return Session(args);
    if (command == "moves")
        return ListMoves(args);
    if (command == "sgf")
        return ExportSgf(args);
    if (command == "import")
        return ImportSgf(args);
    return Usage("unknown command '" + std::string(command) + "'");
}

}  // namespace

int main(int argc, char** argv)
{
    fw::RemoveTempFilesOnSignals();
    std::ios::sync_with_stdio(false);
    if (argc < 2)
        return Usage();
    const std::string_view command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    int nExit = kExitFailed;
    try {
        nExit = RunCommand(command, args, argv);
    } catch (const std::bad_alloc&) {
        // A record can be larger than the memory left: the user gets a
        // message and the failure status, as for any file that cannot be read.
        nExit = OutOfMemory({argv + 1, argv + argc});
    }
    return FinishStandardOutput(nExit);
}
