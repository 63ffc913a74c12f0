// Undo's history: its memory bound, its groups and the saved state.
#include <gtest/gtest.h>

#include <string>

#include "GameHistory.h"

namespace {

void SetRound(CGameRecord& game, GameHistory& history, const std::string& round,
              const std::string& group = std::string()) {
    game.SetTag(CGameRecord::Round, round);
    history.Record(game, "Header", group);
}

}  // namespace

TEST(GameHistory, KeepsTheNewestStepsWithinItsBudget) {
    constexpr std::size_t kBudget = 100 * 1024;
    GameHistory history(kBudget);
    CGameRecord game;
    game.SetStartPosition();
    history.Reset(game);
    for (int round = 1; round <= 200; ++round) SetRound(game, history, std::to_string(round));
    EXPECT_LE(history.Bytes(), kBudget);
    const std::size_t kept = history.Steps();
    ASSERT_GT(kept, 10u);
    ASSERT_LT(kept, 200u);
    std::size_t undone = 0;
    while (history.Undo(game)) ++undone;
    EXPECT_EQ(undone, kept);
    EXPECT_EQ(game.GetTag(CGameRecord::Round), std::to_string(200 - kept));
    EXPECT_FALSE(history.AtSaved());  // the game as read is forgotten
    while (history.Redo(game)) {
    }
    EXPECT_STREQ(game.GetTag(CGameRecord::Round), "200");
    // A step larger than the whole budget is still kept, alone.
    game.m_startNote = std::string(2 * kBudget, 'n');
    game.m_hasStartNote = 1;
    history.Record(game, "Note", "");
    EXPECT_EQ(history.Steps(), 1u);
    ASSERT_TRUE(history.Undo(game));
    EXPECT_TRUE(game.m_startNote.empty());
    EXPECT_FALSE(GameHistory().CanUndo());  // nothing before its first game
}

TEST(GameHistory, AStepCostsWhatItChanged) {
    CGameRecord game;
    game.SetStartPosition();
    for (int ply = 0; ply < 100; ++ply) {
        game.SetCurPly(ply);
        ASSERT_TRUE(game.StorePly(4, 1, 4, 3, "e4"));
    }
    game.SetPlyCount(100);
    game.SetCurPly(100);
    GameHistory history;
    history.Reset(game);
    const std::size_t first = history.Bytes();
    EXPECT_GT(first, 100 * sizeof(PlyRecord));
    game.m_ply[50].note = "a note";
    game.m_ply[50].hasNote = 1;
    history.Record(game, "Note", "");
    // One ply copied, a pointer for each of the others: far less than the
    // hundred plies a full copy would take.
    EXPECT_LT(history.Bytes() - first, 100 * sizeof(PlyRecord) / 4);
    ASSERT_TRUE(history.Undo(game));
    EXPECT_FALSE(game.m_ply[50].hasNote);
    ASSERT_TRUE(history.Redo(game));
    EXPECT_EQ(game.m_ply[50].note, "a note");
    // A variation's opening note changed alone is a step of its own.
    const std::string opening(4000, 'f');  // a long opening note costs what it holds
    const std::size_t variationBefore = history.Bytes();
    game.m_ply[10].variations.push_back({opening, {}});
    history.Record(game, "Variation", "");
    EXPECT_GE(history.Bytes() - variationBefore, opening.size());
    const std::size_t noteBefore = history.Bytes();
    game.m_ply[10].variations[0].startNote = "second";
    history.Record(game, "Note", "");
    const std::size_t noteStep = history.Bytes() - noteBefore;
    const PlyRecord move = game.m_ply[10];
    game.m_ply[10].variations[0].plies.push_back(move);  // and a move added to it
    const std::size_t moveBefore = history.Bytes();
    history.Record(game, "Move", "");
    EXPECT_GE(history.Bytes() - moveBefore, noteStep + sizeof(PlyRecord));  // the move costs too
    ASSERT_TRUE(history.Undo(game));
    ASSERT_EQ(game.m_ply[10].variations.size(), 1u);
    EXPECT_EQ(game.m_ply[10].variations[0].plies.size(), 0u);
    ASSERT_TRUE(history.Undo(game));
    EXPECT_EQ(history.RedoName(), "Note");
    ASSERT_EQ(game.m_ply[10].variations.size(), 1u);
    EXPECT_EQ(game.m_ply[10].variations[0].startNote, opening);
    // So do the game's opening note and the tags beyond the seven.
    GameHistory fresh;
    fresh.Reset(game);
    const std::size_t startBefore = fresh.Bytes();
    game.m_startNote = std::string(20000, 's');
    game.m_hasStartNote = 1;
    fresh.Record(game, "Note", "");
    const std::size_t cost = fresh.Bytes() - startBefore;
    EXPECT_TRUE(cost >= 20000 && cost < 40000) << cost;
    const std::size_t tagsBefore = fresh.Bytes();
    game.m_keptTags.emplace_back("Annotator", std::string(3000, 'a'));
    fresh.Record(game, "Header", "");
    EXPECT_GE(fresh.Bytes() - tagsBefore, 3000u);
}

TEST(GameHistory, GroupsAndTheSavedState) {
    CGameRecord game;
    game.SetStartPosition();
    GameHistory history;
    history.Reset(game);
    const std::size_t bytes = history.Bytes();
    // Typing that comes back to where it began leaves no step, and no cost.
    SetRound(game, history, "1", "note a");
    SetRound(game, history, "", "note a");
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(history.Bytes(), bytes);
    EXPECT_TRUE(history.AtSaved());
    // One group is one step; another group or none starts a new one.
    SetRound(game, history, "1", "note a");
    SetRound(game, history, "12", "note a");
    SetRound(game, history, "123", "note b");
    SetRound(game, history, "1234");
    const std::size_t afterSteps = history.Bytes();
    SetRound(game, history, "1234x", "note d");  // typing undone after steps: no step either
    SetRound(game, history, "1234", "note d");
    EXPECT_EQ(history.Bytes(), afterSteps);
    EXPECT_EQ(history.Steps(), 3u);
    history.MarkSaved();
    SetRound(game, history, "12345");
    EXPECT_EQ(history.UndoName(), "Header");
    ASSERT_TRUE(history.Undo(game));
    EXPECT_TRUE(history.AtSaved());
    ASSERT_TRUE(history.Undo(game));
    ASSERT_TRUE(history.Undo(game));
    EXPECT_STREQ(game.GetTag(CGameRecord::Round), "12");
    EXPECT_FALSE(history.AtSaved());
    // Undo and Redo end a group: typing again is a step of its own.
    SetRound(game, history, "12a", "note c");
    ASSERT_TRUE(history.Undo(game));
    SetRound(game, history, "12b", "note c");
    ASSERT_TRUE(history.Undo(game));
    ASSERT_TRUE(history.Redo(game));
    SetRound(game, history, "12bc", "note c");
    EXPECT_FALSE(history.AtSaved());  // the step saved was dropped; this one stands in its place
    ASSERT_TRUE(history.Undo(game));
    EXPECT_STREQ(game.GetTag(CGameRecord::Round), "12b");
    ASSERT_TRUE(history.Undo(game));
    EXPECT_STREQ(game.GetTag(CGameRecord::Round), "12");
    // A change after Undo drops the steps undone, the saved one with them.
    SetRound(game, history, "9");
    EXPECT_FALSE(history.CanRedo());
    EXPECT_FALSE(history.AtSaved());
    EXPECT_EQ(history.Steps(), 2u);
    // Undo brings back the repetition count and the game's end with the position.
    game.m_repeatCount = 2, game.m_status = 'D';
    SetRound(game, history, "10");
    ASSERT_TRUE(history.Undo(game));
    EXPECT_EQ(game.m_repeatCount, 0);
    EXPECT_EQ(game.m_status, 'P');
    // Another game read starts a history of its own, and its memory with it.
    history.Reset(game);
    GameHistory fresh;
    fresh.Reset(game);
    EXPECT_EQ(history.Bytes(), fresh.Bytes());
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
    EXPECT_TRUE(history.AtSaved());
}
