// The game record: FEN in and out, storing and recalling plies, copying.
#include <memory>
#include <vector>

#include "RulesTestSupport.h"

namespace {

using rt::Game;

TEST(Fen, ReadThenWriteGivesTheSameText) {
    const char* const fens[] = {
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
        "rnbqkbnr/ppp1pppp/8/8/3pP3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 3",
        "rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3",
        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 37 60",
    };
    for (const char* fen : fens) EXPECT_EQ(Game(fen)->MakeFullFen(), fen);
}

TEST(Fen, FieldsAreReadAsWritten) {
    struct Row {
        const char* name;
        const char* fen;
        int side, wk, wq, bk, bq, epFile, epRank, clock;
    };
    const Row rows[] = {
        {"castling Kq sets exactly two rights", "4k3/8/8/8/8/8/8/4K3 w Kq - 0 1", White, 1, 0, 0, 1,
         -1, -1, 0},
        {"castling - clears all rights", "4k3/8/8/8/8/8/8/4K3 b - - 0 1", Black, 0, 0, 0, 0, -1, -1,
         0},
        {"e3 with Black to move is the pawn on e4", "4k3/8/8/8/4P3/8/8/4K3 b - e3 0 1", Black, 0, 0,
         0, 0, 4, 3, 0},
        {"d6 with White to move is the pawn on d5", "4k3/8/8/3p4/8/8/8/4K3 w - d6 0 1", White, 0, 0,
         0, 0, 3, 4, 0},
        {"two-digit clock", "4k3/8/8/8/8/8/8/4K3 w - - 12 40", White, 0, 0, 0, 0, -1, -1, 12},
        {"one-digit clock", "4k3/8/8/8/8/8/8/4K3 w - - 7 40", White, 0, 0, 0, 0, -1, -1, 7},
        {"three-digit clock", "4k3/8/8/8/8/8/8/4K3 w - - 123 90", White, 0, 0, 0, 0, -1, -1, 123},
        {"placement alone: White, no rights, no en passant, clock 0", "4k3/8/8/8/8/8/8/4K3", White,
         0, 0, 0, 0, -1, -1, 0},
    };
    for (const Row& row : rows) {
        auto game = Game("");
        game->m_canCastleWK = game->m_canCastleWQ = game->m_canCastleBK = 1;
        game->m_epFile = game->m_epRank = 2;
        game->m_halfMoveClock = 55;
        game->m_repeatCount = 2;
        game->m_status = 'D';
        game->m_curPly = game->m_plyCount = 9;
        game->m_flipped = 1;
        ASSERT_TRUE(game->SetFromFen(row.fen)) << row.name;
        EXPECT_EQ(game->m_sideToMove, row.side) << row.name;
        EXPECT_EQ(game->m_canCastleWK, row.wk) << row.name;
        EXPECT_EQ(game->m_canCastleWQ, row.wq) << row.name;
        EXPECT_EQ(game->m_canCastleBK, row.bk) << row.name;
        EXPECT_EQ(game->m_canCastleBQ, row.bq) << row.name;
        EXPECT_EQ(game->m_epFile, row.epFile) << row.name;
        EXPECT_EQ(game->m_epRank, row.epRank) << row.name;
        EXPECT_EQ(game->m_halfMoveClock, row.clock) << row.name;
        // A new start: the shown ply and status reset, the game's length,
        // tags and flip stay for the caller to deal with.
        EXPECT_EQ(game->m_repeatCount, 0) << row.name;
        EXPECT_EQ(game->m_status, 'P') << row.name;
        EXPECT_EQ(game->m_curPly, 0) << row.name;
        EXPECT_EQ(game->m_plyCount, 9) << row.name;
        EXPECT_EQ(game->m_flipped, 1) << row.name;
        EXPECT_EQ(game->m_fromSetup, 1) << row.name;
        EXPECT_STREQ(game->m_startFen, row.fen) << row.name;
    }
}

TEST(Fen, TextThatIsNotAPositionChangesNothing) {
    const std::string longest(CGameRecord::kStartFenSize - 1, ' ');
    const struct {
        const char* name;
        std::string text;
    } rows[] = {
        {"empty text", ""},
        {"longer than the field", "8/8/8/8/8/8/8/8 w - - 0 1" + longest},
        {"nine squares on a rank", "rnbqkbnr/ppppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1"},
        {"seven squares on a rank", "rnbqkbnr/ppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1"},
        {"a digit running past the edge", "7p1/8/8/8/8/8/8/8 w - - 0 1"},
        {"nine ranks", "8/8/8/8/8/8/8/8/8 w - - 0 1"},
        {"seven ranks", "8/8/8/8/8/8/8 w - - 0 1"},
        {"digit 9", "9/8/8/8/8/8/8/8 w - - 0 1"},
        {"digit 0", "08/8/8/8/8/8/8/8 w - - 0 1"},
        {"a letter that is no piece", "rnbqkbnx/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1"},
    };
    for (const auto& row : rows) {
        auto game = Game("r3k2r/8/8/3pP3/8/8/8/R3K2R w KQkq d6 3 20");
        game->m_curPly = 4;
        const rt::Position before(*game);
        EXPECT_FALSE(game->SetFromFen(row.text)) << row.name;
        EXPECT_TRUE(rt::Position(*game) == before) << row.name;
        EXPECT_STREQ(game->m_startFen, "r3k2r/8/8/3pP3/8/8/8/R3K2R w KQkq d6 3 20") << row.name;
        EXPECT_EQ(game->m_curPly, 4) << row.name;
    }
}

TEST(Fen, StartFenWritesThePlacementAndAFixedSuffix) {
    struct Row {
        const char* name;
        const char* fen;  // empty: the standard start
        const char* expected;
    };
    const Row rows[] = {
        {"standard start", "", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"},
        {"empty board", "8/8/8/8/8/8/8/8 w - - 0 1", "8/8/8/8/8/8/8/8 w KQkq - 0 1"},
        {"Black to move without rights still says w KQkq", "4k3/8/8/8/8/8/8/4K3 b - - 30 70",
         "4k3/8/8/8/8/8/8/4K3 w KQkq - 0 1"},
        {"the longest placement is kept whole",
         "p1p1p1p1/1p1p1p1p/p1p1p1p1/1p1p1p1p/P1P1P1P1/1P1P1P1P/P1P1P1P1/1P1P1P1P w - - 0 1",
         "p1p1p1p1/1p1p1p1p/p1p1p1p1/1p1p1p1p/P1P1P1P1/1P1P1P1P/P1P1P1P1/1P1P1P1P w KQkq - 0 1"},
    };
    for (const Row& row : rows) {
        auto game = Game(row.fen);
        game->MakeStartFen();
        EXPECT_STREQ(game->m_startFen, row.expected) << row.name;
        EXPECT_TRUE(game->SetFromFen(game->m_startFen)) << row.name;
    }
    EXPECT_EQ(Game("")->m_fromSetup, 0);
}

TEST(Plies, RestoreShowsThePositionAfterThePly) {
    struct Row {
        const char* name;
        const char* fen;
        const char* moves[4][2];
    };
    const Row rows[] = {
        {"White moves first", "", {{"e2", "e4"}, {"d7", "d5"}, {"e1", "e2"}, {"e8", "d7"}}},
        {"Black moves first",
         "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1",
         {{"d7", "d5"}, {"e4", "d5"}, {"e8", "d7"}, {"e1", "e2"}}},
        {"Black moves first, fields two spaces apart",
         "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR  b  KQkq  e3  0  1",
         {{"d7", "d5"}, {"e4", "d5"}, {"e8", "d7"}, {"e1", "e2"}}},
    };
    for (const Row& row : rows) {
        auto game = Game(row.fen);
        std::vector<rt::Position> after;
        for (const auto& move : row.moves) {
            rt::PlayAndRecord(*game, move[0], move[1]);
            after.emplace_back(*game);
        }
        game->m_status = 'M';
        for (int k = 3; k >= 0; --k) {
            game->RestorePly(k);
            // Board, rule state and side to move, which a Black-first game
            // does not share with one where White moved first.
            EXPECT_TRUE(rt::Position(*game) == after[k]) << row.name << ", ply " << k;
            EXPECT_EQ(game->m_curPly, k + 1) << row.name;
            EXPECT_EQ(game->m_status, 'P') << row.name;
        }
        EXPECT_EQ(game->m_plyCount, 4) << row.name;
    }
}

TEST(Plies, TheThreeHundredthPlyIsTheLast) {
    auto game = Game("");
    game->m_curPly = CGameRecord::kMaxPlies - 1;
    EXPECT_TRUE(game->StorePly(6, 0, 5, 2, "150. ...\tNf6"));
    EXPECT_STREQ(game->m_ply[CGameRecord::kMaxPlies - 1].text, "150. ...\tNf6");

    game->m_curPly = CGameRecord::kMaxPlies;
    game->m_plyCount = CGameRecord::kMaxPlies;
    const rt::Position before(*game);
    EXPECT_FALSE(game->StorePly(1, 0, 2, 2, "151. Nc3"));
    EXPECT_TRUE(rt::Position(*game) == before);
    EXPECT_EQ(game->m_curPly, CGameRecord::kMaxPlies);
    EXPECT_EQ(game->m_plyCount, CGameRecord::kMaxPlies);
    EXPECT_STREQ(game->m_ply[CGameRecord::kMaxPlies - 1].text, "150. ...\tNf6");
}

TEST(Plies, TextsAreCutToTheirFields) {
    auto game = Game("");
    EXPECT_TRUE(game->StorePly(4, 1, 4, 3, "1. e4 and a very long tail of text"));
    EXPECT_STREQ(game->m_ply[0].text, "1. e4 and a very long ");
    game->SetTag(CGameRecord::Event, std::string(300, 'x'));
    EXPECT_EQ(std::string(game->GetTag(CGameRecord::Event)), std::string(255, 'x'));
}

TEST(Record, AssignCopiesNotesByValue) {
    auto original = Game("");
    original->SetTag(CGameRecord::WhiteName, "Morphy");
    original->m_hasStartNote = 1;
    original->m_startNote = "Paris, 1858";
    rt::PlayAndRecord(*original, "e2", "e4");
    original->m_ply[0].note = std::string(CGameRecord::kMaxNoteLength, 'n');
    original->m_ply[0].hasNote = 1;

    auto copy = std::make_unique<CGameRecord>();
    copy->Assign(*original);
    original->m_startNote = "changed";
    original->m_ply[0].note = "changed";
    original.reset();  // the copy's notes must outlive the original

    EXPECT_EQ(copy->m_startNote, "Paris, 1858");
    EXPECT_EQ(copy->m_ply[0].note, std::string(CGameRecord::kMaxNoteLength, 'n'));
    EXPECT_STREQ(copy->GetTag(CGameRecord::WhiteName), "Morphy");
    EXPECT_EQ(copy->m_curPly, 1);
    EXPECT_EQ(copy->m_sideToMove, Black);
    EXPECT_EQ(copy->GetPiece(4, 3), Pawn);
}

TEST(Record, SquaresOffTheBoardReadAsEmptyAndAreNeverWritten) {
    auto game = Game("");
    const rt::Position before(*game);
    for (const rt::Square sq : {rt::Square{8, 0}, {0, -1}, {-1, 7}, {7, 8}}) {
        EXPECT_EQ(game->GetPiece(sq.file, sq.rank), -1);
        EXPECT_EQ(game->GetColor(sq.file, sq.rank), -1);
        game->SetSquare(sq.file, sq.rank, White, Queen);
    }
    EXPECT_TRUE(rt::Position(*game) == before);
}

TEST(Record, FindPieceScansFileByFileAndSkipsTheGivenSquare) {
    auto game = Game("");
    int file = -1, rank = -1;
    game->FindPiece(White, Knight, file, rank);
    EXPECT_EQ(file * 10 + rank, 10);  // b1
    game->FindPiece(White, Knight, file, rank);
    EXPECT_EQ(file * 10 + rank, 60);  // g1, the other one
    file = rank = -1;
    game->FindPiece(White, Pawn, file, rank);
    EXPECT_EQ(file * 10 + rank, 1);  // a2 before b-file squares
    file = rank = -1;
    game->FindPiece(Black, Queen, file, rank);
    game->FindPiece(Black, Queen, file, rank);
    EXPECT_EQ(file * 10 + rank, 37);  // no other: left on d8
}

}  // namespace
