#pragma once

#include <string>

#include "GameRecord.h"
#include "MoveRecording.h"
#include "MoveText.h"
#include "Square.h"

// How a move is played and named: what the board, the reader, a correction,
// an engine line and the export each need of it.
struct PlayOptions {
    EndTest test = EndTest::AfterMove;
    bool carryIllegal = false;  // a file's move the rules refuse is carried all the same
    bool drawMark = true;       // "=" after a move that draws or stalemates
    bool enPassantMark = true;  // " e.p." after an en-passant capture
    bool named = true;          // the text is wanted (a reader keeps the text it read)
};

// A move played on a record, and what it was.
struct PlayedMove {
    bool carried = false;  // the piece went to the target
    bool legal = false;    // and the rules took it
    std::string refusal;   // when they did not: why, in the rules' words
    MoveFacts facts;       // the piece, capture, en passant, promotion, the opponent's king
    GameEndEvents events;  // the draws, mate or stalemate it brought
    std::string text;      // as the board writes it, with its marks ("exd6 e.p.+", "e8=Q#");
                           // empty unless options.named
};

// Plays `move` of the piece on its from-square, for that piece's side: the
// rules' test with its side effects (a castling's rook, the pawn taken en
// passant, the rights), the piece put down, a pawn on its last rank become
// move.promotion (a Queen when none is named), the fifty-move, repetition,
// mate and stalemate tests, and the move's text. Records no ply: the caller
// writes the ply's line (RecordPly). A move the rules refuse changes nothing
// unless options.carryIllegal.
PlayedMove PlayMove(CGameRecord& game, const Move& move, const PlayOptions& options = {});
