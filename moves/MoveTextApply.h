#pragma once

#include <string>

#include "GameRecord.h"
#include "MovePlay.h"
#include "MoveRecording.h"

enum class MoveTextResult {
    Played,              // found and legal
    PlayedAgainstRules,  // found and applied, though the rules refuse it
    NotPlayed,           // no piece of the side found for it, or the record is full
};

// Applies one move token of a game text ("Nbd2", "exd5", "O-O-O", "e8=Q+")
// for `side` as the next ply, silently: the draw, mate and stalemate tests
// set the status, the line keeps the token as written (or the move as the
// board writes it, when the token would not fit the line), no date is set. A
// token whose piece cannot be found changes nothing. With EndTest::AtLineEnd
// mate and stalemate are left to SettleLineEnd, unless the line must say them.
// `played`, when given, receives what the move was, its text as the board
// writes it among it.
MoveTextResult ApplyMoveText(CGameRecord& game, const std::string& text, int side,
                             EndTest test = EndTest::AfterMove, PlayedMove* played = nullptr);

// The null move as a game text writes it, "--" or "Z0", perhaps with a
// player's sign after it ("--!?"); false for any other text.
bool IsNullMoveText(const std::string& text);

// Plays the null move `text` (IsNullMoveText) as the next ply: the side to
// move passes, as a variation does to show a threat. The board and castling
// rights stay, no en-passant target is left, the half-move clock counts the
// pass as a move that neither captures nor moves a pawn (so it also goes
// toward the fifty-move draw), and the full-move number goes on as after any
// ply. The ply keeps no squares and its line shows "--" and the sign. False,
// changing nothing, when that side is in check (passing would leave its king
// to be taken) or the record is full. Tests as ApplyMoveText.
bool ApplyNullMove(CGameRecord& game, const std::string& text, EndTest test = EndTest::AfterMove);

// Why typed text names no move of the position.
enum class TypedRefusal {
    None,
    Unreadable,    // no move in any form the reading takes
    NoPieceCanGo,  // a piece move whose target no piece of that kind reaches
    Ambiguous,     // several pieces could go, and the text does not tell which
};

// A move typed by the user, found on the board.
struct TypedMove {
    Move move;  // its promotion the piece the text names, if any
    TypedRefusal why = TypedRefusal::None;
    std::string refusal;  // when no move is found: the sentence that says why
};

// Reads a move typed as short algebraic text ("Nf3", "exd6", "O-O", "e8=N")
// for the side to move, or as its two squares ("g1f3", "e7e8n"). Castling
// may be written with zeros ("0-0") and a piece letter that is no file in
// lower case ("nbd2"). False, with the refusal, when the text names no move
// of the position; legality is not judged here.
bool ReadTypedMove(CGameRecord& game, const std::string& text, TypedMove& move);
