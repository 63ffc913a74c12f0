// A game's lines: taken out as games of their own, put back after an edit,
// promoted and deleted, the game read from text and described after.
#include "GameLines.h"
#include "PgnTestSupport.h"

namespace {

const char kNested[] = "1. e4 e5 2. Nf3 (2. f4 {gambit} exf4 (2... d5)) Nc6 *";

TEST(GameLines, PromotedDeletedAndEditedLinesKeepEveryMove) {
    enum class Op { Promote, Delete, NoteOnLast, TagOnLine };
    struct Row {
        const char* text;
        Op op;
        LinePath path;
        const char* expected;  // the game described after, "!" when refused
    };
    const Row rows[] = {
        {kNested, Op::Promote, {{2, 0}},
         "1. e4 e5 f4 {gambit} ( 2. Nf3 Nc6 ) exf4 ( 2. ...\\td5 )"},
        {kNested, Op::Promote, {{2, 0}, {3, 0}},
         "1. e4 e5 f4 {gambit} ( 2. Nf3 Nc6 ) d5 ( 2. ...\\texf4 )"},
        {"1. e4 ({Or} 1. d4 d5) e5 *", Op::Promote, {{0, 0}}, "{Or} 1. d4 ( 1. e4 e5 ) d5"},
        {"1. e4 (1. d4) (1. c4) e5 *", Op::Promote, {{0, 1}},
         "1. c4 ( 1. e4 e5 ) ( 1. d4 )"},
        {kNested, Op::Delete, {{2, 0}}, "1. e4 e5 Nf3 Nc6"},
        {kNested, Op::Delete, {{2, 0}, {3, 0}}, "1. e4 e5 Nf3 ( 2. f4 {gambit} exf4 ) Nc6"},
        {kNested, Op::NoteOnLast, {{2, 0}, {3, 0}},
         "1. e4 e5 Nf3 ( 2. f4 {gambit} exf4 ( 2. ...\\td5 {new} ) ) Nc6"},
        {kNested, Op::NoteOnLast, {}, "1. e4 e5 Nf3 ( 2. f4 {gambit} exf4 ( 2. ...\\td5 ) ) Nc6 {new}"},
        // Tags and the flip belong to the game, whichever line they were set on.
        {kNested, Op::TagOnLine, {{2, 0}, {3, 0}},
         "[Result 1-0] 1. e4 e5 Nf3 ( 2. f4 {gambit} exf4 ( 2. ...\\td5 ) ) Nc6 %F"},
        {kNested, Op::Promote, {{2, 1}}, "!"},
        {kNested, Op::Delete, {{1, 0}}, "!"},
        {kNested, Op::Delete, {}, "!"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        auto game = pgntest::ReadOk(row.text);
        bool done = true;
        if (row.op == Op::Promote) done = PromoteToMainLine(*game, row.path);
        if (row.op == Op::Delete) done = DeleteVariation(*game, row.path);
        if (row.op == Op::NoteOnLast || row.op == Op::TagOnLine) {
            auto line = std::make_unique<CGameRecord>();
            ASSERT_TRUE(TakeLine(*game, row.path, *line));
            PlyRecord& last = line->m_ply[line->m_plyCount - 1];
            if (row.op == Op::NoteOnLast) {
                last.note = "new";
                last.hasNote = 1;
            } else {
                line->SetTag(CGameRecord::Result, "1-0");
                line->m_flipped = 1;
            }
            StoreLine(*game, row.path, *line);
        }
        EXPECT_EQ(done ? pgntest::Describe(*game) : "!", row.expected);
        if (done) pgntest::ExpectSurvivesSave(*game);
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
}

}  // namespace
