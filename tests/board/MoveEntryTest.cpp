// What a piece let go on the board does to the game: refusals, setup mode,
// recording, replacing later plies, promotion and the announced game ends.
#include <sstream>

#include "BoardTestSupport.h"
#include "RuleMessages.h"

using namespace boardtest;

namespace {

TEST(MoveEntry, OpeningMovesAreNumberedAndDated) {
    auto game = Game();
    const DropOutcome white = Play(*game, ParseUci("e2e4"), "12/31/99");
    EXPECT_TRUE(white.recorded);
    EXPECT_EQ(white.firstDroppedPly, -1);
    EXPECT_EQ(Play(*game, ParseUci("e7e5"), "01/01/00").line, "1. ...\te5");
    EXPECT_EQ(white.line, "1. e4");
    EXPECT_EQ(game->m_curPly + game->m_plyCount * 10, 22);
    EXPECT_EQ(game->m_sideToMove, White);
    EXPECT_STREQ(game->m_ply[0].text, "1. e4");
    EXPECT_STREQ(game->m_ply[1].text, "1. ...\te5");
    EXPECT_STREQ(game->m_ply[0].date, "12/31/99");
    EXPECT_STREQ(game->m_ply[1].date, "01/01/00");
    EXPECT_EQ(game->MakeFullFen(), "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6 0 2");
}

TEST(MoveEntry, RefusalPutsThePieceBackAndSaysWhy) {
    const char* const black = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1";
    const struct {
        const char *fen, *move, *sentence;
    } rows[] = {
        {black, "e2e4", msg::kNotWhitesTurn}, {"", "e7e5", msg::kNotBlacksTurn},
        {"", "e2e2", msg::kTouchedPiece},     {"", "e2i4", msg::kOffBoard},
        {"", "g1g3", msg::kKnightMove},       {"", "e2e4", announce::kRecordFull},
    };
    for (const auto& row : rows) {
        auto game = Game(row.fen);
        if (row.sentence == announce::kRecordFull) game->m_curPly = game->m_plyCount = 300;
        const std::string fen = game->MakeFullFen();
        const DropOutcome outcome = Play(*game, ParseUci(row.move));
        EXPECT_FALSE(outcome.accepted || outcome.recorded) << row.move;
        EXPECT_EQ(outcome.refusal, row.sentence) << row.move;
        EXPECT_EQ(game->MakeFullFen(), fen) << row.move;
    }
}

TEST(MoveEntry, SetupModeMovesPiecesSilently) {
    auto game = Game();
    EXPECT_EQ(Play(*game, ParseUci("g1g3"), "", true).refusal, "");  // illegal, not explained
    EXPECT_EQ(Play(*game, ParseUci("d1i1"), "", true).refusal, "");  // off the board: gone
    const DropOutcome outcome = Play(*game, ParseUci("e2e4"), "", true);
    EXPECT_TRUE(outcome.accepted);
    EXPECT_FALSE(outcome.recorded);
    const std::string fen = game->MakeFullFen();
    EXPECT_EQ(fen.substr(0, fen.find(' ') + 2),
              "rnbqkbnr/pppppppp/8/8/4P3/6N1/PPPP1PPP/RNB1KB1R w");
    EXPECT_EQ(game->m_curPly + game->m_plyCount, 0);
}

TEST(MoveEntry, AMoveAtAnEarlierPlyDropsTheLaterOnes) {
    const struct {
        int shownPly;
        const char* move;
        int firstDropped, dropped, plyCount;
        const char* line;
    } rows[] = {
        {3, "f8c5", 3, 3, 4, "2. ...\tBc5"},
        {5, "d7d6", 5, 1, 6, "3. ...\td6"},  // the last ply replaced
        {3, "f8f6", -1, 0, 6, ""},           // an illegal move drops nothing
    };
    for (const auto& row : rows) {
        auto game = Game();
        for (const char* uci : {"e2e4", "e7e5", "g1f3", "b8c6", "f1c4", "g8f6"}) Play(*game, uci);
        for (int i = 0; i < 6; ++i) game->m_ply[i].note = "note", game->m_ply[i].hasNote = 1;
        game->RestorePly(row.shownPly - 1);
        const DropOutcome outcome = Play(*game, row.move);
        EXPECT_EQ(outcome.firstDroppedPly, row.firstDropped) << row.move;
        EXPECT_EQ(outcome.droppedCount, row.dropped) << row.move;
        EXPECT_EQ(outcome.line, row.line) << row.move;
        EXPECT_EQ(game->m_plyCount, row.plyCount) << row.move;
        const int kept = row.firstDropped < 0 ? 6 : row.firstDropped;
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(game->m_ply[i].hasNote + game->m_ply[i].note.size(), i < kept ? 5u : 0u)
                << row.move << ", ply " << i;
        if (row.firstDropped >= 0) {
            EXPECT_STREQ(game->m_ply[row.firstDropped].text, row.line);
        }
    }
}

TEST(MoveEntry, PromotionAsksForThePieceOnlyWhenAPawnArrives) {
    const struct {
        const char* move;
        int answer, asked, piece;
        const char* text;
    } rows[] = {
        {"b7b8", Knight, 1, Knight, "b8=N"},
        {"b7b8", Queen, 1, Queen, "b8=Q+"},
        {"b7b8", Rook, 1, Rook, "b8=R+"},
        {"e1e2", Queen, 0, King, "Ke2"},
    };
    for (const auto& row : rows) {
        auto game = Game("7k/1P6/8/8/8/8/8/4K3 w - - 0 1");
        const Move move = ParseUci(row.move);
        int asked = 0;
        const DropOutcome outcome = PlayDroppedPiece(*game, Lift(*game, move), false, "01/02/03",
                                                     [&] { return ++asked, row.answer; });
        EXPECT_EQ(asked, row.asked) << row.text;
        EXPECT_EQ(game->GetPiece(move.toFile, move.toRank), row.piece) << row.text;
        EXPECT_EQ(MoveOfLine(outcome.line), row.text);
    }
}

TEST(MoveEntry, GameEndsAreAnnouncedAndMarked) {
    // announcement: of the last move; nullptr for none
    const struct {
        const char *fen, *moves, *announcement, *text;
        char status;
        int clock;
    } rows[] = {
        {"4k3/8/8/8/8/8/8/4K1N1 w - - 99 60", "g1f3", announce::kFiftyMoveDraw, "Nf3=", 'D', 100},
        {"", "f2f3 e7e5 g2g4 d8h4", announce::kCheckMate, "Qh4#", 'M', 1},
        {"7k/4Q3/6K1/8/8/8/8/8 w - - 0 1", "e7f7", announce::kStaleMate, "Qf7=", 'S', 1},
        {"", "g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8 g1f3", announce::kRepetitionDraw, "Nf3=", 'D',
         9},
        {"rnbqkbnr/ppp1pppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 5 3", "e5d6", nullptr,
         "exd6 e.p.", 'P', 0},  // en passant resets the clock
    };
    for (const auto& row : rows) {
        auto game = Game(row.fen);
        std::istringstream moves(row.moves);
        std::vector<std::string> announced;
        DropOutcome outcome;
        for (std::string uci; moves >> uci;) {
            outcome = Play(*game, ParseUci(uci));
            ASSERT_TRUE(outcome.recorded) << row.moves << ", " << uci;
            for (const auto& a : outcome.announcements) announced.push_back(a);
        }
        EXPECT_EQ(announced, row.announcement ? std::vector<std::string>{row.announcement}
                                              : std::vector<std::string>{})
            << row.moves << ": only the last move announces";
        EXPECT_EQ(MoveOfLine(outcome.line), row.text) << row.moves;
        EXPECT_EQ(game->GetStatus(), row.status) << row.moves;
        EXPECT_EQ(game->m_ply[game->m_curPly - 1].status, row.status) << row.moves;
        EXPECT_EQ(game->GetHalfMoveClock(), row.clock) << row.moves;
    }
}

}  // namespace
