// The string table: the program's own entries and the framework's texts for
// the standard commands on the menu and toolbar, looked up by id.
#pragma once

#include <string_view>

// The string with id nID. Ids the table does not hold fall back to the
// framework's own texts (fw::FrameworkText); empty when neither has one.
std::string_view LoadResourceString(unsigned nID);
