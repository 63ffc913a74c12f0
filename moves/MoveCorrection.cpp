// Correcting a move inside a line: the moves after it are played again from
// the new position by their text, as reading a file plays them.
#include "MoveCorrection.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "LineWalk.h"
#include "MoveText.h"
#include "MoveTextApply.h"
#include "PlyLine.h"
#include "TextField.h"

namespace {


// The move of a list line as the move reader takes it, and in `sign` the
// player's sign after it ("!", "?!"). The en-passant mark and the check,
// mate and draw signs go: the board writes them anew for the new position.
std::string MoveToken(std::string move, std::string& sign) {
    const std::size_t enPassant = move.find(" e.p.");
    if (enPassant != std::string::npos) move.erase(enPassant, 5);
    sign.clear();
    while (!move.empty() && std::string_view("+#=!?").find(move.back()) != std::string_view::npos) {
        if (move.back() == '!' || move.back() == '?') sign.insert(sign.begin(), move.back());
        move.pop_back();
    }
    return move;
}

// The list line of ply `index` for `move` with the player's sign after it,
// or, where a sign could not be read back (after an en-passant mark) or does
// not fit, the sign as its glyph beside the move.
void WriteMove(CGameRecord& line, int index, const std::string& move, const std::string& sign) {
    PlyRecord& ply = line.m_ply[index];
    const bool hasSign = !move.empty() && (move.back() == '!' || move.back() == '?');
    if (!sign.empty() && !hasSign && move.find(" e.p.") == std::string::npos) {
        const std::string withSign = FormatPlyLine(line, index, move + sign);
        if (withSign.size() < PlyRecord::kTextSize) {
            CopyToField(ply.text, PlyRecord::kTextSize, withSign);
            return;
        }
    }
    CopyToField(ply.text, PlyRecord::kTextSize, FormatPlyLine(line, index, move));
    if (sign.empty() || hasSign) return;
    for (int n = 0; n < 6; ++n) {
        const std::string nag = "$" + std::to_string(n + 1);
        if (sign == kMoveSigns[n] && ply.nags.size() + 1 + nag.size() <= PlyRecord::kMaxNagsLength)
            ply.nags = ply.nags.empty() ? nag : nag + " " + ply.nags;
    }
}

// What the player wrote about a move, carried to the move that stands in its place.
void KeepAnnotations(PlyRecord& ply, const PlyRecord& old) {
    ply.note = old.note;
    ply.hasNote = old.hasNote;
    std::memcpy(ply.date, old.date, sizeof ply.date);
    ply.date[PlyRecord::kDateSize - 1] = '\0';
    ply.nags = old.nags;
}

// Plays `old`'s move as the next ply of `line` when the rules allow it there,
// with the old move's note, date, glyphs and sign. False, with `line` as it
// was, when the move no longer fits.
bool ReplayMove(CGameRecord& line, const PlyRecord& old) {
    const int index = line.m_curPly;
    const int side = line.m_sideToMove;
    if (old.IsNullMove()) {
        if (!ApplyNullMove(line, MoveWithoutNumber(old))) return false;
        KeepAnnotations(line.m_ply[index], old);
        return true;
    }
    std::string sign;
    const std::string token = MoveToken(MoveWithoutNumber(old), sign);
    if (token.empty() || index < 0 || index >= CGameRecord::kMaxPlies) return false;
    PlayedMove move;
    const MoveTextResult played = ApplyMoveText(line, token, side, EndTest::AfterMove, &move);
    if (played == MoveTextResult::PlayedAgainstRules) CutLine(line, index);
    if (played != MoveTextResult::Played) return false;
    KeepAnnotations(line.m_ply[index], old);
    WriteMove(line, index, move.text, sign);
    return true;
}

struct ReplayTrace {
    bool variationCut = false;  // a variation lost moves
    std::string firstCut;       // the first move a variation lost, named
};

// Replays `old[first..first+count)` onto `line`, which shows the position
// before the first of them, up to the first that no longer fits; the
// variations of each move replayed are replayed from the position before it.
// Returns how many moves were replayed.
int ReplayMoves(CGameRecord& line, const PlyList& old, int first, int count, ReplayTrace& trace) {
    // Variations go onto their moves once the line is done, so the copy each
    // variation starts from holds none.
    std::vector<std::pair<int, Variation>> replayed;
    int done = 0;
    for (; done < count && ReplayMove(line, old[first + done]); ++done) {
        const int index = line.m_curPly - 1;
        for (const Variation& variation : old[first + done].variations) {
            auto branch = std::make_unique<CGameRecord>();
            branch->Assign(line);
            CutLine(*branch, index);
            const int size = variation.plies.Held();
            const int kept = ReplayMoves(*branch, variation.plies, 0, size, trace);
            if (kept < size) {
                if (!trace.variationCut)
                    trace.firstCut = PlyName(*branch, index + kept, variation.plies[kept]);
                trace.variationCut = true;
            }
            if (kept == 0) continue;
            Variation again;
            again.startNote = variation.startNote;
            again.plies = branch->m_ply.Slice(index, index + kept);
            replayed.emplace_back(index, std::move(again));
        }
    }
    for (auto& [index, variation] : replayed)
        line.m_ply[index].variations.push_back(std::move(variation));
    return done;
}

// What keeping `asItWas`, hung on ply `ply` of `replayed` in place of
// `line`, comes to: OldLineKept when it fits the game's bounds, else the
// bound it would pass.
MoveCorrection::Kind KeepingOldLine(const CGameRecord& line, const CGameRecord& replayed, int ply,
                                    const Variation& asItWas, const LineRoom& room) {
    const int size = asItWas.plies.Held();
    const TreeSize within = MeasureTree(asItWas.plies, 0, size);
    const std::size_t depth = room.depth + 1 + static_cast<std::size_t>(within.deepest);
    if (depth > static_cast<std::size_t>(lines::kMaxDepth)) return MoveCorrection::Kind::TooDeep;
    // In a variation the line's own moves count among the game's variation moves.
    const bool own = room.depth > 0;
    const int oldLater = line.m_plyCount - ply - 1;
    const int newLater = replayed.m_plyCount - ply - 1;
    const int before =
        room.gameVariationPlies >= 0 ? room.gameVariationPlies : CountVariationPlies(line);
    const int after = before - MeasureTree(line.m_ply, ply + 1, oldLater).variationPlies -
                      (own ? oldLater : 0) +
                      MeasureTree(replayed.m_ply, ply + 1, newLater).variationPlies +
                      (own ? newLater : 0) + size + within.variationPlies;
    if (after > lines::kMaxVariationPlies) return MoveCorrection::Kind::VariationsFull;
    return MoveCorrection::Kind::OldLineKept;
}

// The sentence for a correction of `kind`, after which `unfit` ("19. Rac1",
// "3. Bc4 in a variation") no longer fits; `laterCut` when the line's own
// later moves were cut, not only a variation's.
std::string CorrectionSentence(MoveCorrection::Kind kind, const std::string& unfit, bool laterCut,
                               const std::string& correctedName) {
    const std::string subject = unfit + " no longer fits after the correction";
    const std::string cannotKeep =
        subject + ", and the line as it was cannot be kept as a variation of " + correctedName;
    switch (kind) {
        case MoveCorrection::Kind::AllFit:
            return {};
        case MoveCorrection::Kind::OldLineKept:
            return subject + "; " +
                   (laterCut ? "the later moves are kept up to there"
                             : "the variation is kept up to there") +
                   ", and the line as it was is kept as a variation of " + correctedName + ".";
        case MoveCorrection::Kind::TooDeep:
            return cannotKeep + ", which would nest variations more than " +
                   std::to_string(lines::kMaxDepth) + " deep; the move is not corrected.";
        case MoveCorrection::Kind::VariationsFull:
            return cannotKeep + ", which would take this game's variations past " +
                   std::to_string(lines::kMaxVariationPlies) +
                   " half-moves; the move is not corrected.";
    }
    return {};
}

void Take(CGameRecord& corrected, const CGameRecord& line) {
    corrected.Assign(line);
    corrected.RestorePly(corrected.m_plyCount - 1);
}

}  // namespace

LineRoom RoomOfLine(const CGameRecord& game, const LinePath& path) {
    LineRoom room;
    room.depth = path.size();
    room.gameVariationPlies = CountVariationPlies(game);
    return room;
}

MoveCorrection ReplayAfterCorrection(const CGameRecord& line, int ply, CGameRecord& corrected,
                                     const LineRoom& room) {
    MoveCorrection result;
    const int count = line.m_plyCount;
    if (ply < 0 || ply >= count || count > CGameRecord::kMaxPlies || ply >= corrected.m_plyCount ||
        corrected.m_plyCount > CGameRecord::kMaxPlies)
        return result;
    const PlyRecord& wrong = line.m_ply[ply];
    if (SameMove(wrong, corrected.m_ply[ply])) {
        Take(corrected, line);
        return result;
    }

    auto work = std::make_unique<CGameRecord>();
    work->Assign(corrected);
    CutLine(*work, ply + 1);
    KeepAnnotations(work->m_ply[ply], wrong);
    std::string sign;
    MoveToken(MoveWithoutNumber(wrong), sign);
    WriteMove(*work, ply, MoveWithoutNumber(work->m_ply[ply]), sign);
    // The corrected move and those before it keep their variations; set aside
    // meanwhile, so the copy each replayed variation starts from is small.
    std::vector<VariationList> earlier(ply + 1);
    for (int i = 0; i < ply; ++i) earlier[i] = std::move(work->m_ply[i].variations);
    earlier[ply] = wrong.variations;
    work->m_ply[ply].variations.clear();

    ReplayTrace trace;
    const int later = count - ply - 1;
    const int kept = ReplayMoves(*work, line.m_ply, ply + 1, later, trace);
    for (int i = 0; i <= ply; ++i) work->m_ply[i].variations = std::move(earlier[i]);
    if (kept == later && !trace.variationCut) {
        Take(corrected, *work);
        return result;
    }

    // Something did not fit: the line as it was goes in whole beside the
    // correction. Its first move's variations stay with the corrected move.
    const bool laterCut = kept < later;
    if (laterCut) result.firstUnfit = ply + 1 + kept + 1;
    const std::string unfit =
        laterCut ? PlyName(line, ply + 1 + kept) : trace.firstCut + " in a variation";
    Variation asItWas;
    asItWas.plies = line.m_ply.Slice(ply, count);
    asItWas.plies.front().variations.clear();
    result.kind = KeepingOldLine(line, *work, ply, asItWas, room);
    result.message = CorrectionSentence(result.kind, unfit, laterCut, PlyName(*work, ply));
    if (result.Refused()) {
        Take(corrected, line);
        return result;
    }
    work->m_ply[ply].variations.push_back(std::move(asItWas));
    Take(corrected, *work);
    return result;
}
