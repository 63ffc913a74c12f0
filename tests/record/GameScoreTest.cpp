// The blocks of a printed score: heading, move paragraphs broken by notes and
// variations, glyphs, diagrams and the result.
#include <functional>

#include "GameScore.h"
#include "NagSigns.h"
#include "TestGames.h"

namespace {

// Fonts as the printer finds them: one with every sign, the book face here
// (DejaVu Serif, without the one-glyph slight advantages, zugzwang and
// "better is"), and one of ASCII alone.
bool EveryGlyph(char32_t) {
    return true;
}
bool BookFace(char32_t ucs4) {
    return ucs4 != 0x2A71 && ucs4 != 0x2A72 && ucs4 != 0x2A00 && ucs4 != 0x2313;
}
bool AsciiOnly(char32_t ucs4) {
    return ucs4 < 0x80;
}

// A block as one line: its kind's letter, its depth, its text; a diagram as
// the FEN placement of its board, its arrows and its marks.
std::string Line(const ScoreBlock& block) {
    std::string text = block.text;
    if (block.kind == ScoreBlock::Kind::Diagram) {
        auto board = tg::Game("8/8/8/8/8/8/8/8 w - - 0 1");
        for (int file = 0; file < 8; ++file)
            for (int rank = 0; rank < 8; ++rank)
                board->SetSquare(file, rank, block.color[file][rank], block.piece[file][rank]);
        const std::string fen = board->MakeFullFen();
        text += fen.substr(0, fen.find(' '));
        for (const NoteArrow& arrow : block.arrows)
            text += std::string(" ") + arrow.colour + arrow.from.Name() + arrow.to.Name();
        for (const NoteMark& mark : block.marks)
            text += std::string(" ") + mark.colour + mark.square.Name();
    }
    return std::string(1, "PHMNDR"[static_cast<int>(block.kind)]) + std::to_string(block.depth) +
           " " + text;
}

// The plies that `moves` ("f1c4 3. Bc4" ...) add after the first `plies` of the opening.
PlyList Moves(int plies, const std::vector<std::pair<const char*, const char*>>& moves) {
    auto game = tg::GameWithPlies(plies, "");
    PlyList line;
    for (const auto& [uci, text] : moves) {
        tg::PlayAndRecord(*game, uci, text);
        line.push_back(game->m_ply[game->m_plyCount - 1]);
    }
    return line;
}

// 1. e4 e5 2. Nf3! {Develops. [#], an arrow, a mark, a clock} Nc6 3. Bb5
// (3. Bc4 Bc5) a6 $14, with a heading that lacks Black and the day.
void Annotated(CGameRecord& game) {
    game.SetTag(CGameRecord::Event, "Club");
    game.SetTag(CGameRecord::Date, "2026.12.??");
    game.SetTag(CGameRecord::WhiteName, "Short, Nigel");
    game.SetTag(CGameRecord::Result, "1-0");
    CopyToField(game.m_ply[2].text, PlyRecord::kTextSize, "2. Nf3!");
    game.m_ply[2].note = "[%csl Rd5][%cal Gf3e5] Develops. [#] [%clk 0:04:58]";
    game.m_ply[2].hasNote = 1;
    game.m_ply[5].nags = "$1 $7 $14 $20 $36 $146 $70 $201";  // $201 means nothing agreed
    game.m_ply[4].variations.push_back(
        {"", Moves(4, {{"f1c4", "3. Bc4"}, {"f8c5", "3. ...\tBc5"}})});
}

}  // namespace

TEST(GameScore, BlocksOfAPage) {
    const struct {
        const char* rule;
        int plies;
        std::function<void(CGameRecord&)> edit;
        bool figurines;
        std::vector<std::string> blocks;
    } rows[] = {
        // clang-format off
        {"a note, a variation, glyphs, a NAG and a marked diagram with its arrow and mark", 6, Annotated, false,
         {"P0 Short, Nigel \u2013 NN", "H0 Club, 2026.12, 1-0", "M0 1. e4 e5 2. Nf3!",
          "D0 rnbqkbnr/pppp1ppp/8/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R Gf3e5 Rd5", "N0 Develops.",
          "M0 2... Nc6 3. Bb5", "M1 3. Bc4 Bc5",
          "M0 3... a6! \u25A1 += +\u2212 \u2191 N (White has a poorly protected king)", "R0 1-0"}},
        {"Black resumes numbered after a note; unmarked, the final position; figurines", 5,
         [](CGameRecord& game) {
             game.m_ply[2].note = "  The knight\n comes out. ";
             game.m_ply[2].hasNote = 1;
         },
         true,
         {"P0 NN \u2013 NN", "M0 1. e4 e5 2. \u2658f3", "N0 The knight comes out.",
          "M0 2... \u2658c6 3. \u2657b5", "D0 r1bqkbnr/pppp1ppp/2n5/1B2p3/4P3/5N2/PPPP1PPP/RNBQK2R"}},
        {"a note before the first move, a drawn result, the last move's arrow", 2,
         [](CGameRecord& game) {
             game.m_startNote = "Played blindfold.";
             game.m_hasStartNote = 1;
             game.m_ply[1].note = "[%cal Bd2d4] [%clk 0:01:00]";  // no words: no paragraph
             game.m_ply[1].hasNote = 1;
             game.SetTag(CGameRecord::WhiteName, "Anna");
             game.SetTag(CGameRecord::Result, "1/2-1/2");
         },
         false,
         {"P0 Anna \u2013 NN", "H0 \u00BD-\u00BD", "N0 Played blindfold.", "M0 1. e4 e5",
          "D0 rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR Bd2d4", "R0 \u00BD-\u00BD"}},
        {"notes of clocks alone break no paragraph", 4,
         [](CGameRecord& game) {
             for (int ply = 0; ply < 4; ++ply) {
                 game.m_ply[ply].note = "[%clk 0:04:58]";
                 game.m_ply[ply].hasNote = 1;
             }
         },
         false,
         {"P0 NN \u2013 NN", "M0 1. e4 e5 2. Nf3 Nc6",
          "D0 r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R"}},
        {"a pass in a variation, marked for a diagram of the threat", 4,
         [](CGameRecord& game) {
             PlyRecord pass = game.m_ply[1];  // the board stays
             pass.fromFile = pass.fromRank = pass.toFile = pass.toRank = -1;
             CopyToField(pass.text, PlyRecord::kTextSize, "2. --");
             pass.note = "[#] Threat.";
             pass.hasNote = 1;
             game.m_ply[2].variations.push_back({"", {pass}});
         },
         false,
         {"P0 NN \u2013 NN", "M0 1. e4 e5 2. Nf3", "M1 2. --",
          "D1 rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR", "N1 Threat.", "M0 2... Nc6"}},
        {"a variation of the first move, with a note before it", 2,
         [](CGameRecord& game) {
             game.m_ply[0].variations.push_back({"Or the queen's pawn.", Moves(0, {{"d2d4", "1. d4"}})});
         },
         false,
         {"P0 NN \u2013 NN", "M0 1. e4", "N1 Or the queen's pawn.", "M1 1. d4", "M0 1... e5",
          "D0 rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR"}},
        // clang-format on
    };
    for (const auto& row : rows) {
        auto game = tg::GameWithPlies(row.plies, "");
        for (int tag = 0; tag < CGameRecord::kTagCount; ++tag) game->SetTag(tag, "?");
        game->SetTag(CGameRecord::Result, "*");
        row.edit(*game);
        std::vector<std::string> lines;
        for (const ScoreBlock& block : BuildGameScore(*game, row.figurines, BookFace))
            lines.push_back(Line(block));
        EXPECT_EQ(lines, row.blocks) << row.rule;
    }
}

TEST(GameScore, MovesAsPrinted) {
    const struct {
        const char *listed, *letters, *figurines;
    } rows[] = {
        {"e8=Q+", "e8=Q+", "e8=\u2655+"},
        {"exd6 e.p.+", "exd6+", "exd6+"},  // the program's own marks go
        {"Nf3=!?", "Nf3!?", "\u2658f3!?"},
        {"O-O-O#", "O-O-O#", "O-O-O#"},
        {"Kxh1??", "Kxh1??", "\u2654xh1??"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ScoreMoveText(row.listed, false), row.letters) << row.listed;
        EXPECT_EQ(ScoreMoveText(row.listed, true), row.figurines) << row.listed;
    }
}

// Each glyph as a sign where the font has its characters, else in characters
// every font has, else in words.
TEST(GameScore, GlyphsAsPrinted) {
    const struct {
        int nag;
        const char *everyGlyph, *bookFace, *asciiOnly;
    } rows[] = {
        // clang-format off
        {0, "", "", ""},
        {1, "!", "!", "!"},
        {7, " \u25A1", " \u25A1", " (forced move)"},
        {9, " (worst move)", " (worst move)", " (worst move)"},
        {13, " \u221E", " \u221E", " (unclear position)"},
        {14, " \u2A72", " +=", " +="},
        {16, " \u00B1", " \u00B1", " +/-"},
        {18, " +\u2212", " +\u2212", " +-"},
        {22, " \u2A00", " (White is in zugzwang)", " (White is in zugzwang)"},
        {32, " \u27F3", " \u27F3", " (White has a moderate lead in development)"},
        {36, " \u2191", " \u2191", " (White has the initiative)"},
        {44, " =/\u221E", " =/\u221E", " (White has compensation for the material)"},
        {71, " (Black has a poorly protected king)", " (Black has a poorly protected king)",
         " (Black has a poorly protected king)"},
        {130, " \u21C6", " \u21C6", " (White has slight counterplay)"},
        {132, " \u21C6", " \u21C6", " (White has moderate counterplay)"},
        {136, " \u2295", " \u2295", " (White is in time trouble)"},
        {140, " \u2206", " \u2206", " (with the idea)"},
        {142, " \u2313", " (better is)", " (better is)"},
        {143, " \u2264", " \u2264", " <="},
        {145, " RR", " RR", " RR"},
        {146, " N", " N", " N"},
        {147, "", "", ""},
        // clang-format on
    };
    for (const auto& row : rows) {
        EXPECT_EQ(PrintedNag(row.nag, EveryGlyph), row.everyGlyph) << row.nag;
        EXPECT_EQ(PrintedNag(row.nag, BookFace), row.bookFace) << row.nag;
        EXPECT_EQ(PrintedNag(row.nag, AsciiOnly), row.asciiOnly) << row.nag;
    }
    // Every glyph with a meaning prints, in ASCII where the font has no more.
    for (int nag = 1; nag <= 146; ++nag) {
        const std::string printed = PrintedNag(nag, AsciiOnly);
        EXPECT_FALSE(printed.empty()) << nag;
        for (const char c : printed) EXPECT_GE(static_cast<signed char>(c), 0) << nag;
    }
}
