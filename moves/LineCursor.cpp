#include "LineCursor.h"

#include <utility>

namespace {

// How many of the path's branches leave before ply index `ply`: the line
// that ply belongs to is the path cut there.
std::size_t BranchesBefore(const LinePath& path, int ply) {
    std::size_t count = 0;
    while (count < path.size() && path[count].ply < ply) ++count;
    return count;
}

}  // namespace

LineCursor::LineCursor()
    : m_line(std::make_unique<CGameRecord>()), m_whole(std::make_unique<CGameRecord>()) {}

LinePath LineCursor::OwnerOf(int ply) const {
    return LinePath(m_path.begin(),
                    m_path.begin() + static_cast<std::ptrdiff_t>(BranchesBefore(m_path, ply)));
}

bool LineCursor::Load(const CGameRecord& game) {
    if (!m_path.empty()) {
        m_whole->Assign(game);
        if (TakeLine(*m_whole, m_path, *m_line)) return true;
        m_path.clear();
    }
    m_line->Assign(game);
    // A game last published from a window showing an earlier position has
    // m_curPly below m_plyCount: the line still holds every ply, so that it
    // never drops moves from the game when it is published.
    if (m_line->m_plyCount < m_line->m_curPly) m_line->m_plyCount = m_line->m_curPly;
    return false;
}

void LineCursor::ShowLineOf(const LinePath& path) {
    // Published edits are in the whole game already: the line is taken from it.
    if (m_path.empty()) m_whole->Assign(*m_line);
    if (path.empty() || !TakeLine(*m_whole, path, *m_line)) {
        m_line->Assign(*m_whole);
        m_path.clear();
    } else {
        m_path = path;
    }
}

const CGameRecord& LineCursor::Publish() {
    if (m_path.empty()) return *m_line;
    StoreLine(*m_whole, m_path, *m_line);
    return *m_whole;
}

bool LineCursor::Into(int line, Place& place) const {
    int at = line;
    int variation = 0;
    LinePath owner = OwnerOf(line);
    // From just inside a variation, on to the next alternative of its move.
    if (!m_path.empty() && m_path.back().ply == line - 1) {
        at = line - 1;
        variation = m_path.back().variation + 1;
        owner.assign(m_path.begin(), m_path.end() - 1);
    }
    auto ownerLine = std::make_unique<CGameRecord>();
    TakeLine(Whole(), owner, *ownerLine);
    if (at >= ownerLine->m_plyCount) return false;
    if (variation >= static_cast<int>(ownerLine->m_ply[at].variations.size())) {
        // After the last alternative, back to the move itself.
        if (variation == 0) return false;
        place = {owner, at + 1};
        return true;
    }
    owner.push_back({at, variation});
    place = {owner, at + 1};
    return true;
}

bool LineCursor::OutOf(Place& place) const {
    if (m_path.empty()) return false;
    place = {LinePath(m_path.begin(), m_path.end() - 1), m_path.back().ply};
    return true;
}

LineCursor::Branching LineCursor::Decide(const CGameRecord& trial, int next) const {
    Branching branching;
    const PlyRecord& played = trial.m_ply[next];
    branching.owner = OwnerOf(next);
    auto owner = std::make_unique<CGameRecord>();
    TakeLine(Whole(), branching.owner, *owner);
    // The move the line or one of its variations holds already is followed.
    if (SameMove(owner->m_ply[next], played)) {
        branching.follow = true;
        branching.followed = {branching.owner, next + 1};
        return branching;
    }
    const VariationList& variations = owner->m_ply[next].variations;
    for (std::size_t v = 0; v < variations.size(); ++v) {
        if (!SameMove(variations[v].plies.front(), played)) continue;
        branching.follow = true;
        branching.followed = {branching.owner, next + 1};
        branching.followed.path.push_back({next, static_cast<int>(v)});
        return branching;
    }
    branching.goesOn = PlyName(*owner, next);
    branching.played = PlyName(trial, next);
    // More than the move replaced would go: later moves, or the variations
    // of any of them, in any line.
    branching.replaceLoses = CountPliesFrom(*owner, next) > 1;
    return branching;
}

void LineCursor::Replace(const CGameRecord& trial, int next) {
    // The copy is the line the move belongs to, cut there and the move
    // added: the moves after it go, with their variations.
    const LinePath owner = OwnerOf(next);
    if (owner.empty()) {
        m_line->Assign(trial);
    } else {
        StoreLine(*m_whole, owner, trial);
        TakeLine(*m_whole, owner, *m_line);
    }
    m_path = owner;
}

VariationRefusal LineCursor::AddVariation(const CGameRecord& trial, int next) {
    const LinePath ownerPath = OwnerOf(next);
    if (const VariationRefusal full = VariationRoomRefusal(Whole(), ownerPath.size() + 1);
        full != VariationRefusal::None)
        return full;
    if (m_path.empty()) m_whole->Assign(*m_line);
    auto owner = std::make_unique<CGameRecord>();
    TakeLine(*m_whole, ownerPath, *owner);
    Variation variation;
    variation.plies.push_back(trial.m_ply[next]);
    owner->m_ply[next].variations.push_back(std::move(variation));
    StoreLine(*m_whole, ownerPath, *owner);
    m_path = ownerPath;
    m_path.push_back({next, static_cast<int>(owner->m_ply[next].variations.size()) - 1});
    TakeLine(*m_whole, m_path, *m_line);
    return VariationRefusal::None;
}

VariationRefusal LineCursor::PromoteShown() {
    if (m_path.empty()) return VariationRefusal::None;
    if (const VariationRefusal why = MainLineRefusal(*m_line); why != VariationRefusal::None)
        return why;
    StoreLine(*m_whole, m_path, *m_line);
    if (!PromoteToMainLine(*m_whole, m_path)) return VariationRefusal::None;
    m_path.clear();
    m_line->Assign(*m_whole);
    return VariationRefusal::None;
}

bool LineCursor::DeleteShown() {
    if (m_path.empty()) return false;
    StoreLine(*m_whole, m_path, *m_line);
    // The whole game is the game while the variation is still the line shown.
    if (!DeleteVariation(*m_whole, m_path)) return false;
    ShowLineOf(LinePath(m_path.begin(), m_path.end() - 1));
    return true;
}
