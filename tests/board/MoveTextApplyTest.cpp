// Applying a move given as text, as the game reader does: silently, keeping
// the text as written, and never damaging the position with a text that
// names no piece of the side.
#include <gtest/gtest.h>

#include "BoardTestSupport.h"
#include "MoveTextApply.h"

using boardtest::GameFromFen;

namespace {

const char kStart[] = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

TEST(MoveTextApply, MovesAreRecordedWithTheirTextAsWritten) {
    auto game = GameFromFen(kStart);
    EXPECT_EQ(ApplyMoveText(*game, "e4", White), MoveTextResult::Played);
    EXPECT_EQ(ApplyMoveText(*game, "e5!?", Black), MoveTextResult::Played);
    EXPECT_STREQ(game->m_ply[0].text, "1. e4");
    EXPECT_STREQ(game->m_ply[1].text, "1. ...\te5!?");
    EXPECT_STREQ(game->m_ply[0].date, "") << "a move read from a file has no date";
    EXPECT_EQ(game->m_curPly, 2);
    EXPECT_EQ(game->m_plyCount, 2);
    EXPECT_EQ(game->m_sideToMove, White);
}

TEST(MoveTextApply, PositionsReached) {
    const struct {
        const char* rule;
        const char* fen;
        const char* text;
        MoveTextResult result;
        const char* after;  // the position afterwards; the same as before when not played
        char status;
    } rows[] = {
        {"castling moves the rook", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "O-O",
         MoveTextResult::Played, "r3k2r/8/8/8/8/8/8/R4RK1 b kq - 1 1", 'P'},
        {"a promotion to a knight", "7k/4P3/8/8/8/8/8/4K3 w - - 0 1", "e8=N",
         MoveTextResult::Played, "4N2k/8/8/8/8/8/8/4K3 b - - 0 1", 'P'},
        {"the promotion letter after the square", "7k/4P3/8/8/8/8/8/4K3 w - - 0 1", "e8R+",
         MoveTextResult::Played, "4R2k/8/8/8/8/8/8/4K3 b - - 0 1", 'P'},
        {"a promotion without a letter", "7k/4P3/8/8/8/8/8/4K3 w - - 0 1", "e8",
         MoveTextResult::Played, "4Q2k/8/8/8/8/8/8/4K3 b - - 0 1", 'P'},
        {"a mate", "rnbqkbnr/pppp1ppp/8/4p3/6P1/5P2/PPPPP2P/RNBQKBNR b KQkq g3 0 2", "Qh4#",
         MoveTextResult::Played, "rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3",
         'M'},
        {"an illegal move whose piece is found", kStart, "e5", MoveTextResult::PlayedAgainstRules,
         "rnbqkbnr/pppppppp/8/4P3/8/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1", 'P'},
        {"no knight anywhere near", kStart, "Nf6", MoveTextResult::NotPlayed, kStart, 'P'},
        {"only the other side's knight", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1",
         "Nf3", MoveTextResult::NotPlayed,
         "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1", 'P'},
        {"no rook on the rank given", kStart, "R3a4", MoveTextResult::NotPlayed, kStart, 'P'},
        {"a square off the board", kStart, "Ni9", MoveTextResult::NotPlayed, kStart, 'P'},
        {"a pawn on a file without one", "4k3/8/8/8/8/8/8/4K3 w - - 0 1", "e4",
         MoveTextResult::NotPlayed, "4k3/8/8/8/8/8/8/4K3 w - - 0 1", 'P'},
        {"an empty token", kStart, "", MoveTextResult::NotPlayed, kStart, 'P'},
        {"a token of no move", kStart, "--", MoveTextResult::NotPlayed, kStart, 'P'},
        {"both squares but no piece letter", kStart, "Pe2e4", MoveTextResult::NotPlayed, kStart,
         'P'},
    };
    for (const auto& row : rows) {
        auto game = GameFromFen(row.fen);
        EXPECT_EQ(ApplyMoveText(*game, row.text, game->m_sideToMove), row.result) << row.rule;
        EXPECT_EQ(game->MakeFullFen(), row.after) << row.rule;
        EXPECT_EQ(game->GetStatus(), row.status) << row.rule;
        EXPECT_EQ(game->m_curPly, row.result == MoveTextResult::NotPlayed ? 0 : 1) << row.rule;
    }
}

TEST(MoveTextApply, TheRecordsLimitsHold) {
    auto game = GameFromFen(kStart);
    const std::string token = "Nf3" + std::string(40, '!');
    EXPECT_EQ(ApplyMoveText(*game, token, White), MoveTextResult::Played);
    EXPECT_STREQ(game->m_ply[0].text, "1. Nf3")
        << "a token too long for the line is written as the board writes the move";
    auto promotion = GameFromFen("4k3/P7/8/8/8/8/8/4K3 w - - 0 1");
    ApplyMoveText(*promotion, "a8" + std::string(20, '!') + "=N", White);
    EXPECT_STREQ(promotion->m_ply[0].text, "1. a8=N") << "cut, it would read back as a queen";

    game->m_curPly = game->m_plyCount = CGameRecord::kMaxPlies;
    const std::string fen = game->MakeFullFen();
    EXPECT_EQ(ApplyMoveText(*game, "e5", Black), MoveTextResult::NotPlayed) << "the record is full";
    EXPECT_EQ(game->MakeFullFen(), fen);
    EXPECT_EQ(game->m_curPly, CGameRecord::kMaxPlies);
}

}  // namespace
