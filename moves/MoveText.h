#pragma once

#include <string>

#include "GameRecord.h"
#include "Square.h"

// What the release of a move knows about it once it has been applied.
struct MoveFacts {
    int kind = Pawn;  // the piece that moved (Pawn also for a promotion)
    int color = White;
    Move move;               // its promotion the kind a pawn became, NoPiece when none
    bool capture = false;    // the target held a piece, or a pawn changed file
    bool enPassant = false;  // a pawn changed file onto an empty square
    Square king;             // the opponent's king, off the board when there is none
};

// The facts of a move of `kind` and `color` before its piece lands on the
// target: what stands there decides the capture and the en-passant flags
// (an en-passant pawn may already be gone: a pawn that changes file onto an
// empty square captures all the same).
MoveFacts FactsBeforeMove(const CGameRecord& game, int kind, int color, const Move& move);

// Short algebraic text of a move already applied to `game`, with the final
// mark its status and check give ("exd6 e.p.+", "O-O", "e8=Q#", "Nf3=").
// The game is looked at only; it is the same afterwards.
std::string BuildMoveText(CGameRecord& game, const MoveFacts& facts);

// What tells the moved piece apart from the others of its kind and colour
// that could also have gone to the target: "" when none could, the origin's
// file letter, its rank digit, or both when neither alone is enough.
std::string DisambiguationChar(CGameRecord& game, int kind, int color, const Move& move);
