#pragma once

#include <string>

#include "GameRecord.h"
#include "Square.h"

// What a move did to the game's end, in the order the tests run.
struct GameEndEvents {
    bool fiftyMoveDraw = false;
    bool repetitionDraw = false;
    bool checkmate = false;
    bool stalemate = false;
    int kingFile = -1, kingRank = -1;  // the opponent's king, (-1, -1) when none
};

// When JudgeMove asks whether the opponent has a move left. A reader of a
// whole game need not ask after every move, as the next move of the line
// answers it: it asks once, at the end of each line (SettleLineEnd).
enum class EndTest { AfterMove, AtLineEnd };

// After a move has been put on the board: the fifty-move count, the
// repetition count while the game is in play, then mate or stalemate of the
// opponent whatever the status. Sets the clock, counts and status.
GameEndEvents JudgeMove(CGameRecord& game, int kind, int color, bool capture,
                        EndTest test = EndTest::AfterMove);

// Mate or stalemate of the side to move, for a line whose moves were judged
// with EndTest::AtLineEnd and which ends in the position shown: sets the
// status, and the last ply's, as JudgeMove would have after that ply.
void SettleLineEnd(CGameRecord& game);

// Records the shown position as the next ply with its line, passes the move
// to the other side and makes it the last ply. False, changing nothing, when
// the record is full.
bool RecordPly(CGameRecord& game, const Move& move, const std::string& line);

// The shown position in a few words: "Setup" in position setup, "Checkmate",
// "Stalemate" or "Drawn" by the status, else whose turn it is, with ", check"
// when that side's king is attacked.
std::string TurnText(const CGameRecord& game);
