#include "PositionCommand.h"

#include "CommandLine.h"
#include "GameLoad.h"

#include "record/ClientDoc.h"

#include <charconv>
#include <iostream>

namespace {

// Parses the arguments of `command`; a usage complaint when they do not fit.
std::optional<std::string> ParsePositionOptions(const std::vector<std::string>& args, PositionOptions& options,
                                                std::string_view command)
{
    const bool bRender = command == "render";
    bool bOptionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (bOptionsEnded) {
            if (!options.path.empty())
                return "unexpected argument '" + arg + "'";
            options.path = arg;
        } else if (arg == "--") {
            bOptionsEnded = true;
        } else if (arg == "--at" || (bRender && arg == "-o")) {
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

}  // namespace

std::optional<int> PreparePosition(const std::vector<std::string>& args, std::string_view command,
                                   PositionOptions& options, CClientDoc& doc)
{
    if (const auto complaint = ParsePositionOptions(args, options, command))
        return Usage(*complaint);
    if (!LoadGame(doc, options.path, PrintToStderr))
        return kExitFailed;
    const int nSize = doc.GetMoves().GetSize();
    const long long nSteps = options.nSteps.value_or(nSize);
    if (nSteps < 0 || nSteps > nSize) {
        std::cerr << "wxl: --at " << nSteps << " is outside the record (0.." << nSize << ")\n";
        return kExitUsage;
    }
    doc.StepForwardTo(static_cast<int>(nSteps));
    return std::nullopt;
}
