#pragma once

// Small helpers shared by the rules tests: squares by name, a fresh game from
// FEN, the position and rule state as one comparable value, and a move played
// the way the move entry plays it.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "GameRecord.h"

namespace rt {

struct Square {
    int file, rank;
};

// "e4" -> (4, 3); anything else is taken as written, so "i1" is off the board.
inline Square Sq(const char* name) {
    return {name[0] - 'a', name[1] - '1'};
}

// A game record is large (300 plies): keep it off the stack.
inline std::unique_ptr<CGameRecord> Game(const std::string& fen) {
    auto game = std::make_unique<CGameRecord>();
    game->SetStartPosition();
    if (!fen.empty()) {
        EXPECT_TRUE(game->SetFromFen(fen)) << fen;
    }
    return game;
}

// The board and the rule state that moves read and write.
struct Position {
    int piece[8][8], color[8][8];
    int epFile, epRank, wk, wq, bk, bq, side, clock;

    explicit Position(const CGameRecord& g)
        : epFile(g.m_epFile),
          epRank(g.m_epRank),
          wk(g.m_canCastleWK),
          wq(g.m_canCastleWQ),
          bk(g.m_canCastleBK),
          bq(g.m_canCastleBQ),
          side(g.m_sideToMove),
          clock(g.m_halfMoveClock) {
        std::memcpy(piece, g.m_piece, sizeof piece);
        std::memcpy(color, g.m_color, sizeof color);
    }
    bool operator==(const Position& o) const {
        return std::memcmp(piece, o.piece, sizeof piece) == 0 &&
               std::memcmp(color, o.color, sizeof color) == 0 && epFile == o.epFile &&
               epRank == o.epRank && wk == o.wk && wq == o.wq && bk == o.bk && bq == o.bq &&
               side == o.side && clock == o.clock;
    }
};

// Lifts the piece on `from`, asks TestMove in commit mode and puts the piece
// on the target (accepted) or back (refused). Returns the refusal, or "".
inline std::string Drop(CGameRecord& g, const char* from, const char* to) {
    const Square f = Sq(from), t = Sq(to);
    const int piece = g.GetPiece(f.file, f.rank), color = g.GetColor(f.file, f.rank);
    g.SetSquare(f.file, f.rank, NoColor, NoPiece);
    std::string message;
    if (g.TestMove(color, piece, f.file, f.rank, t.file, t.rank, message, 1))
        g.SetSquare(t.file, t.rank, color, piece);
    else
        g.SetSquare(f.file, f.rank, color, piece);
    return message;
}

// Plays and records a move as the move entry does: clock, repetition count,
// ply record, side to move. Returns FindRepetition's answer for the move.
inline int PlayAndRecord(CGameRecord& g, const char* from, const char* to) {
    const Square t = Sq(to);
    const bool resetsClock =
        g.GetPiece(t.file, t.rank) != NoPiece || g.GetPiece(Sq(from).file, Sq(from).rank) == Pawn;
    const std::string refusal = Drop(g, from, to);
    EXPECT_EQ(refusal, "") << from << to;
    g.SetHalfMoveClock(resetsClock ? 0 : g.GetHalfMoveClock() + 1);
    const int repeats = g.SetRepeatCount(g.FindRepetition());
    EXPECT_TRUE(g.StorePly(Sq(from).file, Sq(from).rank, t.file, t.rank, std::string(from) + to));
    g.SetSideToMove(OtherColor(g.GetSideToMove()));
    g.SetCurPly(g.GetCurPly() + 1);
    g.SetPlyCount(g.GetCurPly());
    return repeats;
}

}  // namespace rt
