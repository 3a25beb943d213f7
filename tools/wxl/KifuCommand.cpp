#include "KifuCommand.h"

#include "CommandLine.h"
#include "GameLoad.h"
#include "record/sgf/GameStory.h"
#include "KifuHeader.h"
#include "KifuPaint.h"
#include "KifuPlan.h"
#include "RenderPng.h"
#include "fw/core/FileNameExtension.h"
#include "record/ClientDoc.h"

#include <algorithm>
#include <cassert>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string_view>

namespace {

namespace fs = std::filesystem;

struct KifuOptions {
    std::string path;
    std::string output;
    KifuFormat format = KifuFormat::pdf;
    // 100 moves a diagram: see the README's kifu paragraph.
    int nPer = 100;
    std::optional<int> nFrom;
    std::optional<int> nTo;
    KifuCoords coords = KifuCoords::board;
};

std::optional<KifuFormat> FormatOf(const std::string& strOutput)
{
    if (HasExtension(strOutput, ".pdf"))
        return KifuFormat::pdf;
    if (HasExtension(strOutput, ".png"))
        return KifuFormat::png;
    if (HasExtension(strOutput, ".svg"))
        return KifuFormat::svg;
    return std::nullopt;
}

// A usage complaint when the arguments do not fit.
std::optional<std::string> ParseKifuOptions(const std::vector<std::string>& args, KifuOptions& options)
{
    const auto complaint = ParseFileAndOptions(
        args, options.path, {"-o", "--per", "--from", "--to", "--coords"},
        [&options](const std::string& name, const std::string& value) -> std::optional<std::string> {
            if (name == "-o") {
                options.output = value;
                return std::nullopt;
            }
            if (name == "--coords") {
                const std::optional<KifuCoords> coords = KifuCoordsNamed(value);
                if (!coords)
                    return "--coords takes board, western or none, not '" + value + "'";
                options.coords = *coords;
                return std::nullopt;
            }
            const std::optional<int> count = ParseWholeNumber<int>(value);
            if (!count || *count < 1)
                return name + " needs a number from 1 on, not '" + value + "'";
            if (name == "--per")
                options.nPer = *count;
            else if (name == "--from")
                options.nFrom = count;
            else
                options.nTo = count;
            return std::nullopt;
        });
    if (complaint)
        return complaint;
    if (options.path.empty())
        return "kifu needs a FILE";
    if (options.output.empty())
        return "kifu needs -o OUT.pdf, OUT.png or OUT.svg";
    const std::optional<KifuFormat> format = FormatOf(options.output);
    if (!format)
        return "kifu writes .pdf, .png or .svg, not '" + options.output + "'";
    options.format = *format;
    if (options.nFrom && options.nTo && *options.nFrom > *options.nTo)
        return "--from " + std::to_string(*options.nFrom) + " is after --to " + std::to_string(*options.nTo);
    return std::nullopt;
}

// OUT.png for one diagram each: OUT-1.png, OUT-2.png...
std::vector<std::string> OutputPaths(const KifuOptions& options, std::size_t nDiagrams)
{
    if (options.format == KifuFormat::pdf)
        return {options.output};
    const fs::path output(options.output);
    std::vector<std::string> paths;
    for (std::size_t i = 1; i <= nDiagrams; ++i) {
        fs::path numbered = output;
        numbered.replace_filename(output.stem().string() + "-" + std::to_string(i) + output.extension().string());
        paths.push_back(numbered.string());
    }
    return paths;
}

// The diagrams are drawn whole or not at all: a range whose footnotes would
// not fit is refused before anything is drawn.
bool FootnotesFit(const MoveRecord& moves, const std::vector<KifuRange>& ranges, int nSetupEntries)
{
    for (const KifuRange& range : ranges) {
        const std::size_t nFootnotes = PlanKifuDiagram(moves, range, nSetupEntries).footnotes.size();
        if (nFootnotes > kMaxKifuFootnotes) {
            std::cerr << "wxl: entries " << range.nFirst << '-' << range.nLast << " would need " << nFootnotes
                      << " footnotes under one diagram, more than the " << kMaxKifuFootnotes
                      << " it can hold: use a smaller --per\n";
            return false;
        }
    }
    return true;
}

// N of a name OUT-N.png (the prefix "OUT-", the extension ".png"), as
// OutputPaths makes them: digits without a leading 0. A number too large to
// hold counts as the largest.
std::optional<std::uint64_t> DiagramNumber(std::string_view name, std::string_view prefix, std::string_view extension)
{
    if (name.size() <= prefix.size() + extension.size() || !name.starts_with(prefix) || !name.ends_with(extension))
        return std::nullopt;
    const std::string_view digits = name.substr(prefix.size(), name.size() - prefix.size() - extension.size());
    const auto isDigit = [](unsigned char c) { return std::isdigit(c) != 0; };
    if (digits.front() == '0' || !std::all_of(digits.begin(), digits.end(), isDigit))
        return std::nullopt;
    std::uint64_t nNumber = 0;
    if (std::from_chars(digits.data(), digits.data() + digits.size(), nNumber).ec != std::errc())
        return UINT64_MAX;
    return nNumber;
}

// OUT-N.png files beyond the last one written belong to an earlier run of a
// longer record or a smaller --per; they are not this record's, but they are
// the user's to remove. Named on one line, in their order.
void NoteEarlierDiagrams(const KifuOptions& options, std::size_t nDiagrams)
{
    const fs::path output(options.output);
    const std::string strPrefix = output.stem().string() + "-";
    const std::string strExtension = output.extension().string();
    const fs::path folder = output.has_parent_path() ? output.parent_path() : fs::path(".");
    std::vector<std::pair<std::uint64_t, std::string>> earlier;
    std::error_code ec;
    for (auto it = fs::directory_iterator(folder, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const std::optional<std::uint64_t> nNumber = DiagramNumber(name, strPrefix, strExtension);
        if (nNumber && *nNumber > nDiagrams) {
            fs::path numbered = output;
            numbered.replace_filename(name);
            earlier.emplace_back(*nNumber, numbered.string());
        }
    }
    if (earlier.empty())
        return;
    std::sort(earlier.begin(), earlier.end());
    std::cerr << "wxl: left from an earlier run, not part of these diagrams:";
    for (std::size_t i = 0; i < earlier.size(); ++i)
        std::cerr << (i == 0 ? " " : ", ") << EscapeControls(earlier[i].second);
    std::cerr << '\n';
}

// Prints the game doc holds (loaded, at its start), which story tells
// about.
int RunKifu(CClientDoc& doc, const GameStory& story, const KifuOptions& options)
{
    const int nEntries = doc.GetMoves().GetSize();
    if (nEntries == 0) {
        std::cerr << "wxl: " << EscapeControls(options.path) << " holds no entries to print\n";
        return kExitFailed;
    }
    assert(story.nSetupEntries >= 0 && story.nSetupEntries <= nEntries);
    const int nMoves = nEntries - story.nSetupEntries;
    if (nMoves == 0) {
        std::cerr << "wxl: " << EscapeControls(options.path) << " holds setup stones but no moves to print\n";
        return kExitFailed;
    }
    const int nFrom = options.nFrom.value_or(1);
    const int nTo = options.nTo.value_or(nMoves);
    for (const auto& [name, nValue] : {std::pair{"--from", nFrom}, std::pair{"--to", nTo}}) {
        if (nValue > nMoves) {
            std::cerr << "wxl: " << name << ' ' << nValue << " is outside the record (1.." << nMoves << ")\n";
            return kExitUsage;
        }
    }
    const std::vector<KifuRange> ranges = KifuRanges(nFrom, nTo, options.nPer);
    if (!FootnotesFit(doc.GetMoves(), ranges, story.nSetupEntries))
        return kExitFailed;
    const std::vector<std::string> outputs = OutputPaths(options, ranges.size());
    for (const std::string& output : outputs)
        if (const auto refusal = RefuseOutput(output))
            return *refusal;
    KifuLook look;
    // Shown as wxl shows names everywhere: a control character would be
    // drawn as a box, and no XML file may hold one, not even escaped.
    for (const std::string& line : KifuHeaderLines(story, fs::path(options.path).filename().string()))
        look.header.push_back(QString::fromStdString(EscapeControls(line)));
    look.nSetupEntries = story.nSetupEntries;
    look.coords = options.coords;
    if (const auto failure = WriteKifu(doc, ranges, look, options.format, outputs))
        return ReportWrite(failure->reason, failure->path);
    if (options.format != KifuFormat::pdf)
        NoteEarlierDiagrams(options, ranges.size());
    return kExitOk;
}

}  // namespace

int Kifu(const std::vector<std::string>& args)
{
    KifuOptions options;
    if (const auto complaint = ParseKifuOptions(args, options))
        return Usage(*complaint);
    CClientDoc doc{CClientDoc::OneReplay{}};
    GameStory story;  // empty for a .wxl record, which holds moves only
    if (!LoadGame(doc, options.path, PrintToStderr, &story))
        return kExitFailed;
    return RunKifu(doc, story, options);
}
