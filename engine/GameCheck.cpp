#include "GameCheck.h"

#include <algorithm>
#include <cctype>
#include <regex>

#include "EngineLine.h"
#include "GameLines.h"
#include "MoveSymbols.h"

namespace {

double Decided(const EngineScore& score) {
    return std::clamp(ScorePawns(score), -check::kDecidedPawns, check::kDecidedPawns);
}

// Whether the engine's move, as it writes it, is the move the ply made.
bool IsPlayedMove(const std::string& move, const PlyRecord& ply) {
    return move.size() >= 4 && move[0] - 'a' == ply.fromFile && move[1] - '1' == ply.fromRank &&
           move[2] - 'a' == ply.toFile && move[3] - '1' == ply.toRank;
}

// Whether a move of `variation` has a note with an engine's score in it, as
// EngineNote writes one ("+0.45 at depth 18"): a line added by an earlier
// check or from the pane says why already.
bool HoldsEngineScore(const Variation& variation) {
    static const std::regex score(R"((^|\s)([+-]?\d+\.\d\d|#-?\d+) at depth \d+)");
    for (const PlyRecord& ply : variation.plies)
        if (ply.hasNote && std::regex_search(ply.note, score)) return true;
    return false;
}

// `score` after the ply's note, a blank between; false, with the note as it
// was, when there is no room for it.
bool AddScoreToNote(PlyRecord& ply, const std::string& score) {
    std::string note = ply.hasNote ? ply.note : std::string();
    if (!note.empty() && !std::isspace(static_cast<unsigned char>(note.back()))) note += ' ';
    note += score;
    if (note.size() > CGameRecord::kMaxNoteLength) return false;
    ply.note = std::move(note);
    ply.hasNote = 1;
    return true;
}

}  // namespace

int JudgeMove(const EngineScore& before, const EngineScore& after) {
    // What the mover could have had, less what the move left them.
    const double lost = Decided(before) + Decided(after);
    if (lost >= check::kBlunderPawns) return 4;
    if (lost >= check::kMistakePawns) return 2;
    if (lost >= check::kInaccuracyPawns) return 6;
    return 0;
}

bool FinishedPositionScore(const CGameRecord& game, int plies, EngineScore& score) {
    if (plies < 1 || plies > game.m_plyCount) return false;
    const char status = game.m_ply[plies - 1].status;
    if (status != 'M' && status != 'S') return false;
    score = EngineScore();
    score.mate = status == 'M';
    return true;
}

GameCheckOutcome ApplyGameCheck(CGameRecord& game, const std::vector<PositionVerdict>& verdicts) {
    GameCheckOutcome outcome;
    const int moves = std::min(game.m_plyCount, static_cast<int>(verdicts.size()) - 1);
    int roomLeft = lines::kMaxVariationPlies - CountVariationPlies(game);
    for (int k = 0; k < moves; ++k) {
        const PositionVerdict& before = verdicts[static_cast<std::size_t>(k)];
        const PositionVerdict& after = verdicts[static_cast<std::size_t>(k) + 1];
        PlyRecord& ply = game.m_ply[k];
        if (!before.known || !after.known || before.bestLine.empty() ||
            IsPlayedMove(before.bestLine.front(), ply))
            continue;
        const int glyph = JudgeMove(before.score, after.score);
        if (glyph == 0) continue;
        // The reason first: a mark goes in only beside it.
        std::vector<PlyRecord> better = PlayEngineLine(game, k, before.bestLine);
        if (better.empty()) continue;
        const std::string score =
            EngineNote(before.score, game.SideOfPly(k) == White, before.depth);
        Variation* there = nullptr;
        for (Variation& variation : ply.variations)
            if (there == nullptr && !variation.plies.empty() &&
                SameMove(variation.plies.front(), better.front()))
                there = &variation;
        if (there != nullptr) {
            if (!HoldsEngineScore(*there)) {
                if (!AddScoreToNote(there->plies.front(), score)) continue;
                ++outcome.scoresAdded;
            }
        } else {
            if (static_cast<int>(better.size()) > roomLeft) continue;
            better.back().note = score;
            better.back().hasNote = 1;
            roomLeft -= static_cast<int>(better.size());
            Variation variation;
            variation.plies = PlyList(std::move(better));
            ply.variations.push_back(std::move(variation));
            ++outcome.variationsAdded;
        }
        if (MoveSymbolOf(ply) == 0) {
            ToggleMoveSymbol(ply, glyph);
            ++outcome.glyphsAdded;
        }
    }
    return outcome;
}
