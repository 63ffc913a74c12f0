#pragma once

// The board tests' helpers over TestGames.h: a piece carried and let go as
// the board view does, and the move proper of a move-list line.
#include "MoveEntry.h"
#include "TestGames.h"

namespace boardtest {

using tg::Game;
using tg::LegalMoves;
using tg::Move;
using tg::ParseUci;
using tg::ResetTo;
using tg::Uci;

// What follows the tab or the first blank of a move-list line.
inline std::string MoveOfLine(const std::string& line) {
    std::size_t separator = line.find('\t');
    if (separator == std::string::npos) separator = line.find(' ');
    return separator == std::string::npos ? line : line.substr(separator + 1);
}

// Lifts the piece of the from-square, as a press on the board does.
inline PieceDrop Lift(CGameRecord& game, const Move& m) {
    PieceDrop drop;
    drop.kind = game.GetPiece(m.fromFile, m.fromRank);
    drop.color = game.GetColor(m.fromFile, m.fromRank);
    drop.fromFile = m.fromFile;
    drop.fromRank = m.fromRank;
    drop.toFile = m.toFile;
    drop.toRank = m.toRank;
    game.SetSquare(m.fromFile, m.fromRank, NoColor, NoPiece);
    return drop;
}

// Carries a piece as the board view does, answering the promotion question
// with the move's piece (a queen when it names none).
inline DropOutcome Play(CGameRecord& game, const Move& m, const std::string& date = "01/02/03",
                        bool setupActive = false) {
    const int promotion = m.promotion > Pawn ? m.promotion : Queen;
    return PlayDroppedPiece(game, Lift(game, m), setupActive, date, [=] { return promotion; });
}
inline DropOutcome Play(CGameRecord& game, const char* uci) {
    return Play(game, ParseUci(uci));
}

}  // namespace boardtest
