#pragma once

#include <cstddef>
#include <string>

#include "GameLines.h"
#include "GameRecord.h"

// What correcting one move of a line did to the moves after it.
struct MoveCorrection {
    enum class Kind {
        AllFit,       // every later move was played again
        OldLineKept,  // not all: the line as it was went in as a further variation
                      // of the corrected move
        // Keeping the line as it was would nest variations past lines::kMaxDepth,
        // or take the game's variation moves past lines::kMaxVariationPlies, so
        // nothing was corrected.
        TooDeep,
        VariationsFull,
    };
    Kind kind = Kind::AllFit;
    // Line index (ply index + 1) of the first later move of the line that no
    // longer fits; 0 when all of them fit.
    int firstUnfit = 0;
    // The sentence for the user, naming the first move that no longer fits;
    // empty for AllFit.
    std::string message;
    bool Refused() const { return kind == Kind::TooDeep || kind == Kind::VariationsFull; }
};

// Where a line lies in its game, for the game's bounds: the variations it
// lies within (the size of its path) and the variation half-moves of the
// whole game (CountVariationPlies), -1 when the line is the whole game.
struct LineRoom {
    std::size_t depth = 0;
    int gameVariationPlies = -1;
};
LineRoom RoomOfLine(const CGameRecord& game, const LinePath& path);

// `line` is a line as a game from the start (TakeLine) before the correction;
// `corrected` a copy of it whose ply index `ply` was just replaced by the
// board, with nothing after it. Replays each later move of `line` onto
// `corrected` by its move text, written as the board writes it in the new
// position, with its note, date, glyphs and variations (replayed the same
// way, each kept up to its first move that no longer fits), and stops at the
// first move the rules no longer allow. The corrected move keeps the note,
// date, glyphs and variations of the move it replaces. When anything was not
// replayed, the line as it was from `ply` on becomes a further variation of
// the corrected move; when the game's bounds (`room`) leave no place for it,
// nothing is corrected: `corrected` is `line` again and the correction says
// why. The same move again gives `line` back unchanged. A `ply` that neither
// line holds leaves `corrected` alone. `corrected` ends showing its last ply.
MoveCorrection ReplayAfterCorrection(const CGameRecord& line, int ply, CGameRecord& corrected,
                                     const LineRoom& room = {});
