// What Undo keeps for a note typed inside a variation, on the heaviest tree
// the bounds allow: a first move with 60 variations of 288 plies (17,280
// variation plies), the rest of a 300-ply game after it. Each edit is made as
// the game window makes it: the variation taken out as a line, its note
// changed, the line stored back and the game recorded as one step.
//
//   history_cost [EDITS]     (4000 by default)
//
// Prints the bytes the first edit adds to the history, the mean over all
// edits, the steps still kept at the end and the time per edit; then the
// same for notes typed on the main line of the heaviest game (300 plies, a
// note of 4096 characters on each). Uses only
// what the game's tree offered before its variations were shared, so the
// same file builds on older trees for a figure before.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "GameHistory.h"
#include "GameLines.h"
#include "LongGame.h"

namespace {
constexpr int kVariations = 60;
constexpr int kVariationPlies = 288;
}  // namespace

int main(int argc, char** argv) {
    const int edits = argc > 1 ? std::atoi(argv[1]) : 4000;
    std::unique_ptr<CGameRecord> game = BuildLongGame(false);
    if (!game) return 1;
    // Every variation replays the long game's own moves: lines of real plies
    // as the reader would hold them.
    Variation variation;
    for (int i = 0; i < kVariationPlies; ++i) variation.plies.push_back(game->m_ply[i]);
    for (int v = 0; v < kVariations; ++v) game->m_ply[0].variations.push_back(variation);
    GameHistory history;
    history.Reset(*game);

    auto line = std::make_unique<CGameRecord>();
    std::size_t first = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int edit = 0; edit < edits; ++edit) {
        // Spread over the variations and their plies, never the same twice in a row.
        const LinePath path{{0, edit % kVariations}};
        const int ply = (edit * 37) % kVariationPlies;
        TakeLine(*game, path, *line);
        line->m_ply[ply].note = "Edit " + std::to_string(edit);
        line->m_ply[ply].hasNote = 1;
        StoreLine(*game, path, *line);
        const std::size_t before = history.Bytes();
        history.Record(*game, "Note", "");
        if (edit == 0) first = history.Bytes() - before;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("first edit: %zu bytes\n", first);
    std::printf("history after %d edits: %zu bytes, %zu steps kept (%.0f bytes a step)\n", edits,
                history.Bytes(), history.Steps(),
                history.Steps() > 0 ? static_cast<double>(history.Bytes()) / history.Steps() : 0.0);
    std::printf("time: %.3f ms an edit\n", 1000.0 * seconds / edits);
    // Undo takes every step kept back, to the game as it was before the first of them.
    int undone = 0;
    while (history.Undo(*game)) ++undone;
    std::printf("undone: %d\n", undone);

    std::unique_ptr<CGameRecord> annotated = BuildLongGame(true);
    if (!annotated) return 1;
    GameHistory mainLine;
    mainLine.Reset(*annotated);
    for (int edit = 0; edit < edits; ++edit) {
        PlyRecord& ply = annotated->m_ply[(edit * 37) % annotated->m_plyCount];
        ply.note[edit % ply.note.size()] = static_cast<char>('a' + edit % 26);
        mainLine.Record(*annotated, "Note", "");
    }
    std::printf("main line of the heaviest game: %zu steps kept of %d (%.0f bytes a step)\n",
                mainLine.Steps(), edits,
                static_cast<double>(mainLine.Bytes()) / std::max<std::size_t>(1, mainLine.Steps()));
    return 0;
}
