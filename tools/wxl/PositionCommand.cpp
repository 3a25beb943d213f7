#include "PositionCommand.h"

#include "fw/core/DocumentPaths.h"
#include "record/ClientDoc.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
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

void PrintToStderr(const std::string& text)
{
    std::cerr << EscapeControls(text) << '\n';
}

int Usage(std::string_view complaint)
{
    if (!complaint.empty())
        std::cerr << "wxl: " << EscapeControls(complaint) << '\n';
    std::cerr << kUsage;
    return kExitUsage;
}

std::string EscapeControls(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F) {
            escaped += c;
        } else if (c == '\n') {
            escaped += "\\n";
        } else if (c == '\t') {
            escaped += "\\t";
        } else if (c == '\r') {
            escaped += "\\r";
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02x", byte);
            escaped += hex;
        }
    }
    return escaped;
}

std::vector<std::string> Operands(const std::vector<std::string>& args)
{
    if (!args.empty() && args.front() == "--")
        return {args.begin() + 1, args.end()};
    return args;
}

int OutOfMemory(const std::vector<std::string>& commandLine)
{
    std::string command;
    for (const std::string& word : commandLine)
        command += (command.empty() ? "" : " ") + word;
    std::cerr << "wxl: out of memory during '" << EscapeControls(command) << "'\n";
    return kExitFailed;
}

int FinishStandardOutput(int nExit)
{
    // A failed write leaves only badbit in the stream; its reason is in errno
    // until something else sets it, and commands stop writing once it fails.
    if (std::cout) {
        errno = 0;
        std::cout.flush();
    }
    if (std::cout)
        return nExit;
    const int nError = errno;
    std::cerr << "wxl: cannot write to standard output: " << (nError != 0 ? std::strerror(nError) : "write error")
              << '\n';
    return nExit == kExitOk ? kExitFailed : nExit;
}

bool LoadDocument(CClientDoc& doc, const std::string& path, MessageBoxHandler onMessage)
{
    const CMessageBoxRedirect redirect(std::move(onMessage));
    fw::NewDocument(doc);
    return fw::OpenDocumentFile(doc, path);
}

std::optional<int> PreparePosition(const std::vector<std::string>& args, std::string_view command,
                                   PositionOptions& options, CClientDoc& doc)
{
    if (const auto complaint = ParsePositionOptions(args, options, command))
        return Usage(*complaint);
    if (!LoadDocument(doc, options.path, PrintToStderr))
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
