#include "GameStory.h"

#include "SgfText.h"

std::string GameStory::Info(std::string_view name) const
{
    std::string value;
    for (const auto& [ident, values] : rootProperties) {
        if (ident == name && !values.empty()) {
            AppendUnescaped(value, values.front());
            break;
        }
    }
    return value;
}
