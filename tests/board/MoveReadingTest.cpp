// Reading short algebraic move text back into squares, and taking a recorded
// ply's text apart for the clipboard reports.
#include <gtest/gtest.h>

#include "BoardTestSupport.h"

using boardtest::GameFromFen;

namespace {

const char kStart[] = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

// A square as text, or "none" for coordinates off the board (-1, or 8 after
// a full scan).
std::string SquareText(int file, int rank) {
    return IsOnBoard(file, rank) ? SquareName(file, rank) : "none";
}

struct ReadRow {
    const char* rule;
    const char* fen;  // the side to move is the side reading
    const char* text;
    const char* from;
    const char* to;
    const char* cleaned;
};

TEST(MoveReading, ConverMoveFindsTheSquares) {
    const ReadRow rows[] = {
        {"a double advance", kStart, "e4", "e2", "e4", "e4"},
        {"a single advance", kStart, "e3", "e2", "e3", "e3"},
        {"Black advances", "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1", "e5",
         "e7", "e5", "e5"},
        {"the first knight probed from f3", kStart, "Nf3", "g1", "f3", "Nf3"},
        {"the b1 knight", kStart, "Nc3", "b1", "c3", "Nc3"},
        {"the file letter", "4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1", "Nbd2", "b1", "d2", "Nbd2"},
        {"the rank digit", "4k3/8/8/8/8/1N6/8/1N2K3 w - - 0 1", "N1d2", "b1", "d2", "N1d2"},
        {"file and rank", "2k5/8/8/8/4Q2Q/8/8/K6Q w - - 0 1", "Qh4e1", "h4", "e1", "Qh4e1"},
        {"a pawn capture", "4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1", "exd5", "e4", "d5", "ed5"},
        {"a Black pawn capture", "4k3/8/8/3p4/4P3/8/8/4K3 b - - 0 1", "dxe4", "d5", "e4", "de4"},
        {"file to file", "4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1", "ed", "e4", "d5", "ed"},
        {"en passant is cut off", "rnbqkbnr/ppp1pppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 3",
         "exd6 e.p.", "e5", "d6", "ed6"},
        {"promotion and check are cut off", "7k/4P3/8/8/8/8/8/4K3 w - - 0 1", "e8=Q+", "e7", "e8",
         "e8"},
        {"annotation marks go", kStart, "Nf3!?", "g1", "f3", "Nf3"},
        {"Black castles king-side", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "O-O", "e8", "g8",
         "O-O"},
        {"Black castles queen-side", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "O-O-O+", "e8", "c8",
         "O-O-O"},
        {"the nearer of two free rooks", "4k3/8/8/8/8/8/4K3/R6R w - - 0 1", "Rd1", "a1", "d1",
         "Rd1"},
        {"the file given is scanned", "4k3/8/8/8/8/8/8/R4RK1 w - - 0 1", "Rfe1", "f1", "e1",
         "Rfe1"},
        {"a king on the file given", "8/8/8/8/8/4K3/4P3/4k3 w - - 0 1", "Kef2", "e3", "f2", "Kef2"},
        {"a blocked rook is not the one meant", "4k3/8/8/8/8/8/7K/1RN3R1 w - - 0 1", "Rd1", "g1",
         "d1", "Rd1"},
        {"a pinned knight is not the one meant", "4k3/8/8/b5N1/8/8/3N4/4K3 w - - 0 1", "Ne4", "g5",
         "e4", "Ne4"},
        {"no knight reaches", kStart, "Nf6", "none", "f6", "Nf6"},
        {"no rook on the rank given", kStart, "R3a4", "none", "a4", "R3a4"},
    };
    for (const ReadRow& row : rows) {
        auto game = GameFromFen(row.fen);
        const std::string fen = game->MakeFullFen();
        std::string text = row.text;
        int fromFile, fromRank, toFile, toRank;
        game->converMove(fromFile, fromRank, toFile, toRank, text, game->m_sideToMove);
        EXPECT_EQ(SquareText(fromFile, fromRank), row.from) << row.rule;
        EXPECT_EQ(SquareText(toFile, toRank), row.to) << row.rule;
        EXPECT_EQ(text, row.cleaned) << row.rule;
        EXPECT_EQ(game->MakeFullFen(), fen) << row.rule << ": the position changed";
    }
}

struct LongRow {
    const char* line;
    const char* from;
    const char* longText;
    const char* withoutNumber;
};

TEST(MoveReading, RecordedPlyTextTakenApart) {
    const LongRow rows[] = {
        {"12. Nf3", "g1", "12. Ng1-f3", "Nf3"},
        {"12. ...\tNf6", "g8", "12. ... Ng8-f6", "Nf6"},
        {"3. e4", "e2", "3. e2-e4", "e4"},
        {"5. exd5", "e4", "5. e4xd5", "exd5"},
        {"7. Bxg5+", "c1", "7. Bc1xg5+", "Bxg5+"},
        {"9. exd6 e.p.", "e5", "9. e5xd6 e.p.", "exd6 e.p."},
        {"9. O-O", "e1", "9. Oe1-O", "O-O"},
        {"9. O-O-O", "e1", "9. Oe1-O-O", "O-O-O"},
        {"14. Nbd2", "b1", "14. Nb1-d2", "Nbd2"},
        {"20. ...\tQh4e1#", "h4", "20. ... Qh4-e1#", "Qh4e1#"},
    };
    for (const LongRow& row : rows) {
        auto game = GameFromFen(kStart);
        PlyRecord& ply = game->m_ply[7];
        std::snprintf(ply.text, sizeof ply.text, "%s", row.line);
        ply.fromFile = row.from[0] - 'a';
        ply.fromRank = row.from[1] - '1';
        EXPECT_EQ(game->GetLongMoveText(7), row.longText) << row.line;
        EXPECT_EQ(game->GetMoveWithoutNumber(7), row.withoutNumber) << row.line;
    }
}

TEST(MoveReading, PlyDateAndStripChar) {
    auto game = GameFromFen(kStart);
    std::snprintf(game->m_ply[2].date, sizeof game->m_ply[2].date, "%s", "07/04/25");
    EXPECT_EQ(game->GetPlyDate(2), "07/04/25");
    EXPECT_EQ(game->GetPlyDate(3), "");
    EXPECT_EQ(game->GetPlyDate(CGameRecord::kMaxPlies), "") << "a ply past the record";

    const struct {
        const char* text;
        char ch;
        const char* expected;
    } strips[] = {
        {"exd5", 'x', "ed5"}, {"Qxh7+!!", '!', "Qxh7+"}, {"xxx", 'x', ""}, {"Nf3", 'x', "Nf3"},
        {"", 'x', ""},
    };
    for (const auto& strip : strips) {
        std::string text = strip.text;
        StripChar(text, strip.ch);
        EXPECT_EQ(text, strip.expected) << strip.text;
    }
}

}  // namespace
