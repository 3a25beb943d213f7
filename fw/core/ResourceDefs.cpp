#include "ResourceDefs.h"

#include "FrameworkText.h"

std::string_view CResourceSet::LoadString(unsigned nID) const
{
    const std::string_view text = pfnLoadString ? pfnLoadString(nID) : std::string_view();
    return text.empty() ? fw::FrameworkText(nID) : text;
}

std::string_view CommandPrompt(std::string_view strCommand)
{
    return strCommand.substr(0, strCommand.find('\n'));
}

std::string_view CommandTooltip(std::string_view strCommand)
{
    const auto newline = strCommand.find('\n');
    if (newline == std::string_view::npos)
        return {};
    const std::string_view rest = strCommand.substr(newline + 1);
    return rest.substr(0, rest.find('\n'));
}
