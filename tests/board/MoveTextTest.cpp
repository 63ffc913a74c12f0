// The short algebraic text written for a move entered on the board.
#include <gtest/gtest.h>

#include "BoardTestSupport.h"
#include "MoveText.h"

using boardtest::GameFromFen;
using boardtest::MoveOfLine;
using boardtest::ParseUci;
using boardtest::Play;

namespace {

struct TextRow {
    const char* rule;
    const char* fen;
    const char* uci;
    const char* text;
};

TEST(MoveText, WrittenAsTheMoveEntryRecordsIt) {
    const TextRow rows[] = {
        {"knights on b1 and f3 give the file", "4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1", "b1d2", "Nbd2"},
        {"knights on b1 and b3 give the rank", "4k3/8/8/8/8/1N6/8/1N2K3 w - - 0 1", "b1d2", "N1d2"},
        {"the king stops the h1 rook", "4k3/8/8/8/8/8/8/R3K2R w - - 0 1", "a1d1", "Rd1"},
        {"rooks on one file give the rank", "4k3/8/8/R7/8/8/8/R3K3 w - - 0 1", "a1a3", "R1a3"},
        {"three queens need file and rank", "2k5/8/8/8/4Q2Q/8/8/K6Q w - - 0 1", "h4e1", "Qh4e1"},
        {"three queens, the file is enough", "2k5/8/8/8/4Q2Q/8/8/K6Q w - - 0 1", "e4b1", "Qeb1"},
        {"three queens, the rank is enough", "2k5/8/8/8/4Q2Q/8/8/K6Q w - - 0 1", "h1e1", "Q1e1"},
        {"the moving rook blocked its rival", "4k3/8/8/8/8/8/3R4/3RK3 w - - 0 1", "d2d5", "Rd5"},
        {"a rival of the other colour is none", "4k3/8/8/8/8/5n2/8/1N5K w - - 0 1", "b1d2", "Nd2"},
        {"a pinned rival still counts", "k3r3/8/8/1N6/8/8/4N3/4K3 w - - 0 1", "b5c3", "Nbc3"},
        {"a capture by a piece", "4k3/8/8/4p3/8/5N2/8/4K3 w - - 0 1", "f3e5", "Nxe5"},
        {"a pawn capture starts with its file", "4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1", "e4d5",
         "exd5"},
        {"en passant", "rnbqkbnr/ppp1pppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 3", "e5d6",
         "exd6 e.p."},
        {"en passant with check", "8/8/8/2k5/3pP3/8/5K2/8 b - e3 0 1", "d4e3", "dxe3 e.p.+"},
        {"king-side castling", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1g1", "O-O"},
        {"queen-side castling", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1c1", "O-O-O"},
        {"Black castles king-side", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8g8", "O-O"},
        {"castling that gives check", "5k2/8/8/8/8/8/8/4K2R w K - 0 1", "e1g1", "O-O+"},
        {"queen-side castling with check", "3k4/8/8/8/8/8/8/R3K3 w Q - 0 1", "e1c1", "O-O-O+"},
        {"promotion by capture with check", "3r1k2/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7d8q",
         "exd8=Q+"},
        {"promotion to a knight, no disambiguation", "7k/1P6/2N5/8/8/8/8/4K3 w - - 0 1", "b7b8n",
         "b8=N"},
        {"the fifty-move rule ends the game", "4k3/8/8/8/8/8/8/4K1N1 w - - 99 60", "g1f3", "Nf3="},
        {"stalemate ends the game", "7k/4Q3/6K1/8/8/8/8/8 w - - 0 1", "e7f7", "Qf7="},
        {"checkmate", "rnbqkbnr/pppp1ppp/8/4p3/6P1/5P2/PPPPP2P/RNBQKBNR b KQkq g3 0 2", "d8h4",
         "Qh4#"},
        {"a check", "4k3/8/8/8/8/8/8/4KB2 w - - 0 1", "f1b5", "Bb5+"},
    };
    for (const TextRow& row : rows) {
        auto game = GameFromFen(row.fen);
        const DropOutcome outcome = Play(*game, ParseUci(row.uci));
        ASSERT_TRUE(outcome.recorded) << row.rule << ": " << outcome.refusal;
        EXPECT_EQ(MoveOfLine(outcome.line), row.text) << row.rule;
    }
}

struct RivalRow {
    const char* rule;
    const char* fen;
    int kind;
    const char* from;
    const char* to;
    const char* expected;
};

// Asked before the move: the moved piece still stands on its origin.
TEST(MoveText, DisambiguationNamesWhatSetsThePieceApart) {
    const RivalRow rows[] = {
        {"a pawn never", "4k3/8/8/8/8/8/PPP5/4K3 w - - 0 1", Pawn, "b2", "b3", ""},
        {"a king never", "4k3/8/8/8/8/8/8/4K3 w - - 0 1", King, "e1", "e2", ""},
        {"a rival that cannot reach", "4k3/8/8/8/8/8/8/1N2K1N1 w - - 0 1", Knight, "b1", "c3", ""},
        {"a rival on another file", "4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1", Knight, "b1", "d2", "b"},
        {"a rival blocked by another piece", "4k3/8/8/8/8/8/7K/1RN3R1 w - - 0 1", Rook, "g1", "d1",
         ""},
        {"rivals on the file and the rank", "2k5/8/8/8/4Q2Q/8/8/K6Q w - - 0 1", Queen, "h4", "e1",
         "h4"},
    };
    for (const RivalRow& row : rows) {
        auto game = GameFromFen(row.fen);
        EXPECT_EQ(DisambiguationChar(*game, row.kind, White, row.from[0] - 'a', row.from[1] - '1',
                                     row.to[0] - 'a', row.to[1] - '1'),
                  row.expected)
            << row.rule;
    }
}

// Disambiguation puts the moved piece back on its origin for a moment.
TEST(MoveText, BuildingTheTextLeavesTheGameAlone) {
    for (const char* uci : {"h4e1", "e4b1"}) {
        auto game = GameFromFen("2k5/8/8/8/4Q2Q/8/8/K6Q w - - 0 1");
        const boardtest::Move move = ParseUci(uci);
        Play(*game, move);
        MoveFacts facts;
        facts.kind = Queen;
        facts.fromFile = move.fromFile;
        facts.fromRank = move.fromRank;
        facts.toFile = move.toFile;
        facts.toRank = move.toRank;
        game->FindPiece(Black, King, facts.kingFile, facts.kingRank);
        const std::string fen = game->MakeFullFen();
        const std::string text = BuildMoveText(*game, facts);
        EXPECT_EQ(text, std::string("Q") + (uci[0] == 'h' ? "h4e1" : "eb1")) << uci;
        EXPECT_EQ(game->MakeFullFen(), fen) << uci;
        EXPECT_EQ(game->GetStatus(), 'P') << uci;
    }
}

}  // namespace
