#include "SgfReader.h"

#include "SgfCharset.h"
#include "SgfText.h"
#include "SgfWriter.h"
#include "record/ColourRule.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace {

// Setup stones expand point ranges, so a small file can ask for many
// entries; this keeps the record far inside what an int counts.
constexpr int kMaxEntries = 50'000'000;
constexpr std::size_t kMaxOtherNames = 6;
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

struct Property {
    std::string ident;
    std::vector<std::string> values;  // all of them for a list, else the first
    std::int64_t nValues = 0;         // how many the file gives
};

// Whether a property holds a list whose every value the record needs.
bool IsList(std::string_view ident)
{
    return ident == "AB" || ident == "AW" || ident == "AE";
}

// Whether the record needs a property: the entries, and the game and board
// checked in the root. The others are dropped, and only counted.
bool IsKept(std::string_view ident)
{
    return IsList(ident) || ident == "B" || ident == "W" || ident == "GM" || ident == "SZ" ||
           ident == kSgfEntryProperty;
}

// A main-line node as the record needs it. What it drops is counted by kind,
// not stored: a file of millions of comments costs no more than its text.
struct Node {
    std::vector<Property> kept;
    std::int64_t nComments = 0;    // C
    std::int64_t nPointMarks = 0;  // MA, which wxl's export writes with a flower stone
    std::int64_t nMarkup = 0;      // the other markup
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

// Builds the record from the main line's nodes, in order.
class CRecordBuilder {
public:
    CRecordBuilder(std::string_view text, SgfImport& import) : m_text(text), m_import(import) {}

    // A main-line property the record does not need, as the parser meets it
    // (IsKept is false): counted in node, or at once for the other kinds,
    // whose names are listed in the order the file gives them.
    void CountDropped(const std::string& ident, Node& node)
    {
        if (ident == "C") {
            ++node.nComments;
        } else if (ident == "MA") {
            ++node.nPointMarks;
        } else if (IsMarkup(ident)) {
            ++node.nMarkup;
        } else if (!IsFileProperty(ident)) {
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

    // The node that starts at offset nAt of the text.
    void AddNode(const Node& node, std::size_t nAt)
    {
        m_nNodeAt = nAt;
        const std::vector<Property>& properties = node.kept;
        if (m_bRoot)
            CheckGame(properties);
        m_bRoot = false;

        const Property* pEntry = Find(properties, kSgfEntryProperty);
        if (pEntry) {
            AddOwnEntry(*pEntry);
        } else {
            // In a node of wxl's own export, these describe the entry.
            m_import.nComments += node.nComments;
            m_import.nMarkup += node.nPointMarks;
        }
        m_import.nMarkup += node.nMarkup;
        for (const Property& property : properties) {
            if (property.ident == "AB" || property.ident == "AW") {
                for (const std::string& value : property.values)
                    AddSetup(property.ident, value);
            } else if (property.ident == "AE") {
                for (const std::string& value : property.values)
                    m_import.nClearedPoints += CountPoints(property.ident, value);
            }
        }
        if (pEntry)
            return;
        for (const Property& property : properties)
            if (property.ident == "B" || property.ident == "W")
                AddMove(property);
    }

private:
    static const Property* Find(const std::vector<Property>& properties, std::string_view ident)
    {
        for (const Property& property : properties)
            if (property.ident == ident)
                return &property;
        return nullptr;
    }

    [[noreturn]] void Fail(const std::string& reason) const
    {
        throw CSgfError("line " + std::to_string(LineOf(m_text, m_nNodeAt)) + ": " + reason);
    }

    void CheckGame(const std::vector<Property>& root) const
    {
        if (const Property* pGame = Find(root, "GM"); pGame && pGame->values.front() != "1")
            Fail("GM[" + pGame->values.front() + "] is not a game of Go; wxl reads only Go (GM[1])");
        if (const Property* pSize = Find(root, "SZ")) {
            const std::string& size = pSize->values.front();
            if (size != "19" && size != "19:19")
                Fail("board size SZ[" + size + "]; wxl records only 19 x 19 games");
        }
    }

    void AddOwnEntry(const Property& property)
    {
        const std::string& value = property.values.front();
        const std::string_view text = value;
        const std::size_t nColon = text.find(':');
        MovePoint entry;
        const bool bNumbers = nColon != std::string_view::npos && ParseInt(text.substr(0, nColon), entry.x) &&
                              ParseInt(text.substr(nColon + 1), entry.y);
        if (property.nValues != 1 || !bNumbers || !IsRecordEntry(entry))
            Fail(std::string(kSgfEntryProperty) + "[" + value + "] is not a record entry");
        Append(entry);
    }

    // The board point of an SGF point value, or nothing for a pass.
    std::optional<MovePoint> PointOf(std::string_view ident, std::string_view value, bool bMove) const
    {
        if (bMove && (value.empty() || value == "tt"))
            return std::nullopt;
        if (value.size() != 2 || value[0] < 'a' || value[0] > 's' || value[1] < 'a' || value[1] > 's')
            Fail(std::string(ident) + "[" + std::string(value) + "] is not a point of the 19 x 19 board");
        return MovePoint{value[0] - 'a' + 1, value[1] - 'a' + 1};
    }

    // A point or, in a list, a rectangle "ab:cd" of points.
    std::pair<MovePoint, MovePoint> RangeOf(std::string_view ident, std::string_view value) const
    {
        const std::size_t nColon = value.find(':');
        const MovePoint first = *PointOf(ident, value.substr(0, nColon), false);
        if (nColon == std::string_view::npos)
            return {first, first};
        const MovePoint last = *PointOf(ident, value.substr(nColon + 1), false);
        return {MovePoint{std::min(first.x, last.x), std::min(first.y, last.y)},
                MovePoint{std::max(first.x, last.x), std::max(first.y, last.y)}};
    }

    std::int64_t CountPoints(std::string_view ident, std::string_view value) const
    {
        const auto [first, last] = RangeOf(ident, value);
        return std::int64_t{last.x - first.x + 1} * (last.y - first.y + 1);
    }

    void AddSetup(std::string_view ident, std::string_view value)
    {
        const auto [first, last] = RangeOf(ident, value);
        const StoneColour colour = ident == "AB" ? BLACK_STONE : WHITE_STONE;
        for (int y = first.y; y <= last.y; ++y)
            for (int x = first.x; x <= last.x; ++x)
                AppendAs(MovePoint{x, y}, colour);
    }

    void AddMove(const Property& move)
    {
        if (move.nValues != 1)
            Fail(move.ident + " holds " + std::to_string(move.nValues) + " values; a move is one point");
        const std::optional<MovePoint> point = PointOf(move.ident, move.values.front(), true);
        AppendAs(point.value_or(PASS_MARK), move.ident == "B" ? BLACK_STONE : WHITE_STONE);
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
    bool m_bRoot = true;
    std::size_t m_nNodeAt = 0;
};

// ---- the text ----

// The SGF grammar, read as a loop: every '(' and ')' moves a depth counter,
// and where the main line lies follows from the depths alone.
class CSgfParser {
public:
    CSgfParser(std::string_view text, SgfImport& import) : m_text(text), m_import(import), m_builder(text, import) {}

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
        Node node;
        for (;;) {
            SkipSpace();
            if (m_at == m_text.size() || !IsLetter(m_text[m_at]))
                break;
            Property property;
            // Lower-case letters were part of names in older SGF and are
            // left out of them now.
            while (m_at < m_text.size() && IsLetter(m_text[m_at])) {
                if (m_text[m_at] <= 'Z' && property.ident.size() < 8)
                    property.ident += m_text[m_at];
                ++m_at;
            }
            if (property.ident.empty())
                Fail(m_at, "a property name without capitals");
            SkipSpace();
            if (m_at == m_text.size() || m_text[m_at] != '[')
                Fail(m_at, "property " + property.ident + " without a value");
            const bool bKept = bMainLine && IsKept(property.ident);
            const bool bAllValues = IsList(property.ident);
            while (m_at < m_text.size() && m_text[m_at] == '[') {
                const bool bStored = bKept && (bAllValues || property.nValues == 0);
                std::string value;
                ReadValue(bStored ? &value : nullptr);
                if (bStored)
                    property.values.push_back(std::move(value));
                ++property.nValues;
                SkipSpace();
            }
            if (bKept)
                node.kept.push_back(std::move(property));
            else if (bMainLine)
                m_builder.CountDropped(property.ident, node);
        }
        if (bMainLine)
            m_builder.AddNode(node, nStart);
    }

    // Reads the value after '[' into *pValue, escapes resolved: "\]" is ']',
    // "\\" is '\', and a backslash before a line break joins the lines. A
    // value not needed (pValue null) is only passed over.
    void ReadValue(std::string* pValue)
    {
        const std::size_t nOpen = m_at++;
        while (m_at < m_text.size() && m_text[m_at] != ']') {
            char c = m_text[m_at++];
            if (c == '\\' && m_at < m_text.size()) {
                c = m_text[m_at++];
                if (c == '\n' || c == '\r') {
                    const char next = m_at < m_text.size() ? m_text[m_at] : '\0';
                    if ((next == '\n' || next == '\r') && next != c)
                        ++m_at;
                    continue;
                }
            }
            if (pValue)
                *pValue += c;
        }
        if (m_at == m_text.size())
            Fail(nOpen, "a property value without its closing ']'");
        ++m_at;
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

SgfImport ReadSgf(std::string_view bytes)
{
    if (bytes.size() > kMaxSgfBytes)
        throw CSgfError("larger than " + std::to_string(kMaxSgfBytes >> 20) + " MB, too large for a game record");
    std::string converted;
    bytes = SgfTextAsUtf8(bytes, converted);
    SgfImport import;
    CSgfParser(bytes, import).Parse();
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
