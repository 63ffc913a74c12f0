// The game record: FEN in and out, storing and recalling plies, copying.
#include <sstream>

#include "TestGames.h"

namespace {

using tg::Game;

TEST(Fen, ReadThenWriteGivesTheSameText) {
    for (const char* fen : {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
                            "rnbqkbnr/ppp1pppp/8/8/3pP3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 3",
                            "rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3",
                            "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
                            "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 37 60",
                            "8/8/8/8/8/8/8/K1k5 b - - 12345 999849"})  // whole, to the limit
        EXPECT_EQ(Game(fen)->MakeFullFen(), fen);
}

TEST(Fen, FieldsAreReadAsWritten) {
    const struct {
        const char* fen;
        std::vector<int> fields;  // side, WK, WQ, BK, BQ, en-passant file and rank, clock
    } rows[] = {
        {"4k3/8/8/8/8/8/8/4K3 w Kq - 0 1", {White, 1, 0, 0, 1, -1, -1, 0}},
        {"4k3/8/8/8/8/8/8/4K3 b - - 0 1", {Black, 0, 0, 0, 0, -1, -1, 0}},
        {"4k3/8/8/8/4P3/8/8/4K3 b - e3 0 1", {Black, 0, 0, 0, 0, 4, 3, 0}},  // the pawn on e4
        {"4k3/8/8/3p4/8/8/8/4K3 w - d6 0 1", {White, 0, 0, 0, 0, 3, 4, 0}},  // the pawn on d5
        {"4k3/8/8/8/8/8/8/4K3 w - - 7 40", {White, 0, 0, 0, 0, -1, -1, 7}},
        {"4k3/8/8/8/8/8/8/4K3 w - - 123 90", {White, 0, 0, 0, 0, -1, -1, 123}},
        {"4k3/8/8/8/8/8/8/4K3", {White, 0, 0, 0, 0, -1, -1, 0}},  // placement alone
    };
    for (const auto& row : rows) {
        auto g = Game();  // every field dirty first
        g->m_canCastleWK = g->m_canCastleWQ = g->m_canCastleBK = g->m_flipped = 1;
        g->m_epFile = g->m_epRank = g->m_repeatCount = 2;
        g->m_halfMoveClock = 55, g->m_status = 'D', g->m_curPly = g->m_plyCount = 9;
        ASSERT_TRUE(g->SetFromFen(row.fen)) << row.fen;
        EXPECT_EQ(
            (std::vector<int>{g->m_sideToMove, g->m_canCastleWK, g->m_canCastleWQ, g->m_canCastleBK,
                              g->m_canCastleBQ, g->m_epFile, g->m_epRank, g->m_halfMoveClock}),
            row.fields)
            << row.fen;
        // A new start: shown ply, repetitions and status reset; length and flip stay.
        EXPECT_EQ((std::vector<int>{g->m_repeatCount, g->m_status, g->m_curPly, g->m_plyCount,
                                    g->m_flipped, g->m_fromSetup}),
                  (std::vector<int>{0, 'P', 0, 9, 1, 1}))
            << row.fen;
        EXPECT_STREQ(g->m_startFen, row.fen);
    }
}

TEST(Fen, TextThatIsNotAPositionChangesNothing) {
    const char* const kFen = "r3k2r/8/8/3pP3/8/8/8/R3K2R w KQkq d6 3 20";
    const std::string tooLong =
        "8/8/8/8/8/8/8/8 w - - 0 1" + std::string(CGameRecord::kStartFenSize - 1, ' ');
    for (const std::string& text :
         {std::string(), tooLong,
          std::string("rnbqkbnr/ppppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1"),  // nine squares
          std::string("rnbqkbnr/ppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1"),    // seven squares
          std::string("7p1/8/8/8/8/8/8/8 w - - 0 1"),  // a digit running past the edge
          std::string("8/8/8/8/8/8/8/8/8 w - - 0 1"), std::string("8/8/8/8/8/8/8 w - - 0 1"),
          std::string("9/8/8/8/8/8/8/8 w - - 0 1"), std::string("08/8/8/8/8/8/8/8 w - - 0 1"),
          std::string("rnbqkbnx/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1"),
          std::string("8/8/8/8/8/8/8/K1k5 w - - 1000000 1"),    // beyond the largest clock
          std::string("8/8/8/8/8/8/8/K1k5 w - - 0 999850")}) {  // or move number read
        auto game = Game(kFen);
        game->m_curPly = 4;
        const tg::Position before(*game);
        EXPECT_FALSE(game->SetFromFen(text)) << text;
        EXPECT_TRUE(tg::Position(*game) == before) << text;
        EXPECT_STREQ(game->m_startFen, kFen) << text;
        EXPECT_EQ(game->m_curPly, 4) << text;
    }
}

TEST(Fen, StartFenWritesThePlacementAndAFixedSuffix) {
    const std::string longest =
        "p1p1p1p1/1p1p1p1p/p1p1p1p1/1p1p1p1p/P1P1P1P1/1P1P1P1P/P1P1P1P1/1P1P1P1P";
    const std::pair<std::string, std::string> rows[] = {
        {"", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"},
        {"4k3/8/8/8/8/8/8/4K3 b - - 30 70", "4k3/8/8/8/8/8/8/4K3 w KQkq - 0 1"},
        {longest + " w - - 0 1", longest + " w KQkq - 0 1"},  // kept whole
    };
    for (const auto& row : rows) {
        auto game = Game(row.first);
        game->MakeStartFen();
        EXPECT_EQ(game->m_startFen, row.second);
        EXPECT_TRUE(game->SetFromFen(game->m_startFen)) << row.second;
    }
    EXPECT_EQ(Game()->m_fromSetup, 0);
}

// Board, rule state and side to move, which a Black-first game does not
// share with one where White moved first.
TEST(Plies, RestoreShowsThePositionAfterThePly) {
    const std::pair<const char*, const char*> rows[] = {
        {"", "e2e4 d7d5 e1e2 e8d7"},
        {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1", "d7d5 e4d5 e8d7 e1e2"},
        {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR  b  KQkq  e3  0  1", "d7d5 e4d5 e8d7 e1e2"},
    };
    for (const auto& row : rows) {
        auto game = Game(row.first);
        std::vector<tg::Position> after;
        std::istringstream moves(row.second);
        for (std::string uci; moves >> uci; after.emplace_back(*game))
            tg::PlayAndRecord(*game, uci);
        game->m_status = 'M';
        for (int k = 3; k >= 0; --k) {
            game->RestorePly(k);
            EXPECT_TRUE(tg::Position(*game) == after[k]) << row.first << ", ply " << k;
            EXPECT_EQ(game->m_curPly, k + 1) << row.first;
            EXPECT_EQ(game->m_status, 'P') << row.first;
        }
        EXPECT_EQ(game->m_plyCount, 4) << row.first;
    }
}

TEST(Plies, TheThreeHundredthPlyIsTheLast) {
    const int last = CGameRecord::kMaxPlies - 1;
    auto game = Game();
    game->m_curPly = last;
    EXPECT_TRUE(game->StorePly(6, 0, 5, 2, "150. ...\tNf6"));
    game->m_curPly = game->m_plyCount = CGameRecord::kMaxPlies;
    const tg::Position before(*game);
    EXPECT_FALSE(game->StorePly(1, 0, 2, 2, "151. Nc3"));
    EXPECT_TRUE(tg::Position(*game) == before);
    EXPECT_EQ(std::make_pair(game->m_curPly, game->m_plyCount), std::make_pair(last + 1, last + 1));
    EXPECT_STREQ(game->m_ply[last].text, "150. ...\tNf6");
}

TEST(Plies, TextsAreCutToTheirFields) {
    auto game = Game();
    EXPECT_TRUE(game->StorePly(4, 1, 4, 3, "1. e4 and a very long tail of text"));
    EXPECT_STREQ(game->m_ply[0].text, "1. e4 and a very long ");
    game->SetTag(CGameRecord::Event, std::string(300, 'x'));
    EXPECT_EQ(std::string(game->GetTag(CGameRecord::Event)), std::string(255, 'x'));
}

TEST(Record, AssignCopiesNotesByValue) {
    const std::string longNote(CGameRecord::kMaxNoteLength, 'n');
    auto original = Game();
    original->SetTag(CGameRecord::WhiteName, "Morphy");
    original->m_hasStartNote = 1;
    original->m_startNote = "Paris, 1858";
    tg::PlayAndRecord(*original, "e2e4");
    original->m_ply[0].hasNote = 1;
    original->m_ply[0].note = longNote;
    auto copy = std::make_unique<CGameRecord>();
    copy->Assign(*original);
    original->m_startNote = original->m_ply[0].note = "changed";
    original.reset();  // the copy's notes must outlive the original
    EXPECT_EQ(copy->m_startNote, "Paris, 1858");
    EXPECT_EQ(copy->m_ply[0].note, longNote);
    EXPECT_STREQ(copy->GetTag(CGameRecord::WhiteName), "Morphy");
    EXPECT_EQ(copy->m_curPly, 1);
    EXPECT_EQ(copy->m_sideToMove, Black);
    EXPECT_EQ(copy->GetPiece(4, 3), Pawn);
}

TEST(Record, SquaresOffTheBoardReadAsEmptyAndAreNeverWritten) {
    auto game = Game();
    const tg::Position before(*game);
    for (const tg::Square sq : {tg::Square{8, 0}, {0, -1}, {-1, 7}, {7, 8}}) {
        EXPECT_EQ(game->GetPiece(sq.file, sq.rank), -1);
        EXPECT_EQ(game->GetColor(sq.file, sq.rank), -1);
        game->SetSquare(sq.file, sq.rank, White, Queen);
    }
    EXPECT_TRUE(tg::Position(*game) == before);
}

// FindPiece scans file by file and starts after the square it is given.
TEST(Record, FindPieceScansFileByFileAndSkipsTheGivenSquare) {
    auto game = Game();
    int file = -1, rank = -1;
    game->FindPiece(White, Knight, file, rank);
    EXPECT_EQ(SquareName(file, rank), "b1");
    game->FindPiece(White, Knight, file, rank);
    EXPECT_EQ(SquareName(file, rank), "g1");
    file = rank = -1;
    game->FindPiece(White, Pawn, file, rank);
    EXPECT_EQ(SquareName(file, rank), "a2");
    game->FindPiece(Black, Queen, file, rank);
    game->FindPiece(Black, Queen, file, rank);
    EXPECT_EQ(SquareName(file, rank), "d8");  // no other: left where it is
}

}  // namespace
