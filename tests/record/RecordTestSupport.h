#pragma once

// A fresh game with plies recorded as the move entry records them: the move
// made on the board, its move-list line and its date.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "GameRecord.h"
#include "TextField.h"

namespace rec {

struct OpeningPly {
    const char* from;
    const char* to;
    const char* san;
};

// Twelve plies of a Ruy Lopez, without castling or promotion.
constexpr OpeningPly kOpening[] = {
    {"e2", "e4", "e4"},  {"e7", "e5", "e5"},  {"g1", "f3", "Nf3"}, {"b8", "c6", "Nc6"},
    {"f1", "b5", "Bb5"}, {"a7", "a6", "a6"},  {"b5", "a4", "Ba4"}, {"g8", "f6", "Nf6"},
    {"d2", "d3", "d3"},  {"f8", "e7", "Be7"}, {"c2", "c3", "c3"},  {"b7", "b5", "b5"},
};

// The standard start with the first `plies` plies of kOpening recorded and
// shown, each dated `date` ("" leaves the date unset, as a file's moves are).
inline std::unique_ptr<CGameRecord> GameWithPlies(int plies, const std::string& date = "12/05/26") {
    auto game = std::make_unique<CGameRecord>();
    game->SetStartPosition();
    for (int i = 0; i < plies; ++i) {
        const OpeningPly& move = kOpening[i];
        const int ff = move.from[0] - 'a', fr = move.from[1] - '1';
        const int tf = move.to[0] - 'a', tr = move.to[1] - '1';
        const int piece = game->GetPiece(ff, fr), color = game->GetColor(ff, fr);
        game->SetSquare(ff, fr, NoColor, NoPiece);
        std::string refusal;
        EXPECT_EQ(game->TestMove(color, piece, ff, fr, tf, tr, refusal, 1), 1) << refusal;
        game->SetSquare(tf, tr, color, piece);
        const std::string number = std::to_string((i + 2) / 2);
        const std::string line =
            i % 2 == 0 ? number + ". " + move.san : number + ". ...\t" + move.san;
        EXPECT_TRUE(game->StorePly(ff, fr, tf, tr, line));
        CopyToField(game->m_ply[i].date, PlyRecord::kDateSize, date);
        game->m_sideToMove = OtherColor(game->m_sideToMove);
        game->m_curPly = game->m_plyCount = i + 1;
    }
    return game;
}

}  // namespace rec
