#include "ClipboardText.h"

#include <algorithm>

#include "TextField.h"

bool StampShownPly(CGameRecord& game, const std::string& date) {
    const int shown = game.m_curPly;
    if (shown <= 0 || shown > CGameRecord::kMaxPlies) return false;
    CopyToField(game.m_ply[shown - 1].date, PlyRecord::kDateSize, date);
    return true;
}

std::string RecentMovesText(const CGameRecord& game) {
    const int shown = std::min(game.m_curPly, CGameRecord::kMaxPlies);
    const int first = shown >= 7 ? shown - 7 : 0;
    std::string text;
    for (int ply = first; ply < shown; ++ply) {
        std::string date = game.GetPlyDate(ply);
        if (date.empty()) date = std::string(8, ' ');
        text += "  " + game.GetLongMoveText(ply) + (ply % 2 == 0 ? " \t\t" : " \t") + date +
                "   " + '\x0E' + "\r\n";
    }
    return text;
}

std::string GameScoreText(const CGameRecord& game) {
    const int shown = std::min(game.m_curPly, CGameRecord::kMaxPlies);
    std::string text;
    for (int ply = 0; ply < shown; ++ply) {
        if (ply % 2 == 0)
            text += std::to_string((ply + 2) / 2) + ". " + game.GetMoveWithoutNumber(ply) + " ";
        else
            text += game.GetMoveWithoutNumber(ply) + "\n";
    }
    return text;
}
