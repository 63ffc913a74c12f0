#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "GameRecord.h"

// One game of a file as the list shows it.
struct IndexedGame {
    std::size_t begin = 0;  // its first byte: the first line after the blank ones
    std::size_t end = 0;    // one past the line end that follows its result
    std::array<std::string, CGameRecord::kTagCount> tags;  // cut as a game keeps them
    int plies = 0;
    std::string problem;  // why it cannot be opened; empty when it may be
};

// The games of a file, found from their tag lines and by counting the move
// tokens of their movetext, never replaying a move: reading the chosen game
// is left to the reader, which draws the same borders.
class GameIndex {
public:
    explicit GameIndex(std::string_view bytes);
    const std::vector<IndexedGame>& Games() const { return m_games; }
    std::vector<IndexedGame> TakeGames() && { return std::move(m_games); }
    // More than one game, in a file of text: a NUL byte marks a file that is
    // not (binary, UTF-16, damaged), which is read, and refused, whole.
    bool HoldsSeveral() const { return m_games.size() > 1 && !m_holdsNul; }

private:
    std::vector<IndexedGame> m_games;
    bool m_holdsNul;
};
