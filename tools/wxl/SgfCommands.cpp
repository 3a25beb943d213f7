#include "SgfCommands.h"

#include "CommandLine.h"
#include "GameLoad.h"
#include "record/sgf/SgfReader.h"
#include "record/sgf/SgfText.h"
#include "record/sgf/SgfWriter.h"
#include "fw/core/CFile.h"
#include "fw/core/DocumentPaths.h"
#include "fw/core/FileException.h"
#include "record/ClientDoc.h"

#include <algorithm>
#include <iostream>
#include <optional>
#include <utility>

namespace {

// The options of `wxl sgf` that set the game information, and the root
// property each one sets.
constexpr std::pair<std::string_view, std::string_view> kInformationOptions[] = {
    {"--black", "PB"}, {"--white", "PW"}, {"--black-rank", "BR"}, {"--white-rank", "WR"},
    {"--date", "DT"},  {"--result", "RE"}, {"--event", "EV"},     {"--place", "PC"},
};

struct InOut {
    std::string input;
    std::string output;
    // The root properties the options set, each with its text, in order.
    std::vector<std::pair<std::string, std::string>> information;
};

std::optional<std::string_view> InformationProperty(std::string_view option)
{
    for (const auto& [name, ident] : kInformationOptions)
        if (option == name)
            return ident;
    return std::nullopt;
}

// IN -o OUT, in any order, "--" ending the options; with bInformation, the
// game information options too.
std::optional<InOut> ParseInOut(const std::vector<std::string>& args, std::string_view command,
                                std::string_view outputName, bool bInformation = false)
{
    InOut files;
    std::vector<std::string_view> valueOptions{"-o"};
    if (bInformation)
        for (const auto& [name, ident] : kInformationOptions)
            valueOptions.push_back(name);
    const auto complaint = ParseFileAndOptions(
        args, files.input, valueOptions, [&files](const std::string& name, const std::string& value) {
            if (const std::optional<std::string_view> ident = InformationProperty(name))
                files.information.emplace_back(*ident, value);
            else
                files.output = value;
            return std::optional<std::string>();
        });
    if (complaint) {
        Usage(*complaint);
        return std::nullopt;
    }
    if (files.input.empty() || files.output.empty()) {
        Usage(std::string(command) + " needs a FILE and -o " + std::string(outputName));
        return std::nullopt;
    }
    return files;
}

// Sets the root property ident to text, in the place the game has it, or
// after the rest when it has none.
void SetInformation(GameStory& story, const std::string& ident, std::string_view text)
{
    std::string value;
    AppendEscaped(value, text);
    auto& properties = story.rootProperties;
    const auto named = [&ident](const auto& property) { return property.first == ident; };
    const auto first = std::find_if(properties.begin(), properties.end(), named);
    if (first == properties.end()) {
        properties.emplace_back(ident, std::vector<std::string>{std::move(value)});
        return;
    }
    first->second = {std::move(value)};
    properties.erase(std::remove_if(std::next(first), properties.end(), named), properties.end());
}

}  // namespace

int ExportSgf(const std::vector<std::string>& args)
{
    const std::optional<InOut> files = ParseInOut(args, "sgf", "OUT.sgf", true);
    if (!files)
        return kExitUsage;
    CClientDoc doc{CClientDoc::OneReplay{}};
    GameStory story;
    if (!LoadGame(doc, files->input, PrintToStderr, &story))
        return kExitFailed;
    for (const auto& [ident, text] : files->information)
        SetInformation(story, ident, text);
    if (doc.GetMoves().GetSize() > kMaxSgfEntries) {
        std::cerr << "wxl: " << EscapeControls(files->input) << ": " << doc.GetMoves().GetSize()
                  << " entries; an SGF export holds at most " << kMaxSgfEntries
                  << ", so that wxl import reads it back (" << (kMaxSgfBytes >> 20) << " MB)\n";
        return kExitFailed;
    }
    const std::string sgf = WriteSgf(doc.GetMoves(), story);
    if (sgf.size() > kMaxSgfBytes) {
        std::cerr << "wxl: " << EscapeControls(files->input) << ": its SGF export would be " << sgf.size()
                  << " bytes, more than wxl import reads (" << (kMaxSgfBytes >> 20) << " MB)\n";
        return kExitFailed;
    }
    try {
        WriteWhole(files->output, sgf);
    } catch (const CFileException& e) {
        PrintToStderr(e.GetErrorMessage());
        return kExitFailed;
    }
    return kExitOk;
}

int ImportSgf(const std::vector<std::string>& args)
{
    const std::optional<InOut> files = ParseInOut(args, "import", "OUT.wxl");
    if (!files)
        return kExitUsage;
    std::optional<SgfImport> import = ReadSgfGame(files->input, PrintToStderr);
    if (!import)
        return kExitFailed;

    const std::string summary = DescribeImport(*import);
    CClientDoc doc{CClientDoc::OneReplay{}};
    fw::NewDocument(doc);
    doc.LoadRecord(std::move(import->moves));
    const CMessageBoxRedirect redirect(PrintToStderr);
    if (!fw::SaveDocumentAs(doc, files->output))
        return kExitFailed;
    std::cerr << "wxl: " << EscapeControls(files->input) << ": " << summary << '\n';
    return kExitOk;
}
