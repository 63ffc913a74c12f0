// The bytes the writer produces: tags, SETUP and FEN, notes, ply lines, "%F", result.
#include "PgnTestSupport.h"

using pgntest::Lines;

namespace {

const std::vector<std::string> kSevenTagLines = {
    "[Event \"?\"]", "[Site \"?\"]",  "[Date \"?\"]",   "[Round \"?\"]",
    "[White \"?\"]", "[Black \"?\"]", "[Result \"*\"]",
};

// The written lines, less each of the seven tag lines that holds its default.
std::vector<std::string> WrittenLines(const CGameRecord& game) {
    std::vector<std::string> lines = Lines(WritePgnToString(game));
    for (int tag = CGameRecord::kTagCount - 1; tag >= 0; --tag)
        if (lines[tag] == kSevenTagLines[tag]) lines.erase(lines.begin() + tag);
    return lines;
}

TEST(PgnWriter, NewGameIsItsSevenTagsAndAStar) {
    std::string expected;
    for (const std::string& line : kSevenTagLines) expected += line + "\r\n";
    EXPECT_EQ(WritePgnToString(*tg::Game()), expected + "*\r\n");
    // With a note before the moves, whatever its length, the file ends whole: its size
    // passes the writer's 4 KB buffer by one byte and more.
    for (std::size_t length = 3950; length <= 4096; ++length) {
        const std::string written =
            WritePgnToString(*pgntest::ReadOk("{" + std::string(length, 'x') + "} *"));
        EXPECT_EQ(written.substr(written.size() - 6), "}\r\n*\r\n") << written.size();
    }
}

TEST(PgnWriter, WritesEachPartOfAGame) {
    std::string words;  // ten words of nine letters, the last with a tenth
    for (int i = 0; i < 10; ++i) words += (i ? " abcdefghi" : "abcdefghi");
    words += "j";
    const std::string x78(78, 'x'), x79(79, 'x'), r80(80, 'r'), r81(81, 'r'), r90(90, 'r');
    const std::pair<std::string, std::vector<std::string>> rows[] = {
        // text read, lines
        {"[Result \"1-0\"]\n*", {"[Result \"1-0\"]", "1-0"}},
        {"[Result \"1-0 forfeit\"]\n*", {"[Result \"1-0 forfeit\"]", "*"}},
        {"1. e4 1/2", {"[Result \"1/2-1/2\"]", "1. e4 ", "1/2-1/2"}},
        {"[Result \"\xC2\xBD-\xC2\xBD\"]\n*", {"[Result \"\xC2\xBD-\xC2\xBD\"]", "*"}},
        {"[Site \"Club \\\"V\\\" \\\\ Hall\"]\n[Opening \"King's \"Gambit\"\"]\n*",
         {"[Site \"Club \\\"V\\\" \\\\ Hall\"]", "[Opening \"King's \\\"Gambit\\\"\"]", "*"}},
        {"[Event \"E\"]\n[WhiteElo \"2100\"]\n[SetUp \"1\"]\n[ECO \"A00\"]\n"
         "[FEN \"4k3/8/8/8/8/8/8/4K3 w KQkq - 0 0\"]\n1. Kd2 *\n",  // the FEN as it was read
         {"[Event \"E\"]", "[SETUP \"1\"]", "[FEN \"4k3/8/8/8/8/8/8/4K3 w KQkq - 0 0\"]",
          "[WhiteElo \"2100\"]", "[ECO \"A00\"]", "1. Kd2 ", "*"}},
        {"[PlyCount \"1\"]\n1. e4 e5 2. Nf3 *",
         {"[PlyCount \"3\"]", "1. e4 ", "e5 ", "2. Nf3 ", "*"}},
        {"1. e4 {good} e5 2. Nf3 *", {"1. e4 {good}", "", "e5 ", "2. Nf3 ", "*"}},
        {"[FEN \"4k3/8/8/8/8/8/8/4K3 b - - 0 35\"]\nKd7 Kd2 *",  // Black first keeps its number
         {"[SETUP \"1\"]", "[FEN \"4k3/8/8/8/8/8/8/4K3 b - - 0 35\"]", "35... Kd7 ", "36. Kd2 ",
          "*"}},
        {"1. e4 $1 a6 $14 2. e5! $2 d5 $146 $18 3. exd6 e.p. $4 *",
         {"1. e4! ", "a6 $14 ", "2. e5! $2 ", "d5 $146 $18 ", "3. exd6 e.p. $4 ", "*"}},
        // Notes wrap at the last blank within 80 characters, or at the first after.
        {"1. e4 {" + words + "} *",
         {"1. e4 {" + words.substr(0, 80), words.substr(80) + "}", "", "*"}},
        {"1. e4 {a " + x78 + "} *", {"1. e4 {a " + x78 + "}", "", "*"}},
        {"1. e4 {a " + x79 + "} *", {"1. e4 {a ", x79 + "}", "", "*"}},
        {"1. e4 {" + r80 + " tail words} *", {"1. e4 {" + r80 + " ", "tail words}", "", "*"}},
        {"1. e4 {" + r81 + "} *", {"1. e4 {" + r81 + "}", "", "*"}},
        {"1. e4 {go " + r90 + " on} *", {"1. e4 {go ", r90 + " ", "on}", "", "*"}},
        {"1. e4 {well played   } *", {"1. e4 {well played}", "", "*"}},
        // A file saved when brackets were written as blanks and ";" as ":" reads and saves
        // as it did.
        {"1. e4 {see  a   b : c}\r\n\r\ne5 *", {"1. e4 {see  a   b : c}", "", "e5 ", "*"}},
        // Variations: after the move they replace, numbered where Black starts or resumes
        {"1. e4 (1. d4 {q} d5 (1... Nf6 2. c4 $14)) ({Or} 1. c4) e5 2. Nf3 (2. f4) *",
         {"1. e4 ", "( 1. d4 {q}", "", "d5 ", "( 1... Nf6 ", "2. c4 $14 ", ")", ")",
          "( {Or}", "1. c4 ", ")", "1... e5 ", "2. Nf3 ", "( 2. f4 ", ")", "*"}},
    };
    // Notes no file gives: only "}", which would end the block, is replaced.
    const std::pair<const char*, const char*> notes[] = {
        {"see (a) {b}; c", "1. e4 {see (a) {b); c}"},
        {"  ( ) ", "1. e4 {  ( )}"},
        // A line break stays a line of the block, but leaves no empty line before tags.
        {"x\r\nline2", "1. e4 {x"},
        {"x\r\n\r\n\r\n[Event \"y\"]\r\nz", "1. e4 {x"},
        {nullptr, "1. e4 "},  // a note without its flag
    };
    for (const auto& [text, lines] : rows) {
        SCOPED_TRACE(text);
        auto game = pgntest::ReadOk(text);
        EXPECT_EQ(WrittenLines(*game), lines);
        pgntest::ExpectSurvivesSave(*game);
    }
    for (const auto& [note, line] : notes) {
        auto game = pgntest::ReadOk("1. e4 {hidden} *");
        if (note) game->m_ply[0].note = note;
        game->m_ply[0].hasNote = note != nullptr;
        EXPECT_EQ(WrittenLines(*game)[0], line);
        pgntest::ExpectSurvivesSave(*game);
    }
    // A Result cut to "1/2", as the header can be given it, is written in full.
    auto draw = pgntest::ReadOk("1. e4 *");
    draw->SetTag(CGameRecord::Result, "1/2");
    EXPECT_EQ(WrittenLines(*draw),
              (std::vector<std::string>{"[Result \"1/2-1/2\"]", "1. e4 ", "1/2-1/2"}));
    pgntest::ExpectSurvivesSave(*draw);
}

TEST(PgnWriter, PlyLinesBreakWhereTheirCountReaches80) {
    // White words of six characters up to move 9, Black words of two or three.
    const std::string first17 =
        "Nf3 a6 Ng1 Nf6 Nf3 Ng8 Ng1 Nf6 Nf3 Ng8 Ng1 Nf6 Nf3 Ng8 Ng1 Nf6 Nf3 ";
    std::string knights;
    for (int i = 0; i < 5; ++i) knights += "Nf3 Nf6 Ng1 Ng8 ";
    const std::pair<std::string, std::vector<std::string>> rows[] = {
        {first17 + "Ng8 Ng1 *", {"Ng8 "}},                   // 77 + 3 = 80
        {first17 + "a5 Ng1 Ng8 *", {"10. Ng1 "}},            // 77 + 2 = 79, then 86
        {"Nf3 Nf6 {n} Ng1 Ng8 " + knights + "*", {"Ng8 "}},  // 72 after the note, 79, 82
    };
    for (const auto& [text, words] : rows) {
        SCOPED_TRACE(text);
        auto game = pgntest::ReadOk(text);
        // The move words after an empty line that no note block ends.
        const std::vector<std::string> lines = WrittenLines(*game);
        std::vector<std::string> after;
        for (std::size_t i = 1; i + 1 < lines.size(); ++i)
            if (lines[i].empty() && lines[i - 1].back() != '}') after.push_back(lines[i + 1]);
        EXPECT_EQ(after, words);
        pgntest::ExpectSurvivesSave(*game);
    }
}

// Whatever a note holds, it is read back from the file as it was: brackets,
// semicolons and the characters that begin lines of other meaning, at the
// start of a wrapped line or after a line break, whose break comes back as a
// blank. Only "}" comes back as ")".
TEST(PgnWriter, NotesComeBackAsTheyWere) {
    const std::string a80 = std::string(80, 'a') + " ";  // what follows begins the second line
    std::vector<std::pair<std::string, std::string>> rows = {
        // note, as read back ("" when the same)
        {"(0.70 \xE2\x86\x92 1.52) Inaccuracy; see (a)", ""},
        {"{a { b {c}} d;", "{a { b {c)) d;"},
        {"}", ")"},
        {"a\n%F\nb", "a %F b"},
        {"a\n(b)\n[Event \"x\"]\n1. e4 *\n0-1\n{c}", "a (b) [Event \"x\"] 1. e4 * 0-1 {c)"},
    };
    for (const char* start : {"(b", "%F", "%D 03/01/24", "[Event \"x\"]", "1. e4", "*", "0-1", "{b",
                              ";b", "}b", "$1", ")"})
        rows.emplace_back(a80 + start + " c", a80 + (start[0] == '}' ? ")b" : start) + " c");
    for (const auto& [note, after] : rows) {
        SCOPED_TRACE(note);
        const std::string expected = after.empty() ? note : after;
        auto game = pgntest::ReadOk("{s} 1. e4 {w} ({v} 1. d4) e5 {b} *");
        game->m_startNote = game->m_ply[0].note = game->m_ply[1].note = note;
        game->m_ply[0].variations[0].startNote = note;
        const auto back = pgntest::ReadOk(WritePgnToString(*game));
        EXPECT_EQ(back->m_startNote, expected);
        EXPECT_EQ(back->m_ply[0].note, expected);
        EXPECT_EQ(back->m_ply[1].note, expected);
        ASSERT_EQ(back->m_ply[0].variations.size(), 1u);
        EXPECT_EQ(back->m_ply[0].variations[0].startNote, expected);
        EXPECT_EQ(back->m_plyCount, 2);
        pgntest::ExpectSurvivesSave(*game);
    }
}

}  // namespace
