// The options that name one position, shared by `board` and `render`.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CClientDoc;

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
