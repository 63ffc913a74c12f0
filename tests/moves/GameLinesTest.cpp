// A game's lines: taken out as games of their own, put back after an edit,
// promoted and deleted, counted and bounded.
#include <tuple>

#include "LineTestSupport.h"

namespace {

using linetest::ExpectGame;
using linetest::kNested;
using linetest::Row;

// Promoted, a variation's line keeps every move; deleted, it takes its own
// variations with it (rows marked false delete).
TEST(GameLines, PromotedLinesKeepEveryMoveDeletedOnesTakeTheirVariations) {
    const std::pair<bool, Row> rows[] = {
        // clang-format off
        {true, {kNested, {{2, 0}}, "1. e4 e5 f4 {gambit} ( 2. Nf3 Nc6 ) exf4 ( 2. ...\\td5 )"}},
        {true, {kNested, {{2, 0}, {3, 0}},
         "1. e4 e5 f4 {gambit} ( 2. Nf3 Nc6 ) d5 ( 2. ...\\texf4 )"}},
        {true, {"1. e4 ({Or} 1. d4 d5) e5 *", {{0, 0}}, "{Or} 1. d4 ( 1. e4 e5 ) d5"}},
        {true, {"{Intro} 1. e4 ({Or} 1. d4 d5) e5 *", {{0, 0}},
         "{Intro Or} 1. d4 ( 1. e4 e5 ) d5"}},
        {true, {"1. e4 e5 ({Or} 1... c5) *", {{1, 0}}, "1. e4 {Or} c5 ( 1. ...\\te5 )"}},
        {true, {"1. e4 e5 2. Nf3 {Mine} Nc6 ({Or} 2... d6) *", {{3, 0}},
         "1. e4 e5 Nf3 {Mine Or} d6 ( 2. ...\\tNc6 )"}},
        {true, {"1. e4 (1. d4) (1. c4) e5 *", {{0, 1}}, "1. c4 ( 1. e4 e5 ) ( 1. d4 )"}},
        {true, {"1. e4 (1. d4 (1. c4)) e5 *", {{0, 0}}, "1. d4 ( 1. e4 e5 ) ( 1. c4 )"}},
        // A line with a null move stays a variation: the main line holds moves alone.
        {true, {"1. e4 e5 (1... -- 2. d4 (2. c4)) *", {{1, 0}}, "!"}},
        {true, {"1. e4 e5 (1... -- 2. d4 (2. c4)) *", {{1, 0}, {2, 0}}, "!"}},
        {true, {"1. e4 e5 (1... d5 (1... -- 2. c4)) *", {{1, 0}},
         "1. e4 d5 ( 1. ...\\te5 ) ( 1. ...\\t-- c4 )"}},
        {true, {kNested, {{2, 1}}, "!"}},
        {false, {kNested, {{2, 0}}, "1. e4 e5 Nf3 Nc6"}},
        {false, {"1. e4 (1. d4) (1. c4) e5 *", {{0, 1}}, "1. e4 ( 1. d4 ) e5"}},
        {false, {kNested, {{2, 0}, {3, 0}}, "1. e4 e5 Nf3 ( 2. f4 {gambit} exf4 ) Nc6"}},
        {false, {kNested, {{1, 0}}, "!"}},
        {false, {kNested, {}, "!"}},
        // clang-format on
    };
    for (const auto& [promote, row] : rows) {
        SCOPED_TRACE(row.text);
        auto game = pgntest::ReadOk(row.text);
        const bool done =
            promote ? PromoteToMainLine(*game, row.path) : DeleteVariation(*game, row.path);
        ExpectGame(*game, done, row);
    }
}

// A line taken out, changed and stored back: a move played at its end, a
// note on its last move, tags and the flip set while it was shown.
TEST(GameLines, LinesEditedApartGoBackWhole) {
    enum class Edit { Play, Note, Tags };
    const std::pair<Edit, Row> rows[] = {
        // clang-format off
        // A move played in a variation brings no note of the main line's move there.
        {Edit::Play, {"1. e4 (1. d4) e5 {kept} *", {{0, 0}}, "1. e4 ( 1. d4 d5 ) e5 {kept}", 0, "d5"}},
        {Edit::Note, {kNested, {{2, 0}, {3, 0}},
         "1. e4 e5 Nf3 ( 2. f4 {gambit} exf4 ( 2. ...\\td5 {new} ) ) Nc6"}},
        {Edit::Note, {kNested, {},
         "1. e4 e5 Nf3 ( 2. f4 {gambit} exf4 ( 2. ...\\td5 ) ) Nc6 {new}"}},
        // Tags and the flip belong to the game, whichever line they were set on.
        {Edit::Tags, {kNested, {{2, 0}, {3, 0}},
         "[Result 1-0] 1. e4 e5 Nf3 ( 2. f4 {gambit} exf4 ( 2. ...\\td5 ) ) Nc6 %F"}},
        // clang-format on
    };
    for (const auto& [edit, row] : rows) {
        SCOPED_TRACE(row.text);
        auto game = pgntest::ReadOk(row.text);
        auto line = std::make_unique<CGameRecord>();
        ASSERT_TRUE(TakeLine(*game, row.path, *line));
        PlyRecord& last = line->m_ply[line->m_plyCount - 1];
        if (edit == Edit::Play) {
            ASSERT_EQ(ApplyMoveText(*line, row.move, line->m_sideToMove), MoveTextResult::Played);
        } else if (edit == Edit::Note) {
            last.note = "new";
            last.hasNote = 1;
        } else {
            line->SetTag(CGameRecord::Result, "1-0");
            line->m_flipped = 1;
        }
        StoreLine(*game, row.path, *line);
        ExpectGame(*game, true, row);
    }
}

TEST(GameLines, CountsRoomsAndLinesTakenOut) {
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
}

}  // namespace
