// The standard PGN written for other programs (what they read of it: bench/export-vs-peers.sh).
#include <gtest/gtest.h>

#include <algorithm>

#include "PgnExport.h"
#include "PgnTestSupport.h"
#include "SharedData.h"

using pgntest::CrLf;
using pgntest::Lines;
using pgntest::Read;

namespace {

TEST(PgnExport, WritesAHandMadeGameByteForByte) {
    // Black first from move 35, a kept tag, a start note longer than a line,
    // braces in a note, en-passant and draw marks, a sign and a glyph.
    auto read = Read(
        "[Result \"1/2-1/2\"]\n[WhiteElo \"2100\"]\n[FEN \"k7/3p4/1P2K3/4P3/8/8/8/8 b - - 0 35\"]\n"
        "{The white king walks to c7 while the black king is shut in the corner; a long note "
        "that wraps}\n35... d5 {centre {or not}} 36. exd6 e.p. $14 {takes} Kb8 37. Kd7 $1 Ka8 "
        "38. Kc7= 1/2-1/2\n");
    ASSERT_TRUE(read.result.ok) << read.result.message;
    EXPECT_EQ(
        ExportPgnToString(*read.game),
        CrLf({"[Event \"?\"]", "[Site \"?\"]", "[Date \"?\"]", "[Round \"?\"]", "[White \"?\"]",
              "[Black \"?\"]", "[Result \"1/2-1/2\"]", "[WhiteElo \"2100\"]", "[SetUp \"1\"]",
              "[FEN \"k7/3p4/1P2K3/4P3/8/8/8/8 b - - 0 35\"]", "",
              "{The white king walks to c7 while the black king is shut in the corner; a long",
              "note that wraps} 35... d5 {centre (or not)} 36. exd6 $14 {takes} 36... Kb8 37.",
              "Kd7 $1 Ka8 38. Kc7 1/2-1/2"}));
}

// Every real game, exported, reads back as the same moves, tags and final
// position, in lines of at most 79 characters (a longer one is a single word)
// with no empty line after the tags'.
TEST(PgnExport, RealGamesReadBackTheSame) {
    RAVELIN_REQUIRE_SHARED("pgn/good");
    int exported = 0;
    for (const auto& path : shared::Files("pgn/good", ".pgn")) {
        auto game = pgntest::EmptyGame();
        if (!ReadPgnFromString(shared::ReadFile(path), *game).ok) continue;  // too long
        SCOPED_TRACE(path.string());
        const std::string text = ExportPgnToString(*game);
        const std::vector<std::string> lines = Lines(text);
        const auto blank = std::find(lines.begin(), lines.end(), "");
        ASSERT_NE(blank, lines.end());
        for (auto line = blank + 1; line != lines.end(); ++line)
            EXPECT_TRUE(!line->empty() &&
                        (line->size() <= 79 || line->find(' ') == std::string::npos))
                << *line;
        auto back = Read(text);
        ASSERT_TRUE(back.result.ok) << back.result.message;
        ASSERT_EQ(back.game->m_plyCount, game->m_plyCount);
        auto squares = [](const PlyRecord& ply) {
            return SquareName(ply.fromFile, ply.fromRank) + SquareName(ply.toFile, ply.toRank);
        };
        for (int i = 0; i < game->m_plyCount; ++i)
            EXPECT_EQ(squares(back.game->m_ply[i]), squares(game->m_ply[i])) << "ply " << i;
        EXPECT_EQ(back.game->MakeFullFen(), game->MakeFullFen());
        EXPECT_EQ(back.game->m_keptTags, game->m_keptTags);
        ++exported;
    }
    EXPECT_GT(exported, 600);
}

}  // namespace
