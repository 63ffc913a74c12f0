#pragma once

#include <string>
#include <string_view>

#include "ByteArchive.h"
#include "GameRecord.h"

struct PgnReadResult {
    bool ok = false;
    std::string message;     // why the file was refused; empty when read
    bool moreGames = false;  // the file holds further games after the one read
};

// Reads one game, replaying every move, into `game`. A file that cannot be
// read whole is refused with a message and leaves `game` as it was.
PgnReadResult ReadPgn(ByteReader& in, CGameRecord& game);
PgnReadResult ReadPgnFromString(const std::string& bytes, CGameRecord& game);

// Name and value of a tag line `[Name "value"]` as the reader takes them;
// `rest` gets what follows the closing bracket (more tags, or moves).
bool ParsePgnTag(const std::string& line, std::string& name, std::string& value,
                 std::string& rest);

// The characters the reader cuts lines and move numbers at; the game list
// cuts at the same.
inline bool IsPgnBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}
inline bool IsPgnDigit(char c) { return c >= '0' && c <= '9'; }

// The tokens that end a game's moves, ½-½ among them.
bool IsPgnResultToken(std::string_view token);

namespace pgnmsg {
inline constexpr const char* kUnexpectedFormat = "Unexpected file format.";
inline constexpr const char* kTooManyPlies =
    "This game has more than 300 half-moves; Ravelin keeps at most 300 in a game.";
}  // namespace pgnmsg
