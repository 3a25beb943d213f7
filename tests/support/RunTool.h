// Running a command-line tool from a test: its stdin from a string, its
// stdout and stderr collected, with a time limit.
#pragma once

#include <string>
#include <vector>

namespace testing_support {

struct ToolRun {
    std::string out;
    std::string err;
    int nExit = -1;      // exit status, or minus the signal that ended the tool
    bool bHung = false;  // killed at the time limit
    long nMaxResidentKiB = 0;
};

struct ToolOptions {
    std::string input;        // the tool's stdin
    bool bAsNobody = false;   // run as user nobody when the tests run as the superuser
    int nLimitSeconds = 300;  // a tool still running then is taken for hung and killed
};

// Runs program with args and waits for it, at most the time limit. Exit 126
// means the switch to nobody failed or nobody cannot reach the program.
ToolRun RunTool(const std::string& program, const std::vector<std::string>& args, const ToolOptions& options = {});

}  // namespace testing_support
