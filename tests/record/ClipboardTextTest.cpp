// The "Copy" and "Rpt" texts, byte for byte, and the date stamp before them.
#include <vector>

#include "ClipboardText.h"
#include "RecordTestSupport.h"

TEST(ClipboardText, CopyTextOfTheFirstTwoPliesByteForByte) {
    const auto game = rec::GameWithPlies(2);
    EXPECT_EQ(RecentMovesText(*game),
              "  1. e2-e4 \t\t12/05/26   \x0E\r\n"
              "  1. ... e7-e5 \t12/05/26   \x0E\r\n");
}

TEST(ClipboardText, CopyCoversTheLastSevenPliesUpToThePositionShown) {
    struct Row {
        const char* rule;
        int recorded, shown, lines;
        const char* first;
        const char* last;
    };
    const Row rows[] = {
        {"fewer than seven: all of them", 5, 5, 5, "  1. e2-e4 \t\t", "  3. Bf1-b5 \t\t"},
        {"twelve: plies 5 to 11", 12, 12, 7, "  3. ... a7-a6 \t1", "  6. ... b7-b5 \t1"},
        {"an earlier line shown: stops at its ply", 12, 9, 7, "  2. Ng1-f3 \t\t",
         "  5. d2-d3 \t\t"},
    };
    for (const Row& row : rows) {
        auto game = rec::GameWithPlies(row.recorded);
        if (row.shown < row.recorded) game->RestorePly(row.shown - 1);
        const std::string text = RecentMovesText(*game);
        std::vector<std::string> lines;
        for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos;
             at = end + 2)
            lines.push_back(text.substr(at, end - at));
        ASSERT_EQ(lines.size(), std::size_t(row.lines)) << row.rule;
        EXPECT_EQ(lines.front().rfind(row.first, 0), 0u) << row.rule;
        EXPECT_EQ(lines.back().rfind(row.last, 0), 0u) << row.rule;
    }
}

TEST(ClipboardText, UndatedPliesShowEightBlanksInTheDateColumn) {
    const auto game = rec::GameWithPlies(2, "");
    EXPECT_EQ(RecentMovesText(*game),
              "  1. e2-e4 \t\t"
              "        "
              "   \x0E\r\n"
              "  1. ... e7-e5 \t"
              "        "
              "   \x0E\r\n");
}

TEST(ClipboardText, ReportNumbersMovePairsAndEndsLinesWithLineFeedAlone) {
    struct Row {
        int plies;
        const char* text;
    };
    const Row rows[] = {
        {1, "1. e4 "},
        {2, "1. e4 e5\n"},
        {5, "1. e4 e5\n2. Nf3 Nc6\n3. Bb5 "},
    };
    for (const Row& row : rows) {
        const auto game = rec::GameWithPlies(row.plies);
        EXPECT_EQ(GameScoreText(*game), row.text) << row.plies << " plies";
    }
}

TEST(ClipboardText, StampDatesOnlyThePlyShownAndNothingAtTheStart) {
    auto game = rec::GameWithPlies(4, "01/01/20");
    game->RestorePly(1);
    EXPECT_TRUE(StampShownPly(*game, "12/05/26"));
    EXPECT_EQ(game->GetPlyDate(1), "12/05/26");
    EXPECT_EQ(game->GetPlyDate(0), "01/01/20");
    EXPECT_EQ(game->GetPlyDate(2), "01/01/20");

    game->SetFromFen(game->m_startFen);
    game->m_curPly = 0;
    const auto before = std::make_unique<CGameRecord>(*game);
    EXPECT_FALSE(StampShownPly(*game, "12/05/26"));
    for (int ply = 0; ply < 4; ++ply) EXPECT_EQ(game->GetPlyDate(ply), before->GetPlyDate(ply));
    EXPECT_EQ(RecentMovesText(*game), "");
    EXPECT_EQ(GameScoreText(*game), "");
}
