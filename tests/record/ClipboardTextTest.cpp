// The "Copy" and "Rpt" texts, byte for byte, and the date stamp before them.
#include "ClipboardText.h"
#include "TestGames.h"

TEST(ClipboardText, CopyAndReportBytes) {
    EXPECT_EQ(RecentMovesText(*tg::GameWithPlies(2)),
              "  1. e2-e4 \t\t12/05/26   \x0E\r\n  1. ... e7-e5 \t12/05/26   \x0E\r\n");
    EXPECT_EQ(RecentMovesText(*tg::GameWithPlies(1, "")), "  1. e2-e4 \t\t           \x0E\r\n");
    // "Rpt": move pairs numbered, lines ended by a line feed alone.
    EXPECT_EQ(GameScoreText(*tg::GameWithPlies(2)), "1. e4 e5\n");
    EXPECT_EQ(GameScoreText(*tg::GameWithPlies(5)), "1. e4 e5\n2. Nf3 Nc6\n3. Bb5 ");
    // Black first, at move 35: numbered from the FEN, tabs by the side that moved.
    auto game = tg::Game("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 35");
    tg::PlayAndRecord(*game, "b8c6", "35. ...\tNc6");
    tg::PlayAndRecord(*game, "g1f3", "36. Nf3");
    EXPECT_EQ(GameScoreText(*game), "35. ... Nc6\n36. Nf3 ");
    EXPECT_EQ(RecentMovesText(*game),
              "  35. ... Nb8-c6 \t           \x0E\r\n  36. Ng1-f3 \t\t           \x0E\r\n");
    // A variation's pass: its text alone, as it has no squares.
    game = tg::GameWithPlies(2, "");
    PlyRecord& pass = game->m_ply[2];
    pass = game->m_ply[1];
    pass.fromFile = pass.fromRank = pass.toFile = pass.toRank = -1;
    CopyToField(pass.text, PlyRecord::kTextSize, "2. --");
    game->m_curPly = game->m_plyCount = 3;
    EXPECT_EQ(GameScoreText(*game), "1. e4 e5\n2. -- ");
    EXPECT_EQ(RecentMovesText(*game),
              "  1. e2-e4 \t\t           \x0E\r\n  1. ... e7-e5 \t           \x0E\r\n"
              "  2. -- \t\t           \x0E\r\n");
}

TEST(ClipboardText, CopyCoversTheLastSevenPliesUpToTheOneShown) {
    const struct {
        int recorded, shown, lines;
        const char *first, *last;
    } rows[] = {
        {5, 5, 5, "  1. e2-e4 \t\t", "  3. Bf1-b5 \t\t"},         // fewer than seven: all
        {12, 12, 7, "  3. ... a7-a6 \t1", "  6. ... b7-b5 \t1"},  // plies 5 to 11
        {12, 8, 7, "  1. ... e7-e5 \t1", "  4. ... Ng8-f6 \t1"},  // stops at the ply shown
    };
    for (const auto& row : rows) {
        auto game = tg::GameWithPlies(row.recorded);
        game->m_curPly = row.shown;
        const std::string text = RecentMovesText(*game);
        const std::size_t last = text.rfind("\r\n", text.size() - 3) + 2;
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), row.lines) << row.shown;
        EXPECT_EQ(text.rfind(row.first, 0), 0u) << row.shown;
        EXPECT_EQ(text.find(row.last, last), last) << row.shown;
    }
}

TEST(ClipboardText, StampDatesOnlyThePlyShownAndNothingAtTheStart) {
    auto game = tg::GameWithPlies(4, "01/01/20");
    for (int shown : {2, 0}) {
        game->m_curPly = shown;
        EXPECT_EQ(StampShownPly(*game, "12/05/26"), shown > 0);
        for (int ply = 0; ply < 4; ++ply)
            EXPECT_EQ(game->GetPlyDate(ply), ply == 1 ? "12/05/26" : "01/01/20") << ply;
    }
    EXPECT_EQ(RecentMovesText(*game), "");
    EXPECT_EQ(GameScoreText(*game), "");
}
