// Which note the note box edits, and what each line of the move list shows.
#include "MoveListNotes.h"
#include "RecordTestSupport.h"

TEST(MoveListNotes, TheTargetFollowsThePositionShownNotTheSelectedLine) {
    struct Row {
        const char* rule;
        int shownPly;      // m_curPly
        int selectedLine;  // -1: no line selected
        int targetPly;     // -1: the starting position's note
    };
    const Row rows[] = {
        {"line 0 edits the starting position", 0, 0, -1},
        {"line 0 wins even when a later position is shown", 4, 0, -1},
        {"a ply line edits the ply shown", 3, 3, 2},
        {"a ply line other than the one shown still edits the ply shown", 2, 5, 1},
        {"no selection edits the ply shown", 4, -1, 3},
        {"no selection at the start edits ply 0", 0, -1, 0},
    };
    for (const Row& row : rows) {
        auto game = rec::GameWithPlies(6);
        game->m_curPly = row.shownPly;
        StoreNote(*game, row.selectedLine, "typed");
        EXPECT_EQ(game->m_hasStartNote, row.targetPly < 0 ? 1 : 0) << row.rule;
        for (int ply = 0; ply < 6; ++ply) {
            EXPECT_EQ(game->m_ply[ply].hasNote, ply == row.targetPly ? 1 : 0) << row.rule;
            EXPECT_EQ(NoteOfLine(*game, ply + 1), ply == row.targetPly ? "typed" : "") << row.rule;
        }
        EXPECT_EQ(NoteOfLine(*game, 0), row.targetPly < 0 ? "typed" : "") << row.rule;
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
