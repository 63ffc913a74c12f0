#pragma once

#include <string>

#include "PlyRecord.h"

// The symbols a player marks a move with: the move glyphs (numbered as the
// PGN glyphs $1 to $6) and the evaluation of the position after it ($10 to
// $19), and the diagram mark a printed score draws the position at.
struct MoveSymbol {
    int nag;
    const char* sign;  // as written after the move, or as the menus name it
};
inline constexpr MoveSymbol kMoveSymbols[] = {{1, kMoveSigns[0]}, {2, kMoveSigns[1]},
                                              {3, kMoveSigns[2]}, {4, kMoveSigns[3]},
                                              {5, kMoveSigns[4]}, {6, kMoveSigns[5]}};
inline constexpr MoveSymbol kPositionSymbols[] = {
    {10, "="},   {14, "+="}, {15, "=+"}, {16, "+/-"},
    {17, "-/+"}, {18, "+-"}, {19, "-+"}, {13, "\xE2\x88\x9E"}};  // the last: unclear
// In a note, the diagram mark other programs keep and print.
inline constexpr const char* kDiagramMark = "[#]";

// The sign of a move glyph or position symbol; null for any other glyph.
const char* SymbolSign(int nag);
// The move glyph (1 to 6) and the position symbol (10 to 19) a ply has; 0
// for none.
int MoveSymbolOf(const PlyRecord& ply);
int PositionSymbolOf(const PlyRecord& ply);
// Gives the ply the move glyph `nag`, replacing the one it had, or takes
// it away when it had that one. The sign joins the move's text where it
// fits, as a read file would have it, else it is kept as the glyph $n.
void ToggleMoveSymbol(PlyRecord& ply, int nag);
// The same for the position symbols, kept as glyphs beside the move.
void TogglePositionSymbol(PlyRecord& ply, int nag);
// The symbols kept as glyphs beside the move, as the move list shows them
// after its text ("+=", "!" for a $1 that did not fit the text); "" for none.
std::string SymbolsShown(const PlyRecord& ply);
// The diagram mark in the ply's note, put there or taken away.
bool HasDiagram(const PlyRecord& ply);
void ToggleDiagram(PlyRecord& ply);
