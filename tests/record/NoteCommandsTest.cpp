// Arrows, marked squares, clocks and other programs' commands in notes: read,
// shown as words and times, drawn and taken away in place.
// (Every note of the real games: pgn/SharedGamesTest.cpp.)
#include <gtest/gtest.h>

#include "GameRecord.h"
#include "NoteCommands.h"

namespace {

// The parts in one line: words | arrows | marks | clock elapsed | others.
std::string Described(const NoteParts& parts) {
    std::string text = parts.words + " |";
    for (const NoteArrow& arrow : parts.arrows)
        text += std::string(" ") + arrow.colour + arrow.from.Name() + arrow.to.Name();
    text += " |";
    for (const NoteMark& mark : parts.marks)
        text += std::string(" ") + mark.colour + mark.square.Name();
    text += " | " + std::to_string(parts.clock) + " " + std::to_string(parts.elapsed) + " |";
    for (const std::string& other : parts.others) text += " " + other;
    return text;
}

TEST(NoteCommands, ReadAsFarAsTheyAreSound) {
    const std::pair<std::string, std::string> rows[] = {
        // note as read, its parts
        {"Plain words [#]; no command", "Plain words [#]; no command | | | -1 -1 |"},
        {"[%csl Rd5,Ge4][%cal Gg1f3,Rd1h5] Good", "Good | Gg1f3 Rd1h5 | Rd5 Ge4 | -1 -1 |"},
        {" [%eval 0.17] [%clk 0:00:30]", " | | | 300 -1 | [%eval 0.17]"},
        {"Before [%cal Ga1a2] between\n[%csl Yh8] after.",
         "Before between after. | Ga1a2 | Yh8 | -1 -1 |"},
        {"[%cal Ga1a2][%cal Bb1b2 , Rc1c3 ]", " | Ga1a2 Bb1b2 Rc1c3 | | -1 -1 |"},
        {"[%clk 1:04:58.37][%emt 0:00:07]", " | | | 38983 70 |"},
        {"[%clk 4:59] [%emt 12:03]", " | | | 2990 7230 |"},
        {"[%clk 0:59:59] [%emt 120:00]", " | | | 35990 72000 |"},
        // Bad input: the sound part shown, the rest kept in the note
        {"[%cal Gz9f3,Xe2e4,Gg1f3,Ge4e4,Gg1f3f4,,]", " | Gg1f3 | | -1 -1 |"},
        {"[%csl Rd5,Qe4,R,rd6,Gi1]", " | | Rd5 | -1 -1 |"},
        {"[%clk soon] [%clk 0:60:00] [%clk 0:04:58] [%clk 0:01:00]",
         " | | | 2980 -1 | [%clk soon] [%clk 0:60:00] [%clk 0:01:00]"},
        {"[%emt 1:2:3:4] [%emt :05] [%emt 5:] [%emt 0:05.]",
         " | | | -1 -1 | [%emt 1:2:3:4] [%emt :05] [%emt 5:] [%emt 0:05.]"},
        {"[%cal Gg1f3 [%] [%cal] x [%] [%evalx]", "[%cal Gg1f3 [%] x [%] | | | -1 -1 | [%evalx]"},
        {"x [%cal Gg1f3", "x [%cal Gg1f3 | | | -1 -1 |"},
    };
    for (const auto& [note, parts] : rows) EXPECT_EQ(Described(ParseNote(note)), parts) << note;
}

// Drawn on a note and drawn again, each row's change takes itself back.
TEST(NoteCommands, DrawnInPlaceAndTakenBackExactly) {
    const NoteArrow g1f3{'G', {6, 0}, {5, 2}};
    const NoteMark d5{'R', {3, 4}};
    const struct {
        const char* note;
        bool arrow;  // else the mark
        const char* drawn;
    } rows[] = {
        {"", true, "[%cal Gg1f3]"},
        {"", false, "[%csl Rd5]"},
        {"Good move", true, "[%cal Gg1f3] Good move"},
        {"  Good", false, "  [%csl Rd5] Good"},
        {"[%csl Rd5] Good", true, "[%csl Rd5][%cal Gg1f3] Good"},
        {"[%cal Gg1f3] Good", false, "[%csl Rd5][%cal Gg1f3] Good"},
        {" [%clk 0:00:30]", true, " [%cal Gg1f3] [%clk 0:00:30]"},
        {"[%clk 0:00:30]", false, "[%csl Rd5] [%clk 0:00:30]"},
        {"Good [%cal Ra1a2 ]", true, "Good [%cal Ra1a2,Gg1f3 ]"},
        {"[%csl Gd4,Gc4]", false, "[%csl Gd4,Gc4,Rd5]"},
        {"x [%cal Gz9f3] y", true, "x [%cal Gz9f3,Gg1f3] y"},
        {"[%cal] x", true, "[%cal Gg1f3] x"},
        {"Words\n[%cal Ra1a2]\n[%cal Bb1b2]", true, "Words\n[%cal Ra1a2,Gg1f3]\n[%cal Bb1b2]"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.note);
        std::string note = row.note;
        const auto toggle = [&](std::string& text) {
            return row.arrow ? ToggleArrow(text, g1f3) : ToggleMark(text, d5);
        };
        ASSERT_TRUE(toggle(note));
        EXPECT_EQ(note, row.drawn);
        std::string back = row.drawn;
        ASSERT_TRUE(toggle(back));
        EXPECT_EQ(back, std::string(row.note) == "[%cal] x" ? "x" : row.note);
    }
    // Taken from wherever it stands; in another colour it takes this one.
    const std::pair<std::string, std::string> taken[] = {
        {"[%cal Ra1a2,Gg1f3,Bb1b2]", "[%cal Ra1a2,Bb1b2]"},
        {"[%cal Gg1f3, Ra1a2] x", "[%cal Ra1a2] x"},
        {"[%cal Ra1a2] [%cal Gg1f3] x", "[%cal Ra1a2] x"},
        {"x [%cal Gg1f3]", "x"},
        {"x [%cal Gg1f3] y", "x y"},
        {" [%cal Gg1f3]", ""},
        {"[%cal Yg1f3] x", "[%cal Gg1f3] x"},
    };
    for (auto [note, expected] : taken) {
        EXPECT_TRUE(ToggleArrow(note, g1f3));
        EXPECT_EQ(note, expected);
    }
    // No arrow, no room: the note as it was.
    std::string note = "x";
    EXPECT_FALSE(ToggleArrow(note, {'G', {4, 3}, {4, 3}}));
    EXPECT_FALSE(ToggleArrow(note, {'O', {4, 3}, {4, 4}}));
    EXPECT_FALSE(ToggleMark(note, {'G', {8, 0}}));
    note = std::string(CGameRecord::kMaxNoteLength - 8, 'x');
    EXPECT_FALSE(ToggleMark(note, d5));
    EXPECT_EQ(note.size(), CGameRecord::kMaxNoteLength - 8);
}

TEST(NoteCommands, EditedWordsKeepTheCommandsWhereTheyStood) {
    const struct {
        const char* note;
        const char* words;
        const char* written;
    } rows[] = {
        {"Plain", "Other", "Other"},
        {"[%csl Rd5][%cal Gg1f3] Good", "Better", "[%csl Rd5][%cal Gg1f3] Better"},
        {" [%eval 0.17] [%clk 0:00:30]", "Tense.", " [%eval 0.17] [%clk 0:00:30] Tense."},
        {"Good [%clk 0:00:30]", "Bad", "Bad [%clk 0:00:30]"},
        {"[%csl Rd5]  Good\n[%clk 0:00:30]", "Bad", "[%csl Rd5]  Bad\n[%clk 0:00:30]"},
        {"A [%cal Ga1a2] b [%clk 0:01:00]", "c", "[%cal Ga1a2] c [%clk 0:01:00]"},
        {"[%csl Rd5] Good [%clk 0:00:30]", "", "[%csl Rd5] [%clk 0:00:30]"},
        {"[%csl Rd5] Good", "", "[%csl Rd5]"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(WithWords(row.note, row.words), row.written) << row.note;
        EXPECT_EQ(NoteWords(row.written), row.words) << row.note;
    }
}

TEST(NoteCommands, ClocksAreShownBesideTheMove) {
    const std::pair<const char*, const char*> rows[] = {
        {"[%clk 0:04:58]", "4:58"},
        {"[%clk 1:04:58.3]", "1:04:58.3"},
        {"[%clk 0:00:05.0] [%emt 0:00:07]", "0:05 +0:07"},
        {"[%emt 2:00:00]", "+2:00:00"},
        {"[%clk later] Good", ""},
        {"No clock", ""},
    };
    for (const auto& [note, text] : rows) EXPECT_EQ(MoveClockText(note), text) << note;
}

TEST(NoteCommands, AThousandArrowsAreReadAndTheNoteKept) {
    std::string note = "Many: [%cal ";
    for (int i = 0; i < 1000; ++i)
        note += std::string(i ? "," : "") + "G" + Square(i % 8, i / 8 % 8).Name() +
                Square((i + 1) % 8, i / 64 % 8).Name();
    note += "]";
    const NoteParts parts = ParseNote(note);
    EXPECT_EQ(parts.words, "Many:");
    EXPECT_EQ(parts.arrows.size(), 1000u);
    std::string drawn = note;
    EXPECT_FALSE(ToggleMark(drawn, {'G', {0, 0}}));  // beyond the longest note
    EXPECT_EQ(drawn, note);
    EXPECT_EQ(WithWords(note, "Few:"), "Few: [%cal " + note.substr(12));
}

}  // namespace
