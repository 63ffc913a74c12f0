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
        text += "  " + game.GetLongMoveText(ply) +
                (game.SideOfPly(ply) == White ? " \t\t" : " \t") + date + "   " + '\x0E' + "\r\n";
    }
    return text;
}

std::string GameScoreText(const CGameRecord& game) {
    const int shown = std::min(game.m_curPly, CGameRecord::kMaxPlies);
    std::string text;
    for (int ply = 0; ply < shown; ++ply) {
        const std::string number = std::to_string(game.MoveNumberOfPly(ply));
        if (game.SideOfPly(ply) == White)
            text += number + ". " + game.GetMoveWithoutNumber(ply) + " ";
        else if (ply == 0)  // Black moved first: its move has a line of its own
            text += number + ". ... " + game.GetMoveWithoutNumber(ply) + "\n";
        else
            text += game.GetMoveWithoutNumber(ply) + "\n";
    }
    return text;
}
