#pragma once

#include <string>

#include "ByteArchive.h"
#include "GameRecord.h"

// Writes a game in the PGN standard's export format, for other programs: the
// seven tags (a Result other than a result token as "*", an unknown Date as
// "????.??.??"), the kept tags (PlyCount brought up to date), SetUp and FEN
// when the start is not the standard one (a full FEN with only the castling
// rights its placement allows), an empty line, then
// the movetext in lines of at most 79 characters (a longer word of a note
// alone on its line) with no empty line in it:
// move numbers from the start position, moves in standard short algebraic
// form (no en-passant or draw mark), signs and glyphs as $n, notes as brace
// comments, and the result token. CR LF throughout. The board's orientation
// and the move dates are the program's own and are left out; the game is
// only looked at.
void ExportPgn(const CGameRecord& game, ByteWriter& out);
std::string ExportPgnToString(const CGameRecord& game);

// A note as an export comment holds it: "}" as ")" (it would end the
// comment) and one blank between words.
std::string NoteAsExported(const std::string& note);
