#include "GameHistory.h"

#include <cstring>

namespace {

bool SamePly(const PlyRecord& a, const PlyRecord& b);

bool SameVariations(const std::vector<Variation>& a, const std::vector<Variation>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].startNote != b[i].startNote || a[i].plies.size() != b[i].plies.size())
            return false;
        for (std::size_t k = 0; k < a[i].plies.size(); ++k)
            if (!SamePly(a[i].plies[k], b[i].plies[k])) return false;
    }
    return true;
}

bool SamePly(const PlyRecord& a, const PlyRecord& b) {
    return a.fromFile == b.fromFile && a.fromRank == b.fromRank && a.toFile == b.toFile &&
           a.toRank == b.toRank && a.canCastleWK == b.canCastleWK &&
           a.canCastleWQ == b.canCastleWQ && a.canCastleBK == b.canCastleBK &&
           a.canCastleBQ == b.canCastleBQ && a.epFile == b.epFile && a.epRank == b.epRank &&
           a.repeatCount == b.repeatCount && a.halfMoveClock == b.halfMoveClock &&
           a.status == b.status && a.hasNote == b.hasNote &&
           std::memcmp(a.piece, b.piece, sizeof a.piece) == 0 &&
           std::memcmp(a.color, b.color, sizeof a.color) == 0 &&
           std::memcmp(a.text, b.text, sizeof a.text) == 0 &&
           std::memcmp(a.date, b.date, sizeof a.date) == 0 && a.note == b.note &&
           a.nags == b.nags && SameVariations(a.variations, b.variations);
}

std::size_t PlyBytes(const PlyRecord& ply) {
    std::size_t bytes = sizeof ply + ply.note.capacity() + ply.nags.capacity();
    for (const Variation& variation : ply.variations) {
        bytes += sizeof variation + variation.startNote.capacity();
        for (const PlyRecord& inner : variation.plies) bytes += PlyBytes(inner);
    }
    return bytes;
}

}  // namespace

GameSnapshot::GameSnapshot(const CGameRecord& game, const GameSnapshot* previous) {
    std::memcpy(m_piece, game.m_piece, sizeof m_piece);
    std::memcpy(m_color, game.m_color, sizeof m_color);
    m_epFile = game.m_epFile;
    m_epRank = game.m_epRank;
    m_castle[0] = game.m_canCastleWK;
    m_castle[1] = game.m_canCastleWQ;
    m_castle[2] = game.m_canCastleBK;
    m_castle[3] = game.m_canCastleBQ;
    m_halfMoveClock = game.m_halfMoveClock;
    m_repeatCount = game.m_repeatCount;
    m_status = game.m_status;
    m_flipped = game.m_flipped;
    std::memcpy(m_tag, game.m_tag, sizeof m_tag);
    m_curPly = game.m_curPly;
    m_plyCount = game.m_plyCount;
    m_sideToMove = game.m_sideToMove;
    m_fromSetup = game.m_fromSetup;
    std::memcpy(m_startFen, game.m_startFen, sizeof m_startFen);
    m_startSide = game.m_startSide;
    m_startMoveNumber = game.m_startMoveNumber;
    m_hasStartNote = game.m_hasStartNote;
    m_startNote = game.m_startNote;
    m_keptTags = game.m_keptTags;
    m_setupMode = game.m_setupMode;
    const int written = game.m_ply.Written();
    m_plies.reserve(static_cast<std::size_t>(written));
    for (int i = 0; i < written; ++i) {
        const auto index = static_cast<std::size_t>(i);
        if (previous == nullptr)
            // The first state holds the game's own records while it keeps
            // them: a game opened and only read is held once.
            m_plies.push_back(game.m_ply.Lend(i));
        else if (index < previous->m_plies.size() &&
                 SamePly(*previous->m_plies[index], game.m_ply[i]))
            m_plies.push_back(previous->m_plies[index]);
        else
            m_plies.push_back(std::make_shared<const PlyRecord>(game.m_ply[i]));
    }
}

void GameSnapshot::CopyTo(CGameRecord& game) const {
    std::memcpy(game.m_piece, m_piece, sizeof m_piece);
    std::memcpy(game.m_color, m_color, sizeof m_color);
    game.m_epFile = m_epFile;
    game.m_epRank = m_epRank;
    game.m_canCastleWK = m_castle[0];
    game.m_canCastleWQ = m_castle[1];
    game.m_canCastleBK = m_castle[2];
    game.m_canCastleBQ = m_castle[3];
    game.m_halfMoveClock = m_halfMoveClock;
    game.m_repeatCount = m_repeatCount;
    game.m_status = m_status;
    game.m_flipped = m_flipped;
    std::memcpy(game.m_tag, m_tag, sizeof m_tag);
    game.m_curPly = m_curPly;
    game.m_plyCount = m_plyCount;
    game.m_sideToMove = m_sideToMove;
    game.m_fromSetup = m_fromSetup;
    std::memcpy(game.m_startFen, m_startFen, sizeof m_startFen);
    game.m_startSide = m_startSide;
    game.m_startMoveNumber = m_startMoveNumber;
    game.m_hasStartNote = m_hasStartNote;
    game.m_startNote = m_startNote;
    game.m_keptTags = m_keptTags;
    game.m_setupMode = m_setupMode;
    const int had = game.m_ply.Written();
    const int written = static_cast<int>(m_plies.size());
    for (int i = 0; i < written; ++i) game.m_ply[i] = *m_plies[static_cast<std::size_t>(i)];
    for (int i = written; i < had; ++i) game.m_ply[i] = PlyRecord();
}

bool GameSnapshot::SameGame(const GameSnapshot& other) const {
    if (m_flipped != other.m_flipped || m_plyCount != other.m_plyCount ||
        m_fromSetup != other.m_fromSetup || m_setupMode != other.m_setupMode ||
        m_hasStartNote != other.m_hasStartNote || m_startNote != other.m_startNote ||
        m_keptTags != other.m_keptTags || m_plies.size() != other.m_plies.size() ||
        std::memcmp(m_tag, other.m_tag, sizeof m_tag) != 0 ||
        std::memcmp(m_startFen, other.m_startFen, sizeof m_startFen) != 0)
        return false;
    for (std::size_t i = 0; i < m_plies.size(); ++i)
        if (m_plies[i] != other.m_plies[i] && !SamePly(*m_plies[i], *other.m_plies[i]))
            return false;
    return true;
}

std::size_t GameSnapshot::OwnBytes(const GameSnapshot* previous) const {
    std::size_t bytes =
        sizeof *this + m_startNote.capacity() + m_plies.capacity() * sizeof(m_plies[0]);
    for (const auto& tag : m_keptTags) bytes += tag.first.capacity() + tag.second.capacity();
    for (std::size_t i = 0; i < m_plies.size(); ++i)
        if (previous == nullptr || i >= previous->m_plies.size() ||
            previous->m_plies[i] != m_plies[i])
            bytes += PlyBytes(*m_plies[i]);
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
