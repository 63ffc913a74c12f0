#include "PositionKey.h"

std::string PositionKey(const CGameRecord& position) {
    std::string key = position.MakeFullFen();
    // The clocks are the last two fields, the en-passant target the one before.
    key.erase(key.rfind(' ', key.rfind(' ') - 1));
    const std::size_t target = key.rfind(' ') + 1;
    if (key[target] == '-') return key;
    const int file = position.m_epFile, rank = position.m_epRank;
    const int side = position.m_sideToMove;
    auto takes = [&](int beside) {
        return position.GetPiece(beside, rank) == Pawn && position.GetColor(beside, rank) == side;
    };
    if (!takes(file - 1) && !takes(file + 1)) key.replace(target, std::string::npos, "-");
    return key;
}
