#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "GameRecord.h"

// A game as it stood after one edit, kept small: consecutive snapshots share
// every ply neither of them changed, so a step costs its changed plies and a
// pointer for each other one.
class GameSnapshot {
public:
    GameSnapshot() = default;
    // `previous`, when given, lends its plies wherever `game` still has them.
    GameSnapshot(const CGameRecord& game, const GameSnapshot* previous);
    void CopyTo(CGameRecord& game) const;
    // Whether the game is the same apart from the position it shows.
    bool SameGame(const GameSnapshot& other) const;
    // The bytes this snapshot holds that `previous` does not share.
    std::size_t OwnBytes(const GameSnapshot* previous) const;

private:
    // Everything in a record but the plies.
    int m_piece[8][8] = {}, m_color[8][8] = {};
    int m_epFile = -1, m_epRank = -1;
    int m_castle[4] = {};
    int m_halfMoveClock = 0, m_repeatCount = 0;
    char m_status = 'P';
    int m_flipped = 0;
    char m_tag[CGameRecord::kTagCount][CGameRecord::kTagSize] = {};
    int m_curPly = 0, m_plyCount = 0, m_sideToMove = 0, m_fromSetup = 0;
    char m_startFen[CGameRecord::kStartFenSize] = {};
    int m_startSide = 0, m_startMoveNumber = 1, m_hasStartNote = 0;
    std::string m_startNote;
    std::vector<std::pair<std::string, std::string>> m_keptTags;
    int m_setupMode = 0;
    std::vector<std::shared_ptr<const PlyRecord>> m_plies;
};

// The edits of one open game for Undo and Redo: the game after each step,
// with the step's name. Bounded by memory: when the steps kept pass the
// budget, the oldest are forgotten, never the newest.
class GameHistory {
public:
    static constexpr std::size_t kDefaultBudget = std::size_t{64} << 20;

    explicit GameHistory(std::size_t budget = kDefaultBudget) : m_budget(budget) {}

    // Forgets every step: `game` is where the history begins, as saved.
    void Reset(const CGameRecord& game);
    // A change made the game `game`; `step` names it ("Move Nf3"). A change
    // with the same non-empty `group` as the step just recorded joins that
    // step (typing one note), until CloseGroup. A change that leaves the game
    // as the step before it had it is no step. Steps undone are dropped.
    void Record(const CGameRecord& game, const std::string& step, const std::string& group);
    void CloseGroup() { m_groupOpen = false; }

    bool CanUndo() const { return m_at > 0; }
    bool CanRedo() const { return m_at + 1 < m_states.size(); }
    // The names of the steps Undo and Redo would take; empty when none.
    std::string UndoName() const;
    std::string RedoName() const;
    // Steps back or forward and writes the game as it then stood into `game`;
    // false, changing nothing, when there is no step.
    bool Undo(CGameRecord& game);
    bool Redo(CGameRecord& game);

    // The game as it stands now is the one in its file.
    void MarkSaved();
    // No state of the history is the one saved (a game recovered after a crash).
    void ForgetSaved() { m_saved = -1; }
    bool AtSaved() const { return m_saved == static_cast<std::ptrdiff_t>(m_at); }

    std::size_t Bytes() const { return m_bytes; }
    std::size_t Steps() const { return m_states.empty() ? 0 : m_states.size() - 1; }

private:
    struct State {
        std::string name, group;
        std::shared_ptr<const GameSnapshot> game;
        std::size_t bytes = 0;
    };
    void Push(State state);
    void ForgetOldest();

    std::size_t m_budget;
    std::deque<State> m_states;  // [0] where the history begins
    std::size_t m_at = 0;        // the state the game is in
    std::ptrdiff_t m_saved = 0;  // the state saved; -1 when it was forgotten
    std::size_t m_bytes = 0;
    bool m_groupOpen = false;
};
