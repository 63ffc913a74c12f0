// The check after a save: the game read back from the file must be the game saved.
#include "PgnTestSupport.h"

namespace {

using G = CGameRecord;

TEST(SaveCheck, NamesTheFirstDifferenceOfTheGameReadBack) {
    const auto game = pgntest::ReadOk(
        "[White \"A\"]\n[ECO \"B00\"]\n"
        "[FEN \"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1\"]\n"
        "{start}\n1. e4 {n} e5 $14 2. Nf3\n%F\n*\n");
    const std::pair<void (*)(G & saved, G & reread), std::string> rows[] = {
        {[](G&, G&) {}, ""},
        {[](G& s, G& r) { s.SetTag(G::Event, ""), r.SetTag(G::Event, "?"); }, ""},
        {[](G& s, G& r) { s.SetTag(G::Result, ""), r.SetTag(G::Result, "*"); }, ""},
        {[](G& s, G& r) { s.SetTag(G::Result, "1/2"), r.SetTag(G::Result, "1/2-1/2"); }, ""},
        {[](G& s, G& r) {
             s.m_ply[0].note = "a (b) {c};\r\nd  ", r.m_ply[0].note = "a (b) {c); d";
         },
         ""},
        {[](G& s, G& r) { s.m_startNote = "x\r\n(y)\n", r.m_startNote = "x (y)"; }, ""},
        {[](G& s, G& r) {
             s.m_ply[0].note = "x\n\n[Event \"y\"]\nz", r.m_ply[0].note = "x  [Event \"y\"] z";
         },
         ""},
        {[](G& s, G& r) {
             s.m_keptTags[0] = {"PlyCount", "1"}, r.m_keptTags[0] = {"PlyCount", "3"};
         },
         ""},
        {[](G&, G& r) { r.SetTag(G::WhiteName, "B"); }, "the White tag"},
        {[](G&, G& r) { r.SetTag(G::Result, "1-0"); }, "the Result tag"},
        {[](G&, G& r) { r.m_keptTags[0].second = "B01"; }, "the other tags"},
        {[](G&, G& r) { r.m_fromSetup = 0; }, "the starting position"},
        {[](G&, G& r) { r.m_startFen[0] = 'R'; }, "the starting position"},
        {[](G&, G& r) { r.m_flipped = 0; }, "the board's orientation"},
        {[](G&, G& r) { r.m_hasStartNote = 0; }, "the note of the starting position"},
        {[](G&, G& r) { r.m_plyCount = 2; }, "the number of moves"},
        {[](G&, G& r) { r.m_ply[2].text[3] = 'B'; }, "move 2. Nf3"},
        {[](G&, G& r) { r.m_ply[1].fromFile = 3; }, "move 1. ...\te5"},
        {[](G&, G& r) { r.m_ply[1].toRank = 5; }, "move 1. ...\te5"},
        {[](G&, G& r) { r.m_ply[1].nags = "$15"; }, "move 1. ...\te5"},
        {[](G&, G& r) { r.m_ply[0].note = "m"; }, "the note of move 1. e4"},
        {[](G&, G& r) { r.m_ply[2].hasNote = 1, r.m_ply[2].note = "m"; },
         "the note of move 2. Nf3"},
    };
    for (const auto& [change, expected] : rows) {
        SCOPED_TRACE(expected);
        auto saved = std::make_unique<G>(*game), reread = std::make_unique<G>(*game);
        change(*saved, *reread);
        std::string difference;
        EXPECT_EQ(SameGameAfterSave(*saved, *reread, difference), expected.empty());
        EXPECT_EQ(difference, expected);
    }
}

}  // namespace
