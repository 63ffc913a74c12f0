#pragma once

#include <string>

#include "GameRecord.h"

// The position `position` shows as opening tables know it, whatever the
// moves that reached it: the FEN placement, side to move and usable castling
// rights, and the en-passant target only where a pawn of the side to move
// stands beside the pawn that just advanced two squares (so a transposition
// that differs only in a target no pawn could use is the same position). No
// clocks. "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq -"
std::string PositionKey(const CGameRecord& position);
