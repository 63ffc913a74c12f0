// The standard PGN written for other programs (real games: SharedGamesTest.cpp;
// what they read of it: bench/export-vs-peers.sh).
#include <algorithm>

#include "PgnExport.h"
#include "PgnTestSupport.h"

namespace {

TEST(PgnExport, WritesAHandMadeGameByteForByte) {
    // Black first from move 35, a kept tag, lines of 79 and (but for the limit) 80,
    // braces in a note, en-passant and draw marks, a sign, a glyph, captures of what just moved.
    const auto game = pgntest::ReadOk(
        "[Result \"1/2-1/2\"]\n[WhiteElo \"2100\"]\n[FEN \"k7/3p4/1P2K3/4P3/8/8/8/8 b - - 0 35\"]\n"
        "{The black king leaves its corner to take the pawns one after the other; a long note "
        "that wraps}\n35... d5 {centre {or not)} 36. exd6 e.p. $14 {took} Kb8 37. b7 $1 Kxb7 "
        "38. d7 Kc7 39. d8=Q+ Kxd8= 1/2-1/2\n");
    std::string expected;
    for (const char* line :
         {"[Event \"?\"]", "[Site \"?\"]", "[Date \"????.??.??\"]", "[Round \"?\"]",
          "[White \"?\"]", "[Black \"?\"]", "[Result \"1/2-1/2\"]", "[WhiteElo \"2100\"]",
          "[SetUp \"1\"]", "[FEN \"k7/3p4/1P2K3/4P3/8/8/8/8 b - - 0 35\"]", "",
          "{The black king leaves its corner to take the pawns one after the other; a long",
          "note that wraps} 35... d5 {centre {or not)} 36. exd6 $14 {took} 36... Kb8 37.",
          "b7 $1 Kxb7 38. d7 Kc7 39. d8=Q+ Kxd8 1/2-1/2"})
        expected += std::string(line) + "\r\n";
    EXPECT_EQ(ExportPgnToString(*game), expected);
}

TEST(PgnExport, TagsAgreeWithTheGameAsOtherProgramsCheckIt) {
    const auto exported = [](const std::string& text) {
        return pgntest::Lines(ExportPgnToString(*pgntest::ReadOk(text)));
    };
    // The date as the standard writes an unknown part.
    EXPECT_EQ(exported("[Date \"?\"]\n1. e4 *")[2], "[Date \"????.??.??\"]");
    EXPECT_EQ(exported("[Date \"2024.??.??\"]\n*")[2], "[Date \"2024.??.??\"]");
    const std::pair<std::string, std::vector<std::string>> rows[] = {
        // text read, every line after the seven tags
        {"[FEN \"4k3/8/8/8/8/8/8/4K2R w K - 0 0\"]\n1. O-O *",
         {"[SetUp \"1\"]", "[FEN \"4k3/8/8/8/8/8/8/4K2R w K - 0 1\"]", "", "1. O-O *"}},
        {"[FEN \"r3k3/8/8/8/8/8/8/4K2R w KQkq - 3 20\"]\n20. Kf1 *",
         {"[SetUp \"1\"]", "[FEN \"r3k3/8/8/8/8/8/8/4K2R w Kq - 3 20\"]", "", "20. Kf1 *"}},
        {"[FEN \"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 0\"]\n1. e4 *",
         {"", "1. e4 *"}},
        {"[FEN \"7k/8/6K1/8/8/8/8/5Q2 w - - 0 1\"]\n1. Qf7 *",  // stalemate: no "=" of ours
         {"[SetUp \"1\"]", "[FEN \"7k/8/6K1/8/8/8/8/5Q2 w - - 0 1\"]", "", "1. Qf7 *"}},
        // Moves the list keeps as the file wrote them, in standard form
        {"1. Ngf3 d5 2. Nf3e5 *", {"", "1. Nf3 d5 2. Ne5 *"}},
        {"1. f3 e5 2. g4 Qh4# *", {"", "1. f3 e5 2. g4 Qh4# *"}},
        {"1. e4 1/2", {"", "1. e4 1/2-1/2"}},
        {"[PlyCount \"1\"]\n1. e4 e5 2. Nf3 *", {"[PlyCount \"3\"]", "", "1. e4 e5 2. Nf3 *"}},
        {"1. e4 ; a } would end it\n*", {"", "1. e4 {a ) would end it} *"}},
        {"1. e4 {a { (b);} *", {"", "1. e4 {a { (b);} *"}},
        // Variations as the standard nests them, Black numbered after each
        {"1. e4 (1. d4 {q} d5 (1... Nf6 2. c4 $14)) ({Or} 1. c4) e5 2. Nf3 (2. f4 exf4 $1) Nc6 *",
         {"", "1. e4 (1. d4 {q} 1... d5 (1... Nf6 2. c4 $14)) ({Or} 1. c4) 1... e5 2. Nf3 (2.",
          "f4 exf4 $1) 2... Nc6 *"}},
        // A variation's bracket that would stand in column 80 takes its word down
        {"1. e4 (1. d4 {" + std::string(64, 'x') + "}) e5 *",
         {"", "1. e4 (1. d4", "{" + std::string(64, 'x') + "}) 1... e5 *"}},
        // A null move, its sign as a glyph
        {"1. e4 e5 (1... -- 2. d4 $140 d5) 2. Nf3 (2. --! Nc6) Nc6 *",
         {"", "1. e4 e5 (1... -- 2. d4 $140 d5) 2. Nf3 (2. -- $1 Nc6) 2... Nc6 *"}},
    };
    for (const auto& [text, expected] : rows) {
        std::vector<std::string> lines = exported(text);
        // The opening's tags, which most of these games gain, have a test of their own.
        lines.erase(std::remove_if(lines.begin(), lines.end(),
                                   [](const std::string& line) {
                                       return line.rfind("[ECO ", 0) == 0 ||
                                              line.rfind("[Opening ", 0) == 0;
                                   }),
                    lines.end());
        EXPECT_EQ(std::vector(lines.begin() + 7, lines.end()), expected) << text;
    }
    // A Result cut to "1/2", as the header can be given it, goes out in full.
    auto draw = pgntest::ReadOk("1. e4 *");
    draw->SetTag(CGameRecord::Result, "1/2");
    const std::vector<std::string> lines = pgntest::Lines(ExportPgnToString(*draw));
    EXPECT_EQ(lines[6], "[Result \"1/2-1/2\"]");
    EXPECT_EQ(lines.back(), "1. e4 1/2-1/2");
}

TEST(PgnExport, TheOpeningIsNamedWhereTheGameNamesNone) {
    // Room on its line for "[%clk", not for the whole command.
    const std::string clock = "Long enough to reach near the end of a line; the clock goes on";
    const std::pair<std::string, std::vector<std::string>> rows[] = {
        // text read, every line after the seven tags
        {"[WhiteElo \"2100\"]\n1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. h3 *",
         {"[WhiteElo \"2100\"]", "[ECO \"C70\"]", "[Opening \"Ruy Lopez: Morphy Defense\"]", "",
          "1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. h3 *"}},
        // The game's own tags stay, whatever they say; nothing is added
        {"[ECO \"C60\"]\n1. d4 *", {"[ECO \"C60\"]", "", "1. d4 *"}},
        {"[Opening \"?\"]\n1. d4 *", {"[Opening \"?\"]", "", "1. d4 *"}},
        // A set-up start named by its position; one no opening knows
        {"[FEN \"r1bqkbnr/pppp1ppp/2n5/1B2p3/4P3/5N2/PPPP1PPP/RNBQK2R b KQkq - 3 3\"]\n3... Nf6 *",
         {"[ECO \"C65\"]", "[Opening \"Ruy Lopez: Berlin Defense\"]", "[SetUp \"1\"]",
          "[FEN \"r1bqkbnr/pppp1ppp/2n5/1B2p3/4P3/5N2/PPPP1PPP/RNBQK2R b KQkq - 3 3\"]", "",
          "3... Nf6 *"}},
        {"[FEN \"4k3/8/8/8/8/8/8/4K3 w - - 0 1\"]\n1. Kd2 *",
         {"[SetUp \"1\"]", "[FEN \"4k3/8/8/8/8/8/8/4K3 w - - 0 1\"]", "", "1. Kd2 *"}},
        // In the encoding of the game's own texts
        {"[White \"M\xFCller\"]\n1. h4 *",
         {"[ECO \"A00\"]",
          "[Opening \"K\xE1"
          "das Opening\"]",
          "", "1. h4 *"}},
        // Commands kept as written, each on one line
        {"1. d3 {" + clock + " [%clk 0:04:58]} e5 {[%csl Rd5][%cal Gg1f3]} *",
         {"[ECO \"A00\"]", "[Opening \"Mieses Opening: Reversed Rat\"]", "", "1. d3 {" + clock,
          "[%clk 0:04:58]} 1... e5 {[%csl Rd5][%cal Gg1f3]} *"}},
    };
    for (const auto& [text, expected] : rows) {
        SCOPED_TRACE(text);
        std::vector<std::string> lines = pgntest::Lines(ExportPgnToString(*pgntest::ReadOk(text)));
        lines.erase(lines.begin(), lines.begin() + 7);
        EXPECT_EQ(lines, expected);
    }
}

}  // namespace
