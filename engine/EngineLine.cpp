#include "EngineLine.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "LegalMoves.h"
#include "MovePlay.h"
#include "MoveTextApply.h"
#include "PlyLine.h"

namespace {

// Plays one move the engine sends ("g1f3", "e7e8q") on `game`; false, with
// the game as it was, when it is no legal move of the side to move.
bool PlayEngineMove(CGameRecord& game, const std::string& text) {
    TypedMove typed;
    if (!ReadTypedMove(game, text, typed)) return false;
    bool legal = false;
    ForEachLegalMove(game, game.m_sideToMove, [&](const LegalMove& candidate) {
        legal = candidate.move.from == typed.move.from && candidate.move.to == typed.move.to;
        return !legal;
    });
    if (!legal || game.m_curPly >= CGameRecord::kMaxPlies) return false;
    const PlayedMove played = PlayMove(game, typed.move);
    return played.legal &&
           RecordPly(game, typed.move, FormatPlyLine(game, game.m_curPly, played.text));
}

}  // namespace

std::string EnginePosition(const CGameRecord& line, int plies) {
    plies = std::clamp(plies, 0, line.m_plyCount);
    // Before the last capture or pawn move nothing can repeat.
    const int clock = plies > 0 ? line.m_ply[plies - 1].halfMoveClock : 0;
    int from = std::max(0, plies - clock);
    // A pass in a variation is no move to tell: the position after it is.
    for (int i = from; i < plies; ++i)
        if (line.m_ply[i].IsNullMove()) from = i + 1;
    auto position = std::make_unique<CGameRecord>();
    std::memcpy(position->m_startFen, line.m_startFen, sizeof position->m_startFen);
    position->m_startSide = line.m_startSide;
    position->m_startMoveNumber = line.m_startMoveNumber;
    if (from == 0) {
        position->SetFromFen(line.m_startFen);
    } else {
        position->m_ply[from - 1] = line.m_ply[from - 1];
        position->m_plyCount = from;
        position->RestorePly(from - 1);
    }
    std::string text = "fen " + position->MakeFullFen();
    // No promotion among them: a pawn move starts the count afresh.
    for (int i = from; i < plies; ++i) {
        const PlyRecord& ply = line.m_ply[i];
        text += i == from ? " moves " : " ";
        text += SquareName(ply.fromFile, ply.fromRank) + SquareName(ply.toFile, ply.toRank);
    }
    return text;
}

std::vector<PlyRecord> PlayEngineLine(const CGameRecord& line, int plies,
                                      const std::vector<std::string>& moves) {
    auto game = std::make_unique<CGameRecord>(line);
    CutLine(*game, plies);
    game->m_setupMode = 0;
    std::vector<PlyRecord> played;
    for (const std::string& move : moves) {
        if (static_cast<int>(played.size()) == kMostEngineLinePlies) break;
        if (!PlayEngineMove(*game, move)) break;
        played.push_back(game->m_ply[game->m_curPly - 1]);
    }
    return played;
}

std::string EngineLineText(const CGameRecord& line, int plies,
                           const std::vector<PlyRecord>& engineLine) {
    std::string text;
    for (std::size_t i = 0; i < engineLine.size(); ++i) {
        const int ply = plies + static_cast<int>(i);
        const bool white = line.SideOfPly(ply) == White;
        if (!text.empty()) text += ' ';
        if (white || i == 0)
            text += std::to_string(line.MoveNumberOfPly(ply)) + (white ? ". " : ". ... ");
        text += MoveWithoutNumber(engineLine[i]);
    }
    return text;
}

std::string EngineNote(const EngineScore& score, bool whiteToMove, int depth) {
    // No brackets: a saved note cannot hold them.
    return ScoreText(score, whiteToMove) + " at depth " + std::to_string(depth);
}

EngineLineAdded AddEngineLine(CGameRecord& game, const LinePath& path, int plies,
                              const std::vector<PlyRecord>& engineLine, const std::string& note,
                              VariationRefusal& refusal) {
    refusal = VariationRefusal::None;
    auto line = std::make_unique<CGameRecord>();
    if (engineLine.empty() || !TakeLine(game, path, *line) || plies < 0 || plies > line->m_plyCount)
        return EngineLineAdded::AlreadyThere;

    // Along the moves the line already has.
    int at = plies;
    std::size_t first = 0;
    while (first < engineLine.size() && at < line->m_plyCount &&
           SameMove(line->m_ply[at], engineLine[first])) {
        ++at;
        ++first;
    }
    if (first == engineLine.size()) return EngineLineAdded::AlreadyThere;
    std::vector<PlyRecord> rest(engineLine.begin() + static_cast<std::ptrdiff_t>(first),
                                engineLine.end());
    rest.back().note = note;
    rest.back().hasNote = note.empty() ? 0 : 1;
    const bool atLineEnd = at == line->m_plyCount;

    if (!atLineEnd) {
        // The same line added before is not added twice.
        for (const Variation& variation : line->m_ply[at].variations) {
            bool same = variation.plies.size() >= rest.size();
            for (std::size_t i = 0; same && i < rest.size(); ++i)
                same = SameMove(variation.plies[i], rest[i]);
            if (same) return EngineLineAdded::AlreadyThere;
        }
    }
    // The game's bounds: a new variation is one level deeper than its line,
    // and every move added to a variation counts toward the whole game's.
    const std::size_t depth = path.size() + (atLineEnd ? 0 : 1);
    if (depth > static_cast<std::size_t>(lines::kMaxDepth)) {
        refusal = VariationRefusal::VariationsTooDeep;
        return EngineLineAdded::Refused;
    }
    if (depth > 0 &&
        CountVariationPlies(game) + static_cast<int>(rest.size()) > lines::kMaxVariationPlies) {
        refusal = VariationRefusal::VariationsFull;
        return EngineLineAdded::Refused;
    }

    if (atLineEnd) {
        for (PlyRecord& ply : rest) line->m_ply[line->m_plyCount++] = std::move(ply);
        line->RestorePly(line->m_plyCount - 1);
    } else {
        Variation variation;
        variation.plies = PlyList(std::move(rest));
        line->m_ply[at].variations.push_back(std::move(variation));
    }
    if (path.empty()) {
        game.Assign(*line);
    } else {
        StoreLine(game, path, *line);
    }
    return atLineEnd ? EngineLineAdded::AtLineEnd : EngineLineAdded::AsVariation;
}
