#pragma once

#include <string>
#include <vector>

// A score as an engine gives it: from the side to move's point of view.
struct EngineScore {
    enum class Bound { Exact, Lower, Upper };
    bool mate = false;  // `value` counts moves to mate; negative when the side to move is mated
    int value = 0;      // centipawns, or moves to mate
    Bound bound = Bound::Exact;
};

// What one "info" line tells, as far as it tells it.
struct EngineInfo {
    int depth = 0;
    int multipv = 1;
    bool hasScore = false;
    EngineScore score;
    long long nps = 0;
    std::vector<std::string> pv;  // moves as the engine writes them: "e2e4", "e7e8q"
};

// Reads an "info" line into `info`; false for any other line. Words it does
// not know are passed over, and a number that is not one leaves its field
// as it was, so a garbled line never stops the reading.
bool ReadInfoLine(const std::string& line, EngineInfo& info);
// "bestmove e2e4 ponder e7e5": the move ("(none)" when the game is over);
// false for any other line.
bool ReadBestMove(const std::string& line, std::string& move);
// "id name Stockfish 15.1": the name; false for any other line.
bool ReadEngineName(const std::string& line, std::string& name);

// The score from White's side, the way players write it: "+0.45", "-1.20",
// "0.00", "#3" (White mates in three), "#-2" (Black mates in two). The
// engine gave it for the side to move, which `whiteToMove` names.
std::string ScoreText(const EngineScore& score, bool whiteToMove);
// The score in pawns for the side to move, a mate counted as far beyond any
// material (the nearer the mate, the larger): for comparing scores.
double ScorePawns(const EngineScore& score);
