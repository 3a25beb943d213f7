// The characters both the character-set scan and the parser read SGF text
// by, and how a piece of that text is shown in a message.
#pragma once

#include <string>
#include <string_view>

inline bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

inline bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Control characters would garble the one line the user is told.
inline std::string Quoted(std::string_view text)
{
    std::string quoted = "'";
    for (const char c : text.substr(0, 40))
        quoted += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    return quoted + (text.size() > 40 ? "...'" : "'");
}
