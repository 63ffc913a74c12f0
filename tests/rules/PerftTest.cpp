// Perft: the number of positions after every legal sequence of N plies, with
// TestMove alone deciding what is legal; published counts catch almost any rule fault.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <sstream>

#include "SharedData.h"
#include "TestGames.h"

namespace {

// Walks the move tree, playing each move as the move entry does; between
// moves only the board and the rule state are restored.
class Walker {
public:
    explicit Walker(CGameRecord& game) : m_game(game) {}

    // Leaves `depth` plies ahead; nodes two or more plies deep also check
    // CountLegalMoves against the moves found.
    std::uint64_t Perft(int depth) {
        std::uint64_t leaves = 0;
        int countable = 0;
        ForEachLegalMove(false, [&](const tg::Move& m, bool castling) {
            if (m_budget == 0) return;  // a broken rule must not walk for ever
            --m_budget;
            if (!castling && (m.promotion == NoPiece || m.promotion == Queen)) ++countable;
            leaves += depth > 1 ? Perft(depth - 1) : 1;
        });
        if (depth >= 2) CheckCountLegalMoves(countable);
        return leaves;
    }

    // The legal moves, sorted, from the candidates or from every target square.
    std::vector<std::string> LegalMoves(bool everyTarget) {
        std::vector<std::string> moves;
        ForEachLegalMove(everyTarget,
                         [&](const tg::Move& m, bool) { moves.push_back(tg::Uci(m)); });
        std::sort(moves.begin(), moves.end());
        return moves;
    }

    int countMismatches = 0;
    std::string firstMismatch;

private:
    template <class Visit>
    void ForEachLegalMove(bool everyTarget, Visit visit) {
        const tg::Position before(m_game);
        for (const tg::Move& m : everyTarget ? tg::EveryMove(m_game) : tg::LegalMoves(m_game)) {
            const bool castling = m_game.m_piece[m.fromFile][m.fromRank] == King &&
                                  std::abs(m.toFile - m.fromFile) == 2;
            if (tg::Drop(m_game, m).empty()) {
                m_game.m_sideToMove = OtherColor(m_game.m_sideToMove);
                visit(m, castling);
            }
            before.Restore(m_game);
        }
    }

    void CheckCountLegalMoves(int expected) {
        const tg::Position before(m_game);
        std::string message;
        const int counted = m_game.CountLegalMoves(m_game.m_sideToMove, message);
        if ((counted != expected || !(tg::Position(m_game) == before)) && countMismatches++ == 0)
            firstMismatch = m_game.MakeFullFen() + ": counted " + std::to_string(counted) +
                            ", walked " + std::to_string(expected);
    }

    CGameRecord& m_game;
    std::uint64_t m_budget = 20000000;
};

TEST(Perft, PublishedCounts) {
    for (const auto& row : tg::kPerft) {
        auto game = tg::Game(row.first);
        const tg::Position start(*game);
        Walker walker(*game);
        for (std::size_t depth = 1; depth <= row.second.size(); ++depth)
            EXPECT_EQ(walker.Perft(int(depth)), row.second[depth - 1])
                << row.first << ", " << depth;
        EXPECT_EQ(walker.countMismatches, 0) << row.first << ": " << walker.firstMismatch;
        EXPECT_TRUE(tg::Position(*game) == start) << row.first << ": the walk must undo itself";
    }
}

// The shared collection's counts, standard castling only, small enough to be quick.
TEST(Perft, SharedCollection) {
    RAVELIN_REQUIRE_SHARED("positions");
    std::istringstream in(shared::ReadFile(shared::Root() / "positions" / "tricky.perft"));
    std::string line, id, fen;
    int checked = 0;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string key, placement, side, castling;
        words >> key;
        if (key == "id") words >> id;
        if (key == "epd") std::getline(words >> std::ws, fen);
        if (key != "perft" || id.rfind("xfen", 0) == 0) continue;
        std::istringstream(fen) >> placement >> side >> castling;
        if (castling.find_first_not_of("KQkq-") != std::string::npos) continue;
        int depth = 0;
        std::uint64_t expected = 0;
        words >> depth >> expected;
        if (expected > 150000 || depth > 40) continue;
        auto game = tg::Game(fen);
        Walker walker(*game);
        EXPECT_EQ(walker.Perft(depth), expected) << id << " depth " << depth;
        EXPECT_EQ(walker.countMismatches, 0) << id << ": " << walker.firstMismatch;
        ++checked;
    }
    EXPECT_GT(checked, 10);
}

// Each listed position: the moves and verdicts other programs give, found both
// by the candidates and by trying every square.
TEST(Perft, SharedPositionsAgreeMoveByMove) {
    RAVELIN_REQUIRE_SHARED("positions");
    std::istringstream list(shared::ReadFile(shared::Root() / "positions" / "POSITIONS.tsv"));
    std::string line;
    int checked = 0;
    while (std::getline(list, line)) {
        const std::vector<std::string> fields = shared::SplitTabs(line);
        if (line.empty() || line[0] == '#' || fields.size() < 2) continue;
        const std::string& id = fields[0];
        std::istringstream known(shared::ReadFile(shared::Root() / "positions" / (id + ".txt")));
        std::vector<std::string> expected;
        std::string key, value;
        int legal = -1;
        bool check = false, mate = false, stalemate = false;
        while (std::getline(known, line)) {
            std::istringstream(line) >> key >> value;
            if (key == "legal") legal = std::stoi(value);
            if (key == "check") check = value == "yes";
            if (key == "checkmate") mate = value == "yes";
            if (key == "stalemate") stalemate = value == "yes";
            if (key.size() >= 4 && key[1] >= '1' && key[1] <= '8') expected.push_back(key);
        }
        std::sort(expected.begin(), expected.end());

        auto game = tg::Game(fields[1]);
        Walker walker(*game);
        EXPECT_EQ(walker.LegalMoves(false), expected) << id;
        EXPECT_EQ(walker.LegalMoves(true), expected) << id << " (every target tried)";
        EXPECT_EQ(int(expected.size()), legal) << id;

        const int side = game->GetSideToMove();
        int kingFile = -1, kingRank = -1;
        game->FindPiece(side, King, kingFile, kingRank);
        const bool inCheck = game->IsSquareAttacked(side, kingFile, kingRank) != 0;
        std::string message;
        const bool noMove = game->CountLegalMoves(side, message) < 1;
        EXPECT_EQ(inCheck, check) << id;
        EXPECT_EQ(noMove && inCheck, mate) << id;
        EXPECT_EQ(noMove && !inCheck, stalemate) << id;
        ++checked;
    }
    EXPECT_GT(checked, 20);
}

}  // namespace
