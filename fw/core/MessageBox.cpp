#include "MessageBox.h"

#include <cstdio>
#include <utility>

namespace {

void WriteToStderr(const std::string& text)
{
    std::fprintf(stderr, "%s\n", text.c_str());
}

MessageBoxHandler& CurrentHandler()
{
    static MessageBoxHandler handler = WriteToStderr;
    return handler;
}

}  // namespace

void AfxMessageBox(const std::string& text)
{
    CurrentHandler()(text);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler)
{
    return std::exchange(CurrentHandler(), handler ? std::move(handler) : WriteToStderr);
}
