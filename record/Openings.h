#pragma once

#include <cstddef>
#include <string>

#include "GameRecord.h"

// A named position of the opening table (resources/openings): the ECO code
// and name of the opening whose moves reach it.
struct Opening {
    const char* key;   // the position, as PositionKey gives it
    const char* eco;   // "C60"
    const char* name;  // "Ruy Lopez", UTF-8
};

// The opening named at the position `key` (PositionKey), or null.
const Opening* FindOpening(const std::string& key);

// The opening the first `plies` plies of `line` have reached: the one named
// at the deepest known position on the way, its start included, whatever
// moves led there; null when no position on the way is known. `reachedAt`,
// when given, receives how many plies reach it (0 the start).
const Opening* OpeningOf(const CGameRecord& line, int plies, int* reachedAt = nullptr);

// How many positions the table names.
std::size_t OpeningCount();
