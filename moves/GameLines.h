#pragma once

#include <string>
#include <vector>

#include "GameRecord.h"
#include "LineWalk.h"

namespace lines {
// The bounds of one game's tree: every real annotated game fits them, and a
// file beyond them is refused rather than read in part.
inline constexpr int kMaxVariationPlies = 20000;  // moves in all variations together
inline constexpr int kMaxDepth = 64;              // variations within variations
}  // namespace lines

// Why a line cannot take one more move, or cannot become the main line.
enum class VariationRefusal {
    None,
    VariationsFull,     // the game's variations hold lines::kMaxVariationPlies moves
    VariationsTooDeep,  // a new variation would lie more than lines::kMaxDepth deep
    NullMoveNotMain,    // the line holds a null move, which only a variation may
};
// What the window says for `refusal`; empty for None.
const char* VariationRefusalSentence(VariationRefusal refusal);

// Keeps the first `plies` plies of `line`, forgets the rest with their notes
// and variations, and shows the position after them.
void CutLine(CGameRecord& line, int plies);

// The line `path` names as a game of its own, in `line`: the main line's
// plies before the first branch, then the variation's, and so on, each with
// its notes and variations. The position shown is the line's last. False,
// leaving `line` a copy of the game, when the game has no such line.
bool TakeLine(const CGameRecord& game, const LinePath& path, CGameRecord& line);

// Puts `line`, taken with TakeLine(game, path) and edited since, back into
// the game: its plies become the variation the path ends in (or the whole
// game for the main line), its earlier plies' notes and variations and its
// tags go to the lines they belong to. A variation left without moves goes.
void StoreLine(CGameRecord& game, const LinePath& path, const CGameRecord& line);

// Why `line`, a line taken with TakeLine, cannot become the main line:
// NullMoveNotMain when it holds a null move, else None.
VariationRefusal MainLineRefusal(const CGameRecord& line);

// Makes the line `path` names the main line, one level at a time: at each
// branch the line it left becomes its first variation. False, changing
// nothing, when the game has no such line, or when MainLineRefusal refuses it.
bool PromoteToMainLine(CGameRecord& game, const LinePath& path);

// Removes the variation `path` ends in, with everything inside it. False,
// changing nothing, for the main line or a path the game lacks.
bool DeleteVariation(CGameRecord& game, const LinePath& path);

// The same move: the same squares and the same board after it.
bool SameMove(const PlyRecord& a, const PlyRecord& b);

// The move of ply index `ply` of the line as a player names it: "12. e4",
// "12... Nf6".
std::string PlyName(const CGameRecord& line, int ply);
// The same name for `move` played as ply index `ply` of the line, whether or
// not the line holds it there: a move of another line from the same start.
std::string PlyName(const CGameRecord& line, int ply, const PlyRecord& move);

// All plies of all variations of the game, at any depth, and the deepest
// nesting (0 for a game without variations).
int CountVariationPlies(const CGameRecord& game);
int VariationDepth(const CGameRecord& game);
bool HasVariations(const CGameRecord& game);
// The plies of the line from ply index `first` on, each with its variations
// at any depth: what goes when the line is cut there.
int CountPliesFrom(const CGameRecord& line, int first);

// Why one more variation move, on a line `depth` variations deep, would take
// the game beyond its bounds; None when it fits.
VariationRefusal VariationRoomRefusal(const CGameRecord& game, std::size_t depth);
