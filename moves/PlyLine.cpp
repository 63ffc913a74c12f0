#include "PlyLine.h"

std::string FormatPlyLine(const CGameRecord& game, int ply, const std::string& moveText) {
    const std::string number = std::to_string(game.MoveNumberOfPly(ply));
    if (game.SideOfPly(ply) == Black) return number + ". ...\t" + moveText;
    return number + ". " + moveText;
}
