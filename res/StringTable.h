// The string table: the program's own entries and the framework's texts for
// the standard commands on the menu and toolbar, looked up by id.
#pragma once

#include <string_view>

// The string with id nID. Ids the table does not hold fall back to the
// framework's own texts (fw::FrameworkText); empty when neither has one.
std::string_view LoadResourceString(unsigned nID);

// A command string is "prompt\ntooltip". The prompt is shown in the status
// bar while the command's menu item or button is pointed at; it is the whole
// string when there is no newline.
std::string_view CommandPrompt(std::string_view strCommand);

// The tooltip of a command string: the field after the first newline, up to
// the next newline if there is one; empty when there is no newline.
std::string_view CommandTooltip(std::string_view strCommand);
