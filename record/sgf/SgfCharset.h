// An SGF file's text in UTF-8, which is what the parser reads: the first
// node's CA property names the character set the file is written in.
#pragma once

#include <string>
#include <string_view>

// The bytes as UTF-8 text. Text in a declared character set other than
// UTF-8 is converted into converted, which the result then views; otherwise
// the result is bytes themselves (without CA, SGF's text is Latin-1, whose
// bytes are parsed as they are). Throws CSgfError for an unknown character
// set or text not valid in it.
std::string_view SgfTextAsUtf8(std::string_view bytes, std::string& converted);
