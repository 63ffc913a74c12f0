// The line a window shows of a game's tree: moves played where a line goes
// on, the keys that step into and out of variations, promotion and deletion,
// and a game loaded again under the line shown.
#include "LineCursor.h"
#include "LineTestSupport.h"

namespace {

using linetest::kNested;

// The cursor on the game read from `text`, showing the line `path`.
std::unique_ptr<LineCursor> CursorOn(const std::string& text, const LinePath& path) {
    auto cursor = std::make_unique<LineCursor>();
    cursor->Load(*pgntest::ReadOk(text));
    cursor->ShowLineOf(path);
    return cursor;
}

// The line shown with `move` played as ply index `next`, as the window tries it first.
std::unique_ptr<CGameRecord> Trial(const LineCursor& cursor, int next, const std::string& move) {
    auto trial = std::make_unique<CGameRecord>(cursor.Line());
    CutLine(*trial, next);
    EXPECT_EQ(ApplyMoveText(*trial, move, trial->m_sideToMove), MoveTextResult::Played) << move;
    return trial;
}

std::string PathText(const LinePath& path) {
    std::string text;
    for (const LineBranch& branch : path)
        text += "(" + std::to_string(branch.ply) + "," + std::to_string(branch.variation) + ")";
    return text;
}

TEST(LineCursor, AMovePlayedWhereTheLineGoesOn) {
    enum class Answer { None, Replace, NewVariation };
    const struct {
        const char* why;
        const char* text;
        LinePath shown;
        int next;
        const char* move;
        const char* decided;  // "follow PATH LINE", or "ask GOES ON / PLAYED, loses"
        Answer answer;
        const char* after;  // the game described after the answer
    } rows[] = {
        // clang-format off
        {"the line's own move is followed", kNested, {}, 2, "Nf3", "follow  3", Answer::None, ""},
        {"a variation's move is followed into it", kNested, {}, 2, "f4", "follow (2,0) 3",
         Answer::None, ""},
        {"a nested variation is followed from its line", kNested, {{2, 0}}, 3, "d5",
         "follow (2,0)(3,0) 4", Answer::None, ""},
        {"before the branch, the main line owns the move", kNested, {{2, 0}}, 1, "e6",
         "ask 1... e5 / 1... e6, loses", Answer::NewVariation,
         "1. e4 e5 ( 1. ...\\te6 ) Nf3 ( 2. f4 {gambit} exf4 ( 2. ...\\td5 ) ) Nc6"},
        {"replaced before the branch, the main line is shown", kNested, {{2, 0}}, 1, "e6",
         "ask 1... e5 / 1... e6, loses", Answer::Replace, "1. e4 e6"},
        {"the last move alone goes without loss", "1. e4 e5 *", {}, 1, "c5",
         "ask 1... e5 / 1... c5", Answer::Replace, "1. e4 c5"},
        {"a move with variations loses them", kNested, {}, 2, "Nc3",
         "ask 2. Nf3 / 2. Nc3, loses", Answer::Replace, "1. e4 e5 Nc3"},
        {"replaced inside a variation, the main line stays", kNested, {{2, 0}}, 3, "Nc6",
         "ask 2... exf4 / 2... Nc6, loses", Answer::Replace,
         "1. e4 e5 Nf3 ( 2. f4 {gambit} Nc6 ) Nc6"},
        {"a new variation inside a variation", kNested, {{2, 0}}, 3, "Nf6",
         "ask 2... exf4 / 2... Nf6, loses", Answer::NewVariation,
         "1. e4 e5 Nf3 ( 2. f4 {gambit} exf4 ( 2. ...\\td5 ) ( 2. ...\\tNf6 ) ) Nc6"},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        auto cursor = CursorOn(row.text, row.shown);
        const auto trial = Trial(*cursor, row.next, row.move);
        const LineCursor::Branching branching = cursor->Decide(*trial, row.next);
        const std::string decided = branching.follow
                                        ? "follow " + PathText(branching.followed.path) + " " +
                                              std::to_string(branching.followed.line)
                                        : "ask " + branching.goesOn + " / " + branching.played +
                                              (branching.replaceLoses ? ", loses" : "");
        EXPECT_EQ(decided, row.decided);
        if (row.answer == Answer::None) continue;
        if (row.answer == Answer::Replace)
            cursor->Replace(*trial, row.next);
        else
            EXPECT_EQ(cursor->AddVariation(*trial, row.next), VariationRefusal::None);
        // The line shown is the one the move went into, and the game holds it.
        EXPECT_TRUE(SameMove(cursor->Line().m_ply[row.next], trial->m_ply[row.next]));
        EXPECT_EQ(pgntest::Describe(cursor->Publish()), row.after);
    }
}

// Right steps into the next move's alternatives, one after another, and back
// to the move after the last; Left out to where the variation branches.
TEST(LineCursor, KeysStepIntoAndOutOfVariations) {
    const char text[] = "1. e4 e5 (1... c5) (1... e6 2. d4) 2. Nf3 *";
    auto cursor = CursorOn(text, {});
    int line = 1;  // after 1. e4
    std::string walked;
    for (const char key : std::string("RRLRRRL")) {
        LineCursor::Place place;
        const bool moved = key == 'R' ? cursor->Into(line, place) : cursor->OutOf(place);
        walked += std::string(1, key) +
                  (moved ? PathText(place.path) + std::to_string(place.line) : std::string("-")) +
                  " ";
        if (!moved) continue;
        cursor->ShowLineOf(place.path);
        line = place.line;
    }
    EXPECT_EQ(walked, "R(1,0)2 R(1,1)2 L1 R(1,0)2 R(1,1)2 R2 L- ");
    EXPECT_FALSE(cursor->ShowsVariation());
    LineCursor::Place place;
    EXPECT_FALSE(cursor->Into(3, place));  // 2. Nf3 has no alternative
}

TEST(LineCursor, PromotedDeletedAndLoadedAgain) {
    auto cursor = CursorOn(kNested, {{2, 0}, {3, 0}});
    EXPECT_TRUE(cursor->DeleteShown());
    EXPECT_EQ(PathText(cursor->Path()), "(2,0)");
    EXPECT_EQ(pgntest::Describe(cursor->Publish()), "1. e4 e5 Nf3 ( 2. f4 {gambit} exf4 ) Nc6");
    EXPECT_EQ(cursor->PromoteShown(), VariationRefusal::None);
    EXPECT_FALSE(cursor->ShowsVariation());
    EXPECT_EQ(pgntest::Describe(cursor->Publish()), "1. e4 e5 f4 {gambit} ( 2. Nf3 Nc6 ) exf4");
    EXPECT_FALSE(cursor->DeleteShown());  // the main line is no variation

    // A line of a pass stays a variation, and says why.
    cursor = CursorOn("1. e4 e5 (1... -- 2. d4) *", {{1, 0}});
    EXPECT_EQ(cursor->PromoteShown(), VariationRefusal::NullMoveNotMain);
    EXPECT_TRUE(cursor->ShowsVariation());

    // Loaded again, the line shown stays while the game still has it.
    cursor = CursorOn(kNested, {{2, 0}, {3, 0}});
    cursor->Line().m_ply[3].note = "edited";
    cursor->Line().m_ply[3].hasNote = 1;
    const CGameRecord edited = cursor->Publish();
    EXPECT_TRUE(cursor->Load(edited));
    EXPECT_EQ(cursor->Line().m_ply[3].note, "edited");
    EXPECT_FALSE(cursor->Load(*pgntest::ReadOk("1. e4 e5 *")));
    EXPECT_FALSE(cursor->ShowsVariation());
    EXPECT_EQ(cursor->Line().m_plyCount, 2);
}

}  // namespace
