#pragma once

#include <string>

#include "GameRecord.h"

// The move-list line of ply `ply` of `game`: "12. e4" for White,
// "12. ...<TAB>Nf6" for Black, numbered on from the game's start FEN.
std::string FormatPlyLine(const CGameRecord& game, int ply, const std::string& moveText);
