// Reading short algebraic move text back into squares, and taking a recorded
// ply's text apart for the clipboard reports.
#include <cstdio>

#include "BoardTestSupport.h"

using boardtest::Game;

namespace {

TEST(MoveReading, ConverMoveFindsTheSquares) {
    const char* const twoKnights = "4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1";
    const char* const pawns = "4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1";
    const char* const castle = "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1";
    // fen: "": the standard start; the side to move reads
    // expected: from, to ("none" off the board) and the text cleaned
    // The side to move reads; expected: from, to ("none" off the board), the text cleaned.
    const char* const rows[][3] = {
        // fen ("": the start), text, expected
        {"", "e4", "e2 e4 e4"},
        {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1", "e5", "e7 e5 e5"},
        {"", "Nf3", "g1 f3 Nf3"},  // the first knight probed
        {"", "Nc3", "b1 c3 Nc3"},
        {twoKnights, "Nbd2", "b1 d2 Nbd2"},
        {"4k3/8/8/8/8/1N6/8/1N2K3 w - - 0 1", "N1d2", "b1 d2 N1d2"},
        {"2k5/8/8/8/4Q2Q/8/8/K6Q w - - 0 1", "Qh4e1", "h4 e1 Qh4e1"},
        {pawns, "exd5", "e4 d5 ed5"},
        {pawns, "ed", "e4 d5 ed"},
        {"rnbqkbnr/ppp1pppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 3", "exd6 e.p.", "e5 d6 ed6"},
        {"7k/4P3/8/8/8/8/8/4K3 w - - 0 1", "e8=Q+", "e7 e8 e8"},
        {"", "Nf3!?", "g1 f3 Nf3"},
        {castle, "O-O", "e8 g8 O-O"},
        {castle, "O-O-O+", "e8 c8 O-O-O"},
        {castle, "OOO", "none none OOO"},  // only a castling text castles
        {castle, "O-O-O~", "none none O-O-O~"},
        {castle, "O", "none none O"},
        {"4k3/8/8/8/8/8/4K3/R6R w - - 0 1", "Rd1", "none d1 Rd1"},  // two free rooks: no guess
        {"4k3/8/8/8/8/8/8/R4RK1 w - - 0 1", "Rfe1", "f1 e1 Rfe1"},
        {"8/8/8/8/8/4K3/4P3/4k3 w - - 0 1", "Kef2", "e3 f2 Kef2"},
        {"4k3/8/8/8/8/8/7K/1RN3R1 w - - 0 1", "Rd1", "g1 d1 Rd1"},   // not the blocked rook
        {"4k3/8/8/b5N1/8/8/3N4/4K3 w - - 0 1", "Ne4", "g5 e4 Ne4"},  // not the pinned knight
        {"", "Nf6", "none f6 Nf6"},
        {"", "R3a4", "none a4 R3a4"},
    };
    for (const auto& row : rows) {
        auto game = Game(row[0]);
        const std::string fen = game->MakeFullFen();
        std::string text = row[1];
        int ff, fr, tf, tr;
        game->converMove(ff, fr, tf, tr, text, game->m_sideToMove);
        auto name = [](int f, int r) { return IsOnBoard(f, r) ? SquareName(f, r) : "none"; };
        EXPECT_EQ(name(ff, fr) + " " + name(tf, tr) + " " + text, row[2]) << row[1];
        EXPECT_EQ(game->MakeFullFen(), fen) << row[1] << ": the position changed";
    }
}

TEST(MoveReading, RecordedPlyTextTakenApart) {
    const char* const rows[][4] = {
        // line, from, long text, without number
        {"12. Nf3", "g1", "12. Ng1-f3", "Nf3"},
        {"12. ...\tNf6", "g8", "12. ... Ng8-f6", "Nf6"},
        {"5. exd5", "e4", "5. e4xd5", "exd5"},
        {"7. Bxg5+", "c1", "7. Bc1xg5+", "Bxg5+"},
        {"9. exd6 e.p.", "e5", "9. e5xd6 e.p.", "exd6 e.p."},
        {"9. O-O", "e1", "9. Oe1-O", "O-O"},
        {"14. Nbd2", "b1", "14. Nb1-d2", "Nbd2"},
        {"20. ...\tQh4e1#", "h4", "20. ... Qh4-e1#", "Qh4e1#"},
    };
    for (const auto& row : rows) {
        auto game = Game();
        PlyRecord& ply = game->m_ply[7];
        std::snprintf(ply.text, sizeof ply.text, "%s", row[0]);
        ply.fromFile = row[1][0] - 'a';
        ply.fromRank = row[1][1] - '1';
        EXPECT_EQ(game->GetLongMoveText(7), row[2]) << row[0];
        EXPECT_EQ(game->GetMoveWithoutNumber(7), row[3]) << row[0];
    }
}

TEST(MoveReading, PlyDateAndStripChar) {
    auto game = Game();
    std::snprintf(game->m_ply[2].date, sizeof game->m_ply[2].date, "%s", "07/04/25");
    EXPECT_EQ(game->GetPlyDate(2), "07/04/25");
    EXPECT_EQ(game->GetPlyDate(3), "");
    EXPECT_EQ(game->GetPlyDate(CGameRecord::kMaxPlies), "") << "a ply past the record";
    const char* const strips[][3] = {
        {"exd5", "x", "ed5"}, {"Qxh7+!!", "!", "Qxh7+"}, {"xxx", "x", ""}, {"Nf3", "x", "Nf3"}};
    for (const auto& strip : strips) {
        std::string text = strip[0];
        StripChar(text, strip[1][0]);
        EXPECT_EQ(text, strip[2]) << strip[0];
    }
}

}  // namespace
