#pragma once

// The heaviest game a record holds, for the window and start-up benchmarks:
// 300 plies, a fixed legal sequence that no mate, stalemate or draw ends, and
// a note of exactly 4096 characters (the most a note keeps) on every ply and
// at the start.
#include <memory>
#include <string>

#include "GameRecord.h"

// The game as the board view would have saved it, with or without its notes;
// null, after saying why on standard error, when a move of it cannot be played.
std::unique_ptr<CGameRecord> BuildLongGame(bool withNotes = true);

// Writes the game as the program saves it; false when the file cannot be written.
bool WriteLongGame(const std::string& path);
