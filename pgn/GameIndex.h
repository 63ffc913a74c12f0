#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "GameRecord.h"

// One game of a file as the list shows it. Its tag text lies in the index
// that listed it, so a row is a few words whatever the game holds, and is
// good only while that index lives.
struct IndexedGame {
    std::size_t begin = 0;  // its first byte: the first line after the blank ones
    std::size_t end = 0;    // one past the line end that follows its result
    int plies = 0;
    std::string_view problem;  // why it cannot be opened; empty when it may be
    // Tag `tag` (a CGameRecord::Tag), cut as a game keeps it.
    std::string_view Tag(int tag) const {
        std::size_t at = 0;
        for (int before = 0; before < tag; ++before) at += tagLengths[before];
        return {tagText + at, tagLengths[tag]};
    }

    const char* tagText = "";  // the seven tags one after another
    std::array<std::uint8_t, CGameRecord::kTagCount> tagLengths{};
};
static_assert(CGameRecord::kTagSize - 1 <= UINT8_MAX, "a tag's length fits its byte");

// The games of a file, found from their tag lines and by counting the move
// tokens of their movetext, never replaying a move: reading the chosen game
// is left to the reader, which draws the same borders.
class GameIndex {
public:
    GameIndex() = default;
    // The games of a whole file held in memory.
    explicit GameIndex(std::string_view bytes);
    GameIndex(GameIndex&&) = default;
    GameIndex& operator=(GameIndex&&) = default;

    // Lists a file given a block at a time, adding its games to this index:
    // `read` puts up to `room` bytes into `into` and returns how many, 0 at
    // the end, negative when the file cannot be read. After each block
    // `progress` is told how many bytes are listed and returns false to stop.
    // Only a block and the game being listed are held, so a file of any size
    // takes the memory of its list. `sizeHint` (the file's size) sizes the list.
    enum class Listing { Done, Cancelled, ReadFailed };
    using ReadBlock = std::function<std::int64_t(char* into, std::size_t room)>;
    using Progress = std::function<bool(std::uint64_t listed)>;
    Listing List(const ReadBlock& read, const Progress& progress, std::uint64_t sizeHint = 0,
                 std::size_t blockSize = std::size_t(4) << 20);

    const std::vector<IndexedGame>& Games() const { return m_games; }
    // More than one game, in a file of text: a NUL byte marks a file that is
    // not (binary, UTF-16, damaged), which is read, and refused, whole.
    bool HoldsSeveral() const { return m_games.size() > 1 && !m_holdsNul; }
    bool HoldsNul() const { return m_holdsNul; }

private:
    // Keeps the seven tags of a game and points its row at them.
    void KeepTags(const std::array<std::string, CGameRecord::kTagCount>& tags, IndexedGame& game);

    std::vector<IndexedGame> m_games;
    // The tag text of every row, in blocks that never move once written.
    std::vector<std::unique_ptr<char[]>> m_tagBlocks;
    std::size_t m_tagBlockUsed = 0;
    bool m_holdsNul = false;
};
