#include "SgfCommands.h"

#include "CommandLine.h"
#include "SgfReader.h"
#include "SgfWriter.h"
#include "fw/core/CFile.h"
#include "fw/core/DocumentPaths.h"
#include "fw/core/FileException.h"
#include "record/ClientDoc.h"

#include <iostream>
#include <optional>

namespace {

struct InOut {
    std::string input;
    std::string output;
};

// IN -o OUT, in any order, "--" ending the options.
std::optional<InOut> ParseInOut(const std::vector<std::string>& args, std::string_view command,
                                std::string_view outputName)
{
    InOut files;
    bool bOptionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!bOptionsEnded && arg == "--") {
            bOptionsEnded = true;
        } else if (!bOptionsEnded && arg == "-o") {
            if (++i == args.size()) {
                Usage("-o needs a value");
                return std::nullopt;
            }
            files.output = args[i];
        } else if (files.input.empty() && (bOptionsEnded || !arg.starts_with("-"))) {
            files.input = arg;
        } else {
            Usage("unexpected argument '" + arg + "'");
            return std::nullopt;
        }
    }
    if (files.input.empty() || files.output.empty()) {
        Usage(std::string(command) + " needs a FILE and -o " + std::string(outputName));
        return std::nullopt;
    }
    return files;
}

// The whole file, refused beyond kMaxSgfBytes before more is read.
std::string ReadBounded(const std::string& path)
{
    CFile file;
    file.Open(path, CFile::modeRead);
    std::string bytes;
    char block[1 << 16];
    while (const std::size_t nRead = file.Read(block, sizeof block)) {
        if (bytes.size() + nRead > kMaxSgfBytes)
            throw CSgfError("larger than " + std::to_string(kMaxSgfBytes >> 20) + " MB, too large for a game record");
        bytes.append(block, nRead);
    }
    file.Close();
    return bytes;
}

void WriteWhole(const std::string& path, std::string_view bytes)
{
    CFile file;
    file.Open(path, CFile::modeReplace);
    file.Write(bytes.data(), bytes.size());
    file.Close();
}

}  // namespace

int ExportSgf(const std::vector<std::string>& args)
{
    const std::optional<InOut> files = ParseInOut(args, "sgf", "OUT.sgf");
    if (!files)
        return kExitUsage;
    CClientDoc doc{CClientDoc::OneReplay{}};
    if (!LoadDocument(doc, files->input, PrintToStderr))
        return kExitFailed;
    if (doc.GetMoves().GetSize() > kMaxSgfEntries) {
        std::cerr << "wxl: " << EscapeControls(files->input) << ": " << doc.GetMoves().GetSize()
                  << " entries; an SGF export holds at most " << kMaxSgfEntries
                  << ", so that wxl import reads it back (" << (kMaxSgfBytes >> 20) << " MB)\n";
        return kExitFailed;
    }
    try {
        WriteWhole(files->output, WriteSgf(doc.GetMoves()));
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
    const std::string shownName = EscapeControls(files->input);
    SgfImport import;
    try {
        import = ReadSgf(ReadBounded(files->input));
    } catch (const CFileException& e) {
        PrintToStderr(e.GetErrorMessage());
        return kExitFailed;
    } catch (const CSgfError& e) {
        std::cerr << "wxl: " << shownName << ": " << EscapeControls(e.what()) << '\n';
        return kExitFailed;
    }

    const std::string summary = DescribeImport(import);
    CClientDoc doc{CClientDoc::OneReplay{}};
    fw::NewDocument(doc);
    doc.LoadRecord(std::move(import.moves));
    const CMessageBoxRedirect redirect(PrintToStderr);
    if (!fw::SaveDocumentAs(doc, files->output))
        return kExitFailed;
    std::cerr << "wxl: " << shownName << ": " << summary << '\n';
    return kExitOk;
}
