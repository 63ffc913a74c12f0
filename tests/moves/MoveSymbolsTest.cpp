// Marks on a move from the keyboard: move glyphs joined to its text, position
// symbols beside it, the diagram mark at the head of its note.
#include <sstream>

#include "LineTestSupport.h"
#include "MoveSymbols.h"

namespace {

using linetest::ExpectGame;
using linetest::Row;

// Row: the symbols `move` names ("$n", or "#" for the diagram) given in turn
// to ply `ply` of the path's line, and the signs the move list shows then.
TEST(MoveSymbols, GivenTakenAndShown) {
    // 61 bytes of glyphs: no room for a $14 beside them.
    const std::string glyphs = " $20 $21 $22 $23 $24 $25 $26 $27 $28 $29 $30 $31 $32 $140 $141 ";
    const std::string fullGlyphs = "1. e4" + glyphs + "*";
    const std::string fullNote(CGameRecord::kMaxNoteLength, 'x');
    const std::string noted = "1. e4 {" + fullNote + "} e5 *";
    const std::string marked = "1. e4 {[#] " + fullNote.substr(4) + "} e5";  // within the limit
    const char kWidest[] = "[FEN \"4k3/8/8/8/3pP3/8/5K2/8 b - e3 0 999849\"]\nd4e3 *";
    const Row rows[] = {
        // clang-format off
        // A move glyph joins the text where it fits, replaces the other one, goes again when
        // given twice; position symbols are glyphs beside the move; the diagram a note mark.
        {"1. e4 e5 *", {}, "1. e4!? e5", 0, "$1 $5"},
        {"1. e4 e5!$2 *", {}, "1. e4 e5??", 1, "$4"},
        {"1. e4 e5 *", {}, "1. e4 e5", 1, "$4 $4"},
        {"1. e4 e5 *", {}, "1. e4 e5 $16", 1, "$6 $6 $13 $14 $16", 0, "", "+/-"},
        {"1. e4 e5 *", {}, "1. e4 e5?! $13", 1, "$13 $6", 0, "", "\xE2\x88\x9E"},
        // 60 bytes of glyphs, and a position symbol just fits; $20 is no position symbol
        {"1. e4 $20 $21 $22 $23 $140 $141 $142 $143 $144 $145 $146 $147 $148 *", {},
         "1. e4 $20 $21 $22 $23 $140 $141 $142 $143 $144 $145 $146 $147 $148 $14", 0, "$14"},
        {fullGlyphs.c_str(), {}, "=", 0, "$14"},  // 61 bytes: no room for one more
        {"1. e4 e5 $14 *", {}, "1. e4 e5", 1, "$14"},  // the glyph read is taken off
        {"1. e4 e5 *", {}, "1. e4 e5 $10", 1, "$10", 0, "", "="},
        {"1. e4 e5 *", {}, "1. e4 e5 $17", 1, "$17", 0, "", "-/+"},
        {kWidest, {},
         "[FEN 4k3/8/8/8/3pP3/8/5K2/8 b - e3 0 999849] 999849. ...\\tdxe3 e.p.+ $3 $14", 0,
         "$1 $3 $14", 0, "", "!! +="},
        {"1. e4 {Best} e5 *", {{1, 0}}, "!", 0, "#"},
        {"1. e4 {Best} e5 (1... c5) *", {{1, 0}},
         "1. e4 {Best} e5 ( 1. ...\\tc5 {[#]} )", 1, "# # #"},
        {"1. e4 {Best} e5 (1... c5) *", {{1, 0}}, "1. e4 {Best} e5 ( 1. ...\\tc5 )", 1,
         "# #"},  // the mark taken off leaves no empty note
        {"1. e4 {Best} e5 *", {}, "1. e4 {[#] Best} e5", 0, "#"},
        {noted.c_str(), {}, marked.c_str(), 0, "#"},
        {"1. e4 e5 (1... c5) *", {{1, 0}}, "1. e4! e5 ( 1. ...\\tc5 )", 0, "$1"},
        {"1. e4 e5 $36 $140 *", {}, "1. e4 e5 $36 $140 $14", 1, "$14"},
        {"1. e4 e5 $10 *", {}, "1. e4 e5 $19", 1, "$14 $19", 0, "", "-+"},  // one of them
        {"1. e4 {Best} e5 *", {}, "=", 0, "$5 $0 $5 $7 $9 $20 # #"},
        // clang-format on
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        auto game = pgntest::ReadOk(row.text);
        auto line = std::make_unique<CGameRecord>();
        bool done = TakeLine(*game, row.path, *line);
        std::istringstream marks(row.move);
        std::string mark;
        while (done && marks >> mark) {
            PlyRecord& ply = line->m_ply[row.ply];
            if (mark == "#")
                ToggleDiagram(ply);
            else if (std::atoi(mark.c_str() + 1) <= 6)
                ToggleMoveSymbol(ply, std::atoi(mark.c_str() + 1));
            else
                TogglePositionSymbol(ply, std::atoi(mark.c_str() + 1));
        }
        if (done && row.shown != nullptr) {
            EXPECT_EQ(SymbolsShown(line->m_ply[row.ply]), row.shown) << row.move;
        }
        if (done) StoreLine(*game, row.path, *line);
        ExpectGame(*game, done, row);
    }
}

}  // namespace
