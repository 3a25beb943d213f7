// wxl-render: `wxl render` in a program of its own. Drawing needs QtGui,
// whose libraries would make every other wxl command start several times
// slower, so wxl runs this program with the arguments that follow `render`
// and it answers exactly as `wxl render` always has.
#include "PositionCommand.h"
#include "RenderPng.h"
#include "record/ClientDoc.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
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
