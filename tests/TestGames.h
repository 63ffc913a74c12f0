#pragma once

// Games from FEN, moves as "e2e4" played by lifting the piece.
#include <gtest/gtest.h>

#include <memory>

#include "GameRecord.h"
#include "LegalMoves.h"

namespace tg {

struct Move {
    int fromFile = -1, fromRank = -1, toFile = -1, toRank = -1;
    int promotion = NoPiece;
};

inline std::string Uci(const Move& m) {
    std::string text = SquareName(m.fromFile, m.fromRank) + SquareName(m.toFile, m.toRank);
    return m.promotion > Pawn ? text + "pnbrqk"[m.promotion] : text;
}

inline Move ParseUci(const std::string& uci) {
    const int promotion = uci.size() > 4 ? int(std::string("pnbrqk").find(uci[4])) : NoPiece;
    return {uci[0] - 'a', uci[1] - '1', uci[2] - 'a', uci[3] - '1', promotion};
}

inline void Reset(CGameRecord& game, const std::string& fen) {
    EXPECT_TRUE(game.SetFromFen(fen)) << fen;
    game.m_plyCount = 0;
}

// On the heap (300 plies); "" is the standard start.
inline std::unique_ptr<CGameRecord> Game(const std::string& fen = "") {
    auto game = std::make_unique<CGameRecord>();
    game->SetStartPosition();
    if (!fen.empty()) Reset(*game, fen);
    return game;
}

// Lifts the piece, asks TestMove, puts it down (promoted) or back: the refusal, or "".
inline std::string Drop(CGameRecord& g, const Move& m) {
    const int f = m.fromFile, r = m.fromRank, piece = g.GetPiece(f, r), color = g.GetColor(f, r);
    g.SetSquare(f, r, NoColor, NoPiece);
    std::string message;
    if (g.TestMove(color, piece, f, r, m.toFile, m.toRank, message, 1)) {
        g.SetSquare(m.toFile, m.toRank, color, m.promotion == NoPiece ? piece : m.promotion);
        return "";
    }
    g.SetSquare(f, r, color, piece);
    return message.empty() ? "(refused without a reason)" : message;
}

// Plays and records a move as the move entry does; FindRepetition's answer for it.
inline int PlayAndRecord(CGameRecord& g, const std::string& uci, std::string text = "") {
    const Move m = ParseUci(uci);
    const bool resetsClock =
        g.GetPiece(m.toFile, m.toRank) != NoPiece || g.GetPiece(m.fromFile, m.fromRank) == Pawn;
    EXPECT_EQ(Drop(g, m), "") << uci;
    g.SetHalfMoveClock(resetsClock ? 0 : g.GetHalfMoveClock() + 1);
    const int repeats = g.SetRepeatCount(g.FindRepetition());
    EXPECT_TRUE(g.StorePly(m.fromFile, m.fromRank, m.toFile, m.toRank, text.empty() ? uci : text));
    g.SetSideToMove(OtherColor(g.GetSideToMove()));
    g.SetCurPly(g.GetCurPly() + 1);
    g.SetPlyCount(g.GetCurPly());
    return repeats;
}

// The legal moves of the side to move, a promotion once per piece.
inline std::vector<Move> LegalMoves(CGameRecord& g) {
    std::vector<Move> moves;
    for (const LegalMove& m : ::LegalMoves(g, g.m_sideToMove))
        for (int kind : {Queen, Rook, Bishop, Knight})
            if (m.promotes || kind == Queen)
                moves.push_back(
                    {m.fromFile, m.fromRank, m.toFile, m.toRank, m.promotes ? kind : NoPiece});
    return moves;
}

}  // namespace tg
