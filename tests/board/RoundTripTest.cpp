// Move text out and back in. Every legal move of many positions is written as
// the move entry writes it and read back in the position before the move; the
// moves of real games are replayed from their standard text and must reach
// the positions and, apart from our own marks, the texts the games give.
#include <iostream>
#include <map>
#include <set>

#include "BoardTestSupport.h"
#include "MoveText.h"
#include "MoveTextApply.h"
#include "SharedData.h"

using namespace boardtest;

namespace {

// Enough failures to see a pattern; more would only bury it.
constexpr int kMaxReported = 20;

// Writes every legal move as the move entry does and reads it back in the
// position before: converMove must find its squares and, with `replay`,
// ApplyMoveText must reach the same position. Returns the moves tried.
int RoundTripEveryMove(CGameRecord& game, const std::string& fen, const std::string& where,
                       bool replay, int& reported) {
    ResetTo(game, fen);
    const std::vector<Move> moves = LegalMoves(game);
    const int side = game.m_sideToMove;
    for (const Move& move : moves) {
        const DropOutcome outcome = Play(game, move);
        const std::string text = MoveOfLine(outcome.line);
        const std::string played = replay ? game.MakeFullFen() + " " + game.GetStatus() : "";
        ResetTo(game, fen);
        if (!outcome.recorded) {
            if (reported++ < kMaxReported)
                ADD_FAILURE() << where << ": " << Uci(move) << " refused: " << outcome.refusal;
            continue;
        }
        std::string read = text;
        int fromFile, fromRank, toFile, toRank;
        game.converMove(fromFile, fromRank, toFile, toRank, read, side);
        const Move found{fromFile, fromRank, toFile, toRank, move.promotion};
        bool same = true;
        if (replay) {
            same = ApplyMoveText(game, text, side) == MoveTextResult::Played &&
                   game.MakeFullFen() + " " + game.GetStatus() == played;
            ResetTo(game, fen);
        }
        if ((Uci(found) != Uci(move) || !same) && reported++ < kMaxReported)
            ADD_FAILURE() << where << ": " << Uci(move) << " written " << text << " reads back as "
                          << Uci(found) << (same ? "" : " and replays to another position");
    }
    return static_cast<int>(moves.size());
}

TEST(RoundTrip, EveryMoveOfThePerftPositions) {
    int reported = 0;
    auto game = std::make_unique<CGameRecord>();
    for (const auto& row : tg::kPerft)
        EXPECT_EQ(RoundTripEveryMove(*game, row.first, row.first, true, reported), row.second[0]);
}

// Where our text may differ from the standard text of the same move, counted.
// " e.p." after en passant, "=" after a drawn end, a rival named though pinned.
struct OwnMarks {
    int enPassant = 0, drawnEnd = 0, pinnedRival = 0;
};

// The standard disambiguation: the file unless a rival shares it, else the rank, else both.
std::string Disambiguation(int file, int rank, const std::vector<std::pair<int, int>>& rivals) {
    bool sameFile = false, sameRank = false;
    for (const auto& r : rivals) sameFile |= r.first == file, sameRank |= r.second == rank;
    const std::string f(1, char('a' + file)), r(1, char('1' + rank));
    return rivals.empty() ? "" : !sameFile ? f : !sameRank ? r : f + r;
}

// Whether our text of `move` (made in `before`, leaving `statusAfter`) is the
// standard text apart from our own marks, which are counted.
bool SameApartFromOwnMarks(CGameRecord& before, const Move& move, std::string ours,
                           char statusAfter, std::string theirs, OwnMarks& marks) {
    if (ours == theirs) return true;
    OwnMarks found;
    const std::size_t enPassant = ours.find(" e.p.");
    if (enPassant != std::string::npos) {
        ours.erase(enPassant, 5);
        found.enPassant = 1;
    }
    if ((statusAfter == 'D' || statusAfter == 'S') && !ours.empty() && ours.back() == '=') {
        // The standard text gives a check where we give the drawn end.
        ours.pop_back();
        if (!theirs.empty() && theirs.back() == '+') theirs.pop_back();
        found.drawnEnd = 1;
    }
    const int kind = before.GetPiece(move.fromFile, move.fromRank);
    const int color = before.GetColor(move.fromFile, move.fromRank);
    if (kind != Pawn && kind != King) {
        // Our reach ignores pins; the standard text names only rivals that may move.
        std::vector<std::pair<int, int>> reaching, legal;
        for (int f = 0; f < 8; ++f)
            for (int r = 0; r < 8; ++r)
                if ((f != move.fromFile || r != move.fromRank) && before.GetPiece(f, r) == kind &&
                    before.GetColor(f, r) == color &&
                    before.CanReach(kind, color, f, r, move.toFile, move.toRank)) {
                    reaching.emplace_back(f, r);
                    if (tg::IsLegal(before, {f, r, move.toFile, move.toRank}))
                        legal.emplace_back(f, r);
                }
        const std::string ourPart = Disambiguation(move.fromFile, move.fromRank, reaching);
        const std::string standardPart = Disambiguation(move.fromFile, move.fromRank, legal);
        if (ourPart != standardPart && ours.compare(1, ourPart.size(), ourPart) == 0) {
            ours.replace(1, ourPart.size(), standardPart);
            found.pinnedRival = 1;
        }
    }
    if (ours != theirs) return false;
    marks.enPassant += found.enPassant;
    marks.drawnEnd += found.drawnEnd;
    marks.pinnedRival += found.pinnedRival;
    return true;
}

std::string Describe(const OwnMarks& marks) {
    return std::to_string(marks.enPassant) + " with e.p., " + std::to_string(marks.drawnEnd) +
           " with a drawn end, " + std::to_string(marks.pinnedRival) + " naming a pinned rival";
}

bool IsUci(const std::string& t) {
    return (t.size() == 4 || t.size() == 5) &&
           t.find_first_not_of("abcdefgh12345678qrbn") == t.npos;
}

// Each known position lists its legal moves with their standard texts: the
// moves must be ours, the texts ours apart from our marks, and read back.
TEST(RoundTrip, KnownPositionsAgreeWithTheStandardText) {
    RAVELIN_REQUIRE_SHARED("positions");
    std::istringstream index(shared::ReadFile(shared::Root() / "positions" / "POSITIONS.tsv"));
    std::string line;
    int positions = 0, moves = 0, reported = 0;
    OwnMarks marks;
    while (std::getline(index, line)) {
        const std::vector<std::string> fields = shared::SplitTabs(line);
        if (line.empty() || line[0] == '#' || fields.size() < 2) continue;
        const std::string id = fields[0];
        std::map<std::string, std::string> standard;  // UCI to text
        std::istringstream known(shared::ReadFile(shared::Root() / "positions" / (id + ".txt")));
        std::string uci, san;
        while (known >> uci) {
            std::getline(known, san);
            san.erase(0, san.find_first_not_of(" \t"));
            if (IsUci(uci)) standard[uci] = san;
        }
        auto game = Game(fields[1]);
        std::set<std::string> ours, theirs;
        for (const auto& entry : standard) theirs.insert(entry.first);
        for (const Move& move : LegalMoves(*game)) {
            ours.insert(Uci(move));
            const DropOutcome outcome = Play(*game, move);
            const char status = game->GetStatus();
            ResetTo(*game, fields[1]);
            const auto known = standard.find(Uci(move));
            if (known == standard.end()) continue;
            EXPECT_TRUE(SameApartFromOwnMarks(*game, move, MoveOfLine(outcome.line), status,
                                              known->second, marks))
                << id << " " << Uci(move) << ": ours " << MoveOfLine(outcome.line) << ", standard "
                << known->second;
        }
        EXPECT_EQ(ours, theirs) << id << ": the legal moves differ";
        moves += RoundTripEveryMove(*game, fields[1], id, true, reported);
        ++positions;
    }
    EXPECT_GT(positions, 0);
    std::cout << "[ checked  ] " << positions << " known positions, " << moves
              << " moves; texts differing by our own marks: " << Describe(marks) << "\n";
}

struct GamePly {
    std::string san, fen;  // the fen after the ply
};

// A game as the standard libraries give it: ply 0 is the start.
std::vector<GamePly> ReadGame(const std::filesystem::path& path) {
    std::vector<GamePly> plies;
    std::istringstream in(shared::ReadFile(path));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::vector<std::string> fields = shared::SplitTabs(line);
        if (!line.empty() && line[0] != '#' && fields.size() >= 3)
            plies.push_back({fields[1], fields[2]});
    }
    return plies;
}

// The move a replayed ply made, told by its squares and the boards around it.
MoveFacts FactsOfPly(const CGameRecord& game, const PlyRecord& ply, const tg::Position& before,
                     int color) {
    MoveFacts facts;
    facts.kind = before.piece[ply.fromFile][ply.fromRank];
    facts.color = color;
    facts.fromFile = ply.fromFile;
    facts.fromRank = ply.fromRank;
    facts.toFile = ply.toFile;
    facts.toRank = ply.toRank;
    const bool targetHeld = before.piece[ply.toFile][ply.toRank] != NoPiece;
    const bool pawnChangedFile = facts.kind == Pawn && ply.toFile != ply.fromFile;
    facts.capture = targetHeld || pawnChangedFile;
    facts.enPassant = pawnChangedFile && !targetHeld;
    const int arrived = game.GetPiece(ply.toFile, ply.toRank);
    if (facts.kind == Pawn && arrived != Pawn) facts.promotion = arrived;
    game.FindPiece(OtherColor(color), King, facts.kingFile, facts.kingRank);
    return facts;
}

// Each real game replayed from its texts reaches the game's positions, our
// text of each ply is the game's apart from our own marks, and every move of
// every position reached is written and read back by its squares.
TEST(RoundTrip, RealGamesReplayToTheirPositionsAndTexts) {
    RAVELIN_REQUIRE_SHARED("pgn/good");
    int games = 0, plies = 0, moves = 0, reported = 0;
    std::set<std::string> seen, playedOnAfterDraw;
    OwnMarks marks;
    auto game = std::make_unique<CGameRecord>(), other = std::make_unique<CGameRecord>();
    for (const auto& path : shared::Files("pgn/good", ".tsv")) {
        const std::string name =
            path.parent_path().filename().string() + "/" + path.stem().string();
        const std::vector<GamePly> record = ReadGame(path);
        ASSERT_FALSE(record.empty()) << name;
        for (const GamePly& ply : record)
            if (seen.insert(ply.fen).second)
                moves +=
                    RoundTripEveryMove(*other, ply.fen, name + " at " + ply.fen, false, reported);
        ResetTo(*game, record[0].fen);
        EXPECT_EQ(game->MakeFullFen(), record[0].fen) << name << ": the start";
        ++games;
        for (std::size_t k = 1; k < record.size(); ++k, ++plies) {
            const GamePly& ply = record[k];
            const int side = game->m_sideToMove;
            const tg::Position before(*game);
            EXPECT_EQ(ApplyMoveText(*game, ply.san, side), MoveTextResult::Played)
                << name << ", ply " << k << " " << ply.san;
            if (game->MakeFullFen() != ply.fen) {
                ADD_FAILURE() << name << ", ply " << k << " " << ply.san << ": reached "
                              << game->MakeFullFen() << ", the game gives " << ply.fen;
                break;
            }
            const PlyRecord& done = game->m_ply[game->m_curPly - 1];
            const std::string ours = BuildMoveText(*game, FactsOfPly(*game, done, before, side));
            if (ours != ply.san) {
                ResetTo(*other, record[k - 1].fen);
                EXPECT_TRUE(SameApartFromOwnMarks(
                    *other, {done.fromFile, done.fromRank, done.toFile, done.toRank}, ours,
                    game->GetStatus(), ply.san, marks))
                    << name << ", ply " << k << ": ours " << ours << ", the game's " << ply.san;
            }
            if (game->GetStatus() == 'D' && k + 1 < record.size()) playedOnAfterDraw.insert(name);
        }
    }
    std::cout << "[ checked  ] " << games << " games, " << plies << " plies replayed, "
              << seen.size() << " positions and " << moves << " moves read back; texts differing by"
              << " our own marks: " << Describe(marks) << "; " << playedOnAfterDraw.size()
              << " games played on after the draw we record\n";
}

}  // namespace
