// wxl: inspect, check and script .wxl game records with the program's own
// document code.
#include "Session.h"
#include "StateBlock.h"
#include "fw/core/DocumentPaths.h"
#include "fw/core/MessageBox.h"
#include "record/ClientDoc.h"

#include <charconv>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

constexpr std::string_view kUsage =
    "usage: wxl board FILE [--at N] [--groups]   print the position after N steps (default: all)\n"
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

int Board(const std::vector<std::string>& args)
{
    std::string path;
    bool bGroups = false;
    bool bHasSteps = false;
    long long nSteps = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--groups") {
            bGroups = true;
        } else if (args[i] == "--at") {
            if (++i == args.size())
                return Usage("--at needs a number");
            const std::string& text = args[i];
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), nSteps);
            if (error != std::errc() || end != text.data() + text.size())
                return Usage("--at needs a number, not '" + text + "'");
            bHasSteps = true;
        } else if (path.empty() && !args[i].starts_with("--")) {
            path = args[i];
        } else {
            return Usage("unexpected argument '" + args[i] + "'");
        }
    }
    if (path.empty())
        return Usage("board needs a FILE");

    CClientDoc doc;
    if (!LoadDocument(doc, path, PrintToStderr))
        return kExitFailed;
    const int nSize = doc.m_moves.GetSize();
    if (!bHasSteps)
        nSteps = nSize;
    if (nSteps < 0 || nSteps > nSize) {
        std::cerr << "wxl: --at " << nSteps << " is outside the record (0.." << nSize << ")\n";
        return kExitUsage;
    }
    for (long long i = 0; i < nSteps; ++i)
        doc.StepForward();
    std::cout << FormatStateBlock(doc, bGroups);
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
    if (command == "check")
        return Check(args);
    if (command == "session")
        return Session(args);
    return Usage("unknown command '" + std::string(command) + "'");
}
