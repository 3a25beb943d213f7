// The command-line record and the framework's standard rules that fill it.
// Start-up parses the arguments into a fresh record and then carries out its
// shell command.
#pragma once

#include <string>
#include <vector>

class CCommandLineInfo {
public:
    enum ShellCommand { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister };

    ShellCommand m_nShellCommand = FileNew;
    std::string m_strFileName;
    std::string m_strPrinterName;  // print to only: printer, driver, port
    std::string m_strDriverName;
    std::string m_strPortName;
    bool m_bShowSplash = true;
    bool m_bRunEmbedded = false;
    bool m_bRunAutomated = false;
};

// Fills rInfo, expected fresh, from args, the arguments after the program
// name. An argument starting with '-' is a switch, and so is one starting
// with '/' on Windows; elsewhere '/' starts a switch only when a known switch
// name follows, since it starts every absolute path. The switches:
//   "pt" print to, "p" print, "dde" wait for DDE (exact case);
//   "Unregister", "Unregserver" unregister (any case);
//   "Embedding", "Automation" set run-embedded or run-automated (any case);
//   anything else is ignored; a later shell-command switch overrides an
//   earlier one.
// Any other argument is a parameter: the first becomes the file name; while
// the shell command is print to, the next three become printer, driver and
// port; the rest are ignored. An empty parameter fills nothing.
// Afterwards: with no shell-command switch, a file name means open file;
// show-splash is true exactly when neither embedded nor automated.
void ParseCommandLine(CCommandLineInfo& rInfo, const std::vector<std::string>& args);
