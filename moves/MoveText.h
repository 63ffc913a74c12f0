#pragma once

#include <string>

#include "GameRecord.h"

// What the release of a move knows about it once it has been applied.
struct MoveFacts {
    int kind = Pawn;  // the piece that moved (Pawn also for a promotion)
    int color = White;
    int fromFile = -1, fromRank = -1;
    int toFile = -1, toRank = -1;
    bool capture = false;    // the target held a piece, or a pawn changed file
    bool enPassant = false;  // a pawn changed file onto an empty square
    int promotion = 0;       // 0, or the kind a pawn became
    int kingFile = -1, kingRank = -1;  // the opponent's king, (-1, -1) when none
};

// The facts of a move of `kind` and `color` before its piece lands on the
// target: what stands there decides the capture and the en-passant flags
// (an en-passant pawn may already be gone: a pawn that changes file onto an
// empty square captures all the same).
MoveFacts FactsBeforeMove(const CGameRecord& game, int kind, int color, int fromFile,
                          int fromRank, int toFile, int toRank);

// Short algebraic text of a move already applied to `game`, with the final
// mark its status and check give ("exd6 e.p.+", "O-O", "e8=Q#", "Nf3=").
// The game is looked at only; it is the same afterwards.
std::string BuildMoveText(CGameRecord& game, const MoveFacts& move);

// What tells the moved piece apart from the others of its kind and colour
// that could also have gone to the target: "" when none could, the origin's
// file letter, its rank digit, or both when neither alone is enough.
std::string DisambiguationChar(CGameRecord& game, int kind, int color, int fromFile,
                               int fromRank, int toFile, int toRank);
