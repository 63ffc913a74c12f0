#pragma once

// Helpers shared by the move-entry and move-text tests: games from FEN, the
// legal moves of a position, moves in UCI form and playing a move as the
// board view does.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "GameRecord.h"
#include "MoveEntry.h"
#include "MoveTables.h"

namespace boardtest {

struct Move {
    int fromFile = -1, fromRank = -1, toFile = -1, toRank = -1;
    int promotion = 0;  // 0, or the kind a pawn becomes
};

inline std::string Uci(const Move& move) {
    std::string text =
        SquareName(move.fromFile, move.fromRank) + SquareName(move.toFile, move.toRank);
    if (move.promotion > 0) text += "pnbrqk"[move.promotion];
    return text;
}

inline Move ParseUci(const std::string& uci) {
    Move move;
    move.fromFile = uci[0] - 'a';
    move.fromRank = uci[1] - '1';
    move.toFile = uci[2] - 'a';
    move.toRank = uci[3] - '1';
    if (uci.size() > 4) move.promotion = static_cast<int>(std::string("pnbrqk").find(uci[4]));
    return move;
}

// Sets the game to the position as a fresh game, with no plies recorded.
inline void ResetTo(CGameRecord& game, const std::string& fen) {
    EXPECT_TRUE(game.SetFromFen(fen)) << fen;
    game.m_plyCount = 0;
}

// On the heap: a record holds 300 plies.
inline std::unique_ptr<CGameRecord> GameFromFen(const std::string& fen) {
    auto game = std::make_unique<CGameRecord>();
    ResetTo(*game, fen);
    return game;
}

// The move proper of a move-list line: what follows the tab or the first blank.
inline std::string MoveOfLine(const std::string& line) {
    std::size_t separator = line.find('\t');
    if (separator == std::string::npos) separator = line.find(' ');
    return separator == std::string::npos ? line : line.substr(separator + 1);
}

// Whether the rules let the piece on the from-square make the move, for the
// side to move; the board is as it was afterwards.
inline bool IsLegal(CGameRecord& game, int fromFile, int fromRank, int toFile, int toRank) {
    int piece[8][8], color[8][8];
    std::memcpy(piece, game.m_piece, sizeof piece);
    std::memcpy(color, game.m_color, sizeof color);
    const int kind = game.GetPiece(fromFile, fromRank);
    const int side = game.GetColor(fromFile, fromRank);
    game.SetSquare(fromFile, fromRank, NoColor, NoPiece);
    std::string message;
    const bool legal =
        game.TestMove(side, kind, fromFile, fromRank, toFile, toRank, message, 0) != 0;
    std::memcpy(game.m_piece, piece, sizeof piece);
    std::memcpy(game.m_color, color, sizeof color);
    return legal;
}

// Every legal move of the side to move, a promotion once for each piece.
inline std::vector<Move> LegalMoves(CGameRecord& game) {
    InitMoveTables();
    const int side = game.m_sideToMove;
    std::vector<Move> moves;
    auto consider = [&](int f, int r, int tf, int tr) {
        if (!IsOnBoard(tf, tr) || !IsLegal(game, f, r, tf, tr)) return;
        Move move{f, r, tf, tr, 0};
        if (game.GetPiece(f, r) == Pawn && (tr == 0 || tr == 7)) {
            for (int kind : {Knight, Bishop, Rook, Queen}) {
                move.promotion = kind;
                moves.push_back(move);
            }
        } else {
            moves.push_back(move);
        }
    };
    for (int f = 0; f < 8; ++f) {
        for (int r = 0; r < 8; ++r) {
            if (game.GetColor(f, r) != side) continue;
            const int kind = game.GetPiece(f, r);
            if (kind == Pawn) {
                const int forward = PawnForward(side);
                for (int tf = f - 1; tf <= f + 1; ++tf) consider(f, r, tf, r + forward);
                consider(f, r, f, r + 2 * forward);
                continue;
            }
            for (int dir = 0; dir < g_moveDirCount[kind]; ++dir) {
                for (int step = 1; step <= g_moveRange[kind]; ++step) {
                    const int tf = f + g_moveDir[kind][dir][0] * step;
                    const int tr = r + g_moveDir[kind][dir][1] * step;
                    consider(f, r, tf, tr);
                    if (game.GetPiece(tf, tr) != NoPiece) break;
                }
            }
            if (kind == King) {
                consider(f, r, f + 2, r);
                consider(f, r, f - 2, r);
            }
        }
    }
    return moves;
}

// Lifts the piece of the from-square, as a press on the board does, and
// names the square it is let go on.
inline PieceDrop Lift(CGameRecord& game, const Move& move) {
    PieceDrop drop;
    drop.kind = game.GetPiece(move.fromFile, move.fromRank);
    drop.color = game.GetColor(move.fromFile, move.fromRank);
    drop.fromFile = move.fromFile;
    drop.fromRank = move.fromRank;
    drop.toFile = move.toFile;
    drop.toRank = move.toRank;
    game.SetSquare(move.fromFile, move.fromRank, NoColor, NoPiece);
    return drop;
}

// Carries a piece as the board view does, answering the promotion question
// with the move's piece.
inline DropOutcome Play(CGameRecord& game, const Move& move, const std::string& date = "01/02/03",
                        bool setupActive = false) {
    const int promotion = move.promotion > 0 ? move.promotion : Queen;
    return PlayDroppedPiece(game, Lift(game, move), setupActive, date, [=] { return promotion; });
}

}  // namespace boardtest
