#include "GameHistory.h"

#include <algorithm>
#include <utility>

namespace {

// A text's bytes beyond the string itself: short ones live inside it.
std::size_t HeapBytes(const std::string& text) {
    return text.capacity() > std::string().capacity() ? text.capacity() + 1 : 0;
}

// The bytes of `now` that `before`, the ply in its place one step earlier,
// does not share: records, their texts and the lists that hold them, at every
// depth. A record or list both hold is free.
std::size_t NewBytes(const PlyRecord& now, const PlyRecord* before) {
    if (&now == before) return 0;
    std::size_t bytes = sizeof now + HeapBytes(now.note) + HeapBytes(now.nags);
    if (before != nullptr && now.variations.Shares(before->variations)) return bytes;
    bytes += now.variations.size() * sizeof(Variation);
    for (std::size_t v = 0; v < now.variations.size(); ++v) {
        const Variation& variation = now.variations[v];
        const Variation* was =
            before != nullptr && v < before->variations.size() ? &before->variations[v] : nullptr;
        bytes += HeapBytes(variation.startNote);
        if (was != nullptr && variation.plies.Shares(was->plies)) continue;
        bytes += variation.plies.size() * sizeof(PlyList::Shared);
        for (int k = 0; k < variation.plies.Held(); ++k) {
            const bool kept = was != nullptr && variation.plies.SharesPly(k, was->plies);
            if (!kept)
                bytes +=
                    NewBytes(variation.plies[k],
                             was != nullptr && k < was->plies.Held() ? &was->plies[k] : nullptr);
        }
    }
    return bytes;
}

}  // namespace

GameSnapshot::GameSnapshot(const CGameRecord& game, const GameSnapshot* previous) : m_game(game) {
    const PlyList& plies = std::as_const(game.m_ply);
    m_game.m_ply.clear();
    const int held = plies.Held();
    const int length = static_cast<int>(kRun);
    for (int first = 0, run = 0; first < held; first += length, ++run) {
        Run pointers;
        for (int i = first; i < first + length && i < held; ++i) pointers.push_back(plies.Share(i));
        const Run* before = previous != nullptr && run < static_cast<int>(previous->m_runs.size())
                                ? previous->m_runs[static_cast<std::size_t>(run)].get()
                                : nullptr;
        if (before != nullptr) {
            // Equal plies held apart (a record written to but left as it was)
            // are held once: this step then costs only what it changed.
            for (std::size_t k = 0; k < pointers.size() && k < before->size(); ++k)
                if (pointers[k] != (*before)[k] && *pointers[k] == *(*before)[k])
                    pointers[k] = (*before)[k];
            if (pointers == *before) {
                m_runs.push_back(previous->m_runs[static_cast<std::size_t>(run)]);
                continue;
            }
        }
        m_runs.push_back(std::make_shared<const Run>(std::move(pointers)));
    }
}

void GameSnapshot::CopyTo(CGameRecord& game) const {
    game.Assign(m_game);
    for (const auto& run : m_runs)
        for (const PlyList::Shared& ply : *run) game.m_ply.PushShared(ply);
    game.CheckSound();
}

bool GameSnapshot::SameGame(const GameSnapshot& other) const {
    if (!fields::Same(m_game.GameFields(), other.m_game.GameFields())) return false;
    const std::size_t runs = std::max(m_runs.size(), other.m_runs.size());
    for (std::size_t r = 0; r < runs; ++r) {
        const Run* mine = r < m_runs.size() ? m_runs[r].get() : nullptr;
        const Run* theirs = r < other.m_runs.size() ? other.m_runs[r].get() : nullptr;
        if (mine == theirs) continue;
        for (std::size_t k = 0; k < kRun; ++k) {
            const PlyRecord& a =
                mine != nullptr && k < mine->size() ? *(*mine)[k] : PlyList::Unwritten();
            const PlyRecord& b =
                theirs != nullptr && k < theirs->size() ? *(*theirs)[k] : PlyList::Unwritten();
            if (&a != &b && a != b) return false;
        }
    }
    return true;
}

std::size_t GameSnapshot::OwnBytes(const GameSnapshot* previous) const {
    std::size_t bytes =
        sizeof *this + HeapBytes(m_game.m_startNote) + m_runs.size() * sizeof(m_runs[0]);
    for (const auto& tag : m_game.m_keptTags) bytes += HeapBytes(tag.first) + HeapBytes(tag.second);
    for (std::size_t r = 0; r < m_runs.size(); ++r) {
        const Run* before = previous != nullptr && r < previous->m_runs.size()
                                ? previous->m_runs[r].get()
                                : nullptr;
        if (before == m_runs[r].get()) continue;
        const Run& run = *m_runs[r];
        bytes += sizeof run + run.size() * sizeof(run[0]);
        for (std::size_t k = 0; k < run.size(); ++k) {
            const PlyRecord* was =
                before != nullptr && k < before->size() ? (*before)[k].get() : nullptr;
            bytes += NewBytes(*run[k], was);
        }
    }
    return bytes;
}

void GameHistory::Reset(const CGameRecord& game) {
    m_states.clear();
    m_bytes = 0;
    m_at = 0;
    m_saved = 0;
    m_groupOpen = false;
    State start;
    start.game = std::make_shared<const GameSnapshot>(game, nullptr);
    start.bytes = start.game->OwnBytes(nullptr);
    Push(std::move(start));
}

void GameHistory::Record(const CGameRecord& game, const std::string& step,
                         const std::string& group) {
    if (m_states.empty()) {
        Reset(game);
        return;
    }
    while (m_states.size() > m_at + 1) {
        m_bytes -= m_states.back().bytes;
        m_states.pop_back();
    }
    if (m_saved > static_cast<std::ptrdiff_t>(m_at)) m_saved = -1;
    // A change of the same group replaces the group's step, which then
    // stands on the state before it.
    const bool joins = m_groupOpen && !group.empty() && m_at > 0 && m_states[m_at].group == group;
    if (joins) {
        if (m_saved == static_cast<std::ptrdiff_t>(m_at)) m_saved = -1;
        m_bytes -= m_states.back().bytes;
        m_states.pop_back();
        --m_at;
    }
    const GameSnapshot& before = *m_states[m_at].game;
    auto after = std::make_shared<const GameSnapshot>(game, &before);
    m_groupOpen = !group.empty();
    if (after->SameGame(before)) {
        // Nothing changed, or a group came back to where it began: the
        // position shown is all that moves.
        State& current = m_states[m_at];
        m_bytes -= current.bytes;
        current.game = std::make_shared<const GameSnapshot>(
            game, m_at > 0 ? m_states[m_at - 1].game.get() : nullptr);
        current.bytes = current.game->OwnBytes(m_at > 0 ? m_states[m_at - 1].game.get() : nullptr);
        m_bytes += current.bytes;
        if (joins) m_groupOpen = false;
        return;
    }
    State state;
    state.name = step;
    state.group = group;
    state.bytes = after->OwnBytes(&before);
    state.game = std::move(after);
    Push(std::move(state));
    ++m_at;
    while (m_bytes > m_budget && m_states.size() > 2) ForgetOldest();
}

void GameHistory::Push(State state) {
    m_bytes += state.bytes;
    m_states.push_back(std::move(state));
}

void GameHistory::ForgetOldest() {
    m_bytes -= m_states[0].bytes + m_states[1].bytes;
    m_states.pop_front();
    // The new first state owns every ply it holds now.
    m_states[0].bytes = m_states[0].game->OwnBytes(nullptr);
    m_states[0].name.clear();
    m_bytes += m_states[0].bytes;
    --m_at;
    if (m_saved >= 0) --m_saved;
}

std::string GameHistory::UndoName() const {
    return CanUndo() ? m_states[m_at].name : std::string();
}

std::string GameHistory::RedoName() const {
    return CanRedo() ? m_states[m_at + 1].name : std::string();
}

bool GameHistory::Undo(CGameRecord& game) {
    if (!CanUndo()) return false;
    m_groupOpen = false;
    --m_at;
    m_states[m_at].game->CopyTo(game);
    return true;
}

bool GameHistory::Redo(CGameRecord& game) {
    if (!CanRedo()) return false;
    m_groupOpen = false;
    ++m_at;
    m_states[m_at].game->CopyTo(game);
    return true;
}

void GameHistory::MarkSaved() {
    m_saved = static_cast<std::ptrdiff_t>(m_at);
    m_groupOpen = false;
}
