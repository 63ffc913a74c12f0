#include "UciLines.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

// Reads a whole number; leaves `value` alone when the word is not one.
template <typename Number>
void ReadNumber(std::istringstream& words, Number& value) {
    std::string word;
    if (!(words >> word)) return;
    char* end = nullptr;
    const long long read = std::strtoll(word.c_str(), &end, 10);
    if (end != word.c_str() && *end == '\0') value = static_cast<Number>(read);
}

// Whether `word` looks like a move in coordinate form: two squares and an
// optional promotion letter. Anything else ends the line of moves.
bool LooksLikeMove(const std::string& word) {
    if (word.size() != 4 && word.size() != 5) return false;
    for (int i = 0; i < 4; i += 2) {
        if (word[i] < 'a' || word[i] > 'h' || word[i + 1] < '1' || word[i + 1] > '8') return false;
    }
    return word.size() == 4 || std::string("qrbn").find(word[4]) != std::string::npos;
}

}  // namespace

bool ReadInfoLine(const std::string& line, EngineInfo& info) {
    std::istringstream words(line);
    std::string word;
    if (!(words >> word) || word != "info") return false;
    while (words >> word) {
        if (word == "depth") {
            ReadNumber(words, info.depth);
        } else if (word == "multipv") {
            ReadNumber(words, info.multipv);
        } else if (word == "nps") {
            ReadNumber(words, info.nps);
        } else if (word == "score") {
            std::string kind;
            words >> kind;
            if (kind != "cp" && kind != "mate") continue;
            EngineScore score;
            score.mate = kind == "mate";
            bool read = false;
            std::string number;
            if (words >> number) {
                char* end = nullptr;
                const long value = std::strtol(number.c_str(), &end, 10);
                read = end != number.c_str() && *end == '\0';
                score.value = static_cast<int>(value);
            }
            if (!read) continue;
            // A bound follows the number when the search has not settled it.
            const auto mark = words.tellg();
            std::string bound;
            if (words >> bound && (bound == "lowerbound" || bound == "upperbound")) {
                score.bound =
                    bound == "lowerbound" ? EngineScore::Bound::Lower : EngineScore::Bound::Upper;
            } else {
                words.clear();
                words.seekg(mark);
            }
            info.score = score;
            info.hasScore = true;
        } else if (word == "string") {
            // The rest of the line is free text.
            break;
        } else if (word == "pv") {
            info.pv.clear();
            while (words >> word && LooksLikeMove(word)) info.pv.push_back(word);
            break;
        }
    }
    return true;
}

bool ReadBestMove(const std::string& line, std::string& move) {
    std::istringstream words(line);
    std::string word;
    if (!(words >> word) || word != "bestmove") return false;
    move.clear();
    words >> move;
    return true;
}

bool ReadEngineName(const std::string& line, std::string& name) {
    static const std::string kLead = "id name ";
    if (line.compare(0, kLead.size(), kLead) != 0) return false;
    name = line.substr(kLead.size());
    while (!name.empty() && (name.back() == ' ' || name.back() == '\r')) name.pop_back();
    return true;
}

std::string ScoreText(const EngineScore& score, bool whiteToMove) {
    const int forWhite = whiteToMove ? score.value : -score.value;
    if (score.mate) {
        // Mate now (0) is a mate against the side to move.
        if (score.value == 0) return whiteToMove ? "#-0" : "#0";
        return "#" + std::to_string(forWhite);
    }
    if (forWhite == 0) return "0.00";
    char text[32];
    const int magnitude = forWhite < 0 ? -forWhite : forWhite;
    std::snprintf(text, sizeof text, "%c%d.%02d", forWhite < 0 ? '-' : '+', magnitude / 100,
                  magnitude % 100);
    return text;
}

double ScorePawns(const EngineScore& score) {
    if (!score.mate) return score.value / 100.0;
    constexpr double kMatePawns = 1000.0;
    if (score.value > 0) return kMatePawns - score.value;
    return -kMatePawns - score.value;
}
