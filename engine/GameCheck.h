#pragma once

#include <string>
#include <vector>

#include "GameRecord.h"
#include "UciLines.h"

// What the engine said of one position of the main line.
struct PositionVerdict {
    bool known = false;  // false for a position not searched
    EngineScore score;   // the best, for the side to move
    int depth = 0;
    std::vector<std::string> bestLine;  // as the engine writes moves
};

// How much a move gives away against the engine's best, in pawns, for the
// names players give it. Scores beyond kDecidedPawns count as that much: a
// move from +9 to +6 still wins, and is not called a mistake.
namespace check {
inline constexpr double kInaccuracyPawns = 0.5;  // ?!
inline constexpr double kMistakePawns = 1.0;     // ?
inline constexpr double kBlunderPawns = 2.0;     // ??
inline constexpr double kDecidedPawns = 5.0;
}  // namespace check

// The glyph a move deserves (6 for ?!, 2 for ?, 4 for ??, else 0) from the
// best score before it, for the side that played it, and the best score
// after it, for the other side.
int JudgeMove(const EngineScore& before, const EngineScore& after);

// The score of a position the game has ended in, which an engine has no
// line for: checkmate and stalemate after `plies` plies of the main line.
// False for a position still in play.
bool FinishedPositionScore(const CGameRecord& game, int plies, EngineScore& score);

struct GameCheckOutcome {
    int glyphsAdded = 0;
    int variationsAdded = 0;
    int scoresAdded = 0;  // put on the first move of a variation already there
};

// Marks the main line from `verdicts` (one per position: after 0 plies, 1,
// and so on to the end): a move that gives away enough gets its glyph when
// it has no move glyph of its own, and the engine's better line as a new
// variation with its score and depth as the note. Where a variation already
// begins with the engine's move, the score goes after that move's note
// instead (unless a note of that variation holds an engine's score already),
// and nothing else of it changes. A move is marked only with its reason
// beside it: not where the engine's move is refused, nor where its line or
// score has no room. A move the engine plays itself, and a position not
// searched, are left alone; so is every glyph and variation already there,
// and every note but for the score added.
GameCheckOutcome ApplyGameCheck(CGameRecord& game, const std::vector<PositionVerdict>& verdicts);
