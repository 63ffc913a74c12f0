// Move legality: every refusal with its exact sentence, and what an accepted
// move does to the board and the rule state.
#include "TestGames.h"

namespace {

TEST(MoveLegality, EveryRefusalSaysWhyAndChangesNothing) {
    const char* const start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
    const char* const pawn = "4k3/8/8/8/4P3/8/8/4K3 w - - 0 1";
    const char* const moved =
        "Castling is not possible after the King or the Rook have moved in the game.";
    const char* const through =
        "The King cannot castle while in-check, nor can it castle through check, or into check.";
    const char* const check = "You cannot move into (or fail to move out of) check.";
    const char* const diagonal = "The pawn can only move diagonally when capturing.";
    const struct {
        const char *fen, *move, *sentence;
    } rows[] = {
        {"4k3/8/8/8/8/8/4P3/4K3 b - - 0 1", "e2e4",
         "It is not White's turn. Please move a Black piece."},
        {start, "e7e0",
         "It is not Black's turn. Please move a White piece."},  // even off the board
        {start, "b1i3", "You cannot move pieces off the board!"},
        {start, "g1g1",
         "You should really move a piece once you've 'touched' it (if it has any legal move)."},
        {start, "g1e2", "You cannot capture your own piece!"},
        {pawn, "e4f4",
         "The pawn must move straight forward (or diagonally forward when capturing)."},
        {pawn, "e4d3", "The pawn can not move towards the player who owns it."},
        {start, "e2e5", "The pawn can only move one square (or two on its first move)"},
        {"4k3/8/8/8/8/4P3/8/4K3 w - - 0 1", "e3e5",
         "The Pawn can only move 2 squares on its very first move."},
        {"4k3/8/8/8/8/4n3/4P3/4K3 w - - 0 1", "e2e4", "The pawn cannot jump over a piece."},
        {"4k3/8/8/8/4n3/8/4P3/4K3 w - - 0 1", "e2e4",
         "The pawn can only capture diagonally: to move straight ahead, the destination square "
         "must be empty."},
        {"4k3/8/8/8/5n2/8/4P3/4K3 w - - 0 1", "e2f4",
         "The pawn can only move one square diagonally (and then only when capturing)."},
        {pawn, "e4d5", diagonal},
        {"4k3/8/8/3pPp2/8/8/8/4K3 w - d6 0 1", "e5f6",
         diagonal},  // en passant only beside the pawn that advanced
        {start, "g1g3",
         "The Knight moves one square in a straight line and then one square diagonally."},
        {"4k3/8/8/8/8/8/8/2B1K3 w - - 0 1", "c1c3",
         "The Bishop must move along a straight line on its diagonal."},
        {start, "c1e3", "The Bishop cannot jump over pieces."},
        {"4k3/8/8/8/8/8/8/R3K3 w - - 0 1", "a1b2",
         "The Rook must move along a straight line along its file or rank!"},
        {"4k3/8/8/p7/8/8/8/R3K3 w - - 0 1", "a1a8", "The Rook cannot jump over pieces."},
        {"4k3/8/8/8/8/8/8/3QK3 w - - 0 1", "d1e3",
         "The Queen must move along a straight line on its file, rank, or diagonal."},
        {start, "d1d8", "The Queen cannot jump over pieces."},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1e3",
         "The King can only move one square at a time!"},
        {"4k3/8/8/8/8/8/4K3/8 w - - 0 1", "e2g2", "The King can only move one square at a time!"},
        {"r3k2r/8/8/8/8/8/8/R3K2R w Qkq - 0 1", "e1g1", moved},  // without the right
        {"4k3/8/8/8/8/8/8/4K3 w KQ - 0 1", "e1c1", moved},  // the right but no rook in the corner
        {"4k3/8/8/8/8/8/8/r3K3 w Q - 0 1", "e1c1", moved},  // an enemy rook in the corner
        {"r3k2r/8/8/8/8/8/8/RN2K2R w KQkq - 0 1", "e1c1",
         "Castling is not possible when any squares are occupied between the King and the Rook."},
        {"r3k2r/8/8/8/8/8/5r2/R3K2R w KQkq - 0 1", "e1g1", through},
        {"r3k2r/8/8/8/8/5n2/8/R3K2R w KQkq - 0 1", "e1c1", through},  // out of check
        {"4k3/4r3/8/8/8/8/4B3/4K3 w - - 0 1", "e2d3", check},         // pinned bishop
        {"4k3/8/8/3p4/8/8/1P6/4K2r w - d6 0 1", "b2b4", check},       // keeps en passant
        {"4k3/8/8/8/8/8/3r4/R3K2R w KQ - 0 1", "e1d1", check},        // king step keeps the rights
        {"4k3/8/8/8/8/8/8/R3K2r w Q - 0 1", "a1a5", check},           // rook move keeps the right
        {"8/8/8/KPp4r/8/8/8/6k1 w - c6 0 1", "b5c6", check},  // en passant puts the pawn back
    };
    for (const auto& row : rows) {
        auto game = tg::Game(row.fen);
        const tg::Position before(*game);
        EXPECT_EQ(tg::Drop(*game, tg::ParseUci(row.move)), row.sentence)
            << row.fen << " " << row.move;
        EXPECT_TRUE(tg::Position(*game) == before) << row.fen << " " << row.move;
    }
}

// Placement, castling rights and the pawn that advanced two squares.
std::string Fields(const CGameRecord& g) {
    const std::string fen = g.MakeFullFen();
    const std::string rights = std::string(g.m_canCastleWK ? "K" : "") +
                               (g.m_canCastleWQ ? "Q" : "") + (g.m_canCastleBK ? "k" : "") +
                               (g.m_canCastleBQ ? "q" : "");
    return fen.substr(0, fen.find(' ')) + " " + (rights.empty() ? "-" : rights) + " " +
           (g.m_epFile < 0 ? "-" : SquareName(g.m_epFile, g.m_epRank));
}

TEST(MoveLegality, AcceptedMovesUpdateBoardAndRights) {
    const char* const castle = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";
    const struct {
        const char *fen, *move, *after;
    } rows[] = {
        {"4k3/8/8/8/8/8/4P3/4K3 w - - 0 1", "e2e4", "4k3/8/8/8/4P3/8/8/4K3 - e4"},
        {"4k3/8/8/3pP3/8/8/7P/4K3 w - d6 0 1", "h2h3", "4k3/8/8/3pP3/8/7P/8/4K3 - -"},
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5d6", "4k3/8/3P4/8/8/8/8/4K3 - -"},
        {"4k3/8/8/8/3Pp3/8/8/4K3 b - d3 0 1", "e4d3", "4k3/8/8/8/8/3p4/8/4K3 - -"},
        {castle, "e1g1", "r3k2r/8/8/8/8/8/8/R4RK1 kq -"},
        {"1r2k2r/8/8/8/8/8/8/R3K2R w KQk - 0 1", "e1c1",
         "1r2k2r/8/8/8/8/8/8/2KR3R k -"},  // b1 attacked
        {castle, "e1f1", "r3k2r/8/8/8/8/8/8/R4K1R kq -"},
        {castle, "a1a4", "r3k2r/8/8/8/R7/8/8/4K2R Kkq -"},
        {"r3k2r/8/8/8/R7/8/8/R3K2R w KQkq - 0 1", "a4b4", "r3k2r/8/8/8/1R6/8/8/R3K2R KQkq -"},
        {"R3k2r/8/8/8/8/8/8/4K2R w Kk - 0 1", "a8b8", "1R2k2r/8/8/8/8/8/8/4K2R Kk -"},
        {"r3k2r/8/8/8/8/8/6B1/R3K2R w KQkq - 0 1", "g2a8", "B3k2r/8/8/8/8/8/8/R3K2R KQk -"},
        {castle, "a1a8", "R3k2r/8/8/8/8/8/8/4K2R Kk -"},
        {"4k3/8/8/8/8/8/8/R6r w - - 0 1", "a1a2", "4k3/8/8/8/8/8/R7/7r - -"},  // no king, no check
    };
    for (const auto& row : rows) {
        auto game = tg::Game(row.fen);
        EXPECT_EQ(tg::Drop(*game, tg::ParseUci(row.move)), "") << row.fen << " " << row.move;
        EXPECT_EQ(Fields(*game), row.after) << row.fen << " " << row.move;
    }
}

TEST(MoveLegality, WithoutCommitOnlyTheBoardEffectsHappen) {
    auto game = tg::Game("r3k2r/8/8/3pP3/8/8/8/R3K2R w KQkq d6 0 1");
    std::string message = "a sentence from an earlier refusal";
    game->SetSquare(4, 0, NoColor, NoPiece);
    EXPECT_EQ(game->TestMove(White, King, 4, 0, 6, 0, message, 0), 1);
    EXPECT_EQ(message, "");
    EXPECT_EQ(Fields(*game),
              "r3k2r/8/8/3pP3/8/8/8/R4R2 KQkq d5");  // the rook has moved all the same
}

}  // namespace
