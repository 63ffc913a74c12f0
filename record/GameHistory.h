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
    static constexpr std::size_t kRun = 32;
    using Run = std::vector<PlyList::Shared>;
    // The game but its plies, which a copy shares with the game anyway.
    CGameRecord m_game;
    // The plies in runs of 32, each run shared with the step before while
    // none of its plies changed: a step of a 300-ply game holds one run of
    // its own, not 300 pointers. Every record is shared with the game, and
    // every variation of it, until one of them changes it.
    std::vector<std::shared_ptr<const Run>> m_runs;
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
