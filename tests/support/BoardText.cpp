#include "BoardText.h"

#include <stdexcept>
#include <vector>

namespace testing_support {
namespace {

PointValue ValueOf(char symbol)
{
    switch (symbol) {
    case '.':
        return PT_EMPTY;
    case 'X':
        return PT_BLACK;
    case 'O':
        return PT_WHITE;
    case '*':
        return PT_FLOWER;
    default:
        throw std::invalid_argument(std::string("not a board symbol: ") + symbol);
    }
}

std::vector<std::string> Rows(std::string_view text)
{
    std::vector<std::string> rows;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        const auto first = line.find_first_not_of(" \t");
        if (first != std::string_view::npos) {
            line.remove_prefix(first);
            line = line.substr(0, line.find_last_not_of(" \t\r") + 1);
            rows.emplace_back(line);
        }
        start = end + 1;
    }
    return rows;
}

}  // namespace

std::string BoardText(const CGamePosition& position)
{
    std::string text;
    for (int y = 1; y <= BOARD_SIZE; ++y) {
        for (int x = 1; x <= BOARD_SIZE; ++x)
            text += PointSymbol(position.ValueAt(x, y));
        text += '\n';
    }
    return text;
}

void SetBoardText(CGamePosition& position, std::string_view rows)
{
    const std::vector<std::string> lines = Rows(rows);
    if (lines.size() != BOARD_SIZE)
        throw std::invalid_argument("a board needs 19 rows");
    for (int y = 1; y <= BOARD_SIZE; ++y) {
        if (lines[y - 1].size() != BOARD_SIZE)
            throw std::invalid_argument("a board row needs 19 points");
        for (int x = 1; x <= BOARD_SIZE; ++x)
            position.SetValueAt(x, y, ValueOf(lines[y - 1][x - 1]));
    }
}

std::string NormalizeRows(std::string_view rows)
{
    std::string text;
    for (const std::string& line : Rows(rows))
        text += line + '\n';
    return text;
}

std::string Board(std::string_view corner)
{
    std::vector<std::string> lines = Rows(corner);
    if (lines.size() > BOARD_SIZE)
        throw std::invalid_argument("a board has 19 rows");
    lines.resize(BOARD_SIZE);
    std::string text;
    for (std::string& line : lines) {
        if (line.size() > BOARD_SIZE)
            throw std::invalid_argument("a board row has 19 points");
        line.resize(BOARD_SIZE, '.');
        text += line + '\n';
    }
    return text;
}

}  // namespace testing_support
