// Correcting a move inside a line: the later moves replayed by their text,
// notes, glyphs and variations with them, and what no longer fits kept.
#include "LineTestSupport.h"
#include "MoveCorrection.h"

namespace {

using linetest::ExpectGame;
using linetest::kNested;
using linetest::ReplaceOnBoard;
using linetest::Row;

// Fischer - Hort, Vinkovci 1968, to move 20, with 12. h3 recorded for 12. g3.
const char kSlip[] =
    "1. e4 c6 2. d4 d5 3. exd5 cxd5 4. Nf3 Nf6 5. c3 Bf5 6. Bb5+ Nbd7 7. Nh4 Bg6 8. Bf4 e6 "
    "9. Nd2 Nh5 10. Nxg6 hxg6 11. Be3 Bd6 12. h3 {slip} a6 13. Bd3 Rc8 14. O-O Nb6 "
    "15. a4 $14 {space} (15. Qe2 Nc4) Rc7 16. Qb3 Nc8 17. c4! dxc4 18. Nxc4 Nf6 19. Rac1 O-O "
    "20. Bd2 Nd5 *";
const char kSlipFirst[] =
    "1. e4 c6 d4 d5 exd5 cxd5 Nf3 Nf6 c3 Bf5 Bb5+ Nbd7 Nh4 Bg6 Bf4 e6 Nd2 Nh5 Nxg6 hxg6 Be3 Bd6";

// Row: ply `ply` of the path's line becomes `move` on the board; the line
// index of the first later move that no longer fits, and what the user is told.
TEST(MoveCorrection, LaterMovesReplayedAndTheOldLineKept) {
    // Nested 64 deep, as deep as a game goes, and one level less, where the old
    // line still fits as a variation beside a correction.
    const auto nestedTo = [](int depth) {
        std::string text = "1. e4 e5 2. Nf3 ";
        for (int level = 0; level < depth; ++level) text += "(2. Nf3 ";
        return text + std::string(static_cast<std::size_t>(depth), ')') + " Nc6 3. Bc4 *";
    };
    const std::string deepest = nestedTo(lines::kMaxDepth), deeper = nestedTo(lines::kMaxDepth - 1);
    std::string levels;  // as described: the 63 variations of 2. Nf3 in `deeper`
    for (int level = 1; level < lines::kMaxDepth; ++level) levels = "( 2. Nf3 " + levels + ") ";
    const std::string deeperFixed =
        "1. d4 ( 1. e4 e5 Nf3 " + levels + "Nc6 Bc4 ) e5 Nf3 " + levels + "Nc6";
    // 61 bytes of glyphs: room for a correction's $1 beside them, not for a $14.
    const std::string glyphs = " $20 $21 $22 $23 $24 $25 $26 $27 $28 $29 $30 $31 $32 $140 $141 ";
    const std::string epSigned =
        "[FEN \"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1\"]\n1. Kd2!" + glyphs + "Kd7 *";
    const std::string epSignedFixed =
        "[FEN 4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1] 1. exd6 e.p. $1" + glyphs + "Kd7";
    const std::string slipFixed =
        std::string(kSlipFirst) +
        " g3 {slip} a6 Bd3 Rc8 O-O Nb6 a4 $14 {space} ( 15. Qe2 Nc4 ) Rc7 Qb3 Nc8 c4! dxc4 "
        "Nxc4 Nf6 Rac1 O-O Bd2 Nd5";
    const std::string slipBroken =
        std::string(kSlipFirst) +
        " Rc1 {slip} ( 12. h3 {slip} a6 Bd3 Rc8 O-O Nb6 a4 $14 {space} ( 15. Qe2 Nc4 ) Rc7 Qb3 "
        "Nc8 c4! dxc4 Nxc4 Nf6 Rac1 O-O Bd2 Nd5 ) a6 Bd3 Rc8 O-O Nb6 a4 $14 {space} "
        "( 15. Qe2 Nc4 ) Rc7 Qb3 Nc8 c4! dxc4 Nxc4 Nf6";
    const Row rows[] = {
        // clang-format off
        // Correcting a move replays the later ones by their text, notes, glyphs and
        // variations with them; what no longer fits leaves the old line as a variation.
        {kSlip, {}, slipFixed.c_str(), 22, "g3"},
        {kSlip, {}, slipBroken.c_str(), 22, "Rc1", 37,
         "19. Rac1 no longer fits after the correction; the later moves are kept up to there, "
         "and the line as it was is kept as a variation of 12. Rc1."},
        {"1. e4 e5 2. Nf3 ({Or} 2. Nc3 Nf6 3. Bc4) Nc6 *", {},
         "1. d4 ( 1. e4 e5 Nf3 ( {Or} 2. Nc3 Nf6 Bc4 ) Nc6 ) e5 Nf3 ( {Or} 2. Nc3 Nf6 ) Nc6", 0,
         "d4", 0,
         "3. Bc4 in a variation no longer fits after the correction; the variation is kept up "
         "to there, and the line as it was is kept as a variation of 1. d4."},
        {"1. e4 e5 (1... e6 2. Qh5 g6) 2. Nf3 *", {{1, 0}},
         "1. e4 e5 ( 1. ...\\tf6 Qh5+ g6 ) Nf3", 1, "f6"},
        {"1. e4 f5 2. Qh5+ g6 *", {}, "1. e4 e5 Qh5 g6", 1, "e5"},
        // A null move is replayed as one, with its sign and glyphs, unless it no longer
        // may be: in check.
        {"1. e4 e5 (1... e6 2. d4 --! $140 3. c4) *", {{1, 0}},
         "1. e4 e5 ( 1. ...\\te6 Nf3 --! $140 c4 )", 2, "Nf3"},
        {"1. e4 e5 (1... e6 2. d4 -- 3. c4) *", {{1, 0}},
         "1. e4 e5 ( 1. ...\\te6 d4 d5 c4 )", 3, "d5"},
        {"1. e4 e5 (1... f6 2. Nc3 -- 3. Nd5) *", {{1, 0}},
         "1. e4 e5 ( 1. ...\\tf6 Qh5+ ( 2. Nc3 -- Nd5 ) )", 2, "Qh5", 4,
         "2... -- no longer fits after the correction; the later moves are kept up to there, "
         "and the line as it was is kept as a variation of 2. Qh5+."},
        {"1. e4 f5! 2. Nf3 g6 *", {}, "1. e4 e5! Nf3 g6", 1, "e5"},  // its sign stays
        {"[FEN \"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1\"]\n1. Kd2! Kd7 *", {},
         "[FEN 4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1] 1. exd6 e.p. $1 Kd7", 0, "exd6"},
        {epSigned.c_str(), {}, epSignedFixed.c_str(), 0, "exd6"},
        {"[FEN \"4k3/P7/8/8/8/8/8/4K3 w - - 0 1\"]\n1. Ke2 Kd7 2. a8=Q *", {},
         "[FEN 4k3/P7/8/8/8/8/8/4K3 w - - 0 1] 1. Kf2 Kd7 a8=Q", 0, "Kf2"},
        {"1. e4 f5 2. Qh5 {unmarked} g6 *", {}, "=", 2, "Qh5"},
        {deepest.c_str(), {}, "=", 0, "d4", 5,
         "3. Bc4 no longer fits after the correction, and the line as it was cannot be kept as "
         "a variation of 1. d4, which would nest variations more than 64 deep; the move is not "
         "corrected."},
        {deeper.c_str(), {}, deeperFixed.c_str(), 0, "d4", 5,
         "3. Bc4 no longer fits after the correction; the later moves are kept up to there, and "
         "the line as it was is kept as a variation of 1. d4."},
        // The line kept counts with its own variation: 19,994 + 6 moves just fit.
        {"1. e4 e5 2. Nf3 (2. Nc3) Nc6 3. Bc4 *", {},
         "1. d4 ( 1. e4 e5 Nf3 ( 2. Nc3 ) Nc6 Bc4 ) e5 Nf3 ( 2. Nc3 ) Nc6", 0, "d4", 5,
         "3. Bc4 no longer fits after the correction; the later moves are kept up to there, and "
         "the line as it was is kept as a variation of 1. d4.", nullptr, 19994},
        {"1. e4 e5 2. Nf3 (2. Nc3) Nc6 3. Bc4 *", {}, "=", 0, "d4", 5,
         "3. Bc4 no longer fits after the correction, and the line as it was cannot be kept as "
         "a variation of 1. d4, which would take this game's variations past 20000 half-moves; "
         "the move is not corrected.", nullptr, 19995},

        // clang-format on
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        auto game = pgntest::ReadOk(row.text);
        auto line = std::make_unique<CGameRecord>();
        auto corrected = std::make_unique<CGameRecord>();
        ASSERT_TRUE(TakeLine(*game, row.path, *line));
        corrected->Assign(*line);
        ReplaceOnBoard(*corrected, row.ply, row.move);
        LineRoom room = RoomOfLine(*game, row.path);
        if (row.variationPlies >= 0) room.gameVariationPlies = row.variationPlies;
        const MoveCorrection correction = ReplayAfterCorrection(*line, row.ply, *corrected, room);
        EXPECT_EQ(correction.firstUnfit, row.unfit);
        EXPECT_EQ(correction.message, row.message);
        // The view decides by the kind, which must agree with what the user is told;
        // a correction refused leaves the line as it was.
        const std::string told = row.message;
        const bool refused = told.find("is not corrected") != std::string::npos;
        EXPECT_EQ(correction.kind, told.empty() ? MoveCorrection::Kind::AllFit
                                   : !refused   ? MoveCorrection::Kind::OldLineKept
                                   : told.find("would nest variations") != std::string::npos
                                       ? MoveCorrection::Kind::TooDeep
                                       : MoveCorrection::Kind::VariationsFull);
        EXPECT_EQ(correction.Refused(), refused);
        EXPECT_EQ(corrected->m_curPly, corrected->m_plyCount);
        StoreLine(*game, row.path, *corrected);
        ExpectGame(*game, true, row);
    }
    {  // A correction that replaced no move at `ply` is not replayed.
        auto line = pgntest::ReadOk(kNested), corrected = pgntest::ReadOk(kNested);
        CutLine(*corrected, 2);
        const MoveCorrection none = ReplayAfterCorrection(*line, 2, *corrected, LineRoom());
        EXPECT_EQ(none.kind, MoveCorrection::Kind::AllFit);
        EXPECT_EQ(none.message, "");
        EXPECT_EQ(pgntest::Describe(*corrected), "1. e4 e5");
    }
}

}  // namespace
