// What the commands of wxl share: the usage text, the exit codes, opening a
// file as the program's Open does, and reading the options that name a
// position. `render` and `thumbnail` run in a companion program of its own
// (so that wxl itself loads no Qt), and this is what keeps the two programs'
// options and messages the same.
#pragma once

#include "fw/core/MessageBox.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CClientDoc;

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

inline constexpr std::string_view kUsage =
    "usage: wxl board FILE [--at N] [--groups]   print the position after N steps (default: all)\n"
    "       wxl render FILE [--at N] [--last10] [--all] -o OUT.png\n"
    "                                            draw that position as the program shows it\n"
    "       wxl thumbnail IN OUT SIZE            draw the board at the end of IN, SIZE x SIZE pixels,\n"
    "                                            as the PNG file OUT\n"
    "       wxl kifu FILE -o OUT.pdf|OUT.png|OUT.svg [--per N] [--from N] [--to M]\n"
    "                                            print entries N..M as numbered diagrams, N per\n"
    "                                            diagram (default 100); PNG and SVG: OUT-1, OUT-2...\n"
    "       wxl check FILE...                    validate game records\n"
    "       wxl moves FILE [--json]              list the entries: number, colour, coordinates\n"
    "       wxl sgf FILE -o OUT.sgf              export the record as SGF for other Go editors\n"
    "       wxl import GAME.sgf -o OUT.wxl       make a record of an SGF game's main line\n"
    "       wxl session [FILE]                   run commands from stdin, one a line:\n"
    "           click X Y | rclick X Y | pass | bomb | back | forward | start | end\n"
    "           new | open PATH | save PATH | show [--groups]\n";

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

// The options of `board` and `render`.
struct PositionOptions {
    std::string path;
    std::optional<long long> nSteps;  // default: the whole record
    bool bGroups = false;
    bool bLast10 = false;
    bool bAll = false;
    std::string output;
};

// Parses the arguments that follow `command` ("board" or "render"), loads the
// file and steps forward to the position asked for; an exit code, after its
// message on stderr, when any of it fails.
std::optional<int> PreparePosition(const std::vector<std::string>& args, std::string_view command,
                                   PositionOptions& options, CClientDoc& doc);
