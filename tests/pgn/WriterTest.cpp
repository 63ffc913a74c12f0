// The bytes the writer produces: tags, SETUP and FEN, notes, ply lines, "%F", result.
#include <gtest/gtest.h>

#include "PgnTestSupport.h"

using pgntest::CrLf;
using pgntest::EmptyGame;
using pgntest::GameWithMoves;
using pgntest::kStandardFen;
using pgntest::Lines;
using pgntest::Read;
using pgntest::SetNote;

namespace {

const std::vector<std::string> kDefaultTagLines = {
    "[Event \"?\"]", "[Site \"?\"]",  "[Date \"?\"]",   "[Round \"?\"]",
    "[White \"?\"]", "[Black \"?\"]", "[Result \"*\"]",
};

// The lines after the seven tags (and SETUP and FEN).
std::vector<std::string> BodyLines(const std::string& written) {
    std::vector<std::string> lines = Lines(written);
    std::size_t skip = 7;
    if (lines.size() > 7 && lines[7].rfind("[SETUP", 0) == 0) skip = 9;
    return std::vector<std::string>(lines.begin() + static_cast<long>(skip), lines.end());
}

TEST(PgnWriter, WritesTheExampleGameByteForByte) {
    auto game = GameWithMoves(kStandardFen, "e4 e5 Nf3");
    SetNote(*game, 0, "good");
    game->SetTag(CGameRecord::Result, "*");

    std::vector<std::string> expected = kDefaultTagLines;
    for (const char* line :
         {"[SETUP \"1\"]", "[FEN \"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1\"]",
          "1. e4 {good}", "", "e5 ", "2. Nf3 ", "*"})
        expected.push_back(line);
    EXPECT_EQ(WritePgnToString(*game), CrLf(expected));
}

TEST(PgnWriter, NewGameIsEightLinesAndGainsSetupOnceChanged) {
    auto game = EmptyGame();
    for (int tag = 0; tag < CGameRecord::kTagCount; ++tag)
        game->SetTag(tag, tag == CGameRecord::Result ? "*" : "?");
    std::vector<std::string> eight = kDefaultTagLines;
    eight.push_back("*");
    EXPECT_EQ(WritePgnToString(*game), CrLf(eight));

    // A start given as FEN, as the board view gives it, brings SETUP and FEN once moved.
    ASSERT_TRUE(game->SetFromFen(kStandardFen));
    ASSERT_EQ(ApplyMoveText(*game, "d4", White), MoveTextResult::Played);
    eight.insert(eight.end() - 1, {"[SETUP \"1\"]", std::string("[FEN \"") + kStandardFen + "\"]",
                                   "1. d4 "});
    EXPECT_EQ(WritePgnToString(*game), CrLf(eight));
}

TEST(PgnWriter, FileWithoutSetupIsWrittenWithoutIt) {
    auto read = Read("1. e4 e5 2. Nf3 *\n");
    ASSERT_TRUE(read.result.ok) << read.result.message;
    std::vector<std::string> expected = kDefaultTagLines;
    for (const char* line : {"1. e4 ", "e5 ", "2. Nf3 ", "*"}) expected.push_back(line);
    EXPECT_EQ(Lines(WritePgnToString(*read.game)), expected);
}

TEST(PgnWriter, TagLinesAndResultLine) {
    struct Row { const char* name; int tag; const char *value, *tagLine, *resultLine; };
    using G = CGameRecord;
    const Row rows[] = {
        {"white wins", G::Result, "1-0", "[Result \"1-0\"]", "1-0"},
        {"black wins", G::Result, "0-1", "[Result \"0-1\"]", "0-1"},
        {"draw", G::Result, "1/2-1/2", "[Result \"1/2-1/2\"]", "1/2-1/2"},
        {"other result text keeps its tag", G::Result, "1-0 forfeit", "[Result \"1-0 forfeit\"]",
         "*"},
        {"half-point sign is no token", G::Result, "\xC2\xBD-\xC2\xBD",
         "[Result \"\xC2\xBD-\xC2\xBD\"]", "*"},
        {"empty result is a star", G::Result, "", "[Result \"*\"]", "*"},
        {"empty event is a question mark", G::Event, "", "[Event \"?\"]", "*"},
        {"quotes and backslashes escaped", G::Site, "Club \"V\" \\ Hall",
         "[Site \"Club \\\"V\\\" \\\\ Hall\"]", "*"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto game = EmptyGame();
        game->SetTag(row.tag, row.value);
        const std::vector<std::string> lines = Lines(WritePgnToString(*game));
        ASSERT_EQ(lines.size(), 8u);
        EXPECT_EQ(lines.back(), row.resultLine);
        for (int tag = 0; tag < CGameRecord::kTagCount; ++tag)
            EXPECT_EQ(lines[tag], tag == row.tag ? row.tagLine : kDefaultTagLines[tag]);
    }
}

TEST(PgnWriter, OtherProgramsTagsAndGlyphsAreSavedWhole) {
    struct Row { const char* name; std::string text; std::vector<std::string> afterSevenTags; };
    const Row rows[] = {
        {"tags beyond the seven in the order read, after SETUP and FEN",
         "[Event \"E\"]\n[WhiteElo \"2100\"]\n[SetUp \"1\"]\n"
         "[FEN \"4k3/8/8/8/8/8/8/4K3 w - - 0 1\"]\n[ECO \"A00\"]\n\n1. Kd2 *\n",
         {"[SETUP \"1\"]", "[FEN \"4k3/8/8/8/8/8/8/4K3 w - - 0 1\"]", "[WhiteElo \"2100\"]",
          "[ECO \"A00\"]", "1. Kd2 ", "*"}},
        {"escaped and unescaped quotes, backslashes",
         "[Annotator \"Ann \\\"Eye\\\" C:\\\\\"]\n[Opening \"King's \"Gambit\"\"]\n*\n",
         {"[Annotator \"Ann \\\"Eye\\\" C:\\\\\"]", "[Opening \"King's \\\"Gambit\\\"\"]",
          "*"}},
        {"$1 to $6 join the move as signs, other glyphs stay beside it",
         "1. e4 $1 a6 $14 2. e5! $2 d5 $146 $18 3. exd6 e.p. $4 *\n",
         {"1. e4! ", "a6 $14 ", "2. e5! $2 ", "d5 $146 $18 ", "3. exd6 e.p. $4 ", "*"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto read = Read(row.text);
        ASSERT_TRUE(read.result.ok) << read.result.message;
        const std::string written = WritePgnToString(*read.game);
        const std::vector<std::string> lines = Lines(written);
        EXPECT_EQ(std::vector<std::string>(lines.begin() + 7, lines.end()), row.afterSevenTags);
        auto back = Read(written);
        ASSERT_TRUE(back.result.ok) << back.result.message;
        EXPECT_EQ(WritePgnToString(*back.game), written);
    }
}

TEST(PgnWriter, FlippedBoardWritesPercentFAndReadsBack) {
    struct Row { const char* name; const char* moves; std::vector<std::string> body; };
    const Row rows[] = {
        {"with moves", "e4 c5", {"1. e4 ", "c5 ", "", "%F", "*"}},
        {"without moves", "", {"", "%F", "*"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto game = GameWithMoves(kStandardFen, row.moves);
        game->m_flipped = 1;
        const std::string written = WritePgnToString(*game);
        EXPECT_EQ(BodyLines(written), row.body);
        auto read = Read(written);
        ASSERT_TRUE(read.result.ok) << read.result.message;
        EXPECT_EQ(read.game->m_flipped, 1);
    }
}

TEST(PgnWriter, NoteBlocksWrapAndReadBackUnchanged) {
    const std::string nine = "abcdefghi";
    std::string words;  // ten words of nine letters, the last with a tenth
    for (int i = 0; i < 10; ++i) words += (i ? " " : "") + nine;
    words += "j";
    ASSERT_EQ(words.size(), 100u);
    const std::string run80(80, 'r'), run81(81, 's'), run90(90, 't');

    struct Row { const char* name; std::string note; std::vector<std::string> block; };
    const Row rows[] = {
        {"short note on the move's line", "good", {"1. e4 {good}", ""}},
        {"break at the last blank among the first 81", words,
         {"1. e4 {" + words.substr(0, 80), words.substr(80) + "}", ""}},
        {"a blank at position 80 still ends the first line", run80 + " tail words",
         {"1. e4 {" + run80 + " ", "tail words}", ""}},
        {"exactly 80 characters stay on one line", run80, {"1. e4 {" + run80 + "}", ""}},
        {"81 characters without a blank stay whole", run81, {"1. e4 {" + run81 + "}", ""}},
        {"a long run is kept whole up to its next blank", "go " + run90 + " on",
         {"1. e4 {go ", run90 + " ", "on}", ""}},
        {"a run longer than a line after words", "aa bb " + run81 + " cc",
         {"1. e4 {aa bb ", run81 + " ", "cc}", ""}},
        {"trailing blanks are not written", "well played   ", {"1. e4 {well played}", ""}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto game = GameWithMoves(kStandardFen, "e4");
        SetNote(*game, 0, row.note);
        const std::string written = WritePgnToString(*game);
        std::vector<std::string> expected = row.block;
        expected.push_back("*");
        EXPECT_EQ(BodyLines(written), expected);

        auto read = Read(written);
        ASSERT_TRUE(read.result.ok) << read.result.message;
        EXPECT_EQ(read.game->m_ply[0].hasNote, 1);
        EXPECT_EQ(read.game->m_ply[0].note, NoteAsWritten(row.note));
    }
}

TEST(PgnWriter, BracketsAndSemicolonsAreReplacedOnlyInTheFile) {
    auto game = GameWithMoves(kStandardFen, "e4");
    const std::string note = "see (a) {b}; c";
    SetNote(*game, 0, note);
    const std::string written = WritePgnToString(*game);
    EXPECT_EQ(BodyLines(written), (std::vector<std::string>{"1. e4 {see  a   b : c}", "", "*"}));
    EXPECT_EQ(game->m_ply[0].note, note);

    // A closing bracket at the end is dropped with its blank: a second save matches the first.
    game->m_ply[0].note = "plan (b)";
    const std::string first = WritePgnToString(*game);
    EXPECT_EQ(BodyLines(first)[0], "1. e4 {plan  b}");
    auto read = Read(first);
    ASSERT_TRUE(read.result.ok) << read.result.message;
    EXPECT_EQ(WritePgnToString(*read.game), first);
}

TEST(PgnWriter, BlankNotesWriteNoBlock) {
    struct Row { const char* name; const char* note; int hasNote; };
    const Row rows[] = {{"empty note", "", 1},
                        {"blanks only", "     ", 1},
                        {"text without the note flag", "hidden", 0},
                        {"a bracket only becomes a blank", "( )", 1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto game = GameWithMoves(kStandardFen, "e4 e5");
        SetNote(*game, 0, row.note, row.hasNote);
        EXPECT_EQ(BodyLines(WritePgnToString(*game)),
                  (std::vector<std::string>{"1. e4 ", "e5 ", "*"}));
    }
}

// The move words after an empty line that follows no note block.
std::vector<std::string> WordsAfterCountBreak(const std::string& written) {
    std::vector<std::string> body = BodyLines(written);
    std::vector<std::string> words;
    for (std::size_t i = 1; i + 1 < body.size(); ++i)
        if (body[i].empty() && body[i - 1].back() != '}') words.push_back(body[i + 1]);
    return words;
}

TEST(PgnWriter, RunningCountBreaksThePlyLines) {
    // Knights out and back: White words of six characters up to move 9, Black words of three.
    std::string moves;
    for (int i = 0; i < 12; ++i) moves += i % 2 == 0 ? "Nf3 Nf6 " : "Ng1 Ng8 ";
    struct Row { const char* name; int noteOnPly; std::vector<std::string> words; };
    const Row rows[] = {
        {"9 * 6 + 8 * 3 = 78 after 17 plies; the 18th brings 81", -1, {"Nf6 "}},
        {"a note on ply 1 restarts: plies 2-17 make 72, then 79 and 82", 1, {"Ng8 "}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto game = GameWithMoves(kStandardFen, moves);
        ASSERT_EQ(game->m_plyCount, 24);
        if (row.noteOnPly >= 0) SetNote(*game, row.noteOnPly, "n");
        const std::string written = WritePgnToString(*game);
        EXPECT_EQ(WordsAfterCountBreak(written), row.words);
        const std::vector<std::string> body = BodyLines(written);
        if (row.noteOnPly < 0) {
            EXPECT_EQ(std::vector<std::string>(body.begin() + 16, body.begin() + 19),
                      (std::vector<std::string>{"9. Nf3 ", "", "Nf6 "}));
        }
        auto read = Read(written);
        ASSERT_TRUE(read.result.ok) << read.result.message;
        EXPECT_EQ(read.game->m_plyCount, 24);
    }
}

TEST(PgnWriter, StartNoteStandsAfterTheTags) {
    auto game = EmptyGame();
    game->m_startNote = "abc";
    game->m_hasStartNote = 1;
    const std::string written = WritePgnToString(*game);
    EXPECT_EQ(BodyLines(written), (std::vector<std::string>{"{abc}", "*"}));
    auto read = Read(written);
    ASSERT_TRUE(read.result.ok) << read.result.message;
    EXPECT_EQ(read.game->m_hasStartNote, 1);
    EXPECT_EQ(read.game->m_startNote, "abc");
    EXPECT_EQ(WritePgnToString(*read.game), written);
}

TEST(PgnWriter, BlackFirstGameWritesItsFirstPlyWithDots) {
    const std::string fen = "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 35";
    auto game = GameWithMoves(fen, "c5 Nf3 d6 d4");
    SetNote(*game, 0, "the Sicilian");
    const std::string written = WritePgnToString(*game);
    EXPECT_EQ(BodyLines(written), (std::vector<std::string>{"35... c5 {the Sicilian}", "",
                                                            "36. Nf3 ", "d6 ", "37. d4 ", "*"}));
    auto read = Read(written);
    ASSERT_TRUE(read.result.ok) << read.result.message;
    const CGameRecord& back = *read.game;
    EXPECT_STREQ(back.m_startFen, fen.c_str());
    EXPECT_EQ(pgntest::MovesOf(back), "c5 Nf3 d6 d4");
    EXPECT_STREQ(back.m_ply[0].text, game->m_ply[0].text);
    EXPECT_EQ(back.m_ply[0].note, "the Sicilian");
    EXPECT_EQ(back.MakeFullFen(), game->MakeFullFen());
    EXPECT_EQ(WritePgnToString(back), written);
}

}  // namespace
