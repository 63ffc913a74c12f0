// What a piece let go on the board does to the game: refusals, setup mode,
// recording, replacing later plies, promotion and the announced game ends.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "BoardTestSupport.h"
#include "RuleMessages.h"

using boardtest::GameFromFen;
using boardtest::MoveOfLine;
using boardtest::ParseUci;
using boardtest::Play;

namespace {

const char kStart[] = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

TEST(MoveEntry, OpeningMovesAreNumberedAndDated) {
    auto game = GameFromFen(kStart);
    const DropOutcome white = Play(*game, ParseUci("e2e4"), "12/31/99");
    EXPECT_TRUE(white.recorded);
    EXPECT_EQ(white.line, "1. e4");
    EXPECT_EQ(white.firstDroppedPly, -1);
    const DropOutcome black = Play(*game, ParseUci("e7e5"), "01/01/00");
    EXPECT_EQ(black.line, "1. ...\te5");
    EXPECT_EQ(game->m_curPly, 2);
    EXPECT_EQ(game->m_plyCount, 2);
    EXPECT_EQ(game->m_sideToMove, White);
    EXPECT_STREQ(game->m_ply[0].text, "1. e4");
    EXPECT_STREQ(game->m_ply[1].text, "1. ...\te5");
    EXPECT_STREQ(game->m_ply[0].date, "12/31/99");
    EXPECT_STREQ(game->m_ply[1].date, "01/01/00");
    EXPECT_EQ(game->GetPiece(4, 3), Pawn);
    EXPECT_EQ(game->GetPiece(4, 1), NoPiece);
}

TEST(MoveEntry, RefusalPutsThePieceBackAndSaysWhy) {
    const struct {
        const char* rule;
        const char* fen;
        int fromFile, fromRank, toFile, toRank;
        const char* sentence;
    } rows[] = {
        {"a White piece on Black's turn",
         "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1", 4, 1, 4, 3,
         msg::kNotWhitesTurn},
        {"a Black piece on White's turn", kStart, 4, 6, 4, 4, msg::kNotBlacksTurn},
        {"put back on its own square", kStart, 4, 1, 4, 1, msg::kTouchedPiece},
        {"dropped off the board", kStart, 4, 1, 8, 3, msg::kOffBoard},
        {"dropped below the board", kStart, 6, 0, 6, -1, msg::kOffBoard},
        {"a knight moving like a rook", kStart, 6, 0, 6, 2, msg::kKnightMove},
        {"full at 300 plies", kStart, 4, 1, 4, 3, announce::kRecordFull},
    };
    for (const auto& row : rows) {
        auto game = GameFromFen(row.fen);
        if (row.sentence == announce::kRecordFull) game->m_curPly = game->m_plyCount = 300;
        const std::string fen = game->MakeFullFen();
        const int kind = game->GetPiece(row.fromFile, row.fromRank);
        const int target = game->GetPiece(row.toFile, row.toRank);
        const DropOutcome outcome =
            Play(*game, {row.fromFile, row.fromRank, row.toFile, row.toRank, 0});
        EXPECT_FALSE(outcome.accepted) << row.rule;
        EXPECT_FALSE(outcome.recorded) << row.rule;
        EXPECT_EQ(outcome.refusal, row.sentence) << row.rule;
        EXPECT_EQ(game->MakeFullFen(), fen) << row.rule;
        EXPECT_EQ(game->GetPiece(row.fromFile, row.fromRank), kind) << row.rule;
        EXPECT_EQ(game->GetPiece(row.toFile, row.toRank), target) << row.rule;
    }
}

TEST(MoveEntry, SetupModeMovesPiecesSilently) {
    auto game = GameFromFen(kStart);
    DropOutcome outcome = Play(*game, {6, 0, 6, 2, 0}, "01/02/03", true);
    EXPECT_TRUE(outcome.refusal.empty()) << "an illegal move is not explained";
    EXPECT_EQ(game->GetPiece(6, 2), Knight) << "and the knight stays where it was put";
    EXPECT_EQ(game->GetPiece(6, 0), NoPiece);

    outcome = Play(*game, {3, 0, 8, 0, 0}, "01/02/03", true);
    EXPECT_TRUE(outcome.refusal.empty());
    EXPECT_EQ(game->GetPiece(3, 0), NoPiece) << "a piece dropped off the board is gone";

    outcome = Play(*game, ParseUci("e2e4"), "01/02/03", true);
    EXPECT_TRUE(outcome.accepted);
    EXPECT_FALSE(outcome.recorded);
    EXPECT_EQ(game->m_curPly, 0);
    EXPECT_EQ(game->m_plyCount, 0);
    EXPECT_EQ(game->m_sideToMove, White);
}

// Six plies with a note on each, shown at `shownPly` plies.
std::unique_ptr<CGameRecord> SixPliesShownAt(int shownPly) {
    auto game = GameFromFen(kStart);
    for (const char* uci : {"e2e4", "e7e5", "g1f3", "b8c6", "f1c4", "g8f6"})
        Play(*game, ParseUci(uci));
    for (int i = 0; i < 6; ++i) {
        game->m_ply[i].note = "note " + std::to_string(i);
        game->m_ply[i].hasNote = 1;
    }
    game->RestorePly(shownPly - 1);
    return game;
}

TEST(MoveEntry, AMoveAtAnEarlierPlyDropsTheLaterOnes) {
    const struct {
        const char* rule;
        int shownPly;
        const char* uci;
        int firstDropped, dropped, plyCount;
        const char* line;
    } rows[] = {
        {"shown at ply 3 of 6", 3, "f8c5", 3, 3, 4, "2. ...\tBc5"},
        {"the last ply is replaced", 5, "d7d6", 5, 1, 6, "3. ...\td6"},
        {"an illegal move drops nothing", 3, "f8f6", -1, 0, 6, ""},
    };
    for (const auto& row : rows) {
        auto game = SixPliesShownAt(row.shownPly);
        ASSERT_EQ(game->m_curPly, row.shownPly) << row.rule;
        const DropOutcome outcome = Play(*game, ParseUci(row.uci));
        EXPECT_EQ(outcome.firstDroppedPly, row.firstDropped) << row.rule;
        EXPECT_EQ(outcome.droppedCount, row.dropped) << row.rule;
        EXPECT_EQ(outcome.line, row.line) << row.rule;
        EXPECT_EQ(game->m_plyCount, row.plyCount) << row.rule;
        const int keptNotes = row.firstDropped < 0 ? 6 : row.firstDropped;
        for (int i = 0; i < 6; ++i) {
            const bool kept = i < keptNotes;
            EXPECT_EQ(game->m_ply[i].hasNote, kept ? 1 : 0) << row.rule << ", ply " << i;
            EXPECT_EQ(game->m_ply[i].note.empty(), !kept) << row.rule << ", ply " << i;
        }
        if (row.firstDropped >= 0) {
            EXPECT_STREQ(game->m_ply[row.firstDropped].text, row.line) << row.rule;
        }
    }
}

TEST(MoveEntry, PromotionAsksForThePieceOnlyWhenAPawnArrives) {
    const struct {
        const char* uci;
        int answer;
        int asked;
        int piece;
        const char* text;
    } rows[] = {
        {"b7b8", Knight, 1, Knight, "b8=N"},
        {"b7b8", Queen, 1, Queen, "b8=Q+"},
        {"b7b8", Rook, 1, Rook, "b8=R+"},
        {"e1e2", Queen, 0, King, "Ke2"},
    };
    for (const auto& row : rows) {
        auto game = GameFromFen("7k/1P6/8/8/8/8/8/4K3 w - - 0 1");
        const boardtest::Move move = ParseUci(row.uci);
        const PieceDrop drop = boardtest::Lift(*game, move);
        int asked = 0;
        const DropOutcome outcome = PlayDroppedPiece(*game, drop, false, "01/02/03", [&] {
            ++asked;
            return row.answer;
        });
        EXPECT_EQ(asked, row.asked) << row.text;
        EXPECT_EQ(game->GetPiece(move.toFile, move.toRank), row.piece) << row.text;
        EXPECT_EQ(MoveOfLine(outcome.line), row.text);
    }
}

TEST(MoveEntry, GameEndsAreAnnouncedAndMarked) {
    const struct {
        const char* rule;
        const char* fen;
        const char* moves;         // UCI, separated by blanks
        const char* announcement;  // of the last move; nullptr for none
        const char* text;
        char status;
        int clock;
    } rows[] = {
        {"the hundredth quiet ply", "4k3/8/8/8/8/8/8/4K1N1 w - - 99 60", "g1f3",
         announce::kFiftyMoveDraw, "Nf3=", 'D', 100},
        {"a mate", kStart, "f2f3 e7e5 g2g4 d8h4", announce::kCheckMate, "Qh4#", 'M', 1},
        {"a stalemate", "7k/4Q3/6K1/8/8/8/8/8 w - - 0 1", "e7f7", announce::kStaleMate, "Qf7=", 'S',
         1},
        {"the third time the position stands", kStart,
         "g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8 g1f3", announce::kRepetitionDraw, "Nf3=", 'D', 9},
        {"en passant resets the clock",
         "rnbqkbnr/ppp1pppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 5 3", "e5d6", nullptr,
         "exd6 e.p.", 'P', 0},
    };
    for (const auto& row : rows) {
        auto game = GameFromFen(row.fen);
        std::istringstream moves(row.moves);
        std::string uci;
        std::vector<std::string> announced;
        DropOutcome outcome;
        while (moves >> uci) {
            outcome = Play(*game, ParseUci(uci));
            ASSERT_TRUE(outcome.recorded) << row.rule << ", " << uci;
            announced.insert(announced.end(), outcome.announcements.begin(),
                             outcome.announcements.end());
        }
        EXPECT_EQ(announced, row.announcement ? std::vector<std::string>{row.announcement}
                                              : std::vector<std::string>{})
            << row.rule << ": only the last move announces";
        EXPECT_EQ(MoveOfLine(outcome.line), row.text) << row.rule;
        EXPECT_EQ(game->GetStatus(), row.status) << row.rule;
        EXPECT_EQ(game->m_ply[game->m_curPly - 1].status, row.status) << row.rule;
        EXPECT_EQ(game->GetHalfMoveClock(), row.clock) << row.rule;
    }
}

}  // namespace
