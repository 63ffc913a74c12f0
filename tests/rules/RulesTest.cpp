// The rules: perft over published and shared positions, FEN in and out, the ply record.
#include <cstdint>
#include <functional>
#include <sstream>

#include "StartChoices.h"
#include "TestGames.h"

namespace {

// Leaves `depth` plies ahead, each move lifted and judged by TestMove.
std::uint64_t Perft(CGameRecord& g, int depth, int& faults) {
    const std::string before = g.MakeFullFen();
    const std::vector<tg::Move> moves = tg::LegalMoves(g);
    if (depth == 1) return moves.size();
    std::uint64_t leaves = 0;
    for (const tg::Move& m : moves) {
        faults += !tg::Drop(g, m).empty();
        g.m_sideToMove = OtherColor(g.m_sideToMove);
        leaves += Perft(g, depth - 1, faults);
        g.SetFromFen(before);
    }
    return leaves;
}

// The start, a side without a king, and the shared collection's quick counts.
TEST(Rules, PerftCounts) {
    std::vector<std::pair<std::string, std::uint64_t>> rows = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1 4", 197281},
        {"4k3/8/8/8/8/8/8/R7 w - - 0 1 1", 14},
        // Kings keep a square apart.
        {"8/8/8/3k4/8/3K4/8/8 w - - 0 1 1", 5}};
    std::istringstream in(shared::ReadFile(shared::Root() / "positions" / "tricky.perft"));
    std::string id, fen;
    for (std::string line, key; std::getline(in, line);) {
        std::istringstream words(line);
        std::string depth;
        std::uint64_t count = 0;
        words >> key;
        if (key == "id") words >> id;
        if (key == "epd") std::getline(words >> std::ws, fen);
        if (key == "perft" && id.rfind("pos-", 0) == 0 && words >> depth >> count && count < 150000)
            rows.push_back({fen + " 0 1 " + depth, count});
    }
    for (const auto& row : rows) {
        const std::size_t depth = row.first.rfind(' ');
        auto game = tg::Game(row.first.substr(0, depth));
        int faults = 0;
        EXPECT_EQ(Perft(*game, std::stoi(row.first.substr(depth)), faults), row.second)
            << row.first;
        EXPECT_EQ(faults, 0) << row.first;
    }
}

TEST(Rules, FenReadAndWritten) {
    const char* const kBefore = "r3k2r/8/8/3pP3/8/8/8/R3K2R w KQkq d6 3 20";
    const char* const rows[][2] = {
        // text, as written again (nullptr: the same; "": refused, changing nothing)
        {"8/8/8/8/8/8/8/K1k5 b - - 12345 999849", nullptr},  // the largest move number
        {"4k3/8/8/8/P7/8/8/4K3 b - a3 0 1", nullptr},        // targets on the edge files
        {"4k3/8/8/7p/8/8/8/4K3 w - h6 90 109", nullptr},
        {"4k3/8/8/8/4P3/8/8/4K3 w - e3 7: 40", "4k3/8/8/8/4P3/8/8/4K3 w - - 7 40"},
        {"r3k2r/8/8/8/8/8/8/4K2R w KQkq - 0 1", "r3k2r/8/8/8/8/8/8/4K2R w Kkq - 0 1"},
        {"4k3/8/8/8/8/8/8/4K3", "4k3/8/8/8/8/8/8/4K3 w - - 0 1"},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1"},  // three fields
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6", "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1"},      // four
        {"8/8/8/8/8/8/8/8  b  -  -  0  1", "8/8/8/8/8/8/8/8 b - - 0 1"},
        {"8/8/8/8/8/8/8/K1k5\tb\t-\t-\t0\t2", "8/8/8/8/8/8/8/K1k5 b - - 0 2"},  // tabs between
        {"", ""},
        {"rnbqkbnr/ppppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1", ""},  // nine squares
        {"7p1/8/8/8/8/8/8/8 w - - 0 1", ""},
        {"8/8/8/8/8/8/8/8/8 w - - 0 1", ""},
        {"rnbqkbnr/ppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1", ""},  // seven
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 0", "4k3/8/8/8/8/8/8/4K3 w - - 0 1"},
        {"rnbqkbnx/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1", ""},
    };
    for (const auto& row : rows) {
        auto game = tg::Game(kBefore);
        game->m_curPly = game->m_plyCount = game->m_repeatCount = 4;
        game->m_status = 'D', game->m_flipped = 1;
        const std::string before = game->MakeFullFen();
        const std::string written = row[1] ? row[1] : row[0];
        EXPECT_EQ(game->SetFromFen(row[0]), !written.empty()) << row[0];
        EXPECT_EQ(game->MakeFullFen(), written.empty() ? before : written);
        EXPECT_STREQ(game->m_startFen, written.empty() ? kBefore : row[0]);
        // A position read starts the game over; the plies recorded and the orientation stay.
        EXPECT_EQ(game->m_curPly, written.empty() ? 4 : 0) << row[0];
        EXPECT_EQ(game->m_repeatCount, written.empty() ? 4 : 0) << row[0];
        EXPECT_EQ(game->m_status, written.empty() ? 'D' : 'P') << row[0];
        EXPECT_EQ(game->m_plyCount, 4) << row[0];
        EXPECT_EQ(game->m_flipped, 1) << row[0];
    }
    auto game = tg::Game();
    const std::string fen = "8/8/8/8/8/8/8/8 w - - 0 1" + std::string(102, ' ');  // the field's 127
    EXPECT_TRUE(game->SetFromFen(fen));
    EXPECT_FALSE(game->SetFromFen(fen + ' '));
    game->MakeStartFen();
    EXPECT_STREQ(game->m_startFen, "8/8/8/8/8/8/8/8 w KQkq - 0 1");
    // Moves are numbered from the start however it was last set.
    EXPECT_TRUE(game->SetFromFen("4k3/8/8/8/8/8/8/4K3 b - - 0 35"));
    EXPECT_EQ(game->MoveNumberOfPly(1), 36);
    game->MakeStartFen();
    EXPECT_EQ(game->MoveNumberOfPly(1), 1);
    EXPECT_EQ(game->SideOfPly(1), Black);
    EXPECT_TRUE(game->SetFromFen("r3k2r/8/8/3pP3/8/8/8/R3K2R b KQkq - 3 20"));
    game->SetStartPosition();
    EXPECT_EQ(game->MoveNumberOfPly(2), 2);
    EXPECT_EQ(game->MakeFullFen(), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
    EXPECT_EQ(game->m_fromSetup, 0);  // saved without a FEN tag again
}

// Each refusal of FEN text has its kind, which callers decide by, and a
// sentence naming the number at fault (what a refusal leaves: FenReadAndWritten).
TEST(Rules, FenRefusalsSayWhy) {
    const struct {
        std::string text;
        FenRefusal kind;
        const char* sentence;
    } rows[] = {
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", FenRefusal::None, ""},
        {"", FenRefusal::NotAPosition, "The FEN text does not describe a chess position."},
        {"8/8/8/8/8/8/8/K1k5 w - - 1000000x 1", FenRefusal::ClockTooLarge,
         "The FEN's half-move clock 1000000 is larger than 999999, the largest Ravelin reads."},
        {"8/8/8/8/8/8/8/K1k5 w - - 1000000 999850", FenRefusal::ClockTooLarge,  // the clock first
         "The FEN's half-move clock 1000000 is larger than 999999, the largest Ravelin reads."},
        {"8/8/8/8/8/8/8/K1k5 w - - 0 999850", FenRefusal::MoveNumberTooLarge,
         "The FEN's move number 999850 is larger than 999849, the largest from which Ravelin "
         "can number a game's moves."},
    };
    for (const auto& row : rows) {
        auto game = tg::Game();
        FenRefusal kind = FenRefusal::NotAPosition;
        EXPECT_EQ(game->SetFromFen(row.text, kind), row.kind == FenRefusal::None) << row.text;
        EXPECT_EQ(kind, row.kind) << row.text;
        EXPECT_EQ(FenRefusalSentence(kind, row.text), row.sentence) << row.text;
    }
}

// RestorePly shows a ply's position, also Black first; 300 plies at most; texts cut.
TEST(Rules, PliesStoredAndRestored) {
    auto game = tg::Game("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1");
    for (const char* uci : {"d7d5", "e4d5", "e8d7", "e1e2"}) tg::PlayAndRecord(*game, uci);
    const char* const after[] = {
        "rnbqkbnr/ppp1pppp/8/3p4/4P3/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 2",
        "rnbqkbnr/ppp1pppp/8/3P4/8/8/PPPP1PPP/RNBQKBNR b KQkq - 0 2",
        "rnbq1bnr/pppkpppp/8/3P4/8/8/PPPP1PPP/RNBQKBNR w KQ - 1 3",
        "rnbq1bnr/pppkpppp/8/3P4/8/8/PPPPKPPP/RNBQ1BNR b - - 2 3",
    };
    game->m_status = 'M';
    for (int k = 3; k >= 0; --k) {
        game->RestorePly(k);
        EXPECT_EQ(game->MakeFullFen(), after[k]);
        EXPECT_EQ(game->m_status, 'P') << k;
        EXPECT_EQ(game->m_plyCount, 4) << k;
    }
    EXPECT_EQ(game->m_ply.Held(), 4);  // room for what is written, not for 300
    (void)game->m_ply[9];              // room made, nothing written: given back
    game->m_ply.ShrinkToWritten();
    EXPECT_EQ(game->m_ply.Held(), 4);
    // A copy shares the plies until either writes one; showing a ply only reads.
    auto copy = std::make_unique<CGameRecord>(*game);
    copy->RestorePly(1);
    EXPECT_TRUE(copy->m_ply.Shares(game->m_ply));
    copy->m_ply[1].note = "mine";
    EXPECT_FALSE(copy->m_ply.Shares(game->m_ply));
    EXPECT_TRUE(copy->m_ply.SharesPly(0, game->m_ply) && !copy->m_ply.SharesPly(1, game->m_ply));
    EXPECT_EQ(std::as_const(*game).m_ply[1].note, "");
    const std::shared_ptr<const PlyRecord> lent = game->m_ply.Share(1);
    game->m_ply[1].note = "later";
    EXPECT_EQ(lent->note, "");  // a ply lent stays as it was
    game->m_curPly = CGameRecord::kMaxPlies - 1;
    EXPECT_TRUE(game->StorePly(6, 0, 5, 2, "150. ...\tNf6 and a long tail"));
    EXPECT_STREQ(game->m_ply[CGameRecord::kMaxPlies - 1].text, "150. ...\tNf6 and a lon");
    game->m_curPly = CGameRecord::kMaxPlies;
    EXPECT_FALSE(game->StorePly(1, 0, 2, 2, "151. Nc3"));
}

// Leaving setup: what is offered for a board, and the start each answer writes.
TEST(Rules, StartChoicesOfferAndWrite) {
    struct Row {
        const char* board;
        const char* offered;  // rights allowed, then targets for White and for Black to move
        std::function<void(StartChoices&)> change;
        const char* start;
    };
    const Row rows[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", "KQkq //", nullptr,
         "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"},
        // Defaults write what setup always wrote, whatever the placement allows.
        {"4k3/8/8/8/8/8/8/4K2R", "K //", nullptr, "4k3/8/8/8/8/8/8/4K2R w KQkq - 0 1"},
        {"4k3/8/8/8/8/8/8/4K2R", "K //", [](StartChoices& c) { c.side = Black; },
         "4k3/8/8/8/8/8/8/4K2R b K - 0 1"},
        {"r3k2r/8/8/8/8/8/8/R3K1R1", "Qkq //",
         [](StartChoices& c) { c.castling[StartChoices::WhiteShort] = true; c.moveNumber = 0; },
         "r3k2r/8/8/8/8/8/8/R3K1R1 w Qkq - 0 1"},
        {"rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR", "KQkq /e6/e3",
         [](StartChoices& c) {
             c.side = Black;
             c.castling[StartChoices::BlackLong] = false;
             c.enPassant = "e3";
             c.moveNumber = 12;
         },
         "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR b KQk e3 0 12"},
        {"4k3/8/8/Pp5p/8/8/8/4K3", " /b6 h6/",
         [](StartChoices& c) { c.enPassant = "e3"; c.moveNumber = 1000000; },
         "4k3/8/8/Pp5p/8/8/8/4K3 w - - 0 999849"},
        {"4k3/8/8/8/1P6/8/8/4K3", " //b3",
         [](StartChoices& c) { c.side = Black; c.enPassant = "b3"; },
         "4k3/8/8/8/1P6/8/8/4K3 b - b3 0 1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.board);
        auto game = tg::Game(std::string(row.board) + " w - - 0 1");
        StartChoices choices = StartChoicesFor(*game);
        std::string offered;
        for (int right = 0; right < 4; ++right)
            if (choices.castlingAllowed[right] && choices.castling[right]) offered += "KQkq"[right];
        for (int side : {White, Black}) {
            offered += side == White ? " /" : "/";
            for (const std::string& target : choices.enPassantFor[side])
                offered += (offered.back() == '/' ? "" : " ") + target;
        }
        EXPECT_EQ(offered, row.offered);
        if (row.change) row.change(choices);
        game->ResetRuleState();
        ApplyStartChoices(*game, choices);
        EXPECT_EQ(std::string(game->m_startFen), row.start);
        // A start chosen is the position's own; the defaults keep the old text.
        if (row.change) {
            EXPECT_EQ(game->MakeFullFen(), row.start);
        }
    }
}

// A FEN typed in setup: the choices it gives are offered on leaving, and
// write it back, as far as the board built from it still allows.
TEST(Rules, StartChoicesFromAFen) {
    const struct {
        const char* fen;
        const char* changed;  // a move of the placement after the FEN, "" for none
        const char* start;
    } rows[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "",
         "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"},
        {"rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR b Kq e3 7 12", "",
         "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR b Kq e3 7 12"},
        {"4k3/8/8/8/8/8/8/4K3 w KQkq e6 0 40", "", "4k3/8/8/8/8/8/8/4K3 w - - 0 40"},
        {"4k3/8/8/8/8/8/8/4K3 b", "", "4k3/8/8/8/8/8/8/4K3 b - - 0 1"},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 3 9", "h1h2", "r3k2r/8/8/8/8/8/7R/R3K3 w Qkq - 3 9"},
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 30", "d5d4", "4k3/8/8/4P3/3p4/8/8/4K3 w - - 0 30"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.fen);
        auto game = tg::Game(row.fen);
        const StartChoices wanted = StartChoicesOf(*game);
        const std::string move = row.changed;
        if (!move.empty()) {
            const int from[2] = {move[0] - 'a', move[1] - '1'};
            game->SetSquare(move[2] - 'a', move[3] - '1', game->GetColor(from[0], from[1]),
                            game->GetPiece(from[0], from[1]));
            game->SetSquare(from[0], from[1], NoColor, NoPiece);
        }
        EXPECT_EQ(StartFen(*game, StartChoicesKept(*game, wanted)), row.start);
        game->ResetRuleState();
        ApplyStartChoices(*game, StartChoicesKept(*game, wanted));
        EXPECT_EQ(std::string(game->m_startFen), row.start);
    }
}

}  // namespace

// A text cut to a field's size ends between characters: a character that
// does not fit whole goes whole, one that fits stays, even before stray bytes.
TEST(Rules, TextsCutBetweenCharacters) {
    const struct {
        const char* text;
        std::size_t limit, kept;
    } rows[] = {
        {"ab", 5, 2},                // shorter: all of it
        {"a\xC3\xA9z", 2, 1},        // é would be cut in two
        {"a\xE2\x82\xAC", 3, 1},     // so would €
        {"\xC3\xA9\x80", 2, 2},      // é fits; the stray byte after it goes
        {"\x80\x80\x80\x80", 2, 2},  // no character to keep whole
    };
    for (const auto& row : rows) EXPECT_EQ(Utf8SafeCut(row.text, row.limit), row.kept) << row.text;
}
