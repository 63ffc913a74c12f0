#pragma once

#include <string>

#include "GameRecord.h"

// A game's texts (tags and notes) are kept as the bytes its file had. Text
// the user types is stored in the game's encoding: Windows-1252 when the game
// already holds 8-bit text that is not UTF-8, UTF-8 otherwise.
bool UsesWindows1252(const CGameRecord& game);

// The bytes to store for text the user typed (given as UTF-8). When the game
// is 8-bit and the text has a character Windows-1252 cannot hold, the whole
// game is turned into UTF-8 first, so it never mixes the two.
std::string EncodeUserText(CGameRecord& game, const std::string& utf8);

// Bytes `utf8` takes once stored: as Windows-1252 in an 8-bit game when that
// can hold it, else as UTF-8.
std::size_t StoredSize(bool eightBit, const std::string& utf8);

// Rewrites every 8-bit text of the game as UTF-8, within the field sizes.
void ConvertGameToUtf8(CGameRecord& game);
