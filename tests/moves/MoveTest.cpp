// Moves carried on the board and given as text, and read back over the shared data.
#include <map>
#include <set>
#include <sstream>

#include "MoveEntry.h"
#include "MoveTextApply.h"
#include "RuleMessages.h"
#include "TestGames.h"

namespace {

// As the board carries a piece; a promotion asked (counted) gets the move's piece or a queen,
// and is declined for a "p" ("b7a8p").
DropOutcome Play(CGameRecord& game, const tg::Move& m, int* asked = nullptr) {
    const int f = m.fromFile, r = m.fromRank;
    const PieceDrop drop{game.GetPiece(f, r), game.GetColor(f, r), {f, r}, {m.toFile, m.toRank}};
    game.SetSquare(f, r, NoColor, NoPiece);
    return PlayDroppedPiece(game, drop, false, "01/02/03", [=] {
        if (asked) ++*asked;
        return m.promotion > Pawn ? m.promotion : m.promotion == Pawn ? NoPiece : Queen;
    });
}

TEST(MoveEntry, EveryRefusalSaysWhyAndChangesNothing) {
    const char* const pawn = "4k3/8/8/8/4P3/8/8/4K3 w - - 0 1";
    const char* const castle = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";
    const struct {
        const char *fen, *move, *sentence;
    } rows[] = {
        // clang-format off
        {"4k3/8/8/8/8/8/4P3/4K3 b - - 0 1", "e2e4", msg::kNotWhitesTurn},
        {"", "e7e0", msg::kNotBlacksTurn},  // even off the board
        {"", "b1i3", msg::kOffBoard}, {"", "g1g1", msg::kTouchedPiece},
        {"", "g1e2", msg::kOwnPiece}, {pawn, "e4f4", msg::kPawnSideways},
        {pawn, "e4d3", msg::kPawnBackwards}, {"", "e2e5", msg::kPawnTooFar},
        {"4k3/8/8/8/8/4P3/8/4K3 w - - 0 1", "e3e5", msg::kPawnTwoOnlyFirst},
        {"4k3/8/8/8/8/4n3/4P3/4K3 w - - 0 1", "e2e4", msg::kPawnJump},
        {"4k3/8/8/8/4n3/8/4P3/4K3 w - - 0 1", "e2e4", msg::kPawnBlocked},
        {"4k3/8/8/8/5n2/8/4P3/4K3 w - - 0 1", "e2f4", msg::kPawnDiagonalOne},
        {pawn, "e4d5", msg::kPawnDiagonalCapture}, {"", "g1g3", msg::kKnightMove},
        {"4k3/8/8/3pPp2/8/8/8/4K3 w - d6 0 1", "e5f6", msg::kPawnDiagonalCapture},
        {"4k3/8/8/8/8/8/8/2B1K3 w - - 0 1", "c1c3", msg::kBishopLine},
        {"", "c1e3", msg::kBishopJump}, {"", "d1d8", msg::kQueenJump}, {"", "a1a3", msg::kRookJump},
        {"4k3/8/8/8/8/8/8/RN2K3 w - - 0 1", "a1c1", msg::kRookJump},
        {"4k3/8/8/8/8/8/8/R3K3 w - - 0 1", "a1b2", msg::kRookLine},
        {"4k3/8/8/8/8/8/8/3QK3 w - - 0 1", "d1e3", msg::kQueenLine},
        {castle, "e1e3", msg::kKingOneSquare},
        {"4k3/8/8/8/8/8/4K3/8 w - - 0 1", "e2g2", msg::kKingOneSquare},
        {"r3k2r/8/8/8/8/8/8/R3K2R w Qkq - 0 1", "e1g1", msg::kCastleMoved},
        {"4k3/8/8/8/8/8/8/4K3 w KQ - 0 1", "e1c1", msg::kCastleMoved},  // no rook in the corner
        {"4k3/8/8/8/8/8/8/r3K3 w Q - 0 1", "e1c1", msg::kCastleMoved},  // an enemy rook there
        {"r3k2r/8/8/8/8/8/8/RN2K2R w KQkq - 0 1", "e1c1", msg::kCastleBlocked},
        {"r3k2r/8/8/8/8/8/5r2/R3K2R w KQkq - 0 1", "e1g1", msg::kCastleCheck},
        {"r3k2r/8/8/8/8/5n2/8/R3K2R w KQkq - 0 1", "e1c1", msg::kCastleCheck},  // out of check
        {"4k3/4r3/8/8/8/8/4B3/4K3 w - - 0 1", "e2d3", msg::kIntoCheck},         // pinned
        {"4k3/8/8/3p4/8/8/1P6/4K2r w - d6 0 1", "b2b4", msg::kIntoCheck},       // keeps e.p.
        {"4k3/8/8/8/8/8/3r4/R3K2R w KQ - 0 1", "e1d1", msg::kIntoCheck},        // keeps rights
        {"4k3/8/8/8/8/8/8/R3K2r w Q - 0 1", "a1a5", msg::kIntoCheck},
        {"8/8/8/KPp4r/8/8/8/6k1 w - c6 0 1", "b5c6", msg::kIntoCheck},  // the pawn put back
        {"", "e2e4", announce::kRecordFull},
        {"r3k3/1P6/8/8/8/8/8/4K3 w q - 0 1", "b7a8p", ""},  // declined: the rook and right stay
    };  // clang-format on

    for (const auto& row : rows) {
        auto game = tg::Game(row.fen);
        if (row.sentence == announce::kRecordFull) game->m_curPly = game->m_plyCount = 300;
        const std::string before = game->MakeFullFen();
        const DropOutcome outcome = Play(*game, tg::ParseUci(row.move));
        SCOPED_TRACE(std::string(row.fen) + " " + row.move);
        EXPECT_EQ(outcome.refusal, row.sentence);
        // The board tells by the kind, which must agree with the sentence.
        EXPECT_EQ(outcome.why, row.sentence == announce::kRecordFull ? DropRefusal::RecordFull
                               : *row.sentence != '\0'               ? DropRefusal::AgainstRules
                                                                     : DropRefusal::None);
        EXPECT_FALSE(outcome.accepted || outcome.recorded);
        EXPECT_EQ(game->MakeFullFen(), before);
    }
}

// What the shared data does not show: last move's text, position after, announced ends.
TEST(MoveEntry, AcceptedMovesTheirTextAndPosition) {
    const struct {
        const char *fen, *moves, *text, *after = nullptr, *announced = nullptr;
        char status = 'P';  // the game's, kept with its last ply
        const char* turn = nullptr;  // the status bar's words after it, when asked
    } rows[] = {
        {"4k3/8/8/8/8/8/8/R3K2R w - - 0 1", "a1d1", "Rd1"},      // the king stops the other
        {"4k3/8/8/8/8/8/3R4/3RK3 w - - 0 1", "d2d5", "Rd5"},     // the mover blocked its rival
        {"4k3/8/8/8/8/5n2/8/1N5K w - - 0 1", "b1d2", "Nd2"},     // a rival of the other colour
        {"k3r3/8/8/1N6/8/8/4N3/4K3 w - - 0 1", "b5c3", "Nbc3"},  // a pinned rival counts
        {"4k3/8/8/8/8/8/8/4K1K1 w - - 0 1", "e1f2", "Kef2"},     // set-up kings too
        {"rnbqkbnr/ppp1pppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 5 3", "e5d6", "exd6 e.p.",
         "rnbqkbnr/ppp1pppp/3P4/8/8/8/PPPP1PPP/RNBQKBNR b KQkq - 0 3"},
        {"8/8/8/2k5/3pP3/8/5K2/8 b - e3 0 1", "d4e3", "dxe3 e.p.+"},
        {"7k/1P6/8/8/8/8/8/4K3 w - - 0 1", "b7b8n", "b8=N", "1N5k/8/8/8/8/8/8/4K3 b - - 0 1"},
        {"r3k2r/8/8/8/R7/8/8/R3K2R w KQkq - 0 1", "a4b4", "Rb4",
         "r3k2r/8/8/8/1R6/8/8/R3K2R b KQkq - 1 1"},
        {"R3k2r/8/8/8/8/8/8/4K2R w Kk - 0 1", "a8b8", "Rb8+", "1R2k2r/8/8/8/8/8/8/4K2R b Kk - 1 1",
         nullptr, 'P', "Black to move, check"},
        {"r3k2r/8/8/8/8/8/6B1/R3K2R w KQkq - 0 1", "g2a8", "Bxa8",
         "B3k2r/8/8/8/8/8/8/R3K2R b KQk - 0 1"},
        {"r3k2r/r7/8/8/8/8/6B1/R3K2R w KQkq - 0 1", "g2a8 a7a8", "Rxa8",  // another rook home
         "r3k2r/8/8/8/8/8/8/R3K2R w KQk - 0 2"},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "a1a8", "Rxa8+",
         "R3k2r/8/8/8/8/8/8/4K2R b Kk - 0 1"},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "h1h2 a8b8 h2h1", "Rh1",  // back, without K
         "1r2k2r/8/8/8/8/8/8/R3K2R b Qk - 3 2"},
        {"4k3/8/8/8/8/8/8/4K1N1 w - - 99 60", "g1f3", "Nf3=", nullptr, announce::kFiftyMoveDraw,
         'D'},
        {"", "f2f3 e7e5 g2g4 d8h4", "Qh4#", nullptr, announce::kCheckMate, 'M', "Checkmate"},
        {"7k/4Q3/6K1/8/8/8/8/8 w - - 0 1", "e7f7", "Qf7=", nullptr, announce::kStaleMate, 'S'},
        {"8/8/8/8/8/8/1k6/R7 b - - 0 1", "b2a1", "Kxa1=", nullptr, announce::kStaleMate,
         'S'},  // no king
        {"", "g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8 g1f3", "Nf3=", nullptr,
         announce::kRepetitionDraw, 'D'},  // the start is not compared
        {"", "e2e4 e7e5 e1e2 e8e7 e2e1 e7e8 e1e2 e8e7 e2e1 e7e8", "Ke8=", nullptr,
         announce::kRepetitionDraw, 'D'},  // nor are castling rights
        {"4k3/8/8/8/8/8/8/R3K3 w - - 0 1", "a1a2 e8d8 a2a3 d8e8 a3a4 e8d8 a4a5 d8e8 a5a6",
         "Ra6"},  // the rook on another square each time: no repetition
    };
    for (const auto& row : rows) {
        auto game = tg::Game(row.fen);
        std::istringstream moves(row.moves);
        std::string announced, uci;
        DropOutcome outcome;
        while (moves >> uci) {
            const tg::Move move = tg::ParseUci(uci);
            const bool promotes = game->GetPiece(move.fromFile, move.fromRank) == Pawn &&
                                  (move.toRank == 0 || move.toRank == 7);
            int asked = 0;
            outcome = Play(*game, move, &asked);
            ASSERT_TRUE(outcome.recorded) << row.moves << ": " << outcome.refusal;
            EXPECT_EQ(asked, promotes ? 1 : 0) << uci;
            for (const auto& a : outcome.announcements) announced += a;
        }
        EXPECT_EQ(tg::MoveOf(outcome.line), row.text) << row.fen << " " << row.moves;
        const PlyRecord& ply = game->m_ply[game->m_curPly - 1];
        EXPECT_EQ(tg::MoveOf(ply.text), row.text) << row.moves;
        EXPECT_STREQ(ply.date, "01/02/03") << row.moves;
        EXPECT_EQ(ply.status, row.status) << row.moves;
        EXPECT_EQ(row.after ? game->MakeFullFen() : "", row.after ? row.after : "") << row.moves;
        EXPECT_EQ(announced, row.announced ? row.announced : "") << row.moves;
        if (row.turn != nullptr) {
            EXPECT_EQ(TurnText(*game), row.turn) << row.moves;
        }
    }
    auto game = tg::Game("4k3/8/3p4/4p3/8/5N2/8/4K3 w - - 0 1");  // the clipboard's long form
    Play(*game, tg::ParseUci("f3e5"));
    Play(*game, tg::ParseUci("d6e5"));
    Play(*game, tg::ParseUci("e1d1"));
    Play(*game, tg::ParseUci("e8d8"));
    EXPECT_EQ(game->GetLongMoveText(0), "1. Nf3xe5");
    EXPECT_EQ(game->GetLongMoveText(1), "1. ... d6xe5");
    EXPECT_EQ(game->GetLongMoveText(2), "2. Ke1-d1");  // targets on the first rank
    EXPECT_EQ(game->GetLongMoveText(3), "2. ... Ke8-d8");  // and on the eighth
    EXPECT_EQ(game->GetMoveWithoutNumber(0), "Nxe5");
    game->m_setupMode = 1;  // the status bar while a position is set up
    EXPECT_EQ(TurnText(*game), "Setup");
}

TEST(MoveEntry, AMoveAtAnEarlierPlyDropsTheLaterOnesWithTheirNotes) {
    const struct {
        int plies, shown;
        const char *move, *line;
        int firstDropped, dropped, pliesAfter;
    } rows[] = {
        {6, 3, "f8c5", "2. ...\tBc5", 3, 3, 4},
        {6, 4, "f1b5", "3. Bb5", 4, 2, 5},
        {6, 5, "d7d6", "3. ...\td6", 5, 1, 6},              // the last ply replaced
        {6, 3, "f8f6", "", -1, 0, 6},                       // an illegal move drops nothing
        {300, 299, "h8g8", "150. ...\tRg8=", 299, 1, 300},  // in a full record too
    };
    const char* const moves[] = {"e2e4", "e7e5", "g1f3", "b8c6", "f1c4",
                                 "g8f6", "b1a3", "h8g8", "a3b1", "g8h8"};
    for (const auto& row : rows) {
        auto game = tg::Game();
        for (int i = 0; i < row.plies; ++i) {
            tg::PlayAndRecord(*game, moves[i < 6 ? i : 6 + (i - 6) % 4]);
            game->m_ply[i].note = "note", game->m_ply[i].hasNote = 1;
            game->m_ply[i].nags = "$14";
        }
        game->RestorePly(row.shown - 1);
        const DropOutcome outcome = Play(*game, tg::ParseUci(row.move));
        const int kept = row.firstDropped < 0 ? row.plies : row.firstDropped;
        EXPECT_EQ(outcome.line, row.line) << row.move;
        EXPECT_EQ(outcome.firstDroppedPly, row.firstDropped) << row.move;
        EXPECT_EQ(outcome.droppedCount, row.dropped) << row.move;
        EXPECT_EQ(game->m_plyCount, row.pliesAfter) << row.move;
        for (int i = 0; i < row.plies; ++i) {
            EXPECT_EQ(game->m_ply[i].hasNote, i < kept ? 1 : 0) << row.move << ", ply " << i;
            EXPECT_EQ(game->m_ply[i].note, i < kept ? "note" : "") << row.move << ", ply " << i;
            if (i <= kept) {  // the new move's glyphs are its own
                EXPECT_EQ(game->m_ply[i].nags, i < kept ? "$14" : "") << row.move << ", ply " << i;
            }
        }
    }
}

// The text kept, or nothing changed; played: squares, promotion, "!" against the rules.
TEST(MoveReading, ApplyMoveText) {
    const char* const pawns = "4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1";
    const char* const castle = "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1";
    const char* const pawn = "7k/4P3/8/8/8/8/8/4K3 w - - 0 1";
    const char* const bishop = "4k3/8/8/3p4/4P3/3b4/8/4K3 w - - 0 1";
    const char* const ep = "rnbqkbnr/ppp1pppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 3";
    const char* const black = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1";
    // clang-format off
    const char* const rows[][3] = {
        {"", "e5", "e2e5!"}, {"", "Nf3!?", "g1f3"}, {pawns, "exd5", "e4d5"}, {pawns, "ed", "e4d5"},
        {bishop, "ed", "e4d5"}, {ep, "exd6 e.p.", "e5d6"}, {castle, "O-O-O+", "e8c8"},
        {"4k3/8/8/8/8/8/8/R4RK1 w - - 0 1", "Rfe1", "f1e1"},
        {"4k3/8/8/8/8/8/7K/1RN3R1 w - - 0 1", "Rd1", "g1d1"},
        {"4k3/8/8/b5N1/8/8/3N4/4K3 w - - 0 1", "Ne4", "g5e4"},
        {"4k3/8/8/8/8/8/4K3/R6R w - - 0 1", "Rd1", ""},
        {pawn, "e8=N", "e7e8n"}, {pawn, "e8R+", "e7e8r"}, {pawn, "e8", "e7e8q"},
        {pawn, "e8=n", "e7e8n"}, {pawn, "e8=K", ""}, {pawn, "e8=P", ""}, {castle, "OOO", ""},
        {castle, "O-O-O~", ""}, {"", "Nf6", ""}, {"", "R3a4", ""}, {"", "Ni9", ""}, {"", "", ""},
        {"", "--", ""}, {"", "Pe2e4", ""}, {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", "e4", ""},
        {black, "Nf3", ""}, {black, "Rad5", "a8d5!"},  // a1 is White's rook
    };
    // clang-format on
    for (const auto& row : rows) {
        auto game = tg::Game(row[0]);
        const std::string fen = game->MakeFullFen(), played = row[2];
        const MoveTextResult result = ApplyMoveText(*game, row[1], game->m_sideToMove);
        const PlyRecord& ply = game->m_ply[0];
        const int arrived = game->GetPiece(ply.toFile, ply.toRank);
        const bool promoted = tg::Game(row[0])->GetPiece(ply.fromFile, ply.fromRank) != arrived;
        EXPECT_EQ(game->m_curPly ? tg::Uci({ply.fromFile, ply.fromRank, ply.toFile, ply.toRank,
                                            promoted ? arrived : NoPiece}) +
                                       (result == MoveTextResult::Played ? "" : "!")
                                 : "",
                  played)
            << row[1];
        EXPECT_EQ(game->m_curPly ? tg::MoveOf(ply.text) : game->MakeFullFen(),
                  game->m_curPly ? row[1] : fen);
        EXPECT_STREQ(ply.date, "") << row[1];  // a move from a file has no date
    }
    auto game = tg::Game("7k/4P3/8/8/8/8/8/4K3 w - - 0 1");
    ApplyMoveText(*game, "e8" + std::string(20, '!') + "=N", White);
    EXPECT_STREQ(game->m_ply[0].text, "1. e8=N") << "too long for its line: as the board writes it";
    game->m_curPly = game->m_plyCount = CGameRecord::kMaxPlies;
    EXPECT_EQ(ApplyMoveText(*game, "Kh7", Black), MoveTextResult::NotPlayed) << "a full record";
}

// A null move passes the turn: the board stays, the en-passant target goes, the
// clock counts it; refused in check and in a full record.
TEST(MoveReading, NullMovesPassTheTurn) {
    const struct {
        const char *fen, *text, *after, *line;  // after: the FEN, or "" when refused
        char status = 'P';
    } rows[] = {
        {"rnbqkbnr/ppp1pppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 3", "--",
         "rnbqkbnr/ppp1pppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR b KQkq - 1 3", "3. --"},
        {"4k3/8/8/8/8/8/8/4K2R b K - 7 40", "Z0!?", "4k3/8/8/8/8/8/8/4K2R w K - 8 41",
         "40. ...\t--!?"},
        {"4k3/8/8/8/8/8/8/4K2R w K - 99 40", "--", "4k3/8/8/8/8/8/8/4K2R b K - 100 40", "40. --",
         'D'},
        {"4k3/8/8/8/8/8/8/4K2R b K - 0 40", "--+", "", ""},
        {"4k3/8/8/8/8/8/8/4K2R b K - 0 40", "---", "", ""},
        {"4k3/8/8/8/8/8/8/4K2R b K - 0 40", "Z", "", ""},
        {"R3k3/8/8/8/8/8/8/4K3 b - - 0 40", "--", "", ""},  // in check
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        auto game = tg::Game(row.fen);
        const bool played = ApplyNullMove(*game, row.text);
        EXPECT_EQ(played, IsNullMoveText(row.text) && row.after[0] != '\0');
        EXPECT_EQ(game->MakeFullFen(), played ? row.after : tg::Game(row.fen)->MakeFullFen());
        EXPECT_EQ(game->m_plyCount, played ? 1 : 0);
        if (!played) continue;
        const PlyRecord& ply = game->m_ply[0];
        EXPECT_STREQ(ply.text, row.line);
        EXPECT_TRUE(ply.IsNullMove());
        EXPECT_EQ(game->m_status, row.status);
    }
    auto game = tg::Game("4k3/8/8/8/8/8/8/4K2R w K - 0 1");
    EXPECT_FALSE(game->m_ply[0].IsNullMove());  // nothing recorded there
    game->m_curPly = game->m_plyCount = CGameRecord::kMaxPlies;
    EXPECT_FALSE(ApplyNullMove(*game, "--")) << "a full record";
}

TEST(MoveReading, TypedMoves) {
    const char* const promotion = "3r3k/4P3/8/8/8/8/8/4K3 w - - 0 1";
    const char* const castle = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";
    const char* const knights = "4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1";
    // fen ("": the start), typed, found (or the sentence when nothing is)
    // clang-format off
    const char* const rows[][3] = {
        {"", "e2e4", "e2e4"}, {"", " g1-f3 ", "g1f3"}, {"", "Nf3", "g1f3"},
        {"", " \t ", "Ravelin cannot read \"\" as a move."},
        {"", "a4", "a2a4"}, {"", "h3", "h2h3"},
        {"", "e3e4", "Ravelin cannot read \"e3e4\" as a move."},
        {"", "Bf3", "No White Bishop can go to f3."},
        {"", "e2e", "Ravelin cannot read \"e2e\" as a move."},
        {"", "e2xe9", "Ravelin cannot read \"e2xe9\" as a move."},
        {"", "Nf9", "Ravelin cannot read \"Nf9\" as a move."},
        {promotion, "e7xd8=N", "e7d8n"}, {promotion, "exd8r", "e7d8r"},
        {promotion, "e8=K", "Ravelin cannot read \"e8=K\" as a move."},
        {"4k3/8/8/8/8/8/8/4K2R w - - 0 1", "h1h8#", "h1h8"},
        {"4k3/8/8/8/8/8/8/4K2R w - - 0 1", "h1h8+", "h1h8"},
        {castle, "0-0", "e1g1"}, {castle, "0-0-0+", "e1c1"}, {"", "nc3", "b1c3"},
        {knights, "nbd2", "b1d2"}, {"4k3/8/8/8/8/8/8/3QK3 w - - 0 1", "qh5", "d1h5"},
        {"4k3/8/8/8/8/2n5/1P6/4K3 w - - 0 1", "bxc3", "b2c3"},  // b is a file
        {knights, "Nd2", "Nd2 is ambiguous: Nbd2 or Nfd2."},
        {"4k3/8/8/8/8/1N3N2/8/1N3K2 w - - 0 1", "nxd2",
         "nxd2 is ambiguous: N1d2, Nb3d2 or Nfd2."},
        {"4k3/8/8/8/8/1N3N2/8/1N3K2 w - - 0 1", "N3d2", "N3d2 is ambiguous: Nb3d2 or Nfd2."},  // b1 is not on rank 3
        {"4k3/8/8/8/8/8/3p4/1N2KN2 w - - 0 1", "Nd2", "Nd2 is ambiguous: Nbxd2 or Nfxd2."},
        {"4k3/8/8/8/8/8/8/6K1 w - - 0 1", "Ke2", "No White King can go to e2."},
        {"4k3/8/8/8/8/8/8/R3K3 b - - 0 1", "Rc8", "No Black Rook can go to c8."},
        {knights, "Ncd4", "Ravelin cannot read \"Ncd4\" as a move."},  // only the f-knight can
        {"", "Nb8c6", "No White Knight can go to c6."},  // Black's move, typed on White's turn
        {"4k3/8/8/7R/8/8/8/4K2R w - - 0 1", "Rhh3", "Rhh3 is ambiguous: R1h3 or R5h3."},
        {"4k3/8/8/R7/8/7R/8/R3K3 w - - 0 1", "Raa3", "Raa3 is ambiguous: R1a3 or R5a3."},
        {"R3k3/8/8/P7/8/8/8/4K3 w - - 0 1", "Ra3", "a8a3"},  // blocked: the board says why
        {"4k3/8/8/8/8/1N6/8/1N3NK1 w - - 0 1", "N1d2",
         "N1d2 is ambiguous: Nb1d2 or Nfd2."},  // b3 is not on rank 1
    };
    // clang-format on
    for (const auto& row : rows) {
        auto game = tg::Game(row[0]);
        TypedMove m;
        const bool found = ReadTypedMove(*game, row[1], m);
        EXPECT_EQ(found ? tg::Uci({m.move.from.file, m.move.from.rank, m.move.to.file,
                                   m.move.to.rank, m.move.promotion}) +
                              m.refusal
                        : m.refusal,
                  row[2])
            << row[1];
        // The kind agrees with the sentence.
        const std::string said = row[2];
        EXPECT_EQ(m.why, found                                       ? TypedRefusal::None
                         : said.rfind("Ravelin cannot read", 0) == 0 ? TypedRefusal::Unreadable
                         : said.find(" is ambiguous: ") != std::string::npos
                             ? TypedRefusal::Ambiguous
                             : TypedRefusal::NoPieceCanGo)
            << row[1];
    }
}

// Every legal move of `fen` written, then read back to the same squares and position.
std::map<std::string, std::string> WriteAndReadBack(const std::string& fen) {
    std::map<std::string, std::string> texts;
    static const auto game = tg::Game();
    tg::Reset(*game, fen);
    for (const tg::Move& move : tg::LegalMoves(*game)) {
        const DropOutcome outcome = Play(*game, move);
        const std::string played = game->MakeFullFen() + game->GetStatus();
        const std::string text = texts[tg::Uci(move)] = tg::MoveOf(outcome.line);
        tg::Reset(*game, fen);
        const bool replayed =
            ApplyMoveText(*game, text, game->m_sideToMove) == MoveTextResult::Played;
        const PlyRecord& ply = game->m_ply[0];
        const tg::Move read{ply.fromFile, ply.fromRank, ply.toFile, ply.toRank, move.promotion};
        EXPECT_TRUE(outcome.recorded && replayed && tg::Uci(read) == tg::Uci(move) &&
                    game->MakeFullFen() + game->GetStatus() == played)
            << fen << ": " << tg::Uci(move) << " written " << text << " reads back as "
            << tg::Uci(read) << ", " << game->MakeFullFen();
        tg::Reset(*game, fen);
    }
    return texts;
}

// Apart from our marks: " e.p.", "=" of a drawn end (for their check), a pinned rival.
bool SameApartFromOurMarks(std::string ours, std::string theirs) {
    const std::size_t enPassant = ours.find(" e.p.");
    if (enPassant != std::string::npos) ours.erase(enPassant, 5);
    if (ours.size() > 2 && ours.back() == '=' && ours[ours.size() - 3] != '=') {
        ours.pop_back();
        if (!theirs.empty() && theirs.back() == '+') theirs.pop_back();
    }
    return ours == theirs ||
           (ours.size() > theirs.size() && ours[0] == theirs[0] &&
            std::isupper(static_cast<unsigned char>(ours[0])) &&
            ours.compare(ours.size() - theirs.size() + 1, std::string::npos, theirs, 1) == 0);
}

TEST(RoundTrip, KnownPositions) {
    RAVELIN_REQUIRE_SHARED("positions");
    for (const auto& fields : shared::TsvRows(shared::Root() / "positions" / "POSITIONS.tsv")) {
        if (fields.size() < 2) continue;
        std::map<std::string, std::string> theirs, verdicts;
        std::istringstream known(
            shared::ReadFile(shared::Root() / "positions" / (fields[0] + ".txt")));
        for (std::string key, value; known >> key && std::getline(known >> std::ws, value);)
            (key[1] >= '1' && key[1] <= '8' ? theirs : verdicts)[key] = value;
        std::map<std::string, std::string> ours = WriteAndReadBack(fields[1]);
        std::string ourMoves, theirMoves;
        for (const auto& move : ours) ourMoves += move.first + " ";
        for (const auto& move : theirs) {
            theirMoves += move.first + " ";
            EXPECT_TRUE(SameApartFromOurMarks(ours[move.first], move.second))
                << fields[0] << " " << move.first << ": ours " << ours[move.first];
        }
        EXPECT_EQ(ourMoves, theirMoves) << fields[0];
        auto game = tg::Game(fields[1]);
        const int side = game->m_sideToMove;
        int kingFile = -1, kingRank = -1;
        game->FindPiece(side, King, kingFile, kingRank);
        const bool check = game->IsSquareAttacked(side, kingFile, kingRank),
                   noMove = !game->HasLegalMove(side);
        EXPECT_EQ(verdicts["check"], check ? "yes" : "no") << fields[0];
        EXPECT_EQ(verdicts["checkmate"], noMove && check ? "yes" : "no") << fields[0];
        EXPECT_EQ(verdicts["stalemate"], noMove && !check ? "yes" : "no") << fields[0];
    }
}

// Every move of each position the real games pass through is written and read
// back (the games replayed to those positions: pgn/SharedGamesTest.cpp).
TEST(RoundTrip, RealGames) {
    RAVELIN_REQUIRE_SHARED("pgn/good");
    std::set<std::string> seen;
    for (const auto& path : shared::Files("pgn/good", ".tsv"))
        for (const auto& row : shared::TsvRows(path))  // ply, text, FEN after
            if (seen.insert(row.at(2)).second) WriteAndReadBack(row[2]);
    EXPECT_GT(seen.size(), 10000u);
}

}  // namespace
