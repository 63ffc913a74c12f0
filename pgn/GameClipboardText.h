#pragma once

#include <string>
#include <string_view>

#include "GameRecord.h"

// What a text pasted or dropped on the program holds: PGN games, a FEN
// position, or neither, with the sentence that says what was found.
struct PastedText {
    enum class Kind { Games, Position, Neither };
    Kind kind = Kind::Neither;
    // The games' text with mail quoting ("> ") taken off, or the FEN with the
    // fields it lacked after the placement filled in ("w - - 0 1").
    std::string text;
    std::string why;  // for Neither: what was expected and what was found
};

// Reads `text` as a FEN position when it is one line whose first field is a
// placement, else as PGN games when it holds at least one with tags or moves.
PastedText ReadPastedText(std::string_view text);

// The whole game as Export PGN writes it, as UTF-8 with the line ends of the
// system, for another program to paste.
std::string CopiedGameText(const CGameRecord& game);
