#pragma once

#include <string>

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

namespace pgnmsg {
inline constexpr const char* kUnexpectedFormat = "Unexpected file format.";
}  // namespace pgnmsg
