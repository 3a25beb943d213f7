// wxl-render: the wxl commands that draw, in a program of their own. Drawing
// needs QtGui, whose libraries would make every other wxl command start
// several times slower, so wxl runs this program with its own arguments from
// the command on ("render ...", "thumbnail ...", "kifu ..." or "html ...") and it answers
// exactly as wxl would.
#include "CommandLine.h"
#include "GameLoad.h"
#include "HtmlCommand.h"
#include "KifuCommand.h"
#include "PositionCommand.h"
#include "RenderPng.h"
#include "ThumbnailBudget.h"
#include "fw/core/TempFileSignals.h"
#include "record/ClientDoc.h"

#include <algorithm>
#include <iostream>
#include <new>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Far above what file managers ask for (at most 1024), far below a picture
// that would not fit in memory.
constexpr int kLargestThumbnail = 4096;

int Render(const std::vector<std::string>& args)
{
    PositionOptions options;
    CClientDoc doc{CClientDoc::OneReplay{}};
    if (const auto failure = PreparePosition(args, "render", options, doc))
        return *failure;
    if (const auto refusal = RefuseOutput(options.output))
        return *refusal;
    return ReportWrite(RenderToPng(doc, {options.bLast10 ? 1 : 0, options.bAll ? 1 : 0}, options.output),
                       options.output);
}

int Thumbnail(const std::vector<std::string>& allArgs)
{
    const std::vector<std::string> args = Operands(allArgs);
    if (args.size() != 3)
        return Usage("thumbnail needs IN OUT SIZE");
    const std::string& in = args[0];
    const std::string& out = args[1];
    const std::string& sizeText = args[2];
    const int nSize = ParseWholeNumber<int>(sizeText).value_or(0);
    if (nSize < 1 || nSize > kLargestThumbnail)
        return Usage("thumbnail SIZE must be a number of pixels from 1 to " + std::to_string(kLargestThumbnail) +
                     ", not '" + sizeText + "'");
    if (const auto refusal = RefuseOutput(out))
        return *refusal;
    LimitThumbnailProcess();
    CClientDoc doc{CClientDoc::OneReplay{}};
    if (!LoadGame(doc, in, PrintToStderr))
        return kExitFailed;
    if (doc.GetMoves().GetSize() > kThumbnailMaxEntries) {
        std::cerr << "wxl: " << EscapeControls(in) << ": more than " << kThumbnailMaxEntries
                  << " entries, too long for a thumbnail\n";
        return kExitFailed;
    }
    doc.StepForwardTo(doc.GetMoves().GetSize());
    return ReportWrite(ThumbnailToPng(doc, nSize, out), out);
}

int RunCommand(std::string_view command, const std::vector<std::string>& args)
{
    if (command == "render")
        return Render(args);
    if (command == "thumbnail")
        return Thumbnail(args);
    if (command == "kifu")
        return Kifu(args);
    if (command == "html")
        return Html(args);
    return Usage("wxl-render draws for wxl: run 'wxl render', 'wxl thumbnail', 'wxl kifu' or 'wxl html'");
}

}  // namespace

int main(int argc, char** argv)
{
    // Pictures are saved as records are: the same cleanup when a signal
    // ends a save midway (wxl's own handlers did not survive the exec).
    fw::RemoveTempFilesOnSignals();
    std::ios::sync_with_stdio(false);
    const std::string_view command = argc > 1 ? argv[1] : "";
    const std::vector<std::string> args(argv + std::min(argc, 2), argv + argc);
    int nExit = kExitFailed;
    try {
        nExit = RunCommand(command, args);
    } catch (const std::bad_alloc&) {
        nExit = OutOfMemory({argv + std::min(argc, 1), argv + argc});
    }
    return FinishStandardOutput(nExit);
}
