#pragma once

#include <string>

#include "GameRecord.h"

// Stamps `date` on the ply shown last (ply m_curPly - 1). False, changing
// nothing, at the starting position.
bool StampShownPly(CGameRecord& game, const std::string& date);

// "Copy": the last seven plies up to the position shown (all when fewer), one
// line each: two blanks, the long move text, a blank, two tabs for a White
// ply or one for a Black one, the date, three blanks, the character 14, CR LF.
// A ply without a date shows eight blanks, so the columns stay aligned.
std::string RecentMovesText(const CGameRecord& game);

// "Rpt": the score up to the position shown, a line per move pair ending in
// LF alone, numbered as the list is; a White move last ends with one blank.
// A game that Black begins opens with "12. ... e5" on a line of its own.
std::string GameScoreText(const CGameRecord& game);
