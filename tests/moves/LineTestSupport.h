#pragma once

// Games of several lines for the tests of moves/: read from text, changed,
// then described and saved.
#include <memory>
#include <string>

#include "GameLines.h"
#include "MoveEntry.h"
#include "MoveTextApply.h"
#include "pgn/PgnTestSupport.h"

namespace linetest {

inline constexpr char kNested[] = "1. e4 e5 2. Nf3 (2. f4 {gambit} exf4 (2... d5)) Nc6 *";

// A change to the game read from `text`, and what the game is after it:
// `expected` described, "!" when it was refused, "=" when it writes as before.
struct Row {
    const char* text;
    LinePath path;
    const char* expected;
    int ply = 0;
    const char* move = "";
    int unfit = 0;
    const char* message = "";
    const char* shown = nullptr;
    int variationPlies = -1;
};

inline void ExpectGame(const CGameRecord& game, bool done, const Row& row) {
    if (std::string(row.expected) == "=")
        EXPECT_EQ(WritePgnToString(game), WritePgnToString(*pgntest::ReadOk(row.text)));
    else
        EXPECT_EQ(done ? pgntest::Describe(game) : "!", row.expected);
    if (done) pgntest::ExpectSurvivesSave(game);
}

// The board's way of replacing ply `ply` of `line`: the move typed, its
// piece carried and dropped, nothing after it.
inline void ReplaceOnBoard(CGameRecord& line, int ply, const char* typed) {
    CutLine(line, ply);
    TypedMove move;
    ASSERT_TRUE(ReadTypedMove(line, typed, move)) << move.refusal;
    const Square from = move.move.from;
    const PieceDrop drop{line.GetPiece(from.file, from.rank), line.m_sideToMove, from,
                         move.move.to};
    line.SetSquare(from.file, from.rank, NoColor, NoPiece);
    const DropOutcome outcome =
        PlayDroppedPiece(line, drop, false, "", [&move] { return move.move.promotion; });
    ASSERT_TRUE(outcome.recorded) << outcome.refusal;
}

}  // namespace linetest
