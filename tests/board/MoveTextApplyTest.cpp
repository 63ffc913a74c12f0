// Applying a move given as text, as the game reader does: silently, keeping
// the text as written, never damaging the position with a text that names
// no piece of the side.
#include "BoardTestSupport.h"
#include "MoveTextApply.h"

using boardtest::Game;

namespace {

TEST(MoveTextApply, MovesAreRecordedWithTheirTextAsWritten) {
    auto game = Game();
    EXPECT_EQ(ApplyMoveText(*game, "e4", White), MoveTextResult::Played);
    EXPECT_EQ(ApplyMoveText(*game, "e5!?", Black), MoveTextResult::Played);
    EXPECT_STREQ(game->m_ply[0].text, "1. e4");
    EXPECT_STREQ(game->m_ply[1].text, "1. ...\te5!?");
    EXPECT_STREQ(game->m_ply[0].date, "") << "a move read from a file has no date";
    EXPECT_EQ(game->m_curPly + 10 * game->m_plyCount, 22);
    EXPECT_EQ(game->m_sideToMove, White);
}

TEST(MoveTextApply, PositionsReached) {
    const char* const start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
    const char* const pawn = "7k/4P3/8/8/8/8/8/4K3 w - - 0 1";
    const auto played = MoveTextResult::Played, notPlayed = MoveTextResult::NotPlayed;
    // after: nullptr: as before
    const struct {
        const char *fen, *text;
        MoveTextResult result;
        const char* after;
        char status;
    } rows[] = {
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "O-O", played,
         "r3k2r/8/8/8/8/8/8/R4RK1 b kq - 1 1", 'P'},
        {pawn, "e8=N", played, "4N2k/8/8/8/8/8/8/4K3 b - - 0 1", 'P'},
        {pawn, "e8R+", played, "4R2k/8/8/8/8/8/8/4K3 b - - 0 1", 'P'},  // letter after the square
        {pawn, "e8", played, "4Q2k/8/8/8/8/8/8/4K3 b - - 0 1", 'P'},    // no letter
        {pawn, "e8=n", played, "4N2k/8/8/8/8/8/8/4K3 b - - 0 1", 'P'},  // either case
        {pawn, "e8=K", notPlayed, nullptr, 'P'},
        {pawn, "e8=P", notPlayed, nullptr, 'P'},
        {"rnbqkbnr/pppp1ppp/8/4p3/6P1/5P2/PPPPP2P/RNBQKBNR b KQkq g3 0 2", "Qh4#", played,
         "rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3", 'M'},
        {start, "e5", MoveTextResult::PlayedAgainstRules,  // its piece is found
         "rnbqkbnr/pppppppp/8/4P3/8/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1", 'P'},
        {start, "Nf6", notPlayed, nullptr, 'P'},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1", "Nf3", notPlayed, nullptr,
         'P'},
        {start, "R3a4", notPlayed, nullptr, 'P'},
        {start, "Ni9", notPlayed, nullptr, 'P'},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", "e4", notPlayed, nullptr, 'P'},
        {start, "", notPlayed, nullptr, 'P'},
        {start, "--", notPlayed, nullptr, 'P'},
        {start, "Pe2e4", notPlayed, nullptr, 'P'},
    };
    for (const auto& row : rows) {
        auto game = Game(row.fen);
        EXPECT_EQ(ApplyMoveText(*game, row.text, game->m_sideToMove), row.result) << row.text;
        EXPECT_EQ(game->MakeFullFen(), row.after ? row.after : row.fen) << row.text;
        EXPECT_EQ(game->GetStatus(), row.status) << row.text;
        EXPECT_EQ(game->m_curPly, row.result == notPlayed ? 0 : 1) << row.text;
    }
}

TEST(MoveTextApply, TheRecordsLimitsHold) {
    auto game = Game();
    EXPECT_EQ(ApplyMoveText(*game, "Nf3" + std::string(40, '!'), White), MoveTextResult::Played);
    EXPECT_STREQ(game->m_ply[0].text, "1. Nf3") << "too long: written as the board writes it";
    auto promotion = Game("4k3/P7/8/8/8/8/8/4K3 w - - 0 1");
    ApplyMoveText(*promotion, "a8" + std::string(20, '!') + "=N", White);
    EXPECT_STREQ(promotion->m_ply[0].text, "1. a8=N") << "cut, it would read back as a queen";

    game->m_curPly = game->m_plyCount = CGameRecord::kMaxPlies;
    const std::string fen = game->MakeFullFen();
    EXPECT_EQ(ApplyMoveText(*game, "e5", Black), MoveTextResult::NotPlayed) << "the record is full";
    EXPECT_EQ(game->MakeFullFen(), fen);
    EXPECT_EQ(game->m_curPly, CGameRecord::kMaxPlies);
}

}  // namespace
