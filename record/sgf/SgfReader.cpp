#include "SgfReader.h"

#include "GameStory.h"
#include "SgfCharset.h"
#include "SgfText.h"
#include "SgfWriter.h"
#include "record/ColourRule.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <utility>

namespace {

// Setup stones expand point ranges, so a small file can ask for many
// entries; this keeps the record far inside what an int counts.
constexpr int kMaxEntries = 50'000'000;
constexpr std::size_t kMaxOtherNames = 6;
// The root's game information a story keeps. A real game has a few dozen
// properties of a value or a few each; a file of nothing else would cost
// some 100 bytes of memory for each 4-byte "XX[]", so what lies beyond these
// is dropped, a property whole, and counted.
constexpr std::size_t kMaxRootProperties = 4096;
constexpr std::size_t kMaxRootValues = 65536;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// ---- the record ----

// Counted only for a message, so that reading pays nothing for it.
std::int64_t LineOf(std::string_view text, std::size_t at)
{
    return 1 + std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at), '\n');
}

bool ParseInt(std::string_view text, int& n)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    return error == std::errc() && end == text.data() + text.size();
}

// A rectangle of setup stones (AB, AW): one point, or "ab:cd".
struct SetupRange {
    bool bBlack;
    std::uint8_t nLeft, nTop, nRight, nBottom;
};

// A move (B, W): a board point, or (0, 0) for a pass.
struct NodeMove {
    bool bBlack;
    std::uint8_t x, y;
};

// A main-line node as the record needs it, gathered while the parser reads
// it, in a few bytes a value: what it drops is only counted, so that a file
// of millions of comments, or of properties in one node, costs no more than
// its text. Its entries are made once the whole node is read, as a node of
// wxl's own export (WX) is that entry alone.
struct PendingNode {
    std::optional<std::string> game;  // the first GM value
    std::optional<std::string> size;  // the first SZ value
    std::optional<std::string> entry; // the first WX value
    std::int64_t nEntryValues = 0;    // the values of the first WX property
    std::vector<SetupRange> setup;
    std::optional<std::string> setupFault;  // why the list value after the last of setup is none
    std::vector<NodeMove> moves;
    std::optional<std::string> moveFault;   // why the move after the last of moves is none
    std::int64_t nComments = 0;    // C
    std::string comment;           // the comments' text, when a story keeps them
    bool bOnlyANote = false;       // the first comment is an export's note on the entry, no more
    std::int64_t nPointMarks = 0;  // MA, which wxl's export writes with a flower stone
    std::int64_t nMarkup = 0;      // the other markup

    void Clear()
    {
        game.reset();
        size.reset();
        entry.reset();
        nEntryValues = 0;
        setup.clear();
        setupFault.reset();
        moves.clear();
        moveFault.reset();
        nComments = nPointMarks = nMarkup = 0;
        comment.clear();
        bOnlyANote = false;
    }
};

bool IsMarkup(std::string_view ident)
{
    for (const std::string_view markup : {"MA", "TR", "CR", "SQ", "LB", "AR", "LN", "SL", "DD", "TB", "TW", "VW"})
        if (ident == markup)
            return true;
    return false;
}

// What describes the file rather than the game: read or checked, never
// reported as dropped.
bool IsFileProperty(std::string_view ident)
{
    for (const std::string_view file : {"FF", "GM", "SZ", "CA", "AP", "ST"})
        if (ident == file)
            return true;
    return false;
}

// What the root says about the game, which a story keeps as it stands: all
// but what makes the record, the file's own properties (the export writes
// its own), the comment (kept as text) and markup.
bool IsGameInformation(std::string_view ident)
{
    for (const std::string_view made : {"FF", "GM", "SZ", "CA", "AP", "AB", "AW", "AE", "B", "W", "C"})
        if (ident == made)
            return false;
    return ident != kSgfEntryProperty && !IsMarkup(ident);
}

// Builds the record, and the story when one is asked for, from the main
// line's nodes, in order. The parser hands it each node as it reads it:
// BeginNode, then for each property the values NeedsValue asks for
// (AddValue, as the file spells them) and the number of them (EndProperty),
// then EndNode.
class CRecordBuilder {
public:
    CRecordBuilder(std::string_view text, SgfImport& import, GameStory* pStory)
        : m_text(text), m_import(import), m_pStory(pStory)
    {
    }

    // The node that starts at offset nAt of the text.
    void BeginNode(std::size_t nAt)
    {
        m_nNodeAt = nAt;
        m_node.Clear();
    }

    // Whether value nIndex of a property named ident makes the record: all
    // values of a list, the first of a move, of the entry and of the game
    // and board size; or the story: all values of the root's game
    // information while it has room for them, the first of a comment.
    bool NeedsValue(std::string_view ident, std::int64_t nIndex) const
    {
        if (KeepsAsInformation(ident))
            return nIndex == 0 || m_bKeepsProperty;
        if (ident == "C")
            return nIndex == 0;
        if (ident == "AB" || ident == "AW" || ident == "AE")
            return !m_node.setupFault;
        if (nIndex != 0)
            return false;
        if (ident == kSgfEntryProperty)
            return !m_node.entry;
        if (ident == "B" || ident == "W")
            return !m_node.moveFault;
        return (ident == "GM" && !m_node.game) || (ident == "SZ" && !m_node.size);
    }

    // Value nIndex of the property ident, as the file spells it.
    void AddValue(std::string_view ident, std::int64_t nIndex, std::string_view raw)
    {
        if (KeepsAsInformation(ident)) {
            KeepInformation(ident, nIndex, raw);
            return;
        }
        if (ident == "C" && m_pStory) {
            KeepCommentText(raw);
            return;
        }
        m_value.clear();
        AppendUnescaped(m_value, raw);
        const std::string_view value = m_value;
        if (ident == "C") {
            if (m_node.nComments == 0)
                m_node.bOnlyANote = IsExportNote(value);
        } else if (ident == "AB" || ident == "AW" || ident == "AE") {
            const std::optional<std::pair<MovePoint, MovePoint>> range = RangeOf(ident, value);
            if (!range)
                return;
            const auto [first, last] = *range;
            if (ident == "AE")
                m_import.nClearedPoints += std::int64_t{last.x - first.x + 1} * (last.y - first.y + 1);
            else
                m_node.setup.push_back({ident == "AB", static_cast<std::uint8_t>(first.x),
                                        static_cast<std::uint8_t>(first.y), static_cast<std::uint8_t>(last.x),
                                        static_cast<std::uint8_t>(last.y)});
        } else if (ident == "B" || ident == "W") {
            m_move = value;
        } else if (ident == kSgfEntryProperty) {
            m_node.entry = value;
        } else if (ident == "GM") {
            m_node.game = value;
        } else if (ident == "SZ") {
            m_node.size = value;
        }
    }

    // The property named ident ends, after nValues values.
    void EndProperty(const std::string& ident, std::int64_t nValues)
    {
        if (ident == kSgfEntryProperty && m_node.nEntryValues == 0) {
            m_node.nEntryValues = nValues;
        } else if (ident == "B" || ident == "W") {
            if (!m_node.moveFault)
                AddMove(ident, nValues);
        } else if (ident == "C") {
            ++m_node.nComments;
        } else if (ident == "MA") {
            ++m_node.nPointMarks;
        } else if (IsMarkup(ident)) {
            ++m_node.nMarkup;
        } else if (ident != "AB" && ident != "AW" && ident != "AE" && !IsFileProperty(ident) &&
                   !(KeepsAsInformation(ident) && m_bKeepsProperty)) {
            // a WX after the node's entry among them
            ++m_import.nOtherProperties;
            auto& names = m_import.otherNames;
            if (std::find(names.begin(), names.end(), ident) != names.end())
                return;
            if (names.size() < kMaxOtherNames)
                names.push_back(ident);
            else
                m_import.bMoreOtherNames = true;
        }
    }

    // Makes the node's entries: in a node of wxl's own export, the entry,
    // its moves and the note of its comment only describing it; else the
    // setup stones and then the moves.
    void EndNode()
    {
        const bool bRoot = m_bRoot;
        if (m_bRoot)
            CheckGame();
        m_bRoot = false;

        MoveRecord& moves = m_import.moves;
        if (m_node.entry) {
            AddOwnEntry();
            // The note of wxl's export is not the game's: only a comment
            // someone wrote there is dropped.
            if (m_pStory)
                DropEntryNote(moves.GetSize() - 1);
            else if (m_node.nComments > 1 || !m_node.bOnlyANote)
                m_import.nComments += m_node.nComments;
        } else {
            if (!m_pStory)
                m_import.nComments += m_node.nComments;
            m_import.nMarkup += m_node.nPointMarks;
        }
        m_import.nMarkup += m_node.nMarkup;
        for (const SetupRange& range : m_node.setup)
            for (int y = range.nTop; y <= range.nBottom; ++y)
                for (int x = range.nLeft; x <= range.nRight; ++x)
                    AppendAs(MovePoint{x, y}, range.bBlack ? BLACK_STONE : WHITE_STONE);
        if (m_node.setupFault)
            Fail(*m_node.setupFault);
        if (m_pStory && bRoot && !m_node.entry)
            m_pStory->nSetupEntries = moves.GetSize();
        if (!m_node.entry) {
            for (const NodeMove& move : m_node.moves)
                AppendAs(move.x == 0 ? PASS_MARK : MovePoint{move.x, move.y},
                         move.bBlack ? BLACK_STONE : WHITE_STONE);
            if (m_node.moveFault)
                Fail(*m_node.moveFault);
        }
        if (m_pStory)
            KeepComment(bRoot);
    }

private:
    bool KeepsAsInformation(std::string_view ident) const
    {
        return m_pStory && m_bRoot && IsGameInformation(ident);
    }

    // Keeps value nIndex of a root property while the story has room for
    // the whole property; one that outgrows it is dropped, values and all.
    void KeepInformation(std::string_view ident, std::int64_t nIndex, std::string_view raw)
    {
        auto& properties = m_pStory->rootProperties;
        if (nIndex == 0) {
            m_bKeepsProperty = properties.size() < kMaxRootProperties;
            if (m_bKeepsProperty)
                properties.emplace_back(std::string(ident), std::vector<std::string>{});
        }
        if (!m_bKeepsProperty)
            return;
        if (m_nRootValues == kMaxRootValues) {
            m_nRootValues -= properties.back().second.size();
            properties.pop_back();
            m_bKeepsProperty = false;
            return;
        }
        properties.back().second.emplace_back(raw);
        ++m_nRootValues;
    }

    static bool IsExportNote(std::string_view comment)
    {
        return comment == kSgfBombNote || comment == kSgfFlowerStoneNote || comment == kSgfFlowerPassNote;
    }

    // Adds a comment's text to the node's, unescaped in place and in room
    // made once, as a comment may be most of the file.
    void KeepCommentText(std::string_view raw)
    {
        std::string& comment = m_node.comment;
        const std::size_t nBefore = comment.size();
        // A second C in one node is not SGF's, but its text is kept too.
        if (m_node.nComments > 0 && !comment.empty())
            comment += '\n';
        const std::size_t nFrom = comment.size();
        comment.reserve(nFrom + raw.size());  // never longer once unescaped
        AppendUnescaped(comment, raw);
        if (comment.size() == nFrom)
            comment.resize(nBefore);  // an empty value adds no line
        if (m_node.nComments == 0)
            m_node.bOnlyANote = IsExportNote(std::string_view(comment).substr(nFrom));
    }

    // The export's note on an entry that SGF has no move for is no comment
    // of the game's: what the user wrote follows it after a blank line.
    void DropEntryNote(int nEntry)
    {
        const std::string_view note = SgfEntryNote(m_import.moves, nEntry);
        std::string& comment = m_node.comment;
        if (note.empty() || !std::string_view(comment).starts_with(note))
            return;
        const std::size_t nAfter = std::string_view(comment).substr(note.size()).starts_with("\n\n") ? 2 : 0;
        comment.erase(0, note.size() + nAfter);
    }

    // The node's comment goes on its last entry; a node that holds none
    // gives its comment to the entry before it, as a paragraph of its own;
    // the root, and what comes before the first move, to the root.
    void KeepComment(bool bRoot)
    {
        if (m_node.comment.empty())
            return;
        const int nSize = m_import.moves.GetSize();
        const int nEntry = bRoot || nSize <= m_pStory->nSetupEntries ? -1 : nSize - 1;
        auto& comments = m_pStory->comments;
        if (!comments.empty() && comments.back().first == nEntry)
            comments.back().second += "\n\n" + m_node.comment;
        else
            comments.emplace_back(nEntry, std::move(m_node.comment));  // BeginNode clears it
    }

    [[noreturn]] void Fail(const std::string& reason) const
    {
        throw CSgfError("line " + std::to_string(LineOf(m_text, m_nNodeAt)) + ": " + reason);
    }

    void CheckGame() const
    {
        if (m_node.game && *m_node.game != "1")
            Fail("GM[" + *m_node.game + "] is not a game of Go; wxl reads only Go (GM[1])");
        if (m_node.size && *m_node.size != "19" && *m_node.size != "19:19")
            Fail("board size SZ[" + *m_node.size + "]; wxl records only 19 x 19 games");
    }

    void AddOwnEntry()
    {
        const std::string_view text = *m_node.entry;
        const std::size_t nColon = text.find(':');
        MovePoint entry;
        const bool bNumbers = nColon != std::string_view::npos && ParseInt(text.substr(0, nColon), entry.x) &&
                              ParseInt(text.substr(nColon + 1), entry.y);
        if (m_node.nEntryValues != 1 || !bNumbers || !IsRecordEntry(entry))
            Fail(std::string(kSgfEntryProperty) + "[" + *m_node.entry + "] is not a record entry");
        Append(entry);
    }

    // The board point of an SGF point value, or nothing for a pass; an empty
    // reason when the value is no point.
    static std::optional<MovePoint> PointOf(std::string_view value, bool bMove, bool& bPoint)
    {
        bPoint = true;
        if (bMove && (value.empty() || value == "tt"))
            return std::nullopt;
        bPoint = value.size() == 2 && value[0] >= 'a' && value[0] <= 's' && value[1] >= 'a' && value[1] <= 's';
        if (!bPoint)
            return std::nullopt;
        return MovePoint{value[0] - 'a' + 1, value[1] - 'a' + 1};
    }

    static std::string NotAPoint(std::string_view ident, std::string_view value)
    {
        return std::string(ident) + "[" + std::string(value) + "] is not a point of the 19 x 19 board";
    }

    // A point or, in a list, a rectangle "ab:cd" of points; nothing, and the
    // node's setup fault, when the value is neither. The fault is reported
    // once the node is read, after the faults of the node's game and entry.
    std::optional<std::pair<MovePoint, MovePoint>> RangeOf(std::string_view ident, std::string_view value)
    {
        const std::size_t nColon = value.find(':');
        bool bPoint = false;
        const std::optional<MovePoint> first = PointOf(value.substr(0, nColon), false, bPoint);
        if (!bPoint) {
            m_node.setupFault = NotAPoint(ident, value.substr(0, nColon));
            return std::nullopt;
        }
        if (nColon == std::string_view::npos)
            return std::pair{*first, *first};
        const std::optional<MovePoint> last = PointOf(value.substr(nColon + 1), false, bPoint);
        if (!bPoint) {
            m_node.setupFault = NotAPoint(ident, value.substr(nColon + 1));
            return std::nullopt;
        }
        return std::pair{MovePoint{std::min(first->x, last->x), std::min(first->y, last->y)},
                         MovePoint{std::max(first->x, last->x), std::max(first->y, last->y)}};
    }

    // The move whose first value AddValue kept. A fault is reported once the
    // node is read, as in a node of wxl's own export the moves do not count.
    void AddMove(const std::string& ident, std::int64_t nValues)
    {
        if (nValues != 1) {
            m_node.moveFault = ident + " holds " + std::to_string(nValues) + " values; a move is one point";
            return;
        }
        bool bPoint = false;
        const std::optional<MovePoint> point = PointOf(m_move, true, bPoint);
        if (!bPoint) {
            m_node.moveFault = NotAPoint(ident, m_move);
            return;
        }
        const MovePoint stone = point.value_or(MovePoint{0, 0});
        m_node.moves.push_back({ident == "B", static_cast<std::uint8_t>(stone.x), static_cast<std::uint8_t>(stone.y)});
    }

    void Append(MovePoint entry)
    {
        MoveRecord& moves = m_import.moves;
        const int nSize = moves.GetSize();
        if (nSize >= kMaxEntries)
            Fail("the game has more than " + std::to_string(kMaxEntries) + " entries");
        // CArray's own step is at most 1024 elements, which makes a long game
        // cost time in the square of its length; doubling keeps it linear.
        if (nSize == moves.GetCapacity())
            moves.SetSize(nSize, std::max(2 * nSize, 64) - nSize);
        moves.Add(entry);
    }

    // Appends entry, after as many passes as replay needs to give it colour.
    void AppendAs(MovePoint entry, const StoneColour& colour)
    {
        MoveRecord& moves = m_import.moves;
        Append(entry);
        while (ReplayColour(moves, moves.GetSize() - 1) != colour) {
            moves[moves.GetSize() - 1] = PASS_MARK;
            ++m_import.nInsertedPasses;
            Append(entry);
        }
    }

    std::string_view m_text;
    SgfImport& m_import;
    GameStory* m_pStory;  // or null: nothing kept beyond the record
    bool m_bRoot = true;
    std::size_t m_nNodeAt = 0;
    PendingNode m_node;   // kept from node to node, with its storage
    std::string m_move;   // the first value of the move being read
    bool m_bKeepsProperty = false;   // the root property being read goes in the story
    std::size_t m_nRootValues = 0;   // the values of the root properties the story keeps
    std::string m_value;  // the value being read, escapes resolved, its storage kept
};

// ---- the text ----

// The SGF grammar, read as a loop: every '(' and ')' moves a depth counter,
// and where the main line lies follows from the depths alone.
class CSgfParser {
public:
    CSgfParser(std::string_view text, SgfImport& import, GameStory* pStory)
        : m_text(text), m_import(import), m_builder(text, import, pStory)
    {
    }

    void Parse()
    {
        if (m_text.starts_with(kUtf8Bom))
            m_at = kUtf8Bom.size();
        SkipSpace();
        if (!m_text.substr(m_at).starts_with('(') || !StartsNode(m_at + 1))
            throw CSgfError("not an SGF file (it does not begin with '(;')");

        enum class Token { none, open, node, close } previous = Token::none;
        for (;;) {
            SkipSpace();
            if (m_at == m_text.size())
                break;
            const char c = m_text[m_at];
            if (m_nDepth == 0 && c != '(')
                break;  // what follows the last game tree is not SGF's
            if (c == '(') {
                if (previous == Token::open)
                    Fail(m_at, "'(' where a node must come");
                OpenTree();
                if (!StartsNode(m_at))
                    Fail(m_at, "a game tree without a node");
                previous = Token::open;
            } else if (c == ')') {
                if (previous == Token::open)
                    Fail(m_at, "a game tree without a node");
                CloseTree();
                previous = Token::close;
            } else if (c == ';') {
                if (previous == Token::close)
                    Fail(m_at, "a node after a variation");
                ReadNode();
                previous = Token::node;
            } else {
                Fail(m_at, "unexpected " + Quoted(m_text.substr(m_at, 1)));
            }
        }
        if (m_nDepth > 0)
            throw CSgfError("the file ends inside a game tree (a ')' is missing)");
    }

private:
    [[noreturn]] void Fail(std::size_t at, const std::string& reason) const
    {
        throw CSgfError("line " + std::to_string(LineOf(m_text, at)) + ": " + reason);
    }

    void SkipSpace()
    {
        while (m_at < m_text.size() && IsSpace(m_text[m_at]))
            ++m_at;
    }

    bool StartsNode(std::size_t at) const
    {
        while (at < m_text.size() && IsSpace(m_text[at]))
            ++at;
        return at < m_text.size() && m_text[at] == ';';
    }

    void OpenTree()
    {
        ++m_at;
        ++m_nDepth;
        if (m_nVariationDepth != 0)
            return;  // inside a dropped branch, which counts as one
        if (m_nDepth == 1 && m_bFirstGameDone) {
            ++m_import.nOtherGames;
            m_nVariationDepth = m_nDepth;
        } else if (m_bMainLineDone) {
            ++m_import.nVariations;
            m_nVariationDepth = m_nDepth;
        }
    }

    void CloseTree()
    {
        ++m_at;
        if (m_nVariationDepth == m_nDepth)
            m_nVariationDepth = 0;
        else if (m_nVariationDepth == 0)
            m_bMainLineDone = true;  // its first branch was the main line's continuation
        if (--m_nDepth == 0)
            m_bFirstGameDone = true;
    }

    void ReadNode()
    {
        const std::size_t nStart = m_at++;
        const bool bMainLine = m_nVariationDepth == 0 && !m_bMainLineDone;
        if (bMainLine)
            m_builder.BeginNode(nStart);
        for (;;) {
            SkipSpace();
            if (m_at == m_text.size() || !IsLetter(m_text[m_at]))
                break;
            std::string ident;
            // Lower-case letters were part of names in older SGF and are
            // left out of them now.
            while (m_at < m_text.size() && IsLetter(m_text[m_at])) {
                if (m_text[m_at] <= 'Z' && ident.size() < 8)
                    ident += m_text[m_at];
                ++m_at;
            }
            if (ident.empty())
                Fail(m_at, "a property name without capitals");
            SkipSpace();
            if (m_at == m_text.size() || m_text[m_at] != '[')
                Fail(m_at, "property " + ident + " without a value");
            std::int64_t nValues = 0;
            while (m_at < m_text.size() && m_text[m_at] == '[') {
                const std::string_view raw = ReadValue();
                if (bMainLine && m_builder.NeedsValue(ident, nValues))
                    m_builder.AddValue(ident, nValues, raw);
                ++nValues;
                SkipSpace();
            }
            if (bMainLine)
                m_builder.EndProperty(ident, nValues);
        }
        if (bMainLine)
            m_builder.EndNode();
    }

    // Passes over the value after '[' and its closing ']'; the value as the
    // file spells it, escapes and all (an escaped character never ends it).
    std::string_view ReadValue()
    {
        const std::size_t nOpen = m_at++;
        while (m_at < m_text.size() && m_text[m_at] != ']')
            m_at += m_text[m_at] == '\\' && m_at + 1 < m_text.size() ? 2 : 1;
        if (m_at == m_text.size())
            Fail(nOpen, "a property value without its closing ']'");
        return m_text.substr(nOpen + 1, m_at++ - nOpen - 1);
    }

    std::string_view m_text;
    SgfImport& m_import;
    CRecordBuilder m_builder;
    std::size_t m_at = 0;
    std::int64_t m_nDepth = 0;
    std::int64_t m_nVariationDepth = 0;  // depth of the dropped tree being skipped, or 0
    bool m_bMainLineDone = false;
    bool m_bFirstGameDone = false;
};

void AppendCount(std::string& text, std::int64_t n, std::string_view singular, std::string_view plural)
{
    if (n == 0)
        return;
    if (!text.empty())
        text += ", ";
    text += std::to_string(n) + ' ';
    text += n == 1 ? singular : plural;
}

}  // namespace

CSgfError TooLargeForAGameRecord()
{
    return CSgfError("larger than " + std::to_string(kMaxSgfBytes >> 20) + " MB, too large for a game record");
}

SgfImport ReadSgf(std::string_view bytes, GameStory* pStory)
{
    if (bytes.size() > kMaxSgfBytes)
        throw TooLargeForAGameRecord();
    std::string converted;
    bytes = SgfTextAsUtf8(bytes, converted);
    if (pStory)
        *pStory = {};
    SgfImport import;
    CSgfParser(bytes, import, pStory).Parse();
    // The record goes on growing in a document, by CArray's own rule.
    import.moves.SetSize(import.moves.GetSize(), 0);
    return import;
}

std::string DescribeImport(const SgfImport& import)
{
    const int nEntries = import.moves.GetSize();
    std::string text = std::to_string(nEntries) + (nEntries == 1 ? " entry" : " entries");
    std::string dropped;
    AppendCount(dropped, import.nOtherGames, "other game", "other games");
    AppendCount(dropped, import.nVariations, "variation", "variations");
    AppendCount(dropped, import.nComments, "comment", "comments");
    AppendCount(dropped, import.nMarkup, "markup property", "markup properties");
    AppendCount(dropped, import.nClearedPoints, "cleared point (AE)", "cleared points (AE)");
    if (import.nOtherProperties > 0) {
        AppendCount(dropped, import.nOtherProperties, "other property", "other properties");
        std::string names;
        for (const std::string& name : import.otherNames)
            names += (names.empty() ? "" : " ") + name;
        dropped += " (" + names + (import.bMoreOtherNames ? " ...)" : ")");
    }
    if (!dropped.empty())
        text += "; dropped " + dropped;
    if (import.nInsertedPasses > 0)
        text += "; inserted " + std::to_string(import.nInsertedPasses) +
                (import.nInsertedPasses == 1 ? " pass" : " passes");
    return text;
}
