// Perft: the number of positions reached after every legal sequence of N
// plies. Published counts for a handful of positions catch almost any fault
// in move legality: a missed en-passant pin, castling through an attacked
// square, a right kept after its rook was captured, a wrong promotion.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

#include "MoveTables.h"
#include "RulesTestSupport.h"
#include "SharedData.h"

namespace {

struct Move {
    int piece, fromFile, fromRank, toFile, toRank;
    int promotion;  // NoPiece unless a pawn reaches the last rank

    std::string Uci() const {
        std::string text = SquareName(fromFile, fromRank) + SquareName(toFile, toRank);
        if (promotion != NoPiece) text += static_cast<char>(PieceLetter(promotion) - 'A' + 'a');
        return text;
    }
};

// Walks the move tree of a game using nothing but TestMove to decide what is
// legal, and plays each move as the move entry does: the piece lifted,
// TestMove in commit mode, the piece (or the promotion piece) put down, the
// side to move passed. Between moves only the board and rule state are
// restored, not the whole record.
class Walker {
public:
    explicit Walker(CGameRecord& game) : m_game(game) {}

    // Leaf positions `depth` plies ahead. On the way, positions with two or
    // more plies below them also check CountLegalMoves against the moves found.
    std::uint64_t Perft(int depth) {
        std::uint64_t leaves = 0;
        int countable = 0;
        ForEachLegalMove(Candidates(), [&](const Move& move) {
            if (m_budget == 0) return;  // a broken rule must not walk for ever
            --m_budget;
            if (!IsCastling(move) && move.promotion != Knight && move.promotion != Bishop &&
                move.promotion != Rook)
                ++countable;
            leaves += depth > 1 ? Perft(depth - 1) : 1;
        });
        if (depth >= 2) CheckCountLegalMoves(countable);
        return leaves;
    }

    // The legal moves, in long algebraic text, found by the candidates of
    // CountLegalMoves (`sweep` false) or by trying every target square.
    std::vector<std::string> LegalMoves(bool sweep) {
        std::vector<std::string> moves;
        ForEachLegalMove(sweep ? EveryTarget() : Candidates(),
                         [&](const Move& move) { moves.push_back(move.Uci()); });
        std::sort(moves.begin(), moves.end());
        return moves;
    }

    int countMismatches = 0;
    std::string firstMismatch;

private:
    struct State {
        int piece[8][8], color[8][8];
        int epFile, epRank, wk, wq, bk, bq, side;
    };

    static bool IsCastling(const Move& m) {
        return m.piece == King && std::abs(m.toFile - m.fromFile) == 2;
    }

    State Save() const {
        State s{};
        std::memcpy(s.piece, m_game.m_piece, sizeof s.piece);
        std::memcpy(s.color, m_game.m_color, sizeof s.color);
        s.epFile = m_game.m_epFile;
        s.epRank = m_game.m_epRank;
        s.wk = m_game.m_canCastleWK;
        s.wq = m_game.m_canCastleWQ;
        s.bk = m_game.m_canCastleBK;
        s.bq = m_game.m_canCastleBQ;
        s.side = m_game.m_sideToMove;
        return s;
    }

    void Restore(const State& s) {
        std::memcpy(m_game.m_piece, s.piece, sizeof s.piece);
        std::memcpy(m_game.m_color, s.color, sizeof s.color);
        m_game.m_epFile = s.epFile;
        m_game.m_epRank = s.epRank;
        m_game.m_canCastleWK = s.wk;
        m_game.m_canCastleWQ = s.wq;
        m_game.m_canCastleBK = s.bk;
        m_game.m_canCastleBQ = s.bq;
        m_game.m_sideToMove = s.side;
    }

    // A pawn reaching the last rank stands for four moves.
    static void Add(std::vector<Move>& moves, int piece, int f, int r, int tf, int tr) {
        if (piece == Pawn && (tr == 0 || tr == 7)) {
            for (int promotion : {Queen, Rook, Bishop, Knight})
                moves.push_back({piece, f, r, tf, tr, promotion});
        } else {
            moves.push_back({piece, f, r, tf, tr, NoPiece});
        }
    }

    // What CountLegalMoves tries, plus the two castling steps of the king.
    std::vector<Move> Candidates() const {
        std::vector<Move> moves;
        const CGameRecord& g = m_game;
        const int side = g.m_sideToMove;
        for (int f = 0; f < 8; ++f) {
            for (int r = 0; r < 8; ++r) {
                if (g.m_color[f][r] != side) continue;
                const int piece = g.m_piece[f][r];
                if (piece == Pawn) {
                    const int fwd = PawnForward(side);
                    for (int step = 1; step <= (r == PawnHomeRank(side) ? 2 : 1); ++step) {
                        const int tr = r + fwd * step;
                        if (!IsOnBoard(f, tr) || g.m_piece[f][tr] != NoPiece) break;
                        Add(moves, piece, f, r, f, tr);
                    }
                    for (int tf : {f - 1, f + 1}) {
                        const int tr = r + fwd;
                        if (!IsOnBoard(tf, tr)) continue;
                        const bool capture = g.GetColor(tf, tr) == OtherColor(side);
                        const bool enPassant =
                            g.GetPiece(tf, tr) == NoPiece && g.m_epFile == tf && g.m_epRank == r;
                        if (capture || enPassant) Add(moves, piece, f, r, tf, tr);
                    }
                    continue;
                }
                for (int dir = 0; dir < g_moveDirCount[piece]; ++dir) {
                    for (int step = 1; step <= g_moveRange[piece]; ++step) {
                        const int tf = f + g_moveDir[piece][dir][0] * step;
                        const int tr = r + g_moveDir[piece][dir][1] * step;
                        if (!IsOnBoard(tf, tr) || g.m_color[tf][tr] == side) break;
                        Add(moves, piece, f, r, tf, tr);
                        if (g.m_piece[tf][tr] != NoPiece) break;
                    }
                }
                if (piece == King && f == 4 && r == BackRank(side)) {
                    Add(moves, piece, f, r, 6, r);
                    Add(moves, piece, f, r, 2, r);
                }
            }
        }
        return moves;
    }

    // Every piece of the side to every square: TestMove alone must sort them.
    std::vector<Move> EveryTarget() const {
        std::vector<Move> moves;
        for (int f = 0; f < 8; ++f)
            for (int r = 0; r < 8; ++r)
                if (m_game.m_color[f][r] == m_game.m_sideToMove)
                    for (int tf = 0; tf < 8; ++tf)
                        for (int tr = 0; tr < 8; ++tr)
                            Add(moves, m_game.m_piece[f][r], f, r, tf, tr);
        return moves;
    }

    template <class Visit>
    void ForEachLegalMove(const std::vector<Move>& moves, Visit visit) {
        const State before = Save();
        std::string message;
        for (const Move& m : moves) {
            const int side = m_game.m_sideToMove;
            m_game.SetSquare(m.fromFile, m.fromRank, NoColor, NoPiece);
            if (m_game.TestMove(side, m.piece, m.fromFile, m.fromRank, m.toFile, m.toRank, message,
                                1)) {
                m_game.SetSquare(m.toFile, m.toRank, side,
                                 m.promotion == NoPiece ? m.piece : m.promotion);
                m_game.m_sideToMove = OtherColor(side);
                visit(m);
            }
            Restore(before);
        }
    }

    void CheckCountLegalMoves(int expected) {
        const rt::Position before(m_game);
        std::string message;
        const int counted = m_game.CountLegalMoves(m_game.m_sideToMove, message);
        if ((counted != expected || !(rt::Position(m_game) == before)) && countMismatches++ == 0) {
            firstMismatch = m_game.MakeFullFen() + ": counted " + std::to_string(counted) +
                            ", walked " + std::to_string(expected);
        }
    }

    CGameRecord& m_game;
    std::uint64_t m_budget = 20000000;
};

struct PerftRow {
    const char* name;
    const char* fen;
    std::vector<std::uint64_t> counts;  // depth 1, 2, ...
};

TEST(Perft, PublishedCounts) {
    const PerftRow rows[] = {
        {"standard start",
         "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
         {20, 400, 8902, 197281}},
        {"kiwipete: castling, pins, promotions",
         "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -",
         {48, 2039, 97862}},
        {"rook endgame: en passant along a pinned rank",
         "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -",
         {14, 191, 2812, 43238}},
        {"in check with promotions both sides",
         "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
         {6, 264, 9467}},
        {"promotion by capture onto a rook's corner",
         "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
         {44, 1486, 62379}},
    };
    for (const PerftRow& row : rows) {
        auto game = rt::Game(row.fen);
        const rt::Position start(*game);
        Walker walker(*game);
        for (std::size_t depth = 1; depth <= row.counts.size(); ++depth)
            EXPECT_EQ(walker.Perft(static_cast<int>(depth)), row.counts[depth - 1])
                << row.name << ", depth " << depth;
        EXPECT_EQ(walker.countMismatches, 0) << row.name << ": " << walker.firstMismatch;
        EXPECT_TRUE(rt::Position(*game) == start) << row.name << ": the walk must undo itself";
    }
}

// Counts from the shared collection, standard chess only (not Chess960
// castling), up to a size that keeps the run short.
TEST(Perft, SharedCollection) {
    RAVELIN_REQUIRE_SHARED("positions");
    std::istringstream in(shared::ReadFile(shared::Root() / "positions" / "tricky.perft"));
    std::string line, id, fen;
    int checked = 0;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string key;
        words >> key;
        if (key == "id") words >> id;
        if (key == "epd") std::getline(words >> std::ws, fen);
        if (key != "perft" || id.rfind("xfen", 0) == 0) continue;
        std::istringstream fields(fen);
        std::string placement, side, castling;
        fields >> placement >> side >> castling;
        if (castling.find_first_not_of("KQkq-") != std::string::npos) continue;
        int depth = 0;
        std::uint64_t expected = 0;
        words >> depth >> expected;
        if (expected > 150000 || depth > 40) continue;
        auto game = rt::Game(fen);
        Walker walker(*game);
        EXPECT_EQ(walker.Perft(depth), expected) << id << " depth " << depth;
        EXPECT_EQ(walker.countMismatches, 0) << id << ": " << walker.firstMismatch;
        ++checked;
    }
    EXPECT_GT(checked, 10);
}

// Each listed position with the moves other programs find in it: the same
// moves by the candidates and by trying every square, the same verdicts.
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
            std::istringstream words(line);
            words >> key >> value;
            if (key == "legal")
                legal = std::stoi(value);
            else if (key == "check")
                check = value == "yes";
            else if (key == "checkmate")
                mate = value == "yes";
            else if (key == "stalemate")
                stalemate = value == "yes";
            else if (key.size() >= 4 && key[0] >= 'a' && key[0] <= 'h')
                expected.push_back(key);
        }
        std::sort(expected.begin(), expected.end());

        auto game = rt::Game(fields[1]);
        Walker walker(*game);
        EXPECT_EQ(walker.LegalMoves(false), expected) << id;
        EXPECT_EQ(walker.LegalMoves(true), expected) << id << " (every target tried)";
        EXPECT_EQ(static_cast<int>(expected.size()), legal) << id;

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
