// The questions asked after a move: attacked squares, legal-move counts for
// mate and stalemate, and repetitions.
#include <sstream>

#include "TestGames.h"

namespace {

TEST(GameEnd, AttackedSquares) {
    const struct {
        const char* fen;
        int defender;
        const char* square;
        int attacked;
    } rows[] = {
        {"k7/8/8/8/8/8/8/R3K3 w - - 0 1", Black, "a8", 1},    // rook from seven squares away
        {"k7/8/8/8/8/8/8/4K2Q w - - 0 1", Black, "a8", 1},    // queen along the long diagonal
        {"k7/8/8/n7/8/8/8/R3K3 w - - 0 1", Black, "a8", 0},   // blocked by a Black piece
        {"k7/8/8/N7/8/8/8/R3K3 w - - 0 1", Black, "a8", 0},   // blocked by a White piece
        {"k7/8/8/8/8/8/6R1/4K3 w - - 0 1", Black, "a8", 0},   // a rook not diagonally
        {"4k3/8/8/8/4P3/8/8/4K3 w - - 0 1", Black, "d5", 1},  // White pawn takes forward
        {"4k3/8/8/8/4P3/8/8/4K3 w - - 0 1", Black, "d3", 0},  // not backwards
        {"4k3/8/8/8/4P3/8/8/4K3 w - - 0 1", Black, "e5", 0},  // not straight ahead
        {"4k3/8/8/4p3/8/8/8/4K3 w - - 0 1", White, "d4", 1},  // Black pawn takes downwards
        {"4k3/8/8/4p3/8/8/8/4K3 w - - 0 1", White, "f6", 0},
        {"4k3/8/8/8/8/5n2/8/4K3 w - - 0 1", White, "e1", 1},  // knight jump
        {"8/8/8/8/8/8/3k4/4K3 w - - 0 1", White, "e1", 1},    // king next door
        {"8/8/8/8/8/3k4/8/4K3 w - - 0 1", White, "e1", 0},    // king two squares off
        {"4k3/8/8/8/8/8/8/R3K3 w - - 0 1", White, "a8", 0},   // own pieces never attack
        {"4k3/8/8/8/8/8/8/R3K3 w - - 0 1", Black, "i1", 0},   // off the board
    };
    for (const auto& row : rows) {
        const tg::Square sq = tg::Sq(row.square);
        EXPECT_EQ(tg::Game(row.fen)->IsSquareAttacked(row.defender, sq.file, sq.rank), row.attacked)
            << row.fen << " " << row.square;
    }
}

TEST(GameEnd, LegalMoveCounts) {
    const struct {
        const char* fen;  // "": the standard start
        int side, count;
        const char* ending;  // "mate", "stalemate" or "" when moves remain
    } rows[] = {
        {"", White, 20, ""},
        {"", Black, 20, ""},                                    // the same count out of turn
        {"6rk/8/4p3/3pP3/8/8/r7/7K w - d6 0 1", White, 1, ""},  // only an en-passant capture
        {"rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3", White, 0, "mate"},
        {"7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", Black, 0, "stalemate"},
        {"P3k3/8/8/8/8/8/8/7K w - - 0 1", White, 3, ""},  // a pawn on the last rank from setup
        {"4k3/8/8/8/8/8/8/R7 w - - 0 1", White, 14, ""},  // a side without a king
        {"4k3/8/8/8/8/8/8/8 w - - 0 1", White, 0, "stalemate"},  // no king, no move: not mate
    };
    for (const auto& row : rows) {
        auto game = tg::Game(row.fen);
        const tg::Position before(*game);
        std::string message;
        EXPECT_EQ(game->CountLegalMoves(row.side, message), row.count) << row.fen;
        EXPECT_EQ(game->HasLegalMove(row.side), row.count > 0) << row.fen;
        EXPECT_TRUE(tg::Position(*game) == before) << row.fen << ": the search changed the game";
        int kingFile = -1, kingRank = -1;
        game->FindPiece(row.side, King, kingFile, kingRank);
        const bool inCheck = game->IsSquareAttacked(row.side, kingFile, kingRank) != 0;
        EXPECT_EQ(row.count > 0 ? ""
                  : inCheck     ? "mate"
                                : "stalemate",
                  std::string(row.ending))
            << row.fen;
    }
}

TEST(GameEnd, RepetitionsCountPositionsWithTheSameSideToMove) {
    const struct {
        const char *fen, *moves;
        std::vector<int> repeats;  // FindRepetition after each move
    } rows[] = {
        // The start is never compared; the ninth ply stands the third time.
        {"", "g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8 g1f3", {0, 0, 0, 0, 1, 1, 1, 1, 2}},
        // Castling rights are not part of the position.
        {"", "e2e4 e7e5 e1e2 e8e7 e2e1 e7e8", {0, 0, 0, 0, 0, 1}},
        // The same board with the other side to move is another position.
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1",
         "e1d1 e8d8 d1c1 d8e8 c1c2 e8d8 c2d1",
         {0, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& row : rows) {
        auto game = tg::Game(row.fen);
        std::istringstream moves(row.moves);
        std::vector<int> repeats;
        for (std::string uci; moves >> uci;) repeats.push_back(tg::PlayAndRecord(*game, uci));
        EXPECT_EQ(repeats, row.repeats) << row.moves;
    }
}

}  // namespace
