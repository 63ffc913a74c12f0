#pragma once

// Shared by the rules, board and record tests: games from FEN, moves as
// "e2e4" text, position snapshots, and moves played by lifting the piece.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "GameRecord.h"
#include "LegalMoves.h"

namespace tg {

struct Square {
    int file, rank;
};

// "e4" -> (4, 3); taken as written, so "i1" is off the board.
inline Square Sq(const std::string& name) {
    return {name[0] - 'a', name[1] - '1'};
}

struct Move {
    int fromFile = -1, fromRank = -1, toFile = -1, toRank = -1;
    int promotion = NoPiece;
};

inline std::string Uci(const Move& m) {
    std::string text = SquareName(m.fromFile, m.fromRank) + SquareName(m.toFile, m.toRank);
    if (m.promotion > Pawn) text += "pnbrqk"[m.promotion];
    return text;
}

inline Move ParseUci(const std::string& uci) {
    const Square f = Sq(uci), t = Sq(uci.substr(2));
    const int promotion = uci.size() > 4 ? int(std::string("pnbrqk").find(uci[4])) : NoPiece;
    return {f.file, f.rank, t.file, t.rank, promotion};
}

// The five published perft positions with their counts at depth 1, 2, ...
inline const std::vector<std::pair<const char*, std::vector<std::uint64_t>>> kPerft = {
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", {20, 400, 8902, 197281}},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -", {48, 2039, 97862}},
    {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -", {14, 191, 2812, 43238}},
    {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", {6, 264, 9467}},
    {"rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", {44, 1486, 62379}},
};

// Sets the position as a fresh game, with no plies recorded.
inline void ResetTo(CGameRecord& game, const std::string& fen) {
    EXPECT_TRUE(game.SetFromFen(fen)) << fen;
    game.m_plyCount = 0;
}

// On the heap: a record holds 300 plies. "" is the standard start.
inline std::unique_ptr<CGameRecord> Game(const std::string& fen = "") {
    auto game = std::make_unique<CGameRecord>();
    game->SetStartPosition();
    if (!fen.empty()) ResetTo(*game, fen);
    return game;
}

// The board and the rule state that moves read and write.
struct Position {
    int piece[8][8], color[8][8], state[8];

    explicit Position(const CGameRecord& g)
        : state{g.m_epFile,      g.m_epRank,      g.m_canCastleWK, g.m_canCastleWQ,
                g.m_canCastleBK, g.m_canCastleBQ, g.m_sideToMove,  g.m_halfMoveClock} {
        std::memcpy(piece, g.m_piece, sizeof piece);
        std::memcpy(color, g.m_color, sizeof color);
    }
    void Restore(CGameRecord& g) const {
        std::memcpy(g.m_piece, piece, sizeof piece);
        std::memcpy(g.m_color, color, sizeof color);
        int* fields[] = {&g.m_epFile,      &g.m_epRank,      &g.m_canCastleWK, &g.m_canCastleWQ,
                         &g.m_canCastleBK, &g.m_canCastleBQ, &g.m_sideToMove,  &g.m_halfMoveClock};
        for (int i = 0; i < 8; ++i) *fields[i] = state[i];
    }
    bool operator==(const Position& o) const { return std::memcmp(this, &o, sizeof o) == 0; }
};

// Lifts the piece, asks TestMove, and puts it on the target (promoted when
// asked) or back. Returns the refusal, or "" when the move was accepted.
inline std::string Drop(CGameRecord& g, const Move& m, int commit = 1) {
    const int piece = g.GetPiece(m.fromFile, m.fromRank),
              color = g.GetColor(m.fromFile, m.fromRank);
    g.SetSquare(m.fromFile, m.fromRank, NoColor, NoPiece);
    std::string message;
    if (g.TestMove(color, piece, m.fromFile, m.fromRank, m.toFile, m.toRank, message, commit)) {
        g.SetSquare(m.toFile, m.toRank, color, m.promotion == NoPiece ? piece : m.promotion);
        return "";
    }
    g.SetSquare(m.fromFile, m.fromRank, color, piece);
    return message.empty() ? "(refused without a reason)" : message;
}

// Whether the rules allow the move; the game is left as it was.
inline bool IsLegal(CGameRecord& g, const Move& m) {
    const Position before(g);
    const bool legal = Drop(g, m, 0).empty();
    before.Restore(g);
    return legal;
}

// Plays and records a move as the move entry does: clock, repetition count,
// ply record, side to move. Returns FindRepetition's answer for the move.
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
    for (const LegalMove& m : ::LegalMoves(g, g.m_sideToMove)) {
        if (!m.promotes) moves.push_back({m.fromFile, m.fromRank, m.toFile, m.toRank, NoPiece});
        for (int kind : {Queen, Rook, Bishop, Knight})
            if (m.promotes) moves.push_back({m.fromFile, m.fromRank, m.toFile, m.toRank, kind});
    }
    return moves;
}

// Every square to every square for the side to move, promotions as above:
// what the generator must agree with once TestMove has judged them.
inline std::vector<Move> EveryMove(const CGameRecord& g) {
    std::vector<Move> moves;
    for (int from = 0; from < 64; ++from) {
        if (g.m_color[from / 8][from % 8] != g.m_sideToMove) continue;
        const bool pawn = g.m_piece[from / 8][from % 8] == Pawn;
        for (int to = 0; to < 64; ++to) {
            const bool promotes = pawn && (to % 8 == 0 || to % 8 == 7);
            for (int kind : {Queen, Rook, Bishop, Knight})
                if (promotes || kind == Queen)
                    moves.push_back({from / 8, from % 8, to / 8, to % 8, promotes ? kind : NoPiece});
        }
    }
    return moves;
}

}  // namespace tg
