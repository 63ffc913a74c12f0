#pragma once

#include <string>

// Why FEN text was not taken as a position.
enum class FenRefusal {
    None,
    NotAPosition,        // no eight ranks of eight squares, or too long for the record
    ClockTooLarge,       // a half-move clock beyond CGameRecord::kMaxFenHalfMoveClock
    MoveNumberTooLarge,  // a move number beyond CGameRecord::kMaxFenMoveNumber
};

// The sentence that tells why `text` was refused so, naming the number at
// fault; empty for None.
std::string FenRefusalSentence(FenRefusal refusal, const std::string& text);
