#pragma once

// A fresh game with plies recorded as the move entry records them.
#include <sstream>

#include "TestGames.h"
#include "TextField.h"

namespace rec {

// The standard start with the first `plies` of twelve Ruy Lopez plies
// recorded and shown, each dated `date` ("" leaves it unset, as a file's are).
inline std::unique_ptr<CGameRecord> GameWithPlies(int plies, const std::string& date = "12/05/26") {
    std::istringstream opening(
        "e2e4 e4 e7e5 e5 g1f3 Nf3 b8c6 Nc6 f1b5 Bb5 a7a6 a6 b5a4 Ba4 g8f6 Nf6 d2d3 d3 f8e7 Be7 "
        "c2c3 c3 b7b5 b5");
    auto game = tg::Game();
    std::string uci, san;
    for (int i = 0; i < plies && opening >> uci >> san; ++i) {
        const std::string number = std::to_string(i / 2 + 1);
        tg::PlayAndRecord(*game, uci, number + (i % 2 ? ". ...\t" : ". ") + san);
        CopyToField(game->m_ply[i].date, PlyRecord::kDateSize, date);
    }
    return game;
}

}  // namespace rec
