#pragma once

#include <string>
#include <utility>
#include <vector>

#include "ByteArchive.h"
#include "GameRecord.h"

// Writes a game in the PGN standard's export format, for other programs: the
// seven tags (a Result other than a result token as "*", an unknown Date as
// "????.??.??"), the tags ExportedTags gives, SetUp and FEN
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
// The tags written after the seven: those kept from the game's file
// (PlyCount brought up to date), then, when the game has no ECO or Opening
// tag of its own, the ECO code and name of the opening its main line reached
// (Openings.h), if any.
std::vector<std::pair<std::string, std::string>> ExportedTags(const CGameRecord& game);
std::string ExportPgnToString(const CGameRecord& game);

// A note as an export comment holds it: "}" as ")" (it would end the
// comment) and one blank between words.
std::string NoteAsExported(const std::string& note);
