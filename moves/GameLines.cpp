#include "GameLines.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

#include "LineWalk.h"
#include "TextField.h"

namespace {

bool HasBranch(const CGameRecord& line, const LineBranch& branch) {
    return branch.ply >= 0 && branch.ply < line.m_plyCount && branch.variation >= 0 &&
           branch.variation < static_cast<int>(line.m_ply[branch.ply].variations.size());
}

// The tags, the start note and the flip belong to the game whichever line
// the user edited them on.
void TakeHeader(CGameRecord& game, const CGameRecord& line) {
    std::copy(&line.m_tag[0][0], &line.m_tag[0][0] + sizeof line.m_tag, &game.m_tag[0][0]);
    game.m_keptTags = line.m_keptTags;
    game.m_hasStartNote = line.m_hasStartNote;
    game.m_startNote = line.m_startNote;
    game.m_flipped = line.m_flipped;
}

std::string NumberedMove(const CGameRecord& line, int ply, const std::string& move) {
    return std::to_string(line.MoveNumberOfPly(ply)) +
           (line.SideOfPly(ply) == Black ? "... " : ". ") + move;
}

}  // namespace

void CutLine(CGameRecord& line, int plies) {
    line.m_ply.Truncate(plies);
    if (plies > 0) {
        line.RestorePly(plies - 1);
    } else {
        // Back at the start; a game from the standard start stays one.
        const int fromSetup = line.m_fromSetup;
        line.SetFromFen(line.m_startFen);
        line.m_fromSetup = fromSetup;
    }
    line.m_curPly = line.m_plyCount = plies;
}

bool TakeLine(const CGameRecord& game, const LinePath& path, CGameRecord& line) {
    line.Assign(game);
    for (const LineBranch& branch : path) {
        if (!HasBranch(line, branch)) {
            line.Assign(game);
            return false;
        }
        const PlyList plies = line.m_ply[branch.ply].variations[branch.variation].plies;
        CutLine(line, branch.ply);
        const int count = std::min(plies.Held(), CGameRecord::kMaxPlies - branch.ply);
        // The line holds the variation's very records, as the game does.
        for (int i = 0; i < count; ++i) line.m_ply.PushShared(plies.Share(i));
        line.m_plyCount = branch.ply + count;
        line.RestorePly(line.m_plyCount - 1);
    }
    return true;
}

void StoreLine(CGameRecord& game, const LinePath& path, const CGameRecord& line) {
    if (path.empty()) {
        game.Assign(line);
        return;
    }
    const LineBranch branch = path.back();
    const LinePath parentPath(path.begin(), path.end() - 1);
    auto parent = std::make_unique<CGameRecord>();
    if (!TakeLine(game, parentPath, *parent) || !HasBranch(*parent, branch)) return;
    TakeHeader(*parent, line);
    // Before the branch the line is its parent's, so its plies there carry
    // whatever was edited on them: notes, glyphs, other variations.
    for (int i = 0; i < branch.ply && i < line.m_plyCount; ++i)
        if (!parent->m_ply.SharesPly(i, line.m_ply)) parent->m_ply.Put(i, line.m_ply.Share(i));
    VariationList& variations = parent->m_ply[branch.ply].variations;
    if (line.m_plyCount <= branch.ply)
        variations.EraseAt(static_cast<std::size_t>(branch.variation));
    else
        variations[static_cast<std::size_t>(branch.variation)].plies =
            line.m_ply.Slice(branch.ply, line.m_plyCount);
    StoreLine(game, parentPath, *parent);
}

const char* VariationRefusalSentence(VariationRefusal refusal) {
    switch (refusal) {
        case VariationRefusal::None:
            return "";
        case VariationRefusal::VariationsFull:
            return "This game's variations already hold 20000 half-moves, the most a game keeps. "
                   "No further move can be added to a variation.";
        case VariationRefusal::VariationsTooDeep:
            return "Variations are nested 64 deep here, the most a game keeps. This move cannot "
                   "begin a variation of its own.";
        case VariationRefusal::NullMoveNotMain:
            return "This variation holds a null move (--), which only a variation may hold, so it "
                   "cannot become the main line.";
    }
    return "";
}

VariationRefusal MainLineRefusal(const CGameRecord& line) {
    // A file's main line is moves alone: the game would not read back.
    for (int i = 0; i < line.m_plyCount; ++i)
        if (line.m_ply[i].IsNullMove()) return VariationRefusal::NullMoveNotMain;
    return VariationRefusal::None;
}

bool PromoteToMainLine(CGameRecord& game, const LinePath& path) {
    auto line = std::make_unique<CGameRecord>();
    if (path.empty() || !TakeLine(game, path, *line)) return false;
    if (MainLineRefusal(*line) != VariationRefusal::None) return false;
    auto parent = std::make_unique<CGameRecord>();
    for (LinePath rest = path; !rest.empty();) {
        const LineBranch branch = rest.back();
        TakeLine(game, rest, *line);
        rest.pop_back();
        TakeLine(game, rest, *parent);
        VariationList others = parent->m_ply[branch.ply].variations;
        const std::string startNote = others[static_cast<std::size_t>(branch.variation)].startNote;
        others.EraseAt(static_cast<std::size_t>(branch.variation));
        // The line the variation left becomes the first variation of the
        // promoted move; the move's other alternatives follow it.
        Variation displaced;
        displaced.plies = parent->m_ply.Slice(branch.ply, parent->m_plyCount);
        displaced.plies.front().variations.clear();
        VariationList alternatives;
        alternatives.push_back(std::move(displaced));
        for (const Variation& other : others) alternatives.push_back(other);
        for (const Variation& own : std::as_const(line->m_ply)[branch.ply].variations)
            alternatives.push_back(own);
        line->m_ply[branch.ply].variations = std::move(alternatives);
        // A note before the variation's first move now stands after the
        // move before it, where a main line keeps it.
        if (!startNote.empty()) {
            std::string& note =
                branch.ply > 0 ? line->m_ply[branch.ply - 1].note : line->m_startNote;
            const bool had = branch.ply > 0 ? line->m_ply[branch.ply - 1].hasNote != 0
                                            : line->m_hasStartNote != 0;
            if (!had) note.clear();
            note += (note.empty() ? "" : " ") + startNote;
            note.resize(Utf8SafeCut(note, CGameRecord::kMaxNoteLength));
            if (branch.ply > 0)
                line->m_ply[branch.ply - 1].hasNote = 1;
            else
                line->m_hasStartNote = 1;
        }
        StoreLine(game, rest, *line);
    }
    return true;
}

bool DeleteVariation(CGameRecord& game, const LinePath& path) {
    if (path.empty()) return false;
    const LinePath parentPath(path.begin(), path.end() - 1);
    auto parent = std::make_unique<CGameRecord>();
    if (!TakeLine(game, parentPath, *parent) || !HasBranch(*parent, path.back())) return false;
    parent->m_ply[path.back().ply].variations.EraseAt(
        static_cast<std::size_t>(path.back().variation));
    StoreLine(game, parentPath, *parent);
    return true;
}

int CountVariationPlies(const CGameRecord& game) {
    return MeasureTree(game.m_ply, 0, game.m_plyCount).variationPlies;
}

int VariationDepth(const CGameRecord& game) {
    return MeasureTree(game.m_ply, 0, game.m_plyCount).deepest;
}

int CountPliesFrom(const CGameRecord& line, int first) {
    first = std::max(0, first);
    if (first >= line.m_plyCount) return 0;
    const int count = line.m_plyCount - first;
    return count + MeasureTree(line.m_ply, first, count).variationPlies;
}

bool HasVariations(const CGameRecord& game) {
    for (int i = 0; i < game.m_plyCount && i < CGameRecord::kMaxPlies; ++i)
        if (!game.m_ply[i].variations.empty()) return true;
    return false;
}

std::string PlyName(const CGameRecord& line, int ply) {
    return NumberedMove(line, ply, line.GetMoveWithoutNumber(ply));
}

std::string PlyName(const CGameRecord& line, int ply, const PlyRecord& move) {
    return NumberedMove(line, ply, MoveWithoutNumber(move));
}

VariationRefusal VariationRoomRefusal(const CGameRecord& game, std::size_t depth) {
    if (depth == 0) return VariationRefusal::None;
    if (depth > static_cast<std::size_t>(lines::kMaxDepth))
        return VariationRefusal::VariationsTooDeep;
    if (CountVariationPlies(game) >= lines::kMaxVariationPlies)
        return VariationRefusal::VariationsFull;
    return VariationRefusal::None;
}

bool SameMove(const PlyRecord& a, const PlyRecord& b) {
    return a.fromFile == b.fromFile && a.fromRank == b.fromRank && a.toFile == b.toFile &&
           a.toRank == b.toRank && std::memcmp(a.piece, b.piece, sizeof a.piece) == 0 &&
           std::memcmp(a.color, b.color, sizeof a.color) == 0;
}
