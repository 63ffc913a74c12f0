#include "MoveTables.h"

#include "PieceTypes.h"

int g_moveDirCount[6];
int g_moveRange[6];
int g_moveDir[6][8][2];

namespace {

constexpr int kKnightDirs[8][2] = {{1, 2},  {-1, -2}, {2, -1}, {-2, 1},
                                   {-1, 2}, {2, 1},   {1, -2}, {-2, -1}};
constexpr int kBishopDirs[4][2] = {{-1, 1}, {1, 1}, {1, -1}, {-1, -1}};
constexpr int kRookDirs[4][2] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}};

void SetDirections(int piece, int range, const int (*dirs)[2], int count, int offset = 0) {
    for (int i = 0; i < count; ++i) {
        g_moveDir[piece][offset + i][0] = dirs[i][0];
        g_moveDir[piece][offset + i][1] = dirs[i][1];
    }
    g_moveRange[piece] = range;
    g_moveDirCount[piece] = offset + count;
}

}  // namespace

void InitMoveTables() {
    g_moveDirCount[Pawn] = 0;
    g_moveRange[Pawn] = 0;
    SetDirections(Knight, 1, kKnightDirs, 8);
    SetDirections(Bishop, 7, kBishopDirs, 4);
    SetDirections(Rook, 7, kRookDirs, 4);
    // Queen and king: the rook's directions first, then the bishop's.
    SetDirections(Queen, 7, kRookDirs, 4);
    SetDirections(Queen, 7, kBishopDirs, 4, 4);
    SetDirections(King, 1, kRookDirs, 4);
    SetDirections(King, 1, kBishopDirs, 4, 4);
}
