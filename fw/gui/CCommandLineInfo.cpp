#include "CCommandLineInfo.h"

#include <algorithm>
#include <string_view>

namespace {

char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, {}, AsciiLower, AsciiLower);
}

bool IsKnownSwitch(std::string_view strSwitch)
{
    return strSwitch == "pt" || strSwitch == "p" || strSwitch == "dde" || EqualsNoCase(strSwitch, "Unregister") ||
           EqualsNoCase(strSwitch, "Unregserver") || EqualsNoCase(strSwitch, "Embedding") ||
           EqualsNoCase(strSwitch, "Automation");
}

// "-" always starts a switch. "/" does too on Windows; elsewhere every
// absolute path starts with it, so there it starts only a switch the program
// knows, and anything else is a file name.
bool IsSwitch(std::string_view arg)
{
    if (arg.empty())
        return false;
    if (arg[0] == '-')
        return true;
#ifdef _WIN32
    return arg[0] == '/';
#else
    return arg[0] == '/' && IsKnownSwitch(arg.substr(1));
#endif
}

// The shell switches compare exactly; the embedding and automation switches
// compare in any case, as the framework does.
void ParseSwitch(CCommandLineInfo& rInfo, std::string_view strSwitch)
{
    if (strSwitch == "pt")
        rInfo.m_nShellCommand = CCommandLineInfo::FilePrintTo;
    else if (strSwitch == "p")
        rInfo.m_nShellCommand = CCommandLineInfo::FilePrint;
    else if (EqualsNoCase(strSwitch, "Unregister") || EqualsNoCase(strSwitch, "Unregserver"))
        rInfo.m_nShellCommand = CCommandLineInfo::AppUnregister;
    else if (strSwitch == "dde")
        rInfo.m_nShellCommand = CCommandLineInfo::FileDDE;
    else if (EqualsNoCase(strSwitch, "Embedding")) {
        rInfo.m_bRunEmbedded = true;
        rInfo.m_bShowSplash = false;
    } else if (EqualsNoCase(strSwitch, "Automation")) {
        rInfo.m_bRunAutomated = true;
        rInfo.m_bShowSplash = false;
    }
}

void ParseParameter(CCommandLineInfo& rInfo, const std::string& strParam)
{
    const bool bPrintTo = rInfo.m_nShellCommand == CCommandLineInfo::FilePrintTo;
    if (rInfo.m_strFileName.empty())
        rInfo.m_strFileName = strParam;
    else if (bPrintTo && rInfo.m_strPrinterName.empty())
        rInfo.m_strPrinterName = strParam;
    else if (bPrintTo && rInfo.m_strDriverName.empty())
        rInfo.m_strDriverName = strParam;
    else if (bPrintTo && rInfo.m_strPortName.empty())
        rInfo.m_strPortName = strParam;
}

}  // namespace

void ParseCommandLine(CCommandLineInfo& rInfo, const std::vector<std::string>& args)
{
    for (const std::string& arg : args) {
        if (IsSwitch(arg))
            ParseSwitch(rInfo, std::string_view(arg).substr(1));
        else
            ParseParameter(rInfo, arg);
    }
    if (rInfo.m_nShellCommand == CCommandLineInfo::FileNew && !rInfo.m_strFileName.empty())
        rInfo.m_nShellCommand = CCommandLineInfo::FileOpen;
    rInfo.m_bShowSplash = !rInfo.m_bRunEmbedded && !rInfo.m_bRunAutomated;
}
