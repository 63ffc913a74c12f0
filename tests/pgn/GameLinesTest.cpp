// A game's lines: taken out as games of their own, put back after an edit,
// promoted, deleted and corrected, the game read from text and described after.
#include <tuple>

#include "GameLines.h"
#include "MoveCorrection.h"
#include "MoveEntry.h"
#include "MoveSymbols.h"
#include "MoveTextApply.h"
#include "PgnTestSupport.h"

namespace {

const char kNested[] = "1. e4 e5 2. Nf3 (2. f4 {gambit} exf4 (2... d5)) Nc6 *";
// Fischer - Hort, Vinkovci 1968, to move 20, with 12. h3 recorded for 12. g3.
const char kSlip[] =
    "1. e4 c6 2. d4 d5 3. exd5 cxd5 4. Nf3 Nf6 5. c3 Bf5 6. Bb5+ Nbd7 7. Nh4 Bg6 8. Bf4 e6 "
    "9. Nd2 Nh5 10. Nxg6 hxg6 11. Be3 Bd6 12. h3 {slip} a6 13. Bd3 Rc8 14. O-O Nb6 "
    "15. a4 $14 {space} (15. Qe2 Nc4) Rc7 16. Qb3 Nc8 17. c4! dxc4 18. Nxc4 Nf6 19. Rac1 O-O "
    "20. Bd2 Nd5 *";
const char kSlipFirst[] =
    "1. e4 c6 d4 d5 exd5 cxd5 Nf3 Nf6 c3 Bf5 Bb5+ Nbd7 Nh4 Bg6 Bf4 e6 Nd2 Nh5 Nxg6 hxg6 Be3 Bd6";

// The board's way of replacing ply `ply` of `line`: the move typed, its
// piece carried and dropped, nothing after it.
void ReplaceOnBoard(CGameRecord& line, int ply, const char* typed) {
    CutLine(line, ply);
    TypedMove move;
    ASSERT_TRUE(ReadTypedMove(line, typed, move)) << move.refusal;
    const int kind = line.GetPiece(move.fromFile, move.fromRank);
    const PieceDrop drop{kind,          line.m_sideToMove, move.fromFile,
                         move.fromRank, move.toFile,       move.toRank};
    line.SetSquare(move.fromFile, move.fromRank, NoColor, NoPiece);
    const DropOutcome outcome =
        PlayDroppedPiece(line, drop, false, "", [&move] { return move.promotion; });
    ASSERT_TRUE(outcome.recorded) << outcome.refusal;
}

TEST(GameLines, PromotedDeletedAndEditedLinesKeepEveryMove) {
    enum class Op { Promote, Delete, NoteOnLast, TagOnLine, Play, Correct, Mark };
    struct Row {
        const char* text;
        Op op;
        LinePath path;
        const char* expected;  // the game described after; "!" when refused, "=" when it
                               // writes as before
        // Play: `move` played at the end of the path's line.
        // Mark: the symbols `move` names ("$n", or "#" for the diagram) given in turn to
        // ply `ply`.
        // Correct: ply `ply` of the path's line becomes `move` on the board; the line index
        // of the first later move that no longer fits, and what the user is told.
        int ply = 0;
        const char* move = "";
        int unfit = 0;
        const char* message = "";
        const char* shown = nullptr;  // Mark: the signs the move list shows beside the move
        int variationPlies = -1;      // Correct: the game's variation moves, when not counted
    };
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
    const std::string fullGlyphs = "1. e4" + glyphs + "*";
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
    const std::string fullNote(CGameRecord::kMaxNoteLength, 'x');
    const std::string noted = "1. e4 {" + fullNote + "} e5 *";
    const std::string marked = "1. e4 {[#] " + fullNote.substr(4) + "} e5";  // within the limit
    const char kWidest[] = "[FEN \"4k3/8/8/8/3pP3/8/5K2/8 b - e3 0 999849\"]\nd4e3 *";
    const Row rows[] = {
        // clang-format off
        // A move glyph joins the text where it fits, replaces the other one, goes again when
        // given twice; position symbols are glyphs beside the move; the diagram a note mark.
        {"1. e4 e5 *", Op::Mark, {}, "1. e4!? e5", 0, "$1 $5"},
        {"1. e4 e5!$2 *", Op::Mark, {}, "1. e4 e5??", 1, "$4"},
        {"1. e4 e5 *", Op::Mark, {}, "1. e4 e5", 1, "$4 $4"},
        {"1. e4 e5 *", Op::Mark, {}, "1. e4 e5 $16", 1, "$6 $6 $13 $14 $16", 0, "", "+/-"},
        {"1. e4 e5 *", Op::Mark, {}, "1. e4 e5?! $13", 1, "$13 $6", 0, "", "\xE2\x88\x9E"},
        // 60 bytes of glyphs, and a position symbol just fits; $20 is no position symbol
        {"1. e4 $20 $21 $22 $23 $140 $141 $142 $143 $144 $145 $146 $147 $148 *", Op::Mark, {},
         "1. e4 $20 $21 $22 $23 $140 $141 $142 $143 $144 $145 $146 $147 $148 $14", 0, "$14"},
        {fullGlyphs.c_str(), Op::Mark, {}, "=", 0, "$14"},  // 61 bytes: no room for one more
        {"1. e4 e5 $14 *", Op::Mark, {}, "1. e4 e5", 1, "$14"},  // the glyph read is taken off
        {"1. e4 e5 *", Op::Mark, {}, "1. e4 e5 $10", 1, "$10", 0, "", "="},
        {"1. e4 e5 *", Op::Mark, {}, "1. e4 e5 $17", 1, "$17", 0, "", "-/+"},
        {kWidest, Op::Mark, {},
         "[FEN 4k3/8/8/8/3pP3/8/5K2/8 b - e3 0 999849] 999849. ...\\tdxe3 e.p.+ $3 $14", 0,
         "$1 $3 $14", 0, "", "!! +="},
        {"1. e4 {Best} e5 *", Op::Mark, {{1, 0}}, "!", 0, "#"},
        {"1. e4 {Best} e5 (1... c5) *", Op::Mark, {{1, 0}},
         "1. e4 {Best} e5 ( 1. ...\\tc5 {[#]} )", 1, "# # #"},
        {"1. e4 {Best} e5 (1... c5) *", Op::Mark, {{1, 0}}, "1. e4 {Best} e5 ( 1. ...\\tc5 )", 1,
         "# #"},  // the mark taken off leaves no empty note
        {"1. e4 {Best} e5 *", Op::Mark, {}, "1. e4 {[#] Best} e5", 0, "#"},
        {noted.c_str(), Op::Mark, {}, marked.c_str(), 0, "#"},
        {"1. e4 e5 (1... c5) *", Op::Mark, {{1, 0}}, "1. e4! e5 ( 1. ...\\tc5 )", 0, "$1"},
        {"1. e4 e5 $36 $140 *", Op::Mark, {}, "1. e4 e5 $36 $140 $14", 1, "$14"},
        {"1. e4 e5 $10 *", Op::Mark, {}, "1. e4 e5 $19", 1, "$14 $19", 0, "", "-+"},  // one of them
        {"1. e4 {Best} e5 *", Op::Mark, {}, "=", 0, "$5 $0 $5 $7 $9 $20 # #"},
        {kNested, Op::Promote, {{2, 0}},
         "1. e4 e5 f4 {gambit} ( 2. Nf3 Nc6 ) exf4 ( 2. ...\\td5 )"},
        {kNested, Op::Promote, {{2, 0}, {3, 0}},
         "1. e4 e5 f4 {gambit} ( 2. Nf3 Nc6 ) d5 ( 2. ...\\texf4 )"},
        {"1. e4 ({Or} 1. d4 d5) e5 *", Op::Promote, {{0, 0}}, "{Or} 1. d4 ( 1. e4 e5 ) d5"},
        {"{Intro} 1. e4 ({Or} 1. d4 d5) e5 *", Op::Promote, {{0, 0}},
         "{Intro Or} 1. d4 ( 1. e4 e5 ) d5"},
        {"1. e4 e5 ({Or} 1... c5) *", Op::Promote, {{1, 0}}, "1. e4 {Or} c5 ( 1. ...\\te5 )"},
        {"1. e4 e5 2. Nf3 {Mine} Nc6 ({Or} 2... d6) *", Op::Promote, {{3, 0}},
         "1. e4 e5 Nf3 {Mine Or} d6 ( 2. ...\\tNc6 )"},
        {"1. e4 (1. d4) (1. c4) e5 *", Op::Promote, {{0, 1}}, "1. c4 ( 1. e4 e5 ) ( 1. d4 )"},
        {"1. e4 (1. d4 (1. c4)) e5 *", Op::Promote, {{0, 0}}, "1. d4 ( 1. e4 e5 ) ( 1. c4 )"},
        {kNested, Op::Delete, {{2, 0}}, "1. e4 e5 Nf3 Nc6"},
        // A line with a null move stays a variation: the main line holds moves alone.
        {"1. e4 e5 (1... -- 2. d4 (2. c4)) *", Op::Promote, {{1, 0}}, "!"},
        {"1. e4 e5 (1... -- 2. d4 (2. c4)) *", Op::Promote, {{1, 0}, {2, 0}}, "!"},
        {"1. e4 e5 (1... d5 (1... -- 2. c4)) *", Op::Promote, {{1, 0}},
         "1. e4 d5 ( 1. ...\\te5 ) ( 1. ...\\t-- c4 )"},
        // A move played in a variation brings no note of the main line's move there.
        {"1. e4 (1. d4) e5 {kept} *", Op::Play, {{0, 0}}, "1. e4 ( 1. d4 d5 ) e5 {kept}", 0, "d5"},
        {"1. e4 (1. d4) (1. c4) e5 *", Op::Delete, {{0, 1}}, "1. e4 ( 1. d4 ) e5"},
        {kNested, Op::Delete, {{2, 0}, {3, 0}}, "1. e4 e5 Nf3 ( 2. f4 {gambit} exf4 ) Nc6"},
        {kNested, Op::NoteOnLast, {{2, 0}, {3, 0}},
         "1. e4 e5 Nf3 ( 2. f4 {gambit} exf4 ( 2. ...\\td5 {new} ) ) Nc6"},
        {kNested, Op::NoteOnLast, {},
         "1. e4 e5 Nf3 ( 2. f4 {gambit} exf4 ( 2. ...\\td5 ) ) Nc6 {new}"},
        // Tags and the flip belong to the game, whichever line they were set on.
        {kNested, Op::TagOnLine, {{2, 0}, {3, 0}},
         "[Result 1-0] 1. e4 e5 Nf3 ( 2. f4 {gambit} exf4 ( 2. ...\\td5 ) ) Nc6 %F"},
        {kNested, Op::Promote, {{2, 1}}, "!"},
        {kNested, Op::Delete, {{1, 0}}, "!"},
        {kNested, Op::Delete, {}, "!"},
        // Correcting a move replays the later ones by their text, notes, glyphs and
        // variations with them; what no longer fits leaves the old line as a variation.
        {kSlip, Op::Correct, {}, slipFixed.c_str(), 22, "g3"},
        {kSlip, Op::Correct, {}, slipBroken.c_str(), 22, "Rc1", 37,
         "19. Rac1 no longer fits after the correction; the later moves are kept up to there, "
         "and the line as it was is kept as a variation of 12. Rc1."},
        {"1. e4 e5 2. Nf3 ({Or} 2. Nc3 Nf6 3. Bc4) Nc6 *", Op::Correct, {},
         "1. d4 ( 1. e4 e5 Nf3 ( {Or} 2. Nc3 Nf6 Bc4 ) Nc6 ) e5 Nf3 ( {Or} 2. Nc3 Nf6 ) Nc6", 0,
         "d4", 0,
         "3. Bc4 in a variation no longer fits after the correction; the variation is kept up "
         "to there, and the line as it was is kept as a variation of 1. d4."},
        {"1. e4 e5 (1... e6 2. Qh5 g6) 2. Nf3 *", Op::Correct, {{1, 0}},
         "1. e4 e5 ( 1. ...\\tf6 Qh5+ g6 ) Nf3", 1, "f6"},
        {"1. e4 f5 2. Qh5+ g6 *", Op::Correct, {}, "1. e4 e5 Qh5 g6", 1, "e5"},
        // A null move is replayed as one, with its sign and glyphs, unless it no longer
        // may be: in check.
        {"1. e4 e5 (1... e6 2. d4 --! $140 3. c4) *", Op::Correct, {{1, 0}},
         "1. e4 e5 ( 1. ...\\te6 Nf3 --! $140 c4 )", 2, "Nf3"},
        {"1. e4 e5 (1... e6 2. d4 -- 3. c4) *", Op::Correct, {{1, 0}},
         "1. e4 e5 ( 1. ...\\te6 d4 d5 c4 )", 3, "d5"},
        {"1. e4 e5 (1... f6 2. Nc3 -- 3. Nd5) *", Op::Correct, {{1, 0}},
         "1. e4 e5 ( 1. ...\\tf6 Qh5+ ( 2. Nc3 -- Nd5 ) )", 2, "Qh5", 4,
         "2... -- no longer fits after the correction; the later moves are kept up to there, "
         "and the line as it was is kept as a variation of 2. Qh5+."},
        {"1. e4 f5! 2. Nf3 g6 *", Op::Correct, {}, "1. e4 e5! Nf3 g6", 1, "e5"},  // its sign stays
        {"[FEN \"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1\"]\n1. Kd2! Kd7 *", Op::Correct, {},
         "[FEN 4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1] 1. exd6 e.p. $1 Kd7", 0, "exd6"},
        {epSigned.c_str(), Op::Correct, {}, epSignedFixed.c_str(), 0, "exd6"},
        {"[FEN \"4k3/P7/8/8/8/8/8/4K3 w - - 0 1\"]\n1. Ke2 Kd7 2. a8=Q *", Op::Correct, {},
         "[FEN 4k3/P7/8/8/8/8/8/4K3 w - - 0 1] 1. Kf2 Kd7 a8=Q", 0, "Kf2"},
        {"1. e4 f5 2. Qh5 {unmarked} g6 *", Op::Correct, {}, "=", 2, "Qh5"},
        {deepest.c_str(), Op::Correct, {}, "=", 0, "d4", 5,
         "3. Bc4 no longer fits after the correction, and the line as it was cannot be kept as "
         "a variation of 1. d4, which would nest variations more than 64 deep; the move is not "
         "corrected."},
        {deeper.c_str(), Op::Correct, {}, deeperFixed.c_str(), 0, "d4", 5,
         "3. Bc4 no longer fits after the correction; the later moves are kept up to there, and "
         "the line as it was is kept as a variation of 1. d4."},
        // The line kept counts with its own variation: 19,994 + 6 moves just fit.
        {"1. e4 e5 2. Nf3 (2. Nc3) Nc6 3. Bc4 *", Op::Correct, {},
         "1. d4 ( 1. e4 e5 Nf3 ( 2. Nc3 ) Nc6 Bc4 ) e5 Nf3 ( 2. Nc3 ) Nc6", 0, "d4", 5,
         "3. Bc4 no longer fits after the correction; the later moves are kept up to there, and "
         "the line as it was is kept as a variation of 1. d4.", nullptr, 19994},
        {"1. e4 e5 2. Nf3 (2. Nc3) Nc6 3. Bc4 *", Op::Correct, {}, "=", 0, "d4", 5,
         "3. Bc4 no longer fits after the correction, and the line as it was cannot be kept as "
         "a variation of 1. d4, which would take this game's variations past 20000 half-moves; "
         "the move is not corrected.", nullptr, 19995},
    };  // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        auto game = pgntest::ReadOk(row.text);
        bool done = true;
        if (row.op == Op::Promote) done = PromoteToMainLine(*game, row.path);
        if (row.op == Op::Delete) done = DeleteVariation(*game, row.path);
        if (row.op == Op::NoteOnLast || row.op == Op::TagOnLine || row.op == Op::Play) {
            auto line = std::make_unique<CGameRecord>();
            ASSERT_TRUE(TakeLine(*game, row.path, *line));
            PlyRecord& last = line->m_ply[line->m_plyCount - 1];
            if (row.op == Op::Play) {
                ASSERT_EQ(ApplyMoveText(*line, row.move, line->m_sideToMove),
                          MoveTextResult::Played);
            } else if (row.op == Op::NoteOnLast) {
                last.note = "new";
                last.hasNote = 1;
            } else {
                line->SetTag(CGameRecord::Result, "1-0");
                line->m_flipped = 1;
            }
            StoreLine(*game, row.path, *line);
        }
        if (row.op == Op::Mark) {
            auto line = std::make_unique<CGameRecord>();
            done = TakeLine(*game, row.path, *line);
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
        }
        if (row.op == Op::Correct) {
            auto line = std::make_unique<CGameRecord>();
            auto corrected = std::make_unique<CGameRecord>();
            ASSERT_TRUE(TakeLine(*game, row.path, *line));
            corrected->Assign(*line);
            ReplaceOnBoard(*corrected, row.ply, row.move);
            LineRoom room = RoomOfLine(*game, row.path);
            if (row.variationPlies >= 0) room.gameVariationPlies = row.variationPlies;
            const MoveCorrection correction =
                ReplayAfterCorrection(*line, row.ply, *corrected, room);
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
        }
        if (std::string(row.expected) == "=")
            EXPECT_EQ(WritePgnToString(*game), WritePgnToString(*pgntest::ReadOk(row.text)));
        else
            EXPECT_EQ(done ? pgntest::Describe(*game) : "!", row.expected);
        if (done) pgntest::ExpectSurvivesSave(*game);
    }
    {  // A correction that replaced no move at `ply` is not replayed.
        auto line = pgntest::ReadOk(kNested), corrected = pgntest::ReadOk(kNested);
        CutLine(*corrected, 2);
        const MoveCorrection none = ReplayAfterCorrection(*line, 2, *corrected, LineRoom());
        EXPECT_EQ(none.kind, MoveCorrection::Kind::AllFit);
        EXPECT_EQ(none.message, "");
        EXPECT_EQ(pgntest::Describe(*corrected), "1. e4 e5");
    }
    const auto nested = pgntest::ReadOk(kNested);
    EXPECT_EQ(CountVariationPlies(*nested), 3);
    EXPECT_TRUE(HasVariations(*pgntest::ReadOk("1. e4 (1. d4) e5 *")));
    EXPECT_FALSE(HasVariations(*pgntest::ReadOk("1. e4 e5 *")));
    EXPECT_EQ(VariationDepth(*nested), 2);
    auto line = std::make_unique<CGameRecord>();
    EXPECT_TRUE(TakeLine(*nested, {{2, 0}, {3, 0}}, *line));
    EXPECT_EQ(line->MakeFullFen(), "rnbqkbnr/ppp2ppp/8/3pp3/4PP2/8/PPPP2PP/RNBQKBNR w KQkq d6 0 3");
    EXPECT_FALSE(TakeLine(*nested, {{3, 0}}, *line));
    EXPECT_EQ(PlyName(*nested, 3), "2... Nc6");
    // Room for a move at a depth: none past 64 levels, none in any variation
    // once they hold 20,000 moves together, always on the main line.
    auto full = pgntest::ReadOk("1. e4 e5 *");
    full->m_ply[0].variations.push_back({"", PlyList(20000, PlyRecord())});
    const std::tuple<const CGameRecord*, std::size_t, VariationRefusal> rooms[] = {
        {nested.get(), 0, VariationRefusal::None},
        {nested.get(), 64, VariationRefusal::None},
        {nested.get(), 65, VariationRefusal::VariationsTooDeep},
        {full.get(), 0, VariationRefusal::None},
        {full.get(), 1, VariationRefusal::VariationsFull},
    };
    for (const auto& [game, depth, refusal] : rooms)
        EXPECT_EQ(VariationRoomRefusal(*game, depth), refusal) << depth;
    // The window tells a sentence for every refusal but None, and only then.
    for (const VariationRefusal refusal :
         {VariationRefusal::None, VariationRefusal::VariationsFull,
          VariationRefusal::VariationsTooDeep, VariationRefusal::NullMoveNotMain})
        EXPECT_EQ(*VariationRefusalSentence(refusal) == '\0', refusal == VariationRefusal::None);
    // Only a line of real moves may become the main line.
    auto passed = pgntest::ReadOk("1. e4 e5 (1... -- 2. d4) *");
    EXPECT_EQ(MainLineRefusal(*passed), VariationRefusal::None);
    EXPECT_TRUE(TakeLine(*passed, {{1, 0}}, *line));
    EXPECT_EQ(MainLineRefusal(*line), VariationRefusal::NullMoveNotMain);
    EXPECT_FALSE(PromoteToMainLine(*passed, {{1, 0}}));
}

}  // namespace
