// Text pasted or dropped on the program, and the game copied out of it.
#include <gtest/gtest.h>

#include <string>

#include "GameClipboardText.h"
#include "PgnTestSupport.h"

namespace {

using Kind = PastedText::Kind;
const std::string kNeither = "The clipboard holds no PGN game or FEN position: ";

}  // namespace

TEST(GameClipboardText, PastedTextReadAsGamesPositionOrNeither) {
    const struct {
        std::string pasted;
        Kind kind;
        std::string text;  // what is opened, or the sentence told
    } rows[] = {
        // A FEN as forums write it: with or without its counters, blanks around.
        {"  r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3\n", Kind::Position,
         "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3"},
        {"4k3/8/8/8/8/8/8/4K2R b K", Kind::Position, "4k3/8/8/8/8/8/8/4K2R b K - 0 1"},
        {"4k3/8/8/8/8/8/8/4K2R", Kind::Position, "4k3/8/8/8/8/8/8/4K2R w - - 0 1"},
        // A FEN that names no position gets the reason FEN reading gives.
        {"9/8/8/8/8/8/8/8 w - - 0 1", Kind::Neither, ""},
        // A coach's game quoted in a mail, and two games one after the other.
        {"> [White \"Coach\"]\n>\n> 1. e4 e5 {Open} (1... c5) *\n", Kind::Games,
         "[White \"Coach\"]\n\n1. e4 e5 {Open} (1... c5) *\n"},
        {"1. d4 d5 *\n\n1. c4 e5 *", Kind::Games, "1. d4 d5 *\n\n1. c4 e5 *\n"},
        // Neither: what was expected and what was found, on one line, cut short.
        {" \n\t", Kind::Neither, kNeither + "it is empty."},
        {std::string("PK\x03\x04\0\0", 6), Kind::Neither,
         kNeither + "it holds binary data, not text."},
        {"Dear club,\nthe next meeting is on Tuesday.", Kind::Neither,
         kNeither + "it begins \"Dear club, the next meeting is on Tuesda...\"."},
        // Never half a character: the é of the 40th byte goes whole or not at all.
        {std::string(39, 'x') + "\u00e9t\u00e9", Kind::Neither,
         kNeither + "it begins \"" + std::string(39, 'x') + "...\"."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pasted);
        const PastedText read = ReadPastedText(row.pasted);
        EXPECT_EQ(read.kind, row.kind);
        if (row.kind == Kind::Neither) {
            EXPECT_FALSE(read.why.empty());
            if (!row.text.empty()) {
                EXPECT_EQ(read.why, row.text);
            }
        } else {
            EXPECT_EQ(read.text, row.text);
        }
    }
    // Megabytes of text that is no game are refused in one sentence too.
    const PastedText huge = ReadPastedText(std::string(4 << 20, 'z'));
    EXPECT_EQ(huge.kind, Kind::Neither);
    EXPECT_LT(huge.why.size(), 120u);
}

TEST(GameClipboardText, CopiedGameIsTheExportWithTheSystemsLineEnds) {
    auto game = pgntest::ReadOk("[White \"Anna\"]\n1. e4 {best} (1. d4 d5) e5 $1 *");
    const std::string copied = CopiedGameText(*game);
    EXPECT_EQ(copied.find('\r'), std::string::npos);
    EXPECT_NE(copied.find("\n\n1. e4 {best} (1. d4 d5) 1... e5 $1 *\n"), std::string::npos) << copied;
    // What was copied reads back as the same game.
    const PastedText pasted = ReadPastedText(copied);
    ASSERT_EQ(pasted.kind, Kind::Games);
    EXPECT_EQ(CopiedGameText(*pgntest::ReadOk(pasted.text)), copied);
}
