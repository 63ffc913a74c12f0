#pragma once

#include <string>
#include <vector>

#include "GameLines.h"
#include "GameRecord.h"
#include "UciLines.h"

// The most moves of an engine's line shown or added to a game: enough for
// the idea, short of the guesswork at the end of a long line.
inline constexpr int kMostEngineLinePlies = 12;

// The position after `plies` plies of `line` as the engine is told it:
// "fen <FEN> moves e2e4 ...", from the last capture or pawn move on, so that
// the engine sees a repetition coming, or from a variation's last null move.
// Cheap for a long game with notes: nothing is copied but one ply.
std::string EnginePosition(const CGameRecord& line, int plies);

// The engine's moves played from the position after `plies` plies of
// `line`, as the board records them (move text, check signs, the board
// after each), up to kMostEngineLinePlies. Stops at the first move the
// rules refuse or the record has no room for: an engine's garbled or
// illegal move never reaches the game.
std::vector<PlyRecord> PlayEngineLine(const CGameRecord& line, int plies,
                                      const std::vector<std::string>& moves);

// Those plies as a player reads them, numbered on from the position:
// "23. ... Nf6 24. Bxf6 gxf6", "12. e4 e5".
std::string EngineLineText(const CGameRecord& line, int plies,
                           const std::vector<PlyRecord>& engineLine);

// The note an engine's line carries into the game: "+0.45 at depth 18".
std::string EngineNote(const EngineScore& score, bool whiteToMove, int depth);

// What adding an engine's line did.
enum class EngineLineAdded { AsVariation, AtLineEnd, AlreadyThere, Refused };

// Puts `engineLine`, played from the position after `plies` plies of the
// line `path` names, into `game`: along the moves the line already has,
// then as a new variation where it leaves them, or on at the end of the
// line where that comes first. `note` goes on its last move. Refused, with
// the bound in `refusal` and nothing changed, beyond the game's bounds.
EngineLineAdded AddEngineLine(CGameRecord& game, const LinePath& path, int plies,
                              const std::vector<PlyRecord>& engineLine, const std::string& note,
                              VariationRefusal& refusal);
