#pragma once

#include <functional>
#include <vector>

#include "Square.h"

class CGameRecord;

// A legal move as the user makes it: a piece carried from one square to
// another. A pawn that reaches the last rank then becomes the piece chosen.
struct LegalMove {
    Move move;
    bool castling;  // the king's two-square step; its rook goes with it
    bool promotes;
};

// Calls `visit` with every legal move of `color` in the shown position,
// whoever is to move, until it returns false; false when it stopped so.
// Pieces are taken file by file from a to h and, within a file, rank by rank
// from 1 to 8; each piece's targets along its directions of the movement
// tables, a pawn's steps ahead before its captures, a king's castling last.
// `visit` sees the game as it was given, and the game is so afterwards.
bool ForEachLegalMove(CGameRecord& game, int color,
                      const std::function<bool(const LegalMove&)>& visit);

// All of them, in that order.
std::vector<LegalMove> LegalMoves(CGameRecord& game, int color);
