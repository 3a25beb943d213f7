// wxl: inspect, check and script .wxl game records with the program's own
// document code.
#include "RenderPng.h"
#include "Session.h"
#include "StateBlock.h"
#include "fw/core/DocumentPaths.h"
#include "fw/core/MessageBox.h"
#include "record/ClientDoc.h"

#include <charconv>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

constexpr std::string_view kUsage =
    "usage: wxl board FILE [--at N] [--groups]   print the position after N steps (default: all)\n"
    "       wxl render FILE [--at N] [--last10] [--all] -o OUT.png\n"
    "                                            draw that position as the program shows it\n"
    "       wxl check FILE...                    validate game records\n"
    "       wxl session [FILE]                   run commands from stdin, one a line:\n"
    "           click X Y | rclick X Y | pass | bomb | back | forward | start | end\n"
    "           new | open PATH | save PATH | show [--groups]\n";

int Usage(std::string_view complaint = {})
{
    if (!complaint.empty())
        std::cerr << "wxl: " << complaint << '\n';
    std::cerr << kUsage;
    return kExitUsage;
}

// Opens path into a new document as the program's Open does; the program's
// message for a failure goes to onMessage.
bool LoadDocument(CClientDoc& doc, const std::string& path, MessageBoxHandler onMessage)
{
    const CMessageBoxRedirect redirect(std::move(onMessage));
    fw::NewDocument(doc);
    return fw::OpenDocumentFile(doc, path);
}

void PrintToStderr(const std::string& text)
{
    std::cerr << text << '\n';
}

// The options of `board` and `render`.
struct PositionOptions {
    std::string path;
    std::optional<long long> nSteps;  // default: the whole record
    bool bGroups = false;
    bool bLast10 = false;
    bool bAll = false;
    std::string output;
};

// Parses the arguments of `command`; a usage complaint when they do not fit.
std::optional<std::string> ParsePositionOptions(const std::vector<std::string>& args, PositionOptions& options,
                                                std::string_view command)
{
    const bool bRender = command == "render";
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--at" || (bRender && arg == "-o")) {
            if (++i == args.size())
                return arg + " needs a value";
            if (arg == "-o") {
                options.output = args[i];
                continue;
            }
            long long nSteps = 0;
            const std::string& text = args[i];
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), nSteps);
            if (error != std::errc() || end != text.data() + text.size())
                return "--at needs a number, not '" + text + "'";
            options.nSteps = nSteps;
        } else if (!bRender && arg == "--groups") {
            options.bGroups = true;
        } else if (bRender && arg == "--last10") {
            options.bLast10 = true;
        } else if (bRender && arg == "--all") {
            options.bAll = true;
        } else if (options.path.empty() && !arg.starts_with("-")) {
            options.path = arg;
        } else {
            return "unexpected argument '" + arg + "'";
        }
    }
    if (options.path.empty())
        return std::string(command) + " needs a FILE";
    if (bRender && options.output.empty())
        return "render needs -o OUT.png";
    return std::nullopt;
}

// Parses the arguments of `command`, loads the file and steps forward to the
// position asked for; an exit code when any of it fails.
std::optional<int> PreparePosition(const std::vector<std::string>& args, std::string_view command,
                                   PositionOptions& options, CClientDoc& doc)
{
    if (const auto complaint = ParsePositionOptions(args, options, command))
        return Usage(*complaint);
    if (!LoadDocument(doc, options.path, PrintToStderr))
        return kExitFailed;
    const int nSize = doc.m_moves.GetSize();
    const long long nSteps = options.nSteps.value_or(nSize);
    if (nSteps < 0 || nSteps > nSize) {
        std::cerr << "wxl: --at " << nSteps << " is outside the record (0.." << nSize << ")\n";
        return kExitUsage;
    }
    for (long long i = 0; i < nSteps; ++i)
        doc.StepForward();
    return std::nullopt;
}

int Board(const std::vector<std::string>& args)
{
    PositionOptions options;
    CClientDoc doc;
    if (const auto failure = PreparePosition(args, "board", options, doc))
        return *failure;
    std::cout << FormatStateBlock(doc, options.bGroups);
    return kExitOk;
}

int Render(const std::vector<std::string>& args)
{
    PositionOptions options;
    CClientDoc doc;
    if (const auto failure = PreparePosition(args, "render", options, doc))
        return *failure;
    if (!RenderToPng(doc, {options.bLast10 ? 1 : 0, options.bAll ? 1 : 0}, options.output)) {
        std::cerr << "wxl: cannot write " << options.output << '\n';
        return kExitFailed;
    }
    return kExitOk;
}

int Check(const std::vector<std::string>& args)
{
    if (args.empty())
        return Usage("check needs at least one FILE");
    int nExit = kExitOk;
    for (const std::string& path : args) {
        CClientDoc doc;
        std::string message;
        if (LoadDocument(doc, path, [&message](const std::string& text) { message = text; })) {
            std::cout << path << ": ok (" << doc.m_moves.GetSize() << " entries)\n";
        } else {
            std::cout << path << ": " << message << '\n';
            nExit = kExitFailed;
        }
    }
    return nExit;
}

int Session(const std::vector<std::string>& args)
{
    if (args.size() > 1)
        return Usage("session takes at most one FILE");
    CClientDoc doc;
    fw::NewDocument(doc);
    if (args.size() == 1) {
        const CMessageBoxRedirect redirect([](const std::string& text) { std::cout << text << '\n'; });
        fw::OpenDocumentFile(doc, args[0]);
    }
    RunSession(doc, std::cin, std::cout, std::cerr);
    return kExitOk;
}

}  // namespace

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    if (argc < 2)
        return Usage();
    const std::string_view command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kUsage;
        return kExitOk;
    }
    if (command == "board")
        return Board(args);
    if (command == "render")
        return Render(args);
    if (command == "check")
        return Check(args);
    if (command == "session")
        return Session(args);
    return Usage("unknown command '" + std::string(command) + "'");
}
