// The short algebraic text written for a move entered on the board.
#include "BoardTestSupport.h"
#include "MoveText.h"

using namespace boardtest;

namespace {

TEST(MoveText, WrittenAsTheMoveEntryRecordsIt) {
    const char* const queens = "2k5/8/8/8/4Q2Q/8/8/K6Q w - - 0 1";
    const char* const castle = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";
    const char* const rows[][3] = {
        // fen, move, text
        {"4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1", "b1d2", "Nbd2"},  // the file sets it apart
        {"4k3/8/8/8/8/1N6/8/1N2K3 w - - 0 1", "b1d2", "N1d2"},  // the rank
        {"4k3/8/8/8/8/8/8/R3K2R w - - 0 1", "a1d1", "Rd1"},     // the king stops the h1 rook
        {"4k3/8/8/R7/8/8/8/R3K3 w - - 0 1", "a1a3", "R1a3"},
        {queens, "h4e1", "Qh4e1"},  // both
        {queens, "e4b1", "Qeb1"},
        {queens, "h1e1", "Q1e1"},
        {"4k3/8/8/8/8/8/3R4/3RK3 w - - 0 1", "d2d5", "Rd5"},     // the mover blocked its rival
        {"4k3/8/8/8/8/5n2/8/1N5K w - - 0 1", "b1d2", "Nd2"},     // no rival of the other colour
        {"k3r3/8/8/1N6/8/8/4N3/4K3 w - - 0 1", "b5c3", "Nbc3"},  // a pinned rival counts
        {"4k3/8/8/4p3/8/5N2/8/4K3 w - - 0 1", "f3e5", "Nxe5"},
        {"4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1", "e4d5", "exd5"},
        {"rnbqkbnr/ppp1pppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 3", "e5d6", "exd6 e.p."},
        {"8/8/8/2k5/3pP3/8/5K2/8 b - e3 0 1", "d4e3", "dxe3 e.p.+"},
        {castle, "e1g1", "O-O"},
        {castle, "e1c1", "O-O-O"},
        {"5k2/8/8/8/8/8/8/4K2R w K - 0 1", "e1g1", "O-O+"},
        {"3r1k2/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7d8q", "exd8=Q+"},
        {"7k/1P6/2N5/8/8/8/8/4K3 w - - 0 1", "b7b8n", "b8=N"},  // no disambiguation
        {"4k3/8/8/8/8/8/8/4KB2 w - - 0 1", "f1b5", "Bb5+"},
    };
    for (const auto& row : rows) {
        auto game = Game(row[0]);
        const DropOutcome outcome = Play(*game, row[1]);
        ASSERT_TRUE(outcome.recorded) << row[1] << ": " << outcome.refusal;
        EXPECT_EQ(MoveOfLine(outcome.line), row[2]) << row[0] << " " << row[1];
    }
}

// Asked before the move: the moved piece still stands on its origin.
TEST(MoveText, DisambiguationNamesWhatSetsThePieceApart) {
    const struct {
        const char* fen;
        int kind;
        const char *move, *expected;
    } rows[] = {
        {"2k5/8/8/8/4Q2Q/8/8/K6Q w - - 0 1", Queen, "h4e1", "h4"},  // rivals on file and rank
        {"4k3/8/8/8/8/8/PPP5/4K3 w - - 0 1", Pawn, "b2b3", ""},     // a pawn never
        {"4k3/8/8/8/8/8/8/4K1K1 w - - 0 1", King, "e1f2", "e"},     // set-up kings too
        {"4k3/8/8/8/8/8/8/1N2K1N1 w - - 0 1", Knight, "b1c3", ""},  // the rival cannot reach
        {"4k3/8/8/8/8/8/7K/1RN3R1 w - - 0 1", Rook, "g1d1", ""},    // the rival is blocked
    };
    for (const auto& row : rows) {
        const Move m = ParseUci(row.move);
        EXPECT_EQ(DisambiguationChar(*Game(row.fen), row.kind, White, m.fromFile, m.fromRank,
                                     m.toFile, m.toRank),
                  row.expected)
            << row.move;
    }
}

// Disambiguation puts the moved piece back on its origin for a moment.
TEST(MoveText, BuildingTheTextLeavesTheGameAlone) {
    for (const char* uci : {"h4e1", "e4b1"}) {
        auto game = Game("2k5/8/8/8/4Q2Q/8/8/K6Q w - - 0 1");
        const Move move = ParseUci(uci);
        Play(*game, move);
        MoveFacts facts;
        facts.kind = Queen;
        facts.fromFile = move.fromFile;
        facts.fromRank = move.fromRank;
        facts.toFile = move.toFile;
        facts.toRank = move.toRank;
        game->FindPiece(Black, King, facts.kingFile, facts.kingRank);
        const std::string fen = game->MakeFullFen();
        EXPECT_EQ(BuildMoveText(*game, facts), uci[0] == 'h' ? "Qh4e1" : "Qeb1") << uci;
        EXPECT_EQ(game->MakeFullFen(), fen) << uci;
        EXPECT_EQ(game->GetStatus(), 'P') << uci;
    }
}

}  // namespace
