// Which note the note box edits, and what each line of the move list shows.
#include "MoveListNotes.h"
#include "TestGames.h"

TEST(MoveListNotes, TheTargetFollowsThePositionShownNotTheSelectedLine) {
    const struct {
        int shownPly, selectedLine, targetPly;  // line -1: none; ply -1: the start's note
    } rows[] = {
        {0, 0, -1},    {4, 0, -1},  // line 0 edits the start, whatever is shown
        {3, 3, 2},     {2, 5, 1},   // a ply line edits the ply shown
        {4, -1, 3},    {0, -1, 0},  // no selection edits the ply shown, ply 0 at the start
        {300, 7, 299},              // the last ply a record holds
    };
    for (const auto& row : rows) {
        auto game = tg::GameWithPlies(6);
        game->m_curPly = row.shownPly;
        StoreNote(*game, row.selectedLine, "first");
        StoreNote(*game, row.selectedLine, "typed");  // replaced whole
        for (int line = 0; line <= CGameRecord::kMaxPlies + 1; ++line)
            EXPECT_EQ(NoteOfLine(*game, line), line == row.targetPly + 1 ? "typed" : "")
                << row.shownPly << "/" << row.selectedLine << " line " << line;
    }
    auto game = tg::GameWithPlies(2);  // emptied, a note keeps its flag
    StoreNote(*game, 2, "");
    EXPECT_EQ(game->m_ply[1].hasNote, 1);
}

TEST(MoveListNotes, TheNoteBoxEditsTheWordsAndKeepsTheCommands) {
    auto game = tg::GameWithPlies(2);
    game->m_ply[1].note = "[%csl Rd5] Good [%clk 0:00:30]";
    game->m_ply[1].hasNote = 1;
    EXPECT_EQ(NoteWordsOfLine(*game, 2), "Good");
    EXPECT_EQ(StoreNoteWords(*game, 2, "Better"), 6u);
    EXPECT_EQ(game->m_ply[1].note, "[%csl Rd5] Better [%clk 0:00:30]");
    // Too long with its commands: the words are cut, never inside a character.
    const std::string words = std::string(4069, 'x') + "\xC3\xA9 and more";
    const std::size_t kept = StoreNoteWords(*game, 2, words);
    EXPECT_EQ(kept, 4069u);  // 4096 less the 26 bytes of the commands and their blanks
    EXPECT_EQ(game->m_ply[1].note, "[%csl Rd5] " + words.substr(0, kept) + " [%clk 0:00:30]");
}
