#pragma once

// Helpers shared by the reader and writer tests.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "GameRecord.h"
#include "MoveTextApply.h"
#include "PgnReader.h"
#include "PgnWriter.h"

namespace pgntest {

// The lines joined as the writer ends them, CR LF after each.
inline std::string CrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

// The lines of a written file, without their CR LF.
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// A fresh game at the standard start with every tag empty.
inline std::unique_ptr<CGameRecord> EmptyGame() {
    auto game = std::make_unique<CGameRecord>();
    game->SetStartPosition();
    return game;
}

// A game from `fen` with the moves played, every one legal.
inline std::unique_ptr<CGameRecord> GameWithMoves(const std::string& fen,
                                                  const std::string& moves) {
    auto game = EmptyGame();
    EXPECT_TRUE(game->SetFromFen(fen)) << fen;
    std::istringstream in(moves);
    std::string move;
    while (in >> move)
        EXPECT_EQ(ApplyMoveText(*game, move, game->m_sideToMove), MoveTextResult::Played) << move;
    return game;
}

// The moves of a game without their numbers, one blank between them.
inline void SetNote(CGameRecord& game, int ply, const std::string& note, int hasNote = 1) {
    game.m_ply[ply].note = note;
    game.m_ply[ply].hasNote = hasNote;
}

inline std::string MovesOf(const CGameRecord& game) {
    std::string text;
    for (int i = 0; i < game.m_plyCount; ++i) {
        if (i > 0) text += ' ';
        text += game.GetMoveWithoutNumber(i);
    }
    return text;
}

struct ReadOutcome {
    PgnReadResult result;
    std::unique_ptr<CGameRecord> game;
};

inline ReadOutcome Read(const std::string& text) {
    ReadOutcome outcome;
    outcome.game = EmptyGame();
    outcome.result = ReadPgnFromString(text, *outcome.game);
    return outcome;
}

inline const char kStandardFen[] = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

}  // namespace pgntest
