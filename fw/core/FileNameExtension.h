// Recognising a file by the end of its name.
#pragma once

#include <algorithm>
#include <cctype>
#include <string_view>

// Whether name ends in extension (".wxl"), its letters in any case: files
// from other systems and older programs often have their names in capitals.
inline bool HasExtension(std::string_view name, std::string_view extension)
{
    return name.size() >= extension.size() &&
           std::ranges::equal(name.substr(name.size() - extension.size()), extension, [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}
