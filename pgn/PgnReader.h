#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "ByteArchive.h"
#include "GameRecord.h"

struct PgnReadResult {
    bool ok = false;
    std::string message;     // why the file was refused; empty when read
    bool moreGames = false;  // the file holds further games after the one read
    bool textAfter = false;  // a line after the game's last one holds more than blanks
    // What was read only in part, one sentence each: the game opens, and the
    // user is told.
    std::vector<std::string> notices;
};

// Reads one game, replaying every move, into `game`. A file that cannot be
// read whole is refused with a message and leaves `game` as it was.
PgnReadResult ReadPgn(ByteReader& in, CGameRecord& game);
PgnReadResult ReadPgnFromString(std::string_view bytes, CGameRecord& game);

// Name and value of a tag line `[Name "value"]` as the reader takes them;
// `rest` gets what follows the closing bracket (more tags, or moves).
bool ParsePgnTag(std::string_view line, std::string& name, std::string& value,
                 std::string& rest);

// The characters the reader cuts lines and move numbers at; the game list
// cuts at the same.
inline bool IsPgnBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}
inline bool IsPgnDigit(char c) { return c >= '0' && c <= '9'; }

// The tokens that end a game's moves, ½-½ and a draw cut to "1/2" among them.
bool IsPgnResultToken(std::string_view token);
// Where a result token written straight after a move ("e5*", "Qxf7#1-0")
// begins in `token`; npos when none is glued to it.
std::size_t GluedResultAt(std::string_view token);
// The Result tag after the token that ended the moves: the tag's own, unless
// it is missing or "?". "*" leaves a missing tag missing, which reads the same.
std::string ResultAfterToken(std::string_view tag, std::string_view token);
// A Result as it is kept and written: a draw cut to "1/2" in full, "1/2-1/2";
// anything else as it stands.
std::string ResultInFull(std::string_view result);
// A line of tags, `[Name "value"]` and perhaps more. After an empty line, as
// games are set apart, it begins the next game even inside a comment or
// variation: one left open would otherwise take the games that follow.
bool IsPgnTagLine(std::string_view line);

namespace pgnmsg {
inline constexpr const char* kUnexpectedFormat = "Unexpected file format.";
inline constexpr const char* kFileEndsFirst = "The file ends before this game's result.";
inline constexpr const char* kNextGameFirst =
    "The next game's tags begin before this game's result.";
inline constexpr const char* kCommentNotClosed = "A comment in this game's moves is never closed.";
inline constexpr const char* kVariationNotClosed =
    "A variation in this game's moves is never closed.";
// Why a game whose comments `openers` are still open cannot be read: the
// outermost one is what the file leaves open.
inline const char* NotClosed(const std::string& openers) {
    return openers.front() == '(' ? kVariationNotClosed : kCommentNotClosed;
}
// The start of the sentence for a variation read in part; the move follows.
inline constexpr const char* kVariationMoveRefused =
    "A variation holds a move that cannot be played in its position, ";
inline constexpr const char* kVariationTooLong =
    "A variation goes on past 300 half-moves from the start of the game, the most a line holds, "
    "at ";
inline constexpr const char* kTooManyVariationPlies =
    "This game's variations hold more than 20000 half-moves; Ravelin keeps at most 20000 in "
    "the variations of a game.";
inline constexpr const char* kVariationsTooDeep =
    "This game's variations are nested more than 64 deep; Ravelin keeps at most 64 levels.";
inline constexpr const char* kTooManyPlies =
    "This game has more than 300 half-moves; Ravelin keeps at most 300 in a game.";
}  // namespace pgnmsg
