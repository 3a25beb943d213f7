// What the commands of wxl share: the usage text, the exit codes, messages
// to the terminal, and opening a file as the program's Open does. The
// commands that draw run in wxl-render, a program of their own (so that wxl
// itself loads no Qt); both programs take these from here, which keeps their
// options and messages the same.
#pragma once

#include "fw/core/MessageBox.h"

#include <charconv>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CClientDoc;

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// The text of tools/wxl/usage.txt, which the manual page shows too.
extern const std::string_view kUsage;

// Prints the complaint, if any, and the usage text to stderr; kExitUsage.
int Usage(std::string_view complaint = {});

// text with its control characters written as escapes (\n, \t, \x1b...),
// for file names and lines echoed to a terminal: a name may hold a newline
// that would fake another line of output, or an escape sequence the terminal
// would obey. Other bytes, UTF-8 among them, stay as they are.
std::string EscapeControls(std::string_view text);

// The arguments of a command that takes no options, without the "--" that
// may come first (scripts put it before names that could start with '-').
std::vector<std::string> Operands(const std::vector<std::string>& args);

// Reads the arguments of a command that takes one FILE and options that
// each take a value: the first argument that does not start with '-', or
// the one after "--", is the file; each name in valueOptions takes the next
// argument, which goes to onValue (a complaint when it does not fit). A
// usage complaint when the arguments do not fit.
std::optional<std::string> ParseFileAndOptions(
    const std::vector<std::string>& args, std::string& path, const std::vector<std::string_view>& valueOptions,
    const std::function<std::optional<std::string>(const std::string& name, const std::string& value)>& onValue);

// text as a number of type T, all of it, or nullopt.
template <typename T>
std::optional<T> ParseWholeNumber(std::string_view text)
{
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Reads the value of --at into nAt; a usage complaint when it is no number.
std::optional<std::string> ParseAtOption(const std::string& text, std::optional<long long>& nAt);

// The position --at names in a record of nSize entries (the end without
// it); nullopt after saying on stderr that it lies outside the record.
std::optional<int> AtPosition(std::optional<long long> nAt, int nSize);

// Writes bytes as the whole of path, which is replaced only once they are
// all on the disk; throws CFileException.
void WriteWhole(const std::string& path, std::string_view bytes);

// What main answers when the command ran out of memory: the message on
// stderr, naming the command line, and kExitFailed.
int OutOfMemory(const std::vector<std::string>& commandLine);

// Flushes standard output; when anything written to it was lost, says so on
// stderr and turns nExit into a failure, so that `wxl board FILE > OUT` on a
// full disk does not pass for a success.
int FinishStandardOutput(int nExit);

// A message of the program's, as the commands that draw or print one position
// report it, control characters escaped.
void PrintToStderr(const std::string& text);

// Opens path into a new document as the program's Open does; the program's
// message for a failure goes to onMessage.
bool LoadDocument(CClientDoc& doc, const std::string& path, MessageBoxHandler onMessage);
