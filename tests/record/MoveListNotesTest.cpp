// Which note the note box edits, and what each line of the move list shows.
#include "MoveListNotes.h"
#include "RecordTestSupport.h"

TEST(MoveListNotes, TheTargetFollowsThePositionShownNotTheSelectedLine) {
    const struct {
        int shownPly, selectedLine, targetPly;  // line -1: none; ply -1: the start's note
    } rows[] = {
        {0, 0, -1}, {4, 0, -1},  // line 0 edits the start, whatever is shown
        {3, 3, 2},  {2, 5, 1},   // a ply line edits the ply shown
        {4, -1, 3}, {0, -1, 0},  // no selection edits the ply shown, ply 0 at the start
    };
    for (const auto& row : rows) {
        auto game = rec::GameWithPlies(6);
        game->m_curPly = row.shownPly;
        StoreNote(*game, row.selectedLine, "typed");
        const std::string where =
            std::to_string(row.shownPly) + "/" + std::to_string(row.selectedLine);
        EXPECT_EQ(game->m_hasStartNote, row.targetPly < 0 ? 1 : 0) << where;
        EXPECT_EQ(NoteOfLine(*game, 0), row.targetPly < 0 ? "typed" : "") << where;
        for (int ply = 0; ply < 6; ++ply) {
            EXPECT_EQ(game->m_ply[ply].hasNote, ply == row.targetPly ? 1 : 0) << where;
            EXPECT_EQ(NoteOfLine(*game, ply + 1), ply == row.targetPly ? "typed" : "") << where;
        }
    }
}

TEST(MoveListNotes, ANoteIsReplacedWholeAndKeepsItsFlagWhenEmptied) {
    auto game = rec::GameWithPlies(2);
    StoreNote(*game, 2, "first");
    StoreNote(*game, 2, "second");
    EXPECT_EQ(NoteOfLine(*game, 2), "second");
    StoreNote(*game, 2, "");
    EXPECT_EQ(game->m_ply[1].hasNote, 1);
    EXPECT_EQ(game->m_ply[1].note, "");
    // The last of 300 plies still has its note; nothing past it is touched.
    game->m_curPly = CGameRecord::kMaxPlies;
    StoreNote(*game, CGameRecord::kMaxPlies, "last");
    EXPECT_EQ(NoteOfLine(*game, CGameRecord::kMaxPlies), "last");
    EXPECT_EQ(NoteOfLine(*game, CGameRecord::kMaxPlies + 1), "");
}
