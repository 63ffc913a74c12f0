// The questions asked after a move: attacked squares, legal-move counts for
// mate and stalemate, and repetitions.
#include <utility>
#include <vector>

#include "RulesTestSupport.h"

namespace {

using rt::Game;
using rt::Sq;

TEST(GameEnd, AttackedSquares) {
    struct Row {
        const char* name;
        const char* fen;
        int defender;
        const char* square;
        int attacked;
    };
    const Row rows[] = {
        {"rook from seven squares away", "k7/8/8/8/8/8/8/R3K3 w - - 0 1", Black, "a8", 1},
        {"queen along the long diagonal", "k7/8/8/8/8/8/8/4K2Q w - - 0 1", Black, "a8", 1},
        {"a Black piece blocks the rook", "k7/8/8/n7/8/8/8/R3K3 w - - 0 1", Black, "a8", 0},
        {"a White piece blocks the rook", "k7/8/8/N7/8/8/8/R3K3 w - - 0 1", Black, "a8", 0},
        {"rook does not attack diagonally", "k7/8/8/8/8/8/6R1/4K3 w - - 0 1", Black, "a8", 0},
        {"bishop does not attack along a file", "k7/8/8/8/8/8/8/B3K3 w - - 0 1", Black, "a8", 0},
        {"White pawn takes toward d5", "4k3/8/8/8/4P3/8/8/4K3 w - - 0 1", Black, "d5", 1},
        {"White pawn takes toward f5", "4k3/8/8/8/4P3/8/8/4K3 w - - 0 1", Black, "f5", 1},
        {"White pawn not backwards", "4k3/8/8/8/4P3/8/8/4K3 w - - 0 1", Black, "d3", 0},
        {"White pawn not straight ahead", "4k3/8/8/8/4P3/8/8/4K3 w - - 0 1", Black, "e5", 0},
        {"Black pawn takes toward d4", "4k3/8/8/4p3/8/8/8/4K3 w - - 0 1", White, "d4", 1},
        {"Black pawn not backwards", "4k3/8/8/4p3/8/8/8/4K3 w - - 0 1", White, "f6", 0},
        {"knight jump", "4k3/8/8/8/8/5n2/8/4K3 w - - 0 1", White, "e1", 1},
        {"king next door", "8/8/8/8/8/8/3k4/4K3 w - - 0 1", White, "e1", 1},
        {"king two squares off", "8/8/8/8/8/3k4/8/4K3 w - - 0 1", White, "e1", 0},
        {"own pieces never attack", "4k3/8/8/8/8/8/8/R3K3 w - - 0 1", White, "a8", 0},
        {"off the board", "4k3/8/8/8/8/8/8/R3K3 w - - 0 1", Black, "i1", 0},
    };
    for (const Row& row : rows) {
        auto game = Game(row.fen);
        const rt::Square sq = Sq(row.square);
        EXPECT_EQ(game->IsSquareAttacked(row.defender, sq.file, sq.rank), row.attacked) << row.name;
    }
}

TEST(GameEnd, LegalMoveCounts) {
    struct Row {
        const char* name;
        const char* fen;
        int side;
        int count;
        const char* ending;  // "mate", "stalemate" or "" when moves remain
    };
    const Row rows[] = {
        {"standard start", "", White, 20, ""},
        {"the same count for Black out of turn", "", Black, 20, ""},
        {"only an en-passant capture", "6rk/8/4p3/3pP3/8/8/r7/7K w - d6 0 1", White, 1, ""},
        {"fool's mate", "rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3", White, 0,
         "mate"},
        {"queen stalemate", "7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", Black, 0, "stalemate"},
        {"a pawn on the last rank from setup", "P3k3/8/8/8/8/8/8/7K w - - 0 1", White, 3, ""},
        {"a lone king-less rook", "4k3/8/8/8/8/8/8/R7 w - - 0 1", White, 14, ""},
        {"no king and no move is stalemate, not mate", "4k3/8/8/8/8/8/8/8 w - - 0 1", White, 0,
         "stalemate"},
    };
    for (const Row& row : rows) {
        auto game = Game(row.fen);
        const rt::Position before(*game);
        std::string message;
        EXPECT_EQ(game->CountLegalMoves(row.side, message), row.count) << row.name;
        EXPECT_TRUE(rt::Position(*game) == before) << row.name << ": the count changed the game";
        EXPECT_EQ(game->HasLegalMove(row.side), row.count > 0) << row.name;
        EXPECT_TRUE(rt::Position(*game) == before) << row.name << ": the search changed the game";

        int kingFile = -1, kingRank = -1;
        game->FindPiece(row.side, King, kingFile, kingRank);
        const bool inCheck = game->IsSquareAttacked(row.side, kingFile, kingRank) != 0;
        const std::string ending = row.count > 0 ? "" : inCheck ? "mate" : "stalemate";
        EXPECT_EQ(ending, row.ending) << row.name;
    }
}

TEST(GameEnd, RepetitionsCountPositionsWithTheSameSideToMove) {
    struct Row {
        const char* name;
        const char* fen;  // empty: the standard start
        std::vector<std::pair<const char*, const char*>> moves;
        std::vector<int> repeats;  // FindRepetition after each move
    };
    const Row rows[] = {
        {"knights out and back: the start is never compared, the ninth ply is the third time",
         "",
         {{"g1", "f3"},
          {"g8", "f6"},
          {"f3", "g1"},
          {"f6", "g8"},
          {"g1", "f3"},
          {"g8", "f6"},
          {"f3", "g1"},
          {"f6", "g8"},
          {"g1", "f3"}},
         {0, 0, 0, 0, 1, 1, 1, 1, 2}},
        {"castling rights are not part of the position",
         "",
         {{"e2", "e4"}, {"e7", "e5"}, {"e1", "e2"}, {"e8", "e7"}, {"e2", "e1"}, {"e7", "e8"}},
         {0, 0, 0, 0, 0, 1}},
        {"the same board with the other side to move is another position",
         "4k3/8/8/8/8/8/8/4K3 w - - 0 1",
         {{"e1", "d1"},
          {"e8", "d8"},
          {"d1", "c1"},
          {"d8", "e8"},
          {"c1", "c2"},
          {"e8", "d8"},
          {"c2", "d1"}},
         {0, 0, 0, 0, 0, 0, 0}},
    };
    for (const Row& row : rows) {
        auto game = Game(row.fen);
        std::vector<int> repeats;
        for (const auto& move : row.moves)
            repeats.push_back(rt::PlayAndRecord(*game, move.first, move.second));
        EXPECT_EQ(repeats, row.repeats) << row.name;
    }
}

}  // namespace
