#include "PositionCommand.h"

#include "CommandLine.h"
#include "GameLoad.h"

#include "record/ClientDoc.h"


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
            if (auto complaint = ParseAtOption(args[i], options.nSteps))
                return complaint;
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
    const std::optional<int> nSteps = AtPosition(options.nSteps, doc.GetMoves().GetSize());
    if (!nSteps)
        return kExitUsage;
    doc.StepForwardTo(*nSteps);
    return std::nullopt;
}
