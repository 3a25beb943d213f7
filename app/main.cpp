// wexlan: records and replays games of three-colour Go.
#include "ClientApp.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Qt aborts without a display; say so in one line instead.
bool HasDisplay()
{
#if defined(__linux__) || defined(__unix__)
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") || std::getenv("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

}  // namespace

int main(int argc, char** argv)
{
    if (!HasDisplay()) {
        std::fprintf(stderr, "wexlan: no display to show the window on; try: xvfb-run make run\n");
        return 1;
    }
    QApplication application(argc, argv);
    CClientApp app;
    // Qt's own list of the arguments is decoded text, which loses a file
    // name that is not UTF-8; argv, with Qt's options taken out, keeps it.
    app.SetArguments(std::vector<std::string>(argv + 1, argv + argc));
    return app.Run();
}
