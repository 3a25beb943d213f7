#include "MovesCommand.h"

#include "CommandLine.h"
#include "GameLoad.h"
#include "record/ClientDoc.h"
#include "record/ColourRule.h"

#include <iostream>
#include <string_view>

namespace {

// Output is gathered in blocks: a record may hold millions of entries.
constexpr std::size_t kFlushBytes = 1 << 16;

std::string_view KindOf(MovePoint entry)
{
    if (entry == PASS_MARK)
        return "pass";
    if (entry == BOMB_MARK)
        return "bomb";
    return "stone";
}

// A setup entry (a handicap or other stone placed before play, or a pass put
// in between them) is marked: " setup" after the line, "setup":true in JSON.
void AppendLine(std::string& out, const MoveRecord& moves, int i, bool bSetup)
{
    const MovePoint entry = moves[i];
    out += std::to_string(i + 1);
    out += ' ';
    out += ReplayColour(moves, i).name;
    out += ' ';
    if (IsBoardPoint(entry.x, entry.y))
        out += std::to_string(DisplayX(entry.x)) + ' ' + std::to_string(DisplayY(entry.y));
    else
        out += KindOf(entry);
    if (bSetup)
        out += " setup";
    out += '\n';
}

void AppendJsonObject(std::string& out, const MoveRecord& moves, int i, bool bSetup)
{
    const MovePoint entry = moves[i];
    out += i == 0 ? "\n" : ",\n";
    out += "{\"n\":" + std::to_string(i + 1);
    out += ",\"colour\":\"";
    out += ReplayColour(moves, i).name;
    out += "\",\"kind\":\"";
    out += KindOf(entry);
    out += "\",\"x\":" + std::to_string(entry.x) + ",\"y\":" + std::to_string(entry.y);
    out += ",\"dx\":" + std::to_string(DisplayX(entry.x)) + ",\"dy\":" + std::to_string(DisplayY(entry.y));
    out += bSetup ? ",\"setup\":true}" : "}";
}

}  // namespace

int ListMoves(const std::vector<std::string>& args)
{
    std::string path;
    bool bJson = false;
    bool bOptionsEnded = false;
    for (const std::string& arg : args) {
        if (!bOptionsEnded && arg == "--")
            bOptionsEnded = true;
        else if (!bOptionsEnded && arg == "--json")
            bJson = true;
        else if (path.empty() && (bOptionsEnded || !arg.starts_with("-")))
            path = arg;
        else
            return Usage("unexpected argument '" + arg + "'");
    }
    if (path.empty())
        return Usage("moves needs a FILE");

    CClientDoc doc{CClientDoc::OneReplay{}};
    GameStory story;
    if (!LoadGame(doc, path, PrintToStderr, &story))
        return kExitFailed;
    const MoveRecord& moves = doc.GetMoves();
    std::string out = bJson ? "[" : "";
    for (int i = 0; i < moves.GetSize() && std::cout; ++i) {
        const bool bSetup = i < story.nSetupEntries;
        if (bJson)
            AppendJsonObject(out, moves, i, bSetup);
        else
            AppendLine(out, moves, i, bSetup);
        if (out.size() >= kFlushBytes) {
            std::cout << out;
            out.clear();
        }
    }
    if (bJson)
        out += moves.IsEmpty() ? "]\n" : "\n]\n";
    std::cout << out;
    return kExitOk;
}
