// Move text out and back in. Every legal move of many positions is written as
// the move entry writes it and read back in the position before the move; the
// moves of real games are replayed from their standard text and must reach
// the positions and, apart from our own marks, the texts the games give.
#include <gtest/gtest.h>

#include <iostream>
#include <map>
#include <set>

#include "BoardTestSupport.h"
#include "MoveText.h"
#include "MoveTextApply.h"
#include "SharedData.h"

using boardtest::GameFromFen;
using boardtest::IsLegal;
using boardtest::LegalMoves;
using boardtest::Move;
using boardtest::MoveOfLine;
using boardtest::Play;
using boardtest::ResetTo;
using boardtest::Uci;

namespace {

// Enough failures to see a pattern; more would only bury it.
constexpr int kMaxReported = 20;

// The board before a replayed ply, to tell what the ply did.
struct Board {
    int piece[8][8];
    int color[8][8];
    explicit Board(const CGameRecord& game) {
        std::memcpy(piece, game.m_piece, sizeof piece);
        std::memcpy(color, game.m_color, sizeof color);
    }
};

// Writes every legal move of the position as the move entry does and reads
// the text back in the position before the move: converMove must find the
// move's squares and, when `replay` is set, ApplyMoveText must reach the same
// position. Returns the number of moves tried.
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
    const struct {
        const char* fen;
        int moves;  // published perft count at depth 1
    } positions[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 20},
        {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -", 48},
        {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -", 14},
        {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", 6},
        {"rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", 44},
    };
    int reported = 0;
    auto game = std::make_unique<CGameRecord>();
    for (const auto& position : positions) {
        EXPECT_EQ(RoundTripEveryMove(*game, position.fen, position.fen, true, reported),
                  position.moves);
    }
}

// Where our text may differ from the standard text of the same move, counted.
struct OwnMarks {
    int enPassant = 0;    // " e.p." after an en-passant capture
    int drawnEnd = 0;     // "=" after a move that leaves the game drawn or stalemated
    int pinnedRival = 0;  // a disambiguation that only a pinned rival calls for
};

// The standard disambiguation against the given rivals: the file when no
// rival shares it, else the rank when none shares that, else both.
std::string Disambiguation(int fromFile, int fromRank,
                           const std::vector<std::pair<int, int>>& rivals) {
    if (rivals.empty()) return "";
    bool sameFile = false, sameRank = false;
    for (const auto& rival : rivals) {
        sameFile = sameFile || rival.first == fromFile;
        sameRank = sameRank || rival.second == fromRank;
    }
    std::string file(1, static_cast<char>('a' + fromFile)),
        rank(1, static_cast<char>('1' + fromRank));
    return !sameFile ? file : !sameRank ? rank : file + rank;
}

// Whether our text of `move`, made in `before` (the position before it, its
// mover to move) and leaving the game with `statusAfter`, equals the
// standard text apart from our own marks; those found are counted.
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
                    if (IsLegal(before, f, r, move.toFile, move.toRank)) legal.emplace_back(f, r);
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

bool IsUci(const std::string& token) {
    return (token.size() == 4 || token.size() == 5) && token[0] >= 'a' && token[0] <= 'h' &&
           token[1] >= '1' && token[1] <= '8' && token[2] >= 'a' && token[2] <= 'h' &&
           token[3] >= '1' && token[3] <= '8';
}

// Each known position lists every legal move with its standard text: the
// moves must be ours, our texts theirs apart from our own marks, and every
// text must read back.
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
        auto game = GameFromFen(fields[1]);
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
    RecordProperty("positions", positions);
    RecordProperty("moves", moves);
}

struct GamePly {
    std::string san;
    std::string fen;  // after the ply
};

// A game as the standard libraries give it: ply 0 is the start.
std::vector<GamePly> ReadGame(const std::filesystem::path& path) {
    std::vector<GamePly> plies;
    std::istringstream in(shared::ReadFile(path));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::vector<std::string> fields = shared::SplitTabs(line);
        if (line.empty() || line[0] == '#' || fields.size() < 3) continue;
        plies.push_back({fields[1], fields[2]});
    }
    return plies;
}

std::string GameName(const std::filesystem::path& path) {
    return path.parent_path().filename().string() + "/" + path.stem().string();
}

TEST(RoundTrip, EveryMoveOfEveryPositionOfTheRealGames) {
    RAVELIN_REQUIRE_SHARED("pgn/good");
    std::set<std::string> seen;
    int games = 0, moves = 0, reported = 0;
    auto game = std::make_unique<CGameRecord>();
    for (const auto& path : shared::Files("pgn/good", ".tsv")) {
        ++games;
        for (const GamePly& ply : ReadGame(path)) {
            if (!seen.insert(ply.fen).second) continue;
            // Read back by squares only: the replay below covers ApplyMoveText
            // on these games, and a full replay of every move would double the time.
            moves += RoundTripEveryMove(*game, ply.fen, GameName(path) + " at " + ply.fen, false,
                                        reported);
        }
    }
    std::cout << "[ checked  ] " << seen.size() << " distinct positions of " << games << " games, "
              << moves << " moves written and read back\n";
    RecordProperty("positions", static_cast<int>(seen.size()));
    RecordProperty("moves", moves);
}

// The move a replayed ply made, told by its squares and the boards around it.
MoveFacts FactsOfPly(const CGameRecord& game, const PlyRecord& ply, const Board& before,
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

// Replays each real game from its standard move texts: every ply must reach
// the position the game gives, and the text we would have written for it
// must be the game's own apart from our own marks.
TEST(RoundTrip, RealGamesReplayToTheirPositionsAndTexts) {
    RAVELIN_REQUIRE_SHARED("pgn/good");
    int games = 0, plies = 0;
    std::set<std::string> playedOnAfterDraw;
    OwnMarks marks;
    auto game = std::make_unique<CGameRecord>();
    for (const auto& path : shared::Files("pgn/good", ".tsv")) {
        const std::string name = GameName(path);
        const std::vector<GamePly> record = ReadGame(path);
        ASSERT_FALSE(record.empty()) << name;
        ResetTo(*game, record[0].fen);
        EXPECT_EQ(game->MakeFullFen(), record[0].fen) << name << ": the start";
        ++games;
        for (std::size_t k = 1; k < record.size(); ++k) {
            const GamePly& ply = record[k];
            const int side = game->m_sideToMove;
            const Board before(*game);
            const MoveTextResult result = ApplyMoveText(*game, ply.san, side);
            ++plies;
            EXPECT_EQ(result, MoveTextResult::Played) << name << ", ply " << k << " " << ply.san;
            if (game->MakeFullFen() != ply.fen) {
                ADD_FAILURE() << name << ", ply " << k << " " << ply.san << ": reached "
                              << game->MakeFullFen() << ", the game gives " << ply.fen;
                break;
            }
            const PlyRecord& recorded = game->m_ply[game->m_curPly - 1];
            const std::string ours =
                BuildMoveText(*game, FactsOfPly(*game, recorded, before, side));
            if (ours != ply.san) {
                auto position = GameFromFen(record[k - 1].fen);
                const Move move{recorded.fromFile, recorded.fromRank, recorded.toFile,
                                recorded.toRank, 0};
                EXPECT_TRUE(
                    SameApartFromOwnMarks(*position, move, ours, game->GetStatus(), ply.san, marks))
                    << name << ", ply " << k << ": ours " << ours << ", the game's " << ply.san;
            }
            if (game->GetStatus() == 'D' && k + 1 < record.size()) playedOnAfterDraw.insert(name);
        }
    }
    std::cout << "[ checked  ] " << games << " games, " << plies
              << " plies replayed; texts differing by our own marks: " << Describe(marks) << "; "
              << playedOnAfterDraw.size() << " games played on after the draw we record\n";
    RecordProperty("games", games);
    RecordProperty("plies", plies);
}

}  // namespace
