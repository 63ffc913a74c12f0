// The standard PGN written for other programs (real games: SharedGamesTest.cpp;
// what they read of it: bench/export-vs-peers.sh).
#include "PgnExport.h"
#include "PgnTestSupport.h"

namespace {

TEST(PgnExport, WritesAHandMadeGameByteForByte) {
    // Black first from move 35, a kept tag, lines of 79 and (but for the limit) 80,
    // braces in a note, en-passant and draw marks, a sign, a glyph, captures of what just moved.
    const auto game = pgntest::ReadOk(
        "[Result \"1/2-1/2\"]\n[WhiteElo \"2100\"]\n[FEN \"k7/3p4/1P2K3/4P3/8/8/8/8 b - - 0 35\"]\n"
        "{The black king leaves its corner to take the pawns one after the other; a long note "
        "that wraps}\n35... d5 {centre {or not}} 36. exd6 e.p. $14 {took} Kb8 37. b7 $1 Kxb7 "
        "38. d7 Kc7 39. d8=Q+ Kxd8= 1/2-1/2\n");
    std::string expected;
    for (const char* line :
         {"[Event \"?\"]", "[Site \"?\"]", "[Date \"?\"]", "[Round \"?\"]", "[White \"?\"]",
          "[Black \"?\"]", "[Result \"1/2-1/2\"]", "[WhiteElo \"2100\"]", "[SetUp \"1\"]",
          "[FEN \"k7/3p4/1P2K3/4P3/8/8/8/8 b - - 0 35\"]", "",
          "{The black king leaves its corner to take the pawns one after the other; a long",
          "note that wraps} 35... d5 {centre (or not)} 36. exd6 $14 {took} 36... Kb8 37.",
          "b7 $1 Kxb7 38. d7 Kc7 39. d8=Q+ Kxd8 1/2-1/2"})
        expected += std::string(line) + "\r\n";
    EXPECT_EQ(ExportPgnToString(*game), expected);
}

}  // namespace
