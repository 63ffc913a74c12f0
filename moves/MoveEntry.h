#pragma once

#include <functional>
#include <string>
#include <vector>

#include "GameRecord.h"
#include "Square.h"

// Sentences the board announces after a recorded move.
namespace announce {
inline constexpr const char* kFiftyMoveDraw =
    "Draw by 50-move rule (each side has made 50 moves without a capture or Pawn move).";
inline constexpr const char* kRepetitionDraw = "Draw by repetition (position has repeated 3 times).";
inline constexpr const char* kCheckMate = "CheckMate!";
inline constexpr const char* kStaleMate = "StaleMate!";
inline constexpr const char* kRecordFull =
    "This game already holds 300 half-moves, the most a game can record. No further move can "
    "be added.";
}  // namespace announce

// A piece carried from one square and let go on another (possibly off the
// board); the origin square is already empty.
struct PieceDrop {
    int kind = Pawn;
    int color = White;
    Square from, to;
};

// Why a drop was refused, when there is something to tell the player.
enum class DropRefusal {
    None,          // played; or put down in setup, or a promotion declined: nothing to tell
    AgainstRules,  // TestMove refused it and explained why
    RecordFull,    // the record holds all the plies it can (announce::kRecordFull)
};

struct DropOutcome {
    bool accepted = false;   // the piece stays on the target
    DropRefusal why = DropRefusal::None;
    std::string refusal;     // the sentence to show for `why`; empty for None
    bool recorded = false;   // a ply was recorded
    int firstDroppedPly = -1;  // plies from here on were dropped: list lines index + 1
    int droppedCount = 0;
    std::string line;                        // the new move-list line
    std::vector<std::string> announcements;  // in the order to show them
};

// Asked only when a legal pawn move reaches the last rank: the kind it
// becomes, or NoPiece to take the move back.
using PromotionChooser = std::function<int()>;

// Everything a drop does to the game after the window has asked whether later
// plies may go: the legality test, putting the piece down, the promotion, and,
// outside position setup, the fifty-move, repetition, mate and stalemate
// tests, the move text and line, dropping the later plies with their notes,
// storing the ply with `date` and passing the move. A refused drop puts the
// piece back (outside setup) and records nothing. At the 300-ply limit the
// drop is refused before anything changes. A promotion declined puts the
// pawn back with nothing to say and nothing changed.
DropOutcome PlayDroppedPiece(CGameRecord& game, const PieceDrop& drop, bool setupActive,
                             const std::string& date, const PromotionChooser& choosePromotion);
