#include "CommandLine.h"

#include "WxlUsage.h"
#include "fw/core/CFile.h"
#include "fw/core/DocumentPaths.h"
#include "record/ClientDoc.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

const std::string_view kUsage = kUsageText;

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

std::optional<std::string> ParseFileAndOptions(
    const std::vector<std::string>& args, std::string& path, const std::vector<std::string_view>& valueOptions,
    const std::function<std::optional<std::string>(const std::string& name, const std::string& value)>& onValue)
{
    bool bOptionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (bOptionsEnded || (!arg.starts_with("-") && path.empty())) {
            if (!path.empty())
                return "unexpected argument '" + arg + "'";
            path = arg;
        } else if (arg == "--") {
            bOptionsEnded = true;
        } else if (std::find(valueOptions.begin(), valueOptions.end(), arg) != valueOptions.end()) {
            if (++i == args.size())
                return arg + " needs a value";
            if (auto complaint = onValue(arg, args[i]))
                return complaint;
        } else {
            return "unexpected argument '" + arg + "'";
        }
    }
    return std::nullopt;
}

std::optional<std::string> ParseAtOption(const std::string& text, std::optional<long long>& nAt)
{
    nAt = ParseWholeNumber<long long>(text);
    if (!nAt)
        return "--at needs a number, not '" + text + "'";
    return std::nullopt;
}

std::optional<int> AtPosition(std::optional<long long> nAt, int nSize)
{
    const long long nPosition = nAt.value_or(nSize);
    if (nPosition < 0 || nPosition > nSize) {
        std::cerr << "wxl: --at " << nPosition << " is outside the record (0.." << nSize << ")\n";
        return std::nullopt;
    }
    return static_cast<int>(nPosition);
}

void WriteWhole(const std::string& path, std::string_view bytes)
{
    CFile file;
    file.Open(path, CFile::modeReplace);
    file.Write(bytes.data(), bytes.size());
    file.Close();
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
