// The yardstick for `wxl board` as a whole process: a plain program that
// opens a .wxl file with the program's own document code, replays it to the
// end and prints one number, with nothing else loaded.
#include "record/ClientDoc.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: replay_file FILE\n", stderr);
        return 2;
    }
    CClientDoc doc;
    if (!doc.OnOpenDocument(argv[1]))
        return 1;
    doc.GoToEnd();
    std::printf("%d\n", doc.GetPosition().m_nCaptures);
    return 0;
}
