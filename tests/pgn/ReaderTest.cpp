// Reading game files: tags, move text, notes, refusals (damaged files: ui/BadInputTest.cpp).
#include <gtest/gtest.h>

#include <optional>

#include "PgnTestSupport.h"

using pgntest::EmptyGame;
using pgntest::kStandardFen;
using pgntest::MovesOf;
using pgntest::Read;

namespace {

// Reads text the reader must accept.
pgntest::ReadOutcome ReadOk(const std::string& text) {
    auto read = Read(text);
    EXPECT_TRUE(read.result.ok) << read.result.message;
    return read;
}

TEST(PgnReader, ReadsMovetextInEveryForm) {
    struct Row { const char* name; std::string text; std::string moves; };
    const Row rows[] = {
        {"several moves per line, numbers before White only",
         "[Event \"x\"]\n\n1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 1/2-1/2\n", "e4 e5 Nf3 Nc6 Bb5 a6"},
        {"Black's number with three dots after a comment", "1. e4 {centre} 1... e5 2. Nf3 *\n",
         "e4 e5 Nf3"},
        {"number glued to Black's move", "1.e4 1...e5 2.Nf3 *\n", "e4 e5 Nf3"},
        {"number at the end of a line", "1. e4 e5 2.\nNf3 Nc6 3.\n\nBb5 *\n", "e4 e5 Nf3 Nc6 Bb5"},
        {"moves without any numbers", "e4 e5 Nf3 *\n", "e4 e5 Nf3"},
        {"numeric glyphs", "1. e4 $1 e5 $14 2. Nf3$2 Nc6 $146 *\n", "e4! e5 Nf3? Nc6"},
        {"stand-alone glyphs skipped", "1. e4 ! e5 ?? 2. Nf3 !? Nc6 ?! 3. Bb5 !! a6 ? *\n",
         "e4 e5 Nf3 Nc6 Bb5 a6"},
        {"castling with zeros", "1. e4 e5 2. Nf3 Nc6 3. Bc4 Bc5 4. 0-0 Nf6 *\n",
         "e4 e5 Nf3 Nc6 Bc4 Bc5 O-O Nf6"},
        {"long castling with zeros after a number",
         "[FEN \"r3k3/3p4/8/8/8/8/3P4/R3K3 w Qq - 0 1\"]\n1.0-0-0 0-0-0 *\n", "O-O-O O-O-O"},
        {"castling with en and em dashes",
         "[FEN \"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1\"]\n1. O\u2013O\u2013O O\u2014O+ *\n",
         "O-O-O O-O+"},
        {"moves given by their squares", "e2e4 e7e5 g1f3 b8c6 f1b5 *\n", "e4 e5 Nf3 Nc6 Bb5"},
        {"castling and promotion given by squares",
         "[FEN \"8/P6k/8/8/8/8/8/4K2R w K - 0 1\"]\ne1g1 h7g6 a7a8n *\n", "O-O Kg6 a8=N"},
        {"en-passant mark after White's capture", "1. e4 a6 2. e5 d5 3. exd6 e.p. Qxd6 *\n",
         "e4 a6 e5 d5 exd6 e.p. Qxd6"},
        {"en-passant mark with a check sign", "1. e4 a6 2. e5 d5 3. exd6 e.p.+ *\n",
         "e4 a6 e5 d5 exd6 e.p.+"},
        {"result 1-0 ends the game", "1. e4 1-0 e5\n", "e4"},
        {"result 0-1 ends the game", "1. e4 e5 0-1\n2. Nf3\n", "e4 e5"},
        {"result 1/2-1/2 ends the game", "1. e4 1/2-1/2\n", "e4"},
        {"a star ends the game", "1. e4 e5 * 2. Nf3\n", "e4 e5"},
        {"a half-point sign ends the game", "1. e4 \xC2\xBD-\xC2\xBD\n", "e4"},
        {"header and moves on one line", "[Event \"One\"] [Site \"Line\"] 1. e4 e5 2. Nf3 1-0",
         "e4 e5 Nf3"},
        {"Black to move first, with its number",
         "[FEN \"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1\"]\n1... c5 2. Nf3 "
         "*\n",
         "c5 Nf3"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto read = ReadOk(row.text);
        EXPECT_EQ(MovesOf(*read.game), row.moves);
        EXPECT_EQ(read.game->m_curPly, read.game->m_plyCount);
    }
}

TEST(PgnReader, PlyLinesAndThePositionReached) {
    auto read = ReadOk("[FEN \"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1\"]\n"
                       "c5 Nf3 d6 *");
    EXPECT_EQ(read.game->m_sideToMove, White);
    EXPECT_EQ(read.game->MakeFullFen(),
              "rnbqkbnr/pp2pppp/3p4/2p5/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 0 3");
    // Numbered on from the start FEN's move number, by the side that moved.
    struct Row { const char *fen, *moves; std::vector<std::string> lines; };
    const Row rows[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 35", "Nc6 Nf3 Nf6",
         {"35. ...\tNc6", "36. Nf3", "36. ...\tNf6"}},
        {"4k3/8/8/8/8/8/8/4K2R w - - 0 20", "Rh2 Kd7", {"20. Rh2", "20. ...\tKd7"}},
        {"4k3/8/8/8/8/8/8/4K2R w - - 0 80", "Rh2", {"80. Rh2"}},
        {"4k3/8/8/8/3pP3/8/5K2/8 b - e3 0 999849", "d4e3", {"999849. ...\tdxe3 e.p.+"}},  // 22
    };
    for (const Row& row : rows) {
        auto game = ReadOk(std::string("[FEN \"") + row.fen + "\"]\n" + row.moves + " *\n").game;
        std::vector<std::string> texts;
        for (int i = 0; i < game->m_plyCount; ++i) texts.push_back(game->m_ply[i].text);
        EXPECT_EQ(texts, row.lines) << row.fen;
    }
    const auto squares = ReadOk("g1f3 *\n");  // a move given by its squares
    const PlyRecord& nf3 = squares.game->m_ply[0];
    EXPECT_EQ(SquareName(nf3.fromFile, nf3.fromRank) + SquareName(nf3.toFile, nf3.toRank), "g1f3");
}

TEST(PgnReader, Tags) {
    struct Row { const char* name; std::string text; int tag; std::string value; };
    const std::string longValue(300, 'v');
    using G = CGameRecord;
    const Row rows[] = {
        {"a plain tag", "[White \"Ames, Jo\"]\n*\n", G::WhiteName, "Ames, Jo"},
        {"EventDate is not Event", "[Event \"Real\"]\n[EventDate \"2020.01.01\"]\n*\n", G::Event,
         "Real"},
        {"EventDate alone leaves Event empty", "[EventDate \"2020.01.01\"]\n*\n", G::Event, ""},
        {"blanks after the bracket", "[Black \"Brook\"]   \t\n*\n", G::BlackName, "Brook"},
        {"blanks before the bracket", "   [Round \"4\"]\n*\n", G::Round, "4"},
        {"CR LF line ends", "[Site \"Leeds\"]\r\n*\r\n", G::Site, "Leeds"},
        {"unescaped quotes stay", "[Site \"Club \"Victory\"\"]\n*\n", G::Site, "Club \"Victory\""},
        {"backslash before the closing quote", "[Event \"Cup \\\"]\n*\n", G::Event, "Cup \\"},
        {"escaped quotes and backslash", "[Event \"\\\"A\\\" \\\\ B\"]\n*\n", G::Event,
         "\"A\" \\ B"},
        {"other alphabets", "[White \"J\xC3\xB6rg \xC3\x85s\"]\n*\n", G::WhiteName,
         "J\xC3\xB6rg \xC3\x85s"},
        {"result tag beats the result token", "[Result \"1-0\"]\n1. e4 0-1\n", G::Result, "1-0"},
        {"a missing tag stays empty", "[Event \"x\"]\n*\n", G::Date, ""},
        {"several tags on one line", "[Event \"A\"] [Site \"B\"] [Date \"C\"]\n*\n", G::Date, "C"},
        {"the first of several on one line", "[Event \"A\"] [Site \"B\"]\n*\n", G::Event, "A"},
        {"a too long value is cut", "[Event \"" + longValue + "\"]\n*\n", G::Event,
         longValue.substr(0, 255)},
        {"byte-order mark", "\xEF\xBB\xBF[Event \"Bom\"]\n*\n", G::Event, "Bom"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto read = ReadOk(row.text);
        EXPECT_EQ(std::string(read.game->m_tag[row.tag]), row.value);
    }
}

TEST(PgnReader, StartPositionTags) {
    struct Row {
        const char* name; std::string text; int fromSetup; std::string startFen, finalFen;
    };
    const Row rows[] = {
        {"no FEN tag: the standard start", "[SetUp \"1\"]\n1. e4 *\n", 0, kStandardFen,
         "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1"},
        {"a FEN tag sets the start",
         "[SetUp \"1\"]\n[FEN \"4k3/8/8/8/8/8/4P3/4K3 w - - 0 40\"]\n1. e4 *\n", 1,
         "4k3/8/8/8/8/8/4P3/4K3 w - - 0 40", "4k3/8/8/8/4P3/8/8/4K3 b - e3 0 40"},
        {"the standard FEN written by a board view",
         std::string("[SETUP \"1\"]\n[FEN \"") + kStandardFen + "\"]\n*\n", 1, kStandardFen,
         kStandardFen},
        {"a variant tag naming standard chess", "[Variant \"Standard\"]\n*\n", 0, kStandardFen,
         kStandardFen},
        {"a variant tag for a set position",
         "[Variant \"From Position\"]\n[FEN \"4k3/8/8/8/8/8/8/4K2R w K - 0 1\"]\n1. O-O *\n", 1,
         "4k3/8/8/8/8/8/8/4K2R w K - 0 1", "4k3/8/8/8/8/8/8/5RK1 b - - 1 1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto read = ReadOk(row.text);
        EXPECT_EQ(read.game->m_fromSetup, row.fromSetup);
        EXPECT_EQ(std::string(read.game->m_startFen), row.startFen);
        EXPECT_EQ(read.game->MakeFullFen(), row.finalFen);
    }
}

TEST(PgnReader, CommentsAndVariationsBecomeNotes) {
    struct Row {  // notes: ply index and note
        const char* name;
        std::string text, moves;
        std::optional<std::string> startNote;
        std::vector<std::pair<int, std::string>> notes;
    };
    const std::optional<std::string> none;
    const Row rows[] = {
        {"a comment after a move", "1. e4 {centre} e5 *\n", "e4 e5", none, {{0, "centre"}}},
        {"comment lines joined with one blank", "1. e4 {first line\nsecond line} e5 *\n", "e4 e5",
         none, {{0, "first line second line"}}},
        {"a line ending in a blank gains none", "1. e4 {first \nsecond} *\n", "e4", none,
         {{0, "first second"}}},
        {"CR LF inside a comment", "1. e4 {first\r\nsecond} *\r\n", "e4", none,
         {{0, "first second"}}},
        {"nested braces kept", "1. e4 {outer {inner} more} e5 *\n", "e4 e5", none,
         {{0, "outer {inner} more"}}},
        {"parentheses in a comment", "1. e4 {a (b} e5 *\n", "e4 e5", none, {{0, "a (b"}}},
        {"several comments joined", "1. e4 {one} {two} e5 {three}{four} *\n", "e4 e5", none,
         {{0, "one two"}, {1, "three four"}}},
        {"rest-of-line comment", "1. e4 ; to the end\ne5 *\n", "e4 e5", none,
         {{0, " to the end"}}},
        {"start note", "{Intro} 1. e4 *\n", "e4", "Intro", {}},
        {"start note after the tags", "[Event \"x\"]\n{Intro}\n1. e4 *\n", "e4", "Intro", {}},
        {"start note stays open over a move-like line", "{Intro\n1. e4 is the move}\n1. e4 *\n",
         "e4", "Intro 1. e4 is the move", {}},
        {"variation is the note of the move before", "1. e4 e5 (1... c5 2. Nf3) 2. Nf3 *\n",
         "e4 e5 Nf3", none, {{1, "1... c5 2. Nf3"}}},
        {"comment inside a variation", "1. e4 (1. d4 {queen} d5) e5 *\n", "e4 e5", none,
         {{0, "1. d4 {queen} d5"}}},
        {"nested variations", "1. e4 (1. d4 d5 (1... Nf6)) e5 *\n", "e4 e5", none,
         {{0, "1. d4 d5 (1... Nf6)"}}},
        {"comment and variation", "1. e4 {best} (1. d4) e5 *\n", "e4 e5", none,
         {{0, "best 1. d4"}}},
        {"variation over lines", "1. e4 (1. d4\nd5) e5 *\n", "e4 e5", none, {{0, "1. d4 d5"}}},
        {"comment before the result", "1. e4 e5 {even} *\n", "e4 e5", none, {{1, "even"}}},
        {"star inside a comment", "1. e4 {*} e5 *\n", "e4 e5", none, {{0, "*"}}},
        {"tag-like line in a comment", "1. e4 {see\n[Event]} e5 *\n", "e4 e5", none,
         {{0, "see [Event]"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto read = ReadOk(row.text);
        const CGameRecord& game = *read.game;
        EXPECT_EQ(MovesOf(game), row.moves);
        EXPECT_EQ(game.m_hasStartNote != 0, row.startNote.has_value());
        EXPECT_EQ(game.m_startNote, row.startNote.value_or(""));
        std::vector<std::pair<int, std::string>> notes;
        for (int i = 0; i < game.m_plyCount; ++i)
            if (game.m_ply[i].hasNote) notes.emplace_back(i, game.m_ply[i].note);
        EXPECT_EQ(notes, row.notes);
    }
}

TEST(PgnReader, LongCommentsAreCutToTheNoteSize) {
    auto read = ReadOk("1. e4 {" + std::string(5000, 'x') + "} e5 *\n");
    EXPECT_EQ(read.game->m_ply[0].note, std::string(4097, 'x'));
    EXPECT_EQ(MovesOf(*read.game), "e4 e5");
    std::string accents;  // a cut never leaves half of a two-byte character
    for (int i = 0; i < 2100; ++i) accents += "\xC3\xA9";
    EXPECT_EQ(ReadOk("{" + accents + "} *\n").game->m_startNote.size(), 4096u);
}

TEST(PgnReader, FlipAndDates) {
    struct Row { const char* name; std::string text; int flipped; std::string dateOfFirstPly; };
    const Row rows[] = {
        {"%F after the moves", "1. e4 \n\n%F\n*\n", 1, ""},
        {"%F without moves", "[Event \"x\"]\n\n%F\n*\n", 1, ""},
        {"%F as the first line", "%F\n*\n", 1, ""},
        {"no %F", "1. e4 *\n", 0, ""},
        {"%F inside a comment is text", "1. e4 {\n%F\n} *\n", 0, ""},
        {"a date line after a move", "1. e4 \n%D 03/01/24\ne5 *\n", 0, " 03/01/24"},
        {"a date line before any move changes nothing", "%D 03/01/24\n1. e4 *\n", 0, ""},
        {"a date too long is cut", "1. e4\n%D 2024-03-01 10:00\n*\n", 0, " 2024-03-01"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto read = ReadOk(row.text);
        EXPECT_EQ(read.game->m_flipped, row.flipped);
        EXPECT_EQ(read.game->GetPlyDate(0), row.dateOfFirstPly);
    }
}

TEST(PgnReader, RefusesWhatItCannotReadWhole) {
    struct Row { const char* name; std::string text; std::string message; };
    const std::string bad = "Unexpected file format.";
    auto move = [](const char* m) {
        return std::string("The move ") + m + " cannot be played in its position.";
    };
    const Row rows[] = {
        {"the file ends inside a comment", "1. e4 {open *\n", bad},
        {"the file ends inside a variation", "1. e4 (1. d4 *\n", bad},
        {"castling with zeros, then no result", "1. e4 e5 2. Nf3 Nc6 3. Bc4 Bc5 4. 0-0\n", bad},
        {"a White move no piece can make", "1. e4 e5 2. Qh6 *\n", move("2. Qh6")},
        {"a Black move no piece can make", "1. e4 Nf3 *\n", move("1... Nf3")},
        {"a Black move against the rules", "1. e4 e5 2. Nf3 Ke6 *\n", move("2... Ke6")},
        {"a word that is no move", "1. e4 hello *\n", move("1... hello")},
        {"a token that only starts like castling", "1. e4 e5 2. Nf3 Nf6 3. Bc4 Bc5 4. OO *\n",
         move("4. OO")},
        {"two knights that could both go", "1. d4 d5 2. Nf3 Nf6 3. Nd2 *\n", move("3. Nd2")},
        {"a number not followed by a full stop", "1. e4 e5 2x Nf3 *\n", move("2. 2x")},
        {"a FEN tag that is no position", "[FEN \"not a position\"]\n*\n",
         "The FEN tag of this game does not describe a chess position: \"not a position\"."},
        {"a move named by its number from the FEN",
         "[FEN \"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 37\"]\n37... Nc6 38. Qh8 *",
         move("38. Qh8")},
        {"a move number no list line has room for",
         "[FEN \"4k3/8/8/8/8/8/8/4K3 w - - 0 999850\"]\n*\n",
         "The FEN's move number 999850 is larger than 999849, the largest from which Ravelin "
         "can number a game's moves."},
        {"a half-move clock beyond the largest read",
         "[FEN \"4k3/8/8/8/8/8/8/4K3 w - - 1000000 9\"]\n*\n",
         "The FEN's half-move clock 1000000 is larger than 999999, the largest Ravelin reads."},
        {"Chess960", "[Variant \"Chess960\"]\n*\n", 
         "This game is a chess variant (Chess960); Ravelin records standard chess only."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto read = Read(row.text);
        EXPECT_FALSE(read.result.ok);
        EXPECT_EQ(read.result.message, row.message);
    }
}

TEST(PgnReader, RefusedFileLeavesTheGameAsItWas) {
    auto game = EmptyGame();
    ASSERT_TRUE(ReadPgnFromString("[White \"A\"]\n{I}\n1. e4 {n} e5 2. Nf3\n%F\n1-0\n", *game).ok);
    const std::string before = WritePgnToString(*game), fenBefore = game->MakeFullFen();

    for (const char* refused : {"[White \"Other\"]\n1. d4 d5", "[FEN \"x\"]\n*\n",
                                "[Black \"B\"]\n{note} 1. d4 Ke5 *\n"}) {
        SCOPED_TRACE(refused);
        EXPECT_FALSE(ReadPgnFromString(refused, *game).ok);
        EXPECT_EQ(WritePgnToString(*game), before);
        EXPECT_EQ(game->MakeFullFen(), fenBefore);
        EXPECT_EQ(game->m_plyCount, 3);
        EXPECT_EQ(game->m_curPly, 3);
    }
}

TEST(PgnReader, ReportsFurtherGames) {
    EXPECT_FALSE(ReadOk("[Event \"One\"]\n1. e4 *\n\n").result.moreGames);
    EXPECT_TRUE(ReadOk("1. e4 *\n\n[Event \"Two\"]\n1. d4 *\n").result.moreGames);
    auto trailing = ReadOk("1. e4 *\nthanks for watching\n");  // text after the result
    EXPECT_FALSE(trailing.result.moreGames);
    EXPECT_EQ(MovesOf(*trailing.game), "e4");
}

}  // namespace
