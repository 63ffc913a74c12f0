// Reading game files: move text, tags, notes, refusals; every game read also
// survives a save (damaged files: ui/BadInputTest.cpp).
#include "PgnTestSupport.h"

using pgntest::Describe;
using namespace std::string_literals;

namespace {

std::string Refused(const std::string& move) {
    return "! The move " + move + " cannot be played in its position.";
}
// A game set up from `fen`: its text with `moves`, and what reading it gives ("! ..." a refusal).
std::pair<std::string, std::string> FromFen(const std::string& fen, const std::string& moves,
                                            const std::string& read) {
    return {"[FEN \"" + fen + "\"]\n" + moves, read[0] == '!' ? read : "[FEN " + fen + "] " + read};
}
// The notice of a variation read up to a move that cannot be played there.
std::string Partly(const std::string& move) {
    return " !! A variation holds a move that cannot be played in its position, " + move +
           "; the variation is kept up to that move, and its text from there on as a note.";
}

// Variations each an alternative to the first move of the one before.
std::string nested(int depth, const std::string& open = " (1. ", const std::string& close = ")") {
    std::string text;
    for (int i = 0; i < depth; ++i) text += open + (i % 2 ? "c4" : "d4");
    for (int i = 0; i < depth; ++i) text += close;
    return text;
}
// Variations of 100 half-moves each, knights out and back.
std::string shuffles(int count) {
    std::string one = " (1... Nf6", all = " e5";
    for (int move = 2; move <= 50; ++move)
        one += " " + std::to_string(move) + (move % 2 ? ". Ng1 Nf6" : ". Nf3 Ng8");
    for (int i = 0; i < count; ++i) all += one + " 51. Ng1)";
    return all;
}

// `moves` moves of knights out and back, the longest game a record holds at 150.
std::string knights(int moves) {
    std::string text;
    for (int move = 1; move <= moves; ++move)
        text += " " + std::to_string(move) + (move % 2 ? ". Nf3 Nf6" : ". Ng1 Ng8");
    return text.substr(1);
}

TEST(PgnReader, ReadsOrRefusesWhole) {
    const std::string v253(253, 'v'), euro = "\xE2\x82\xAC", x5000(5000, 'x');
    std::string accents;
    for (int i = 0; i < 2100; ++i) accents += "\xC3\xA9";
    const std::string bad = "! Unexpected file format.",
                      unclosed = "! A variation in this game's moves is never closed.",
                      castles = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1",
                      wide = "4k3/8/8/8/3pP3/8/5K2/8 b - e3 0 999849",
                      notFen = "! The FEN tag of this game does not describe a chess position: \"",
                      variant = "! This game is a chess variant (",
                      standard = "); Ravelin records standard chess only.";
    const std::pair<std::string, std::string> rows[] = {
        // text, game read or "! refusal"; move text in every form
        {"1.e4 1...e5 2.\nNf3 Nc6 3.\n\nBb5 *\n", "1. e4 e5 Nf3 Nc6 Bb5"},
        {"e4 e5 Nf3 *\n", "1. e4 e5 Nf3"},
        {"1. e4 $1 a6 $14 2. e5!$2 d5 $146 $18 3. exd6 e.p.+ $4 Qxd6 *",
         "1. e4! a6 $14 e5! $2 d5 $146 $18 exd6 e.p.+ $4 Qxd6"},
        // Signs written apart from their moves are the moves' glyphs; none before a move.
        {"1. e4 !! e5 ? 2. Nf3 !? Nc6 ?! *\n", "1. e4!! e5? Nf3!? Nc6?!"},
        {"! 1. e4! ?? e5 ! $2 2. Nf3 ( ?? 2. Nc3 !) ! *\n", "1. e4! $4 e5! $2 Nf3! ( 2. Nc3! )"},
        {"1. e4 e5 $14\n2. Nf3 $146\n*", "1. e4 e5 $14 Nf3 $146"},  // glyphs that end their lines
        {"1. e4 $140 $141 $142 $143 $144 $145 $146 $147 $148 $149 $150 $151 $152 $153 *\n",
         "1. e4 $140 $141 $142 $143 $144 $145 $146 $147 $148 $149 $150 $151 $152"},  // 64 bytes
        {"1. e4 e5 2. Nf3 Nc6 3. Bc4 Bc5 4. 0-0 Nf6 *\n", "1. e4 e5 Nf3 Nc6 Bc4 Bc5 O-O Nf6"},
        // Black's move with its dots glued to it, after a number and a blank
        {"1. e4 1. ...e5 2. Nf3 2. ..Nc6 *\n", "1. e4 e5 Nf3 Nc6"},
        {"1. e4 e5 (1. ...c5 2. Nf3) 2. Nf3 *\n", "1. e4 e5 ( 1. ...\\tc5 Nf3 ) Nf3"},
        {"1. e4 1. ...Ke3 *\n", Refused("1... Ke3")},
        FromFen("r3k3/3p4/8/8/8/8/3P4/R3K3 w Qq - 0 1", "1.0-0-0 0-0-0 *\n", "1. O-O-O O-O-O"),
        FromFen("3k4/8/8/8/8/8/8/R3K3 w Q - 0 1", "1. 0-0-0+ *\n", "1. O-O-O+"),
        FromFen(castles, "1. O\u2013O\u2013O O\x97O+ *\n", "1. O-O-O O-O+"),
        FromFen(castles, "1. O\u2014O O\x96O\x96O *\n", "1. O-O O-O-O"),
        FromFen(castles, "1. O.O *\n", Refused("1. O.O")),
        {"e2-e4 e7e5 g1f3 b8c6 f1b5 *\n", "1. e4 e5 Nf3 Nc6 Bb5"},
        {"e2e4 f7f5 d1h5+ g7g6 h5g6+ h7g6 *\n", "1. e4 f5 Qh5+ g6 Qxg6+ hxg6"},
        {"f2f3 e7e5 g2g4 d8h4# *\n", "1. f3 e5 g4 Qh4#"},
        FromFen("8/P6k/8/8/8/8/8/4K2R w K - 0 1", "e1g1 h7g6 a7a8n *\n", "1. O-O Kg6 a8=N"),
        FromFen("4k3/8/8/8/8/8/p7/4K3 b - - 0 1", "a2a1r *\n", "1. ...\\ta1=R+"),
        FromFen("4k3/8/8/8/8/8/8/R3K3 w Q - 0 1", "e1b1 *\n", Refused("1. e1b1")),
        FromFen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 35", "Nc6 Nf3 Nf6 *",
                "35. ...\\tNc6 Nf3 Nf6"),
        FromFen(wide, "d4e3 *", "999849. ...\\tdxe3 e.p.+"),    // the widest list line
        FromFen(wide, "dxe3+ e.p.+ *", "999849. ...\\tdxe3+"),  // no room for the mark
        FromFen("7k/8/8/2b5/3pP3/2n2PP1/5KP1/4NBR1 b - e3 0 1", "dxe3 e.p.# *",  // mate
                "1. ...\\tdxe3 e.p.#"),
        {"1. e4 1-0 e5\n", "[Result 1-0] 1. e4"},  // the token stands in for the tag
        {"1. e4 \xC2\xBD-\xC2\xBD\n", "[Result 1/2-1/2] 1. e4"},
        // A draw cut to "1/2", as token or tag, is the draw in full; a game goes on past it
        // in a variation only.
        {"1. e4 e5 1/2\n", "[Result 1/2-1/2] 1. e4 e5"},
        {"[Result \"1/2\"]\n1. e4 (1. d4 1/2 d5) e5 *\n", "[Result 1/2-1/2] 1. e4 ( 1. d4 d5 ) e5"},
        {"[Result \"1-0\"]\n1. e4 1/2\n", "[Result 1-0] 1. e4"},
        {"1. e4 1/2\n\n[Event \"Two\"]\n1. d4 1/2\n", "[Result 1/2-1/2] 1. e4 (more games)"},
        {"[Result \"?\"]\n1. e4 e5 2. Qh5 Nc6 3. Bc4 Nf6 4. Qxf7#1-0\n",
         "[Result 1-0] 1. e4 e5 Qh5 Nc6 Bc4 Nf6 Qxf7#"},
        {"1. e4 e5*\n", "1. e4 e5"},
        {"1. e4 e5 2. Nf3 Nc6* 3. Bb5\n", "1. e4 e5 Nf3 Nc6"},
        {"1. e4 *\n\n[Event \"Two\"]\n1. d4 *\n", "1. e4 (more games)"},
        {"1. e4 *\nthanks for watching\n", "1. e4"},
        {"1. e4 *; not a note $1\n", "1. e4"},
        // Tags
        {"[Event \"One\"] [Site \"Line\"] 1. e4 e5 2. Nf3 1-0",
         "[Event One] [Site Line] [Result 1-0] 1. e4 e5 Nf3"},
        {"[Event \"Real\"]\n[EventDate \"2020\"]\n*\n", "[Event Real] [EventDate 2020]"},
        {"[Event]\n[Site Leeds]\n1. e4 *\n", "[Site Leeds] 1. e4"},
        {"   [Round \"4\"]  \t\r\n[Black \"Brook\"]\r\n*\r\n", "[Round 4] [Black Brook]"},
        {"[Site \"Club \"Victory\"\"]\n*\n", "[Site Club \"Victory\"]"},
        {"[Event \"Cup \\\"]\n*\n", "[Event Cup \\]"},
        {"[Event \"\\\"A\\\" \\\\ B\"]\n*\n", "[Event \"A\" \\ B]"},
        {"[Event \"\"] [Site \"x\"]\n*\n", "[Site x]"},  // an empty value, another tag after
        {"[Result \"1-0\"]\n1. e4 0-1\n", "[Result 1-0] 1. e4"},
        {"[Event  Open  ]\n%F \n*\n", "[Event Open] %F"},  // blanks after a value, a %F
        {"[Event \"a\\\"] [b\"]\n[Site \"c\"] d\"]\n*\n", "[Event a\"] [b] [Site c\"] d]"},
        {"[Event \"" + v253 + "vv" + euro + "\"]\n*\n", "[Event " + v253 + "vv]"},
        {"[Event \"" + v253 + euro + "\"]\n*\n", "[Event " + v253 + "]"},
        {"\xEF\xBB\xBF[Event \"Bom\"]\n*\n", "[Event Bom]"},
        {"[SetUp \"1\"]\n[Variant \"Standard\"]\n1. e4 *\n", "[Variant Standard] 1. e4"},
        {"[Event \"A\"]\n% an escaped line\n[White \"B\"]\n1. e4 *\n", "[Event A] [White B] 1. e4"},
        {"[Variant \"From Position\"]\n[FEN \"4k3/8/8/8/8/8/8/4K2R w K - 0 1\"]\n1. O-O *\n",
         "[Variant From Position] [FEN 4k3/8/8/8/8/8/8/4K2R w K - 0 1] 1. O-O"},
        // Notes, flip and dates
        {"1. e4 {first line\nsecond line} e5 {first \nsecond\r\nthird} *\r\n",
         "1. e4 {first line second line} e5 {first second third}"},
        {"1. e4 {a { b} e5 {a (b} {*} Nf3 {see\n[Event \"x\"]\n} *\n",  // braces do not nest
         "1. e4 {a { b} e5 {a (b *} Nf3 {see [Event \"x\"]}"},
        {"{ Open } 1. e4 { one } {two  } e5 {  } *\n", "{ Open} 1. e4 { one two} e5 {}"},
        {"1. e4 {one} {two} e5 {three}{four} *\n", "1. e4 {one two} e5 {three four}"},
        {"1. e4 ; to the end\ne5 *\n", "1. e4 { to the end} e5"},
        {"[Event \"x\"]\n;%F\n1. e4 *\n", "[Event x] {%F} 1. e4"},
        {"[Event \"x\"]\n{Intro\n1. e4 is the move}\n1. e4 *\n",
         "[Event x] {Intro 1. e4 is the move} 1. e4"},
        // Variations: nested, with notes and glyphs, at the first and the last move
        {"1. e4 {best} (1. d4 {queen} d5 (1... Nf6\n)) e5 *\n",
         "1. e4 {best} ( 1. d4 {queen} d5 ( 1. ...\\tNf6 ) ) e5"},
        {"1. e4 (1. d4) (1. c4 (1. Nf3)) e5 ({Sharp} 1... c5 $14 {Sicilian} 2. Nf3 $1) *\n",
         "1. e4 ( 1. d4 ) ( 1. c4 ( 1. Nf3 ) ) e5 ( {Sharp} 1. ...\\tc5 $14 {Sicilian} Nf3! )"},
        {"(1. d4) 1. e4 (1. c4 *) *\n", "{1. d4} 1. e4 ( 1. c4 )"},
        {"1. e4 e5 2. Nf3 ((2. Nc3) 2. d4) Nc6 *\n", "1. e4 e5 Nf3 ( {2. Nc3} 2. d4 ) Nc6"},
        {"1. e4 e5 (1... c5 2. Qh6 {why} (2. Nf3) Nc6) 2. Nf3 *\n",
         "1. e4 e5 ( 1. ...\\tc5 {2. Qh6 {why} (2. Nf3) Nc6} ) Nf3" + Partly("2. Qh6")},
        {"1. e4 {best} (1. Qh5 e5) e5 *\n", "1. e4 {best 1. Qh5 e5} e5" + Partly("1. Qh5")},
        // A null move passes in a variation, to show a threat: written "--" or "Z0", with
        // glyphs, signs and variations of its own; in check no side may pass.
        {"1. e4 e5 (1... -- 2. d4 (2. c4 c5) d5) 2. Nf3 (2. Z0 $140 Nc6 3. Nf3) Nc6 *\n",
         "1. e4 e5 ( 1. ...\\t-- d4 ( 2. c4 c5 ) d5 ) Nf3 ( 2. -- $140 Nc6 Nf3 ) Nc6"},
        {"1. e4 e5 2. Nf3 (2. --!? Nc6) (2. Z0 ?? Nf6) *\n",
         "1. e4 e5 Nf3 ( 2. --!? Nc6 ) ( 2. --?? Nf6 )"},
        {"1. e4 f5 2. Qh5+ g6 (2... --) *\n", "1. e4 f5 Qh5+ g6 {2... --}" + Partly("2... --")},
        {"1. e4 -- 2. d4 *\n", Refused("1... --")},
        {"1. e4 e5 2. Z0 *\n", Refused("2. Z0")},
        {"1. e4" + nested(64) + " *\n", "1. e4" + nested(64, " ( 1. ", " )")},
        {"1. e4" + nested(65) + " *\n",
         "! This game's variations are nested more than 64 deep; Ravelin keeps at most 64 "
         "levels."},
        {"1. e4" + shuffles(200) + " *\n", "1. e4 ..."},
        {knights(150) + " (150... Nc6 151. Nc3) *\n",
         "1. Nf3 ... !! A variation goes on past 300 half-moves from the start of the game, the "
         "most a line holds, at 151. Nc3; the variation is kept up to that move, and its text "
         "from there on as a note."},
        {"1. e4" + shuffles(201) + " *\n",
         "! This game's variations hold more than 20000 half-moves; Ravelin keeps at most 20000 "
         "in the variations of a game."},
        {"1. e4 {" + x5000 + "} e5 *\n", "1. e4 {" + x5000.substr(0, 4097) + "} e5"},
        {"{" + accents + "} *\n", "{" + accents.substr(0, 4096) + "}"},
        {"1. e4 \n%D 03/01/24\ne5\n%D 2024-03-01 10:00\n\n%F\n*\n",
         "1. e4 %D 03/01/24 e5 %D 2024-03-01 %F"},
        {"%F\n{c}\n%D 03/01/24\n1. e4 {\n%F\n} *\n", "{c} 1. e4 {%F} %F"},
        // Refusals
        {"", bad},
        {"1. e4 {open *\n", "! A comment in this game's moves is never closed."},
        {"1. e4 (1. d4 *\n", unclosed},
        {"1. e4 (1. d4\n\n[Event \"Two\"]\n1. c4 c5) *\n", unclosed},
        {"1. e4 (1. d4\n\n[Event \"Two\" ] \n1. c4 c5) *\n", unclosed},  // blanks around ]
        {"[Event \"x\"]\n1. e4 e5 2. Nf3\n", "! The file ends before this game's result."},
        {"1. e4 e5\n[Event \"Two\"]\n1. d4 *\n",
         "! The next game's tags begin before this game's result."},
        {"1. e4 *\n\0\n"s, bad},  // no text file holds a NUL byte
        {"1. e4 e5 2. Qh6 *\n", Refused("2. Qh6")},
        {"1. e4 Nf3 *\n", Refused("1... Nf3")},
        {"1. e4 e5 2. Nf3 Nf6 3. Bc4 Bc5 4. OO *\n", Refused("4. OO")},
        {"1. d4 d5 2. Nf3 Nf6 3. Nd2 *\n", Refused("3. Nd2")},  // either knight
        {"1. e4 e5 2x Nf3 *\n", Refused("2. 2x")},
        {"1. e4 e5 11-0\n", Refused("2. 11-0")},  // a result glued to a bare number is no result
        {"1. e4 a\x01" + v253 + " *\n", Refused("1... a?" + v253.substr(0, 18) + "...")},
        {"[FEN \"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 37\"]\n37... Nc6 38. Qh8 *",
         Refused("38. Qh8")},
        {"[FEN \" 4k3/8/8/8/8/8/8/4K3 w - - 0 1 \"]\n*\n", "[FEN 4k3/8/8/8/8/8/8/4K3 w - - 0 1]"},
        FromFen("not a position", "*\n", notFen + "not a position\"."),
        FromFen(v253, "*\n", notFen + v253.substr(0, 100) + "...\"."),
        {"[FEN \"4k3/8/8/8/8/8/8/4K3 w - - 0 999850\"]\n*\n",
         "! The FEN's move number 999850 is larger than 999849, the largest from which Ravelin "
         "can number a game's moves."},
        {"[FEN \"4k3/8/8/8/8/8/8/4K3 w - - 1000000 9\"]\n*\n",
         "! The FEN's half-move clock 1000000 is larger than 999999, the largest Ravelin reads."},
        {"[Variant \"Chess960\"]\n*\n", variant + "Chess960" + standard},
        {"[Variant \"" + v253 + "\"]\n*\n", variant + v253.substr(0, 40) + "..." + standard},
    };
    // Each text is read over a game already open: a refused one leaves it as it was.
    const auto open =
        pgntest::ReadOk("[Event \"E\"]\n[White \"A\"]\n{I}\n1. e4 {n} e5 2. Nf3\n%F\n1-0\n");
    const std::string openBytes = WritePgnToString(*open);
    for (const auto& [text, expected] : rows) {
        SCOPED_TRACE(text.substr(0, 120));
        auto game = std::make_unique<CGameRecord>(*open);
        const PgnReadResult result = ReadPgnFromString(text, *game);
        std::string read = Describe(*game);
        // A long game is described by its first move, "1. e4 ...".
        const std::size_t cut = expected.find(" ...");
        if (read.size() > 200 && cut < 8) read = read.substr(0, cut) + " ...";
        EXPECT_EQ(result.ok ? read + (result.moreGames ? " (more games)" : "") +
                                  (result.notices.empty() ? "" : " !! " + result.notices.front())
                            : "! " + result.message,
                  expected);
        if (!result.ok) {
            EXPECT_EQ(WritePgnToString(*game), openBytes);
            EXPECT_EQ(game->MakeFullFen(), open->MakeFullFen());
            continue;
        }
        EXPECT_EQ(game->m_curPly, game->m_plyCount);
        pgntest::ExpectSurvivesSave(*game);
    }
}

}  // namespace
