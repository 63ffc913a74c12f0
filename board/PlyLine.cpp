#include "PlyLine.h"

#include "PieceTypes.h"

std::string FormatPlyLine(int ply, int mover, const std::string& moveText) {
    const std::string number = std::to_string((ply + 2) / 2);
    if (mover == Black) return number + ". ...\t" + moveText;
    return number + ". " + moveText;
}
