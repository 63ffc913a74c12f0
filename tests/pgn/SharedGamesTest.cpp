// Games written by other programs: read or refused, checked ply by ply, saved and reopened.
#include <gtest/gtest.h>

#include <iostream>
#include <map>
#include <random>
#include <tuple>

#include "PgnTestSupport.h"
#include "SharedData.h"

using pgntest::EmptyGame;
using pgntest::MovesOf;

namespace {

const char kTooLong[] =
    "This game has more than 300 half-moves; Ravelin keeps at most 300 in a game.";

std::string Relative(const std::filesystem::path& path) {
    return std::filesystem::relative(path, shared::Root() / "pgn").generic_string();
}

// The fields of each line of a .tsv file, less the header and comment lines.
std::vector<std::vector<std::string>> TsvRows(const std::filesystem::path& path) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(shared::ReadFile(path));
    std::string line;
    for (bool first = true; std::getline(in, line); first = false)
        if (!line.empty() && line[0] != '#' && !first) rows.push_back(shared::SplitTabs(line));
    return rows;
}

// The FEN with only the castling rights a king and rook at home can still use.
std::string WithUsableCastling(const std::string& fen) {
    std::istringstream in(fen);
    std::string placement, side, castling, rest;
    in >> placement >> side >> castling;
    std::getline(in, rest);
    char board[8][8] = {};  // [rank from 8 down][file]
    int rank = 0, file = 0;
    for (char c : placement) {
        if (c == '/') ++rank, file = 0;
        else if (c >= '1' && c <= '8') file += c - '0';
        else if (rank < 8 && file < 8) board[rank][file++] = c;
    }
    auto home = [&](char king, char rook, int row, int rookFile) {
        return board[row][4] == king && board[row][rookFile] == rook;
    };
    std::string usable;
    for (char right : castling)
        if ((right == 'K' && home('K', 'R', 7, 7)) || (right == 'Q' && home('K', 'R', 7, 0)) ||
            (right == 'k' && home('k', 'r', 0, 7)) || (right == 'q' && home('k', 'r', 0, 0)))
            usable += right;
    return placement + " " + side + " " + (usable.empty() ? "-" : usable) + rest;
}

// Expects the positions the game's .tsv gives (a FEN after each ply, the start first), if any.
int ExpectPositions(const CGameRecord& game, std::filesystem::path tsv) {
    if (!std::filesystem::exists(tsv.replace_extension(".tsv"))) return 0;
    std::vector<std::string> fens;
    for (const auto& fields : TsvRows(tsv))
        if (fields.size() >= 3) fens.push_back(WithUsableCastling(fields[2]));
    EXPECT_EQ(game.m_plyCount + 1, static_cast<int>(fens.size()));
    if (fens.empty()) return 0;
    auto start = EmptyGame();
    EXPECT_TRUE(start->SetFromFen(game.m_startFen));
    EXPECT_EQ(start->MakeFullFen(), fens[0]) << "start";
    auto replay = std::make_unique<CGameRecord>(game);
    int checked = 0;
    for (; checked < game.m_plyCount && checked + 1 < static_cast<int>(fens.size()); ++checked) {
        replay->RestorePly(checked);
        EXPECT_EQ(replay->MakeFullFen(), fens[checked + 1]) << "after " << game.m_ply[checked].text;
        // The list line has the number and side of the position before the ply.
        std::istringstream before(fens[checked]);
        std::string field[6];
        for (std::string& f : field) before >> f;
        const std::string prefix = field[5] + (field[1] == "w" ? ". " : ". ...\t");
        EXPECT_EQ(std::string(game.m_ply[checked].text).rfind(prefix, 0), 0u) << prefix;
    }
    EXPECT_EQ(game.MakeFullFen(), fens.back()) << "final position";
    return checked;
}

std::string TagOrDefault(const CGameRecord& game, int tag) {
    if (game.m_tag[tag][0] != '\0') return game.m_tag[tag];
    return tag == CGameRecord::Result ? "*" : "?";
}

// Saves, reopens and expects the same game and, saved again, the same bytes.
void ExpectSurvivesSaveAndReopen(const CGameRecord& game) {
    const std::string written = WritePgnToString(game);
    auto back = EmptyGame();
    const PgnReadResult result = ReadPgnFromString(written, *back);
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_FALSE(result.moreGames);

    ASSERT_EQ(back->m_plyCount, game.m_plyCount);
    for (int i = 0; i < game.m_plyCount; ++i) {
        const PlyRecord& was = game.m_ply[i];
        const PlyRecord& now = back->m_ply[i];
        EXPECT_STREQ(now.text, was.text) << "ply " << i;
        EXPECT_EQ(now.nags, was.nags) << "ply " << i;
        EXPECT_EQ(SquareName(now.fromFile, now.fromRank) + SquareName(now.toFile, now.toRank),
                  SquareName(was.fromFile, was.fromRank) + SquareName(was.toFile, was.toRank))
            << "ply " << i;
        const std::string note = was.hasNote ? NoteAsWritten(was.note) : "";
        EXPECT_EQ(now.hasNote ? now.note : "", note) << "ply " << i;
    }
    for (int tag = 0; tag < CGameRecord::kTagCount; ++tag)
        EXPECT_EQ(std::string(back->m_tag[tag]), TagOrDefault(game, tag));
    const std::string startNote = game.m_hasStartNote ? NoteAsWritten(game.m_startNote) : "";
    EXPECT_EQ(back->m_hasStartNote != 0, !startNote.empty());
    EXPECT_EQ(back->m_startNote, startNote);
    EXPECT_EQ(back->m_keptTags, game.m_keptTags);
    EXPECT_EQ(back->m_fromSetup, game.m_fromSetup);
    EXPECT_STREQ(back->m_startFen, game.m_startFen);
    EXPECT_EQ(back->m_flipped, game.m_flipped);
    EXPECT_EQ(back->MakeFullFen(), game.MakeFullFen());
    EXPECT_EQ(back->m_status, game.m_status);
    EXPECT_EQ(WritePgnToString(*back), written);
}

TEST(SharedGames, EveryGoodGameOpensReachesItsPositionsAndSurvivesASave) {
    RAVELIN_REQUIRE_SHARED("pgn/good");
    std::map<std::string, int> index;  // "good/x/y.pgn" -> plies
    for (const auto& fields : TsvRows(shared::Root() / "pgn" / "INDEX.tsv"))
        if (fields.size() >= 2) index[fields[0]] = std::stoi(fields[1]);
    int games = 0, plies = 0, refused = 0;
    for (const auto& path : shared::Files("pgn/good", ".pgn")) {
        const std::string name = Relative(path);
        SCOPED_TRACE(name);
        // A few long games here are indexed under other/; the index's ply count decides.
        auto indexed = index.find(name);
        if (indexed == index.end())
            indexed = index.find("other/" + name.substr(std::string("good/").size()));
        ASSERT_NE(indexed, index.end()) << "not in the index";

        auto game = EmptyGame();
        const PgnReadResult result = ReadPgnFromString(shared::ReadFile(path), *game);
        if (indexed->second > CGameRecord::kMaxPlies) {
            EXPECT_FALSE(result.ok);
            EXPECT_EQ(result.message, kTooLong);
            ++refused;
            continue;
        }
        ASSERT_TRUE(result.ok) << result.message;
        EXPECT_FALSE(result.moreGames);
        EXPECT_EQ(game->m_plyCount, indexed->second);
        EXPECT_EQ(game->m_curPly, game->m_plyCount);
        plies += ExpectPositions(*game, path);
        ExpectSurvivesSaveAndReopen(*game);
        ++games;
    }
    EXPECT_GT(games, 600);
    EXPECT_EQ(refused, 3);
    std::cout << "[ good     ] " << games << " games, " << plies << " plies checked, " << refused
              << " refused as too long\n";
}

TEST(SharedGames, OtherFilesAreReadOrRefusedWithAReason) {
    RAVELIN_REQUIRE_SHARED("pgn/other");
    const char kUnexpected[] = "Unexpected file format.";
    const std::string kVariant = "This game is a chess variant (";
    // Plies when the file opens, else -1 and the start of the refusal.
    struct Outcome { int plies; std::string refusal; };
    std::map<std::string, Outcome> expected = {
        {"chessjs/0.001.pgn", {-1, "The move 1. <br cannot be played"}},  // HTML line breaks
        {"chessops/leading-whitespace.001.pgn", {-1, kUnexpected}},  // no result
        {"chessops/leading-whitespace.002.pgn", {-1, kUnexpected}},
        {"chessops/leading-whitespace.003.pgn", {-1, "The move 3... e4 cannot be played"}},
        {"chessops/pathological-headers.001.pgn", {-1, kUnexpected}},  // tags only
        {"debian-pychess/lichess_study_lichess-practice-greek-gift_by_arex_2017.02.11.001.pgn",
         {7, ""}},
        {"fastchess/backslash_header.001.pgn", {95, ""}},
        {"fastchess/black2move.001.pgn", {-1, "The move 1... 0-0-0 cannot be played"}},
        {"fastchess/castling.001.pgn", {-1, kUnexpected}},  // no result
        {"fastchess/corrupted.001.pgn", {-1, "The move 63. Kx cannot be played"}},
        {"fastchess/data-test_invalid.001.pgn", {-1, "The move 4. Ka1 cannot be played"}},
        {"fastchess/newline.001.pgn", {-1, kUnexpected}},
        {"fastchess/no_moves.001.pgn", {-1, kUnexpected}},
        {"fastchess/threefold_repetition.001.pgn", {-1, kUnexpected}},
        {"fastchess/unescaped_quote_header.001.pgn", {20, ""}},
        {"pgn-extract/nested-comment.001.pgn", {1, ""}},
        {"python-chess/anastasian-lewis.001.pgn", {-1, "The move 41... Z0 cannot be played"}},
        {"python-chess/uci-moves.001.pgn", {113, ""}},  // moves given by their squares
    };
    const std::string fork =
        "debian-pychess/lichess_study_lichess-practice-the-fork_by_arex_2017.01.29.";
    expected[fork + "001.pgn"] = {-1, "The move 1. Nxg5 cannot be played"};
    expected[fork + "017.pgn"] = {3, ""};
    expected[fork + "018.pgn"] = {7, ""};
    // Numbered series of files that all come out alike: name, count, outcome.
    const std::tuple<std::string, int, Outcome> series[] = {
        {"chessops/headers-and-moves-on-the-same-line", 3, {-1, kVariant + "Antichess)"}},
        {"fastchess/data-dfrc", 4, {-1, kVariant + "fischerandom)"}},
        {"fastchess/no_moves_but_comment_followed_by_termination_marker", 2, {0, ""}},
        {"pgn-extract/test-allownullmoves", 2, {-1, "The move 1... -- cannot be played"}},
        {"pgn-extract/test-nobadresults", 9, {1, ""}},
        {"python-chess/antichess-programfox", 2, {-1, kVariant + "Antichess)"}},
        {"python-chess/cutechess-fischerrandom", 4, {-1, kVariant + "fischerandom)"}},
        {"python-chess/knightvuillaume-jannlee-zh-lichess", 1, {-1, kVariant + "Crazyhouse)"}},
        {"python-chess/saturs-jannlee-zh-lichess", 1, {-1, kVariant + "Crazyhouse)"}},
    };
    for (const auto& [stem, count, outcome] : series)
        for (int i = 1; i <= count; ++i)
            expected[stem + ".00" + std::to_string(i) + ".pgn"] = outcome;
    expected["pgn-extract/odds.029.pgn"] = expected["pgn-extract/odds.031.pgn"] =
        Outcome{-1, "The move 1... -- cannot be played"};
    expected["pgn-extract/test-allownullmoves.001.pgn"] = {-1,
                                                           "The move 31... -- cannot be played"};
    int files = 0;
    for (const auto& path : shared::Files("pgn/other", ".pgn")) {
        const std::string name = Relative(path).substr(std::string("other/").size());
        SCOPED_TRACE(name);
        ++files;
        auto game = EmptyGame();
        const PgnReadResult result = ReadPgnFromString(shared::ReadFile(path), *game);
        EXPECT_EQ(result.ok, result.message.empty());
        const auto outcome = expected.find(name);
        ASSERT_NE(outcome, expected.end()) << "no expectation: " << result.message;
        if (outcome->second.plies < 0) {
            EXPECT_FALSE(result.ok);
            EXPECT_EQ(result.message.rfind(outcome->second.refusal, 0), 0u) << result.message;
            continue;
        }
        ASSERT_TRUE(result.ok) << result.message;
        EXPECT_EQ(game->m_plyCount, outcome->second.plies);
        ExpectPositions(*game, path);
        ExpectSurvivesSaveAndReopen(*game);
    }
    EXPECT_EQ(files, static_cast<int>(expected.size()));
}

// Damaged text is opened or refused with a reason; an opened game survives a save.
void ExpectReadOrRefused(const std::string& text, bool checkSave) {
    auto game = EmptyGame();
    const PgnReadResult result = ReadPgnFromString(text, *game);
    EXPECT_EQ(result.ok, result.message.empty());
    if (!result.ok) return;
    EXPECT_LE(game->m_plyCount, CGameRecord::kMaxPlies);
    if (!checkSave) return;
    auto back = EmptyGame();
    const PgnReadResult again = ReadPgnFromString(WritePgnToString(*game), *back);
    ASSERT_TRUE(again.ok) << again.message;
    EXPECT_EQ(MovesOf(*back), MovesOf(*game));
}

// Files with comments, variations, a set-up start and several games.
const char* const kDamagedFiles[] = {
    "good/chessjs/3.001.pgn",
    "other/pgn-extract/nested-comment.001.pgn",
    "other/debian-pychess/lichess_study_lichess-practice-the-fork_by_arex_2017.01.29.018.pgn",
    "other/fastchess/backslash_header.001.pgn",
    "other/python-chess/uci-moves.001.pgn",
};

TEST(SharedGames, TruncatedAndCorruptedCopiesAreReadOrRefused) {
    RAVELIN_REQUIRE_SHARED("pgn");
    const std::string structural = "{}()[]\";%$.*-/0 \n\r\t\xEF\xBB\xBF";  // besides random bytes
    std::mt19937 random(20240301);
    int cuts = 0;
    for (const char* file : kDamagedFiles) {
        SCOPED_TRACE(file);
        const std::string text = shared::ReadFile(shared::Root() / "pgn" / file);
        ASSERT_FALSE(text.empty());
        const std::size_t step = std::max<std::size_t>(1, text.size() / 120);
        for (std::size_t length = 0; length < text.size(); length += step, ++cuts) {
            SCOPED_TRACE(length);
            ExpectReadOrRefused(text.substr(0, length), false);
        }
        for (int copy = 0; copy < 60; ++copy) {
            std::string damaged = text;
            for (int i = 0, flips = 1 + static_cast<int>(random() % 4); i < flips; ++i)
                damaged[random() % damaged.size()] = random() % 2
                                                         ? structural[random() % structural.size()]
                                                         : static_cast<char>(random() % 256);
            SCOPED_TRACE(copy);
            ExpectReadOrRefused(damaged, true);
        }
    }
    EXPECT_GT(cuts, 400);
}

}  // namespace
