// The characters both the character-set scan and the parser read SGF text
// by, SGF's escapes both ways, and how a piece of that text is shown in a
// message.
#pragma once

#include <cstddef>
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

// Appends a property value as it stands between '[' and ']' with SGF's
// escapes resolved: "\]" is ']', "\\" is '\', and a backslash before a line
// break (LF, CR, CR LF or LF CR) joins the lines.
inline void AppendUnescaped(std::string& out, std::string_view raw)
{
    for (std::size_t at = 0; at < raw.size();) {
        char c = raw[at++];
        if (c == '\\' && at < raw.size()) {
            c = raw[at++];
            if (c == '\n' || c == '\r') {
                const char next = at < raw.size() ? raw[at] : '\0';
                if ((next == '\n' || next == '\r') && next != c)
                    ++at;
                continue;
            }
        }
        out += c;
    }
}

// Appends text as a property value of SGF: ']' and '\' escaped, the rest as
// it is.
inline void AppendEscaped(std::string& out, std::string_view text)
{
    for (const char c : text) {
        if (c == ']' || c == '\\')
            out += '\\';
        out += c;
    }
}
