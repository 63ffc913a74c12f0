// The opening a line has reached, found by its position: transpositions,
// the deepest known position, set-up starts, and the table the program
// carries against the names it was made from.
#include <sstream>

#include "MoveTextApply.h"
#include "Openings.h"
#include "PositionKey.h"
#include "TestGames.h"

namespace {

// The moves played from `fen` ("" the standard start), as a reader plays them.
std::unique_ptr<CGameRecord> Played(const std::string& moves, const std::string& fen = "") {
    auto game = tg::Game(fen);
    if (!fen.empty()) game->SetFromFen(fen);
    std::istringstream words(moves);
    for (std::string word; words >> word;) {
        if (word.back() == '.') continue;  // a move number
        EXPECT_EQ(ApplyMoveText(*game, word, game->m_sideToMove), MoveTextResult::Played) << word;
    }
    return game;
}

TEST(Openings, TheDeepestKnownPositionOnTheWayNamesTheLine) {
    const struct {
        const char* moves;
        const char* fen;
        int plies;            // of the line looked at; -1 all
        const char* opening;  // "ECO name @ plies that reach it", "" for none
    } rows[] = {
        {"1. Nf3 Nc6 2. e4 e5 3. Bb5", "", -1, "C60 Ruy Lopez @ 5"},  // transposed
        // The same position with another en-passant target, which no pawn could use
        {"1. c4 d5 2. d4", "", -1, "D06 Queen's Gambit @ 3"},
        {"1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. h3 h6 5. Kf1", "", -1,
         "C70 Ruy Lopez: Morphy Defense @ 6"},
        {"1. e4 e5 2. Nf3 Nc6 3. Bb5 a6", "", 3, "C40 King's Knight Opening @ 3"},
        {"1. e4", "", 0, ""},  // the standard start has no name of its own
        // A set-up start: known there, and after moves out of the book
        {"", "r1bqkbnr/pppp1ppp/2n5/1B2p3/4P3/5N2/PPPP1PPP/RNBQK2R b KQkq - 3 3", -1,
         "C60 Ruy Lopez @ 0"},
        {"3... Qh4 4. Kf1", "r1bqkbnr/pppp1ppp/2n5/1B2p3/4P3/5N2/PPPP1PPP/RNBQK2R b KQkq - 3 3", -1,
         "C60 Ruy Lopez @ 0"},
        {"1. Kd2", "4k3/8/8/8/8/8/8/4K3 w - - 0 1", -1, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.moves);
        const auto game = Played(row.moves, row.fen);
        int reached = -1;
        const Opening* opening =
            OpeningOf(*game, row.plies < 0 ? game->m_plyCount : row.plies, &reached);
        EXPECT_EQ(opening ? std::string(opening->eco) + " " + opening->name + " @ " +
                                std::to_string(reached)
                          : "",
                  row.opening);
    }
}

TEST(Openings, TheTableNamesEveryOpeningOfTheSharedNames) {
    RAVELIN_REQUIRE_SHARED("openings");
    std::size_t rows = 0;
    for (const auto& file : shared::Files("openings", ".tsv")) {
        const auto lines = shared::TsvRows(file);
        for (auto row = lines.begin() + 1; row != lines.end(); ++row, ++rows) {
            SCOPED_TRACE(row->at(2));
            const Opening* opening = FindOpening(PositionKey(*Played(row->at(2))));
            ASSERT_NE(opening, nullptr);
            EXPECT_EQ(opening->eco, row->at(0));
            EXPECT_EQ(opening->name, row->at(1));
        }
    }
    // One row a position, so none was left out.
    EXPECT_EQ(OpeningCount(), rows);
}

}  // namespace
